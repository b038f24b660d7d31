// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace kadmor {

// Reports a control's entering and leaving as the user sees them: the focus moving to it from
// another control of the window, or away from it to another control. The window losing or
// regaining activation (a message box opening or closing) is neither, so a box shown by a leave
// handler does not run the handler again.
class FocusWatcher : public QObject
{
    Q_OBJECT
  public:
    // The watcher of the widget, created on first use and owned by the widget.
    static FocusWatcher* of(QWidget* widget);

  signals:
    void entered();
    void left();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit FocusWatcher(QWidget* widget);
};

} // namespace kadmor
