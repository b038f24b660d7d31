// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/sound/media_player.h"

#include "base/error_display.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace kadmor {

namespace {

// Symbols that the common fonts have, so that they can take the colour of the text.
struct ButtonLook
{
    MediaPlayer::Button button;
    const char16_t* symbol;
    const char16_t* hint;
    const char16_t* name;
};

constexpr ButtonLook buttonLooks[] = {
    {MediaPlayer::Play, u"▶", u"Přehrát", u"play"},
    {MediaPlayer::Pause, u"❚❚", u"Pozastavit", u"pause"},
    {MediaPlayer::Stop, u"■", u"Zastavit", u"stop"},
    {MediaPlayer::Next, u"▶|", u"Na konec", u"next"},
    {MediaPlayer::Previous, u"|◀", u"Na začátek", u"previous"},
    {MediaPlayer::Step, u"▶▶", u"Krok vpřed", u"step"},
    {MediaPlayer::Back, u"◀◀", u"Krok zpět", u"back"},
    {MediaPlayer::Record, u"●", u"Nahrávat", u"record"},
};

QString colourOf(MediaPlayer::Button button)
{
    return button == MediaPlayer::Record ? QStringLiteral("color: red;") : QStringLiteral("color: green;");
}

} // namespace

MediaPlayer::MediaPlayer(QWidget* parent) : QWidget(parent)
{
    createButtons();
    showMode(Mode::NotOpen);
    connect(&m_player, &SoundPlayer::modeChanged, this, &MediaPlayer::showMode);
    connect(&m_player, &SoundPlayer::finished, this, [this] {
        if (m_notify)
            emit notified();
    });
}

MediaPlayer::~MediaPlayer()
{
    // The strip is being taken apart: the player closes without the strip following it.
    m_player.disconnect(this);
    m_player.close();
}

void MediaPlayer::createButtons()
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const ButtonLook& look : buttonLooks) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromUtf16(look.name));
        button->setText(QString::fromUtf16(look.symbol));
        button->setToolTip(QString::fromUtf16(look.hint));
        button->setFocusPolicy(Qt::TabFocus);
        // The control's width is shared out among its buttons, down to nothing.
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        layout->addWidget(button);
        m_buttons.append({look.button, button});
    }
    connectButton(Play, &SoundPlayer::play);
    connectButton(Pause, &SoundPlayer::pause);
    connectButton(Stop, &SoundPlayer::stop);
    connectButton(Next, &SoundPlayer::next);
    connectButton(Previous, &SoundPlayer::previous);
    connectButton(Step, &SoundPlayer::step);
    connectButton(Back, &SoundPlayer::back);
    connectButton(Record, &SoundPlayer::record);
}

void MediaPlayer::connectButton(Button which, void (SoundPlayer::*command)())
{
    for (const auto& [button, widget] : std::as_const(m_buttons)) {
        if (button == which)
            connect(widget, &QAbstractButton::clicked, this,
                    [this, command] { runAction([this, command] { (m_player.*command)(); }); });
    }
}

void MediaPlayer::setVisibleButtons(Buttons buttons)
{
    m_visibleButtons = buttons;
    for (const auto& [button, widget] : std::as_const(m_buttons))
        widget->setVisible(buttons.testFlag(button));
}

void MediaPlayer::setColouredButtons(Buttons buttons)
{
    m_colouredButtons = buttons;
    for (const auto& [button, widget] : std::as_const(m_buttons))
        widget->setStyleSheet(buttons.testFlag(button) ? colourOf(button) : QString());
}

void MediaPlayer::showMode(Mode mode)
{
    // While recording only Stop makes sense; a closed player has nothing to work on.
    for (const auto& [button, widget] : std::as_const(m_buttons))
        widget->setEnabled(mode != Mode::NotOpen && (mode != Mode::Recording || button == Stop));
}

} // namespace kadmor
