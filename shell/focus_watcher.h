// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace kadmor {

// Reports a control's entering and leaving as the user sees them: the control of a window that
// holds the focus changes, and the one left is told before the one entered. Only the window's own
// controls count. A box opening over the window and closing again changes nothing, so a box shown
// by a leave handler does not run the handler again; but when the focus comes back to another
// control than the one it left for the box (a handler moved it while the box was open), that
// control is entered, as if the user had moved there.
class FocusWatcher : public QObject
{
    Q_OBJECT
  public:
    // The watcher of the widget, created on first use and owned by the widget.
    static FocusWatcher* of(QWidget* widget);

  signals:
    void entered();
    void left();

  private:
    explicit FocusWatcher(QWidget* widget);
};

} // namespace kadmor
