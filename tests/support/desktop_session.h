// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "installation.h"
#include "modal_answers.h"

#include "shell/hesla.h"
#include "shell/tform1.h"
#include "shell/thesl_dialogs.h"

#include <QString>

#include <memory>

class QWidget;

namespace testkit {

// What the keyboard tests set up around each test: a fresh installation, the program's real
// password dialog and boxes answered from the keyboard, and the main window on a desktop's window
// manager. Nothing is scripted: every key goes to the control that holds the focus.
class DesktopSession
{
  public:
    // Call from initTestCase(): the tests need an X server with a window manager.
    static void requireDesktop();

    // Call from init(): a fresh installation, the real dialogs and a fresh record of what they show.
    void setUp();
    // Call from cleanup(): the window goes first, then the dialogs, then the installation.
    void tearDown();

    // The program started on the installation (the session's own unless given), on the title page
    // and active; without a sound device its sound-card warning is answered with Enter and must be
    // the only box shown. A window already running is closed first.
    void start();
    void start(const Installation& on);
    // As start, then the title page's "&OK" by Alt+O: the word list is shown.
    void startOnWordList();
    void startOnWordList(const Installation& on);
    // The lesson typed into the word list's lesson field and Enter: the list shows that lesson and
    // the grid has the focus.
    void chooseLesson(const QString& lesson);
    // The password typed into the real password dialog opened by Alt and the shortcut; the dialog
    // must be the only box shown.
    void passwordBy(Qt::Key shortcut);

    std::unique_ptr<Installation> installation;
    std::unique_ptr<testkit::ModalAnswers> answers;
    std::unique_ptr<TForm1> form;

  private:
    std::unique_ptr<Thesl> m_thesl;
    std::unique_ptr<kadmor::TheslDialogs> m_dialogs;
};

// The key goes to the focused control, or to the active window when no control has the focus, as
// the keyboard's keys do.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The text typed into the focused control.
void typeText(const QString& text);
// Waits until the widget has the keyboard focus; fails naming where the focus is instead.
void waitForFocus(QWidget* widget);

} // namespace testkit
