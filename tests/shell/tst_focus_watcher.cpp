// SPDX-License-Identifier: GPL-3.0-or-later
// Entering and leaving controls while boxes open over the window and close again.
#include "desktop.h"

#include "shell/focus_watcher.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace {

// A window with two watched entries and an unwatched button; every entering and leaving is logged.
struct Window
{
    Window()
    {
        auto* layout = new QVBoxLayout(&widget);
        for (QWidget* control : {static_cast<QWidget*>(a), static_cast<QWidget*>(b), static_cast<QWidget*>(button)})
            layout->addWidget(control);
        for (QLineEdit* edit : {a, b}) {
            edit->setObjectName(edit == a ? QStringLiteral("A") : QStringLiteral("B"));
            auto* watcher = kadmor::FocusWatcher::of(edit);
            QObject::connect(watcher, &kadmor::FocusWatcher::entered,
                             [this, edit] { log << edit->objectName() + QStringLiteral(" entered"); });
            QObject::connect(watcher, &kadmor::FocusWatcher::left, [this, edit] {
                log << edit->objectName() + QStringLiteral(" left");
                if (onLeave)
                    onLeave();
            });
        }
        widget.show();
        widget.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&widget));
    }
    void focus(QWidget* control)
    {
        control->setFocus(Qt::OtherFocusReason);
        QVERIFY(QTest::qWaitFor([control] { return control->hasFocus(); }));
    }

    QWidget widget;
    QLineEdit* a = new QLineEdit;
    QLineEdit* b = new QLineEdit;
    QPushButton* button = new QPushButton(QStringLiteral("&Tlačítko"));
    QStringList log;
    std::function<void()> onLeave;
};

// Shows a modal box over the window and runs the action while it is open, then closes it; the
// window is activated again afterwards as a window manager does.
void showBox(QWidget& window, const std::function<void()>& whileOpen = {})
{
    QDialog box(&window);
    box.setLayout(new QVBoxLayout);
    box.layout()->addWidget(new QLineEdit);
    QTimer::singleShot(0, &box, [&box, whileOpen] {
        QVERIFY(QTest::qWaitForWindowActive(&box));
        if (whileOpen)
            whileOpen();
        box.accept();
    });
    box.exec();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class TestFocusWatcher : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void movingBetweenControlsLeavesAndEnters();
    void aBoxOverTheWindowIsNoMove();
    void focusMovedWhileABoxIsOpenEntersTheControl();
    void aBoxShownByALeaveHandlerDoesNotRunItAgain();
};

void TestFocusWatcher::initTestCase()
{
    QVERIFY2(testkit::windowManagerRuns(), testkit::windowManagerNeeded);
}

void TestFocusWatcher::movingBetweenControlsLeavesAndEnters()
{
    Window window;
    window.focus(window.a);
    QCOMPARE(window.log, QStringList{"A entered"});
    QTest::keyClick(window.a, Qt::Key_Tab);
    QTest::keyClick(window.b, Qt::Key_Tab);
    QVERIFY(window.button->hasFocus());
    QCOMPARE(window.log, (QStringList{"A entered", "A left", "B entered", "B left"}));
}

void TestFocusWatcher::aBoxOverTheWindowIsNoMove()
{
    Window window;
    window.focus(window.a);
    window.log.clear();
    showBox(window.widget);
    QVERIFY(window.a->hasFocus());
    QCOMPARE(window.log, QStringList{});
}

// "&edit" asks for the password in a box and then puts the focus into the editor's first field,
// while the window is not yet active again: that field is entered when the window comes back.
void TestFocusWatcher::focusMovedWhileABoxIsOpenEntersTheControl()
{
    Window window;
    window.focus(window.a);
    window.focus(window.button);
    window.log.clear();
    showBox(window.widget, [&window] { window.b->setFocus(); });
    QVERIFY(window.b->hasFocus());
    QCOMPARE(window.log, QStringList{"B entered"});

    // From a watched control the one it held is left first.
    window.log.clear();
    showBox(window.widget, [&window] { window.a->setFocus(); });
    QVERIFY(window.a->hasFocus());
    QCOMPARE(window.log, (QStringList{"B left", "A entered"}));
}

void TestFocusWatcher::aBoxShownByALeaveHandlerDoesNotRunItAgain()
{
    Window window;
    window.focus(window.a);
    window.log.clear();
    window.onLeave = [&window] {
        window.onLeave = nullptr;
        showBox(window.widget);
    };
    QTest::keyClick(window.a, Qt::Key_Tab);
    QVERIFY(window.b->hasFocus());
    QCOMPARE(window.log, (QStringList{"A left", "B entered"}));
}

QTEST_MAIN(TestFocusWatcher)
#include "tst_focus_watcher.moc"
