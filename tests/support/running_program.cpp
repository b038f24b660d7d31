// SPDX-License-Identifier: GPL-3.0-or-later
#include "running_program.h"

#include "util/tools.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

namespace testkit {

std::unique_ptr<TForm1> startProgram(const Installation& installation, kadmor::ScriptedDialogs& dialogs)
{
    const bool soundCardWarning = !kadmor::soundDevicePresent();
    if (soundCardWarning)
        dialogs.queueAnswer(kadmor::Answer::Ok);
    auto form = std::make_unique<TForm1>(installation.folder());
    form->show();
    if (!QTest::qWaitFor([&form] { return form->startupDone; }))
        qWarning("the start-up did not run");
    if (soundCardWarning)
        dialogs.takeEvents();
    return form;
}

std::unique_ptr<TForm1> startOnWordList(const Installation& installation, kadmor::ScriptedDialogs& dialogs)
{
    auto form = startProgram(installation, dialogs);
    click(*form, QStringLiteral("Button1"));
    return form;
}

void click(QWidget& window, const QString& name)
{
    auto* button = window.findChild<QAbstractButton*>(name);
    QVERIFY2(button != nullptr, qPrintable(name));
    QVERIFY2(button->isVisible(), qPrintable(name + QStringLiteral(" is not on the shown page")));
    QTest::mouseClick(button, Qt::LeftButton);
}

void focus(QWidget* widget)
{
    widget->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
    QVERIFY2(QTest::qWaitFor([widget] { return widget->hasFocus(); }), qPrintable(widget->objectName()));
}

} // namespace testkit
