// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace kadmor {

namespace {

// Messages break their lines with CR, which a Qt label does not take as a line break.
QString withLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QMessageBox::Icon iconOf(BoxType type)
{
    switch (type) {
    case BoxType::Warning:
        return QMessageBox::Warning;
    case BoxType::Error:
        return QMessageBox::Critical;
    case BoxType::Information:
        return QMessageBox::Information;
    case BoxType::Confirmation:
        return QMessageBox::Question;
    case BoxType::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

QString titleOf(BoxType type)
{
    switch (type) {
    case BoxType::Warning:
        return QStringLiteral("Varování");
    case BoxType::Error:
        return QStringLiteral("Chyba");
    case BoxType::Information:
        return QStringLiteral("Informace");
    case BoxType::Confirmation:
        return QStringLiteral("Potvrzení");
    case BoxType::Plain:
        break;
    }
    return QGuiApplication::applicationDisplayName();
}

// Room on the title bar beside the caption for the window's icon and buttons.
constexpr int titleBarButtonsWidth = 160;
// An input box takes paths too: its entry shows this many average characters.
constexpr int entryCharacters = 50;
constexpr int entryMargins = 40;

// Qt sizes an input box for its prompt alone, which cuts a long caption and leaves a path no room.
// The box's layout sets the box's own minimum, so the entry is widened instead.
void fitCaptionAndEntry(QInputDialog& box, const QString& caption)
{
    auto* entry = box.findChild<QLineEdit*>();
    if (entry == nullptr)
        return;
    QFont captionFont = box.font();
    captionFont.setBold(true);
    const int captionWidth = QFontMetrics(captionFont).horizontalAdvance(caption) + titleBarButtonsWidth;
    const int entryWidth = entry->fontMetrics().averageCharWidth() * entryCharacters;
    entry->setMinimumWidth(qMax(captionWidth - entryMargins, entryWidth));
}

} // namespace

Answer QtDialogs::message(BoxType type, const QString& text, Buttons buttons)
{
    QMessageBox box(iconOf(type), titleOf(type), withLineBreaks(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    // Paths and typed words may hold '<' or '&'; they are shown as they are.
    box.setTextFormat(Qt::PlainText);
    if (buttons == Buttons::Ok) {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return Answer::Ok;
    }
    QPushButton* yes = box.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

QString QtDialogs::input(const QString& caption, const QString& prompt, const QString& proposal)
{
    QInputDialog box(QApplication::activeWindow());
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(caption);
    box.setLabelText(withLineBreaks(prompt));
    box.setTextValue(proposal);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Zrušit"));
    fitCaptionAndEntry(box, caption);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

void QtDialogs::beep()
{
    QApplication::beep();
}

} // namespace kadmor
