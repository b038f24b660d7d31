// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_session.h"

#include "desktop.h"
#include "running_program.h"
#include "typing.h"

#include "ui_word_list_page.h"
#include "util/tools.h"

#include <QApplication>
#include <QStackedWidget>
#include <QTest>

namespace testkit {

namespace {

const QString noSoundCard =
    QStringLiteral("Varování\nNemáš nainstalovanou zvukovou kartu!\nKADMOR je multimediální program a nebude bez "
                   "zvuk. karty správně pracovat!");
const QString passwordDialog = QStringLiteral("Zadávání hesla\n");
const QString teachersPassword = QStringLiteral("UCITEL");

} // namespace

void DesktopSession::requireDesktop()
{
    QVERIFY2(windowManagerRuns(), windowManagerNeeded);
}

void DesktopSession::setUp()
{
    installation = std::make_unique<Installation>();
    m_thesl = std::make_unique<Thesl>();
    m_dialogs = std::make_unique<kadmor::TheslDialogs>(*m_thesl);
    kadmor::installDialogs(m_dialogs.get());
    answers = std::make_unique<ModalAnswers>();
}

void DesktopSession::tearDown()
{
    form.reset();
    kadmor::installDialogs(nullptr);
    answers.reset();
    m_dialogs.reset();
    m_thesl.reset();
    installation.reset();
}

void DesktopSession::start()
{
    start(*installation);
}

void DesktopSession::start(const Installation& on)
{
    form.reset();
    const bool soundCardWarning = !kadmor::soundDevicePresent();
    if (soundCardWarning)
        answers->queue({});
    form = std::make_unique<TForm1>(on.folder());
    form->showMaximized();
    QVERIFY(QTest::qWaitFor([this] { return form->startupDone; }));
    QVERIFY(answers->waitAnswered());
    if (soundCardWarning)
        QCOMPARE(answers->takeShown(), QStringList{noSoundCard});
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void DesktopSession::startOnWordList()
{
    startOnWordList(*installation);
}

void DesktopSession::startOnWordList(const Installation& on)
{
    start(on);
    if (QTest::currentTestFailed())
        return;
    press(Qt::Key_O, Qt::AltModifier); // the title page's "&OK"
    QTRY_COMPARE(form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
}

void DesktopSession::chooseLesson(const QString& lesson)
{
    focus(form->p2zaktabul->Edit2);
    typeText(lesson);
    press(Qt::Key_Return);
    waitForFocus(form->p2zaktabul->DBGrid1);
    QCOMPARE(form->currentLesson, lesson.rightJustified(3));
}

void DesktopSession::passwordBy(Qt::Key shortcut)
{
    answers->queue(teachersPassword);
    press(shortcut, Qt::AltModifier);
    QVERIFY(answers->waitAnswered());
    QCOMPARE(answers->takeShown(), QStringList{passwordDialog});
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QVERIFY2(target != nullptr, "no window is active");
    QTest::keyClick(target, key, modifiers);
}

void typeText(const QString& text)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus != nullptr, "nothing has the keyboard focus");
    type(focus, text);
}

void waitForFocus(QWidget* widget)
{
    QVERIFY2(QTest::qWaitFor([widget] { return widget->hasFocus(); }),
             qPrintable(widget->objectName() + QStringLiteral(" did not get the focus; it is on ") +
                        (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "nothing")));
}

} // namespace testkit
