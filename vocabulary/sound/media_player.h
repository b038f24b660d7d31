// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "vocabulary/sound/sound_player.h"

#include <QWidget>

class QAbstractButton;

namespace kadmor {

// The player control of the pages: a strip of buttons over one SoundPlayer, which does the work.
// The buttons go through the general error display; the pages that drive the player from code
// call it directly (player()).
class MediaPlayer : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(Buttons visibleButtons READ visibleButtons WRITE setVisibleButtons)
    Q_PROPERTY(Buttons colouredButtons READ colouredButtons WRITE setColouredButtons)
    Q_PROPERTY(bool notify READ notify WRITE setNotify)

  public:
    enum Button {
        Play = 0x01,
        Pause = 0x02,
        Stop = 0x04,
        Next = 0x08,     // to the end
        Previous = 0x10, // to the start
        Step = 0x20,     // a quarter of a second forward
        Back = 0x40,     // a quarter of a second back
        Record = 0x80,
    };
    Q_DECLARE_FLAGS(Buttons, Button)
    Q_FLAG(Buttons)
    static constexpr Buttons allButtons{0xFF};

    using Mode = SoundPlayer::Mode;

    explicit MediaPlayer(QWidget* parent = nullptr);
    ~MediaPlayer() override;

    // The player behind the buttons.
    SoundPlayer& player() { return m_player; }
    const SoundPlayer& player() const { return m_player; }

    Buttons visibleButtons() const { return m_visibleButtons; }
    void setVisibleButtons(Buttons buttons);
    Buttons colouredButtons() const { return m_colouredButtons; }
    void setColouredButtons(Buttons buttons);
    // Whether the end of every play is announced by notified().
    bool notify() const { return m_notify; }
    void setNotify(bool on) { m_notify = on; }

  signals:
    // The player's finished(), only with notify on.
    void notified();

  private:
    void createButtons();
    void connectButton(Button button, void (SoundPlayer::*command)());
    void showMode(Mode mode);

    SoundPlayer m_player;
    Buttons m_visibleButtons = allButtons;
    Buttons m_colouredButtons;
    bool m_notify = false;
    QList<std::pair<Button, QAbstractButton*>> m_buttons;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(MediaPlayer::Buttons)

} // namespace kadmor
