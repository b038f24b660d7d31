// SPDX-License-Identifier: GPL-3.0-or-later
// The password dialog and the restore request.
#include "typing.h"

#include "shell/hesla.h"
#include "shell/restore_request.h"
#include "scripted_dialogs.h"
#include "ui_hesla.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

using kadmor::ScriptedDialogs;

class TestThesl : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void layout();
    void entryIsUpperCasedAndHidden();
    void closing_data();
    void closing();
    void activationBeepsAndFocusesTheEntry();
    void secondStartAsksTheRunningProgram();
    void noRunningProgram();

  private:
    // Runs ask() while the given steps act on the shown dialog.
    QString askWith(const std::function<void(Thesl&)>& steps);

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Thesl> m_thesl;
};

void TestThesl::init()
{
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_thesl = std::make_unique<Thesl>();
}

void TestThesl::cleanup()
{
    m_thesl.reset();
    QVERIFY2(m_dialogs->problems().isEmpty(), qPrintable(m_dialogs->problems()));
    m_dialogs.reset();
}

QString TestThesl::askWith(const std::function<void(Thesl&)>& steps)
{
    QTimer::singleShot(0, this, [this, steps] {
        QVERIFY(QTest::qWaitForWindowActive(m_thesl.get()));
        steps(*m_thesl);
    });
    return m_thesl->ask();
}

void TestThesl::layout()
{
    QCOMPARE(m_thesl->windowTitle(), QStringLiteral("Zadávání hesla"));
    QCOMPARE(m_thesl->ui->Label1->text(), QStringLiteral("Zadej heslo:"));
    QVERIFY(m_thesl->ui->Label1->font().bold());
    QCOMPARE(m_thesl->ui->BitBtn2->text(), QStringLiteral("Zrušit"));
    QVERIFY(m_thesl->ui->BitBtn1->isDefault());
}

void TestThesl::entryIsUpperCasedAndHidden()
{
    QLineEdit* edit = m_thesl->ui->Edit1;
    testkit::type(edit, QStringLiteral("tajné čaj"));
    QCOMPARE(edit->text(), QStringLiteral("TAJNÉ ČAJ"));
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QCOMPARE(edit->displayText(), QString(9, u'*'));
}

void TestThesl::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("entered");
    QTest::newRow("OK") << "ok"
                        << "HESLO";
    QTest::newRow("Enter") << "enter"
                           << "HESLO";
    QTest::newRow("Zrušit empties the entry") << "cancel"
                                              << "";
    QTest::newRow("Escape empties the entry") << "escape"
                                              << "";
    QTest::newRow("close box keeps the entry") << "close"
                                               << "HESLO";
}

void TestThesl::closing()
{
    QFETCH(QString, how);
    QFETCH(QString, entered);
    const QString result = askWith([how](Thesl& thesl) {
        testkit::type(thesl.ui->Edit1, QStringLiteral("heslo"));
        if (how == QLatin1String("ok"))
            QTest::mouseClick(thesl.ui->BitBtn1, Qt::LeftButton);
        else if (how == QLatin1String("enter"))
            QTest::keyClick(thesl.ui->Edit1, Qt::Key_Return);
        else if (how == QLatin1String("cancel"))
            QTest::mouseClick(thesl.ui->BitBtn2, Qt::LeftButton);
        else if (how == QLatin1String("escape"))
            QTest::keyClick(thesl.ui->Edit1, Qt::Key_Escape);
        else
            thesl.close();
    });
    QCOMPARE(result, entered);
    m_dialogs->takeEvents();
}

void TestThesl::activationBeepsAndFocusesTheEntry()
{
    bool focused = false;
    askWith([&focused](Thesl& thesl) {
        focused = thesl.ui->Edit1->hasFocus();
        thesl.accept();
    });
    QVERIFY(focused);
    QCOMPARE(m_dialogs->takeEvents(), QList<ScriptedDialogs::Event>{ScriptedDialogs::Event::beep()});
}

void TestThesl::secondStartAsksTheRunningProgram()
{
    const QString name = QStringLiteral("kadmor-test-%1").arg(QCoreApplication::applicationPid());
    kadmor::RestoreRequest running(name);
    QVERIFY(running.listen());
    QSignalSpy restored(&running, &kadmor::RestoreRequest::restoreRequested);

    const kadmor::RestoreRequest second(name);
    QVERIFY(second.askRunningProgram());
    QTRY_COMPARE(restored.count(), 1);
}

void TestThesl::noRunningProgram()
{
    const kadmor::RestoreRequest first(QStringLiteral("kadmor-test-nobody-%1").arg(QCoreApplication::applicationPid()));
    QVERIFY(!first.askRunningProgram());
}

QTEST_MAIN(TestThesl)
#include "tst_thesl.moc"
