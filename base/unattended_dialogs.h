// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/dialogs.h"

#include <QString>

class QTextStream;

namespace kadmor {

// How a box, an input box, the password dialog or a beep is written down where nobody sees it:
// one line each, for the runs that nobody answers and for the tests' record of boxes.
namespace box_text {
QString message(BoxType type, const QString& text, Buttons buttons); // warning box [Yes/No]: "…"
QString input(const QString& caption, const QString& prompt, const QString& proposal);
QString password();
QString beep();
} // namespace box_text

// Dialogs for a run that nobody watches (the screenshot tool): every box gets the answer of a box
// closed unread (OK, No, the empty text) and is written as one line to the log. Installs itself for
// its lifetime and restores the implementation installed before it.
class UnattendedDialogs : public Dialogs
{
  public:
    explicit UnattendedDialogs(QTextStream& log);
    ~UnattendedDialogs() override;
    UnattendedDialogs(const UnattendedDialogs&) = delete;
    UnattendedDialogs& operator=(const UnattendedDialogs&) = delete;

    Answer message(BoxType type, const QString& text, Buttons buttons) override;
    QString input(const QString& caption, const QString& prompt, const QString& proposal) override;
    void beep() override;
    QString password() override;

  private:
    void write(const QString& line);

    QTextStream& m_log;
    Dialogs* m_previous;
};

} // namespace kadmor
