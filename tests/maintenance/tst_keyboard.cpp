// SPDX-License-Identifier: GPL-3.0-or-later
// Bulk deletion and the printed list from the keyboard alone, with the program's real password
// dialog, boxes and input box on a desktop's window manager, and real sound when the test's sound
// server runs. What reaches the disk is read back with an independent dBASE reader.
#include "desktop.h"
#include "installation.h"
#include "modal_answers.h"
#include "records_on_disk.h"
#include "typing.h"

#include "shell/hesla.h"
#include "shell/tform1.h"
#include "shell/thesl_dialogs.h"
#include "ui_word_list_page.h"
#include "util/tools.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Records = QList<QStringList>;

namespace {

const QStringList wordFields = {"LEK", "ANGL", "CES", "OBR", "ZVUK"};

} // namespace

class TestMaintenanceKeyboard : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void lessonDeletedAndListWrittenFromTheKeyboard();
    void everythingDeletedFromTheKeyboard();

  private:
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void waitForFocus(QWidget* widget);
    void startOnLesson(const QString& lesson);
    // The password typed into the real dialog, Enter on the warning, the number into the input box.
    void queueConfirmation();
    Records words() const;

    std::unique_ptr<Installation> m_installation;
    std::unique_ptr<Thesl> m_thesl;
    std::unique_ptr<kadmor::TheslDialogs> m_dialogs;
    std::unique_ptr<testkit::ModalAnswers> m_answers;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<QTemporaryDir> m_current;
    QString m_previousCurrent;
};

void TestMaintenanceKeyboard::initTestCase()
{
    QVERIFY2(testkit::windowManagerRuns(), testkit::windowManagerNeeded);
}

void TestMaintenanceKeyboard::init()
{
    m_installation = std::make_unique<Installation>();
    m_thesl = std::make_unique<Thesl>();
    m_dialogs = std::make_unique<kadmor::TheslDialogs>(*m_thesl);
    kadmor::installDialogs(m_dialogs.get());
    m_answers = std::make_unique<testkit::ModalAnswers>();
    m_current = std::make_unique<QTemporaryDir>();
    m_previousCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_current->path()));
}

void TestMaintenanceKeyboard::cleanup()
{
    m_form.reset();
    kadmor::installDialogs(nullptr);
    m_answers.reset();
    m_dialogs.reset();
    m_thesl.reset();
    m_installation.reset();
    QDir::setCurrent(m_previousCurrent);
    m_current.reset();
}

void TestMaintenanceKeyboard::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QVERIFY2(target != nullptr, "no window is active");
    QTest::keyClick(target, key, modifiers);
}

void TestMaintenanceKeyboard::waitForFocus(QWidget* widget)
{
    QVERIFY2(QTest::qWaitFor([widget] { return widget->hasFocus(); }),
             qPrintable(widget->objectName() + QStringLiteral(" did not get the focus; it is on ") +
                        (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "nothing")));
}

void TestMaintenanceKeyboard::startOnLesson(const QString& lesson)
{
    const bool soundCardWarning = !kadmor::soundDevicePresent();
    if (soundCardWarning)
        m_answers->queue({});
    m_form = std::make_unique<TForm1>(m_installation->folder());
    m_form->showMaximized();
    QVERIFY(QTest::qWaitFor([this] { return m_form->startupDone; }));
    QVERIFY(m_answers->waitAnswered());
    m_answers->takeShown();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    press(Qt::Key_O, Qt::AltModifier); // the title page's "&OK"
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    QLineEdit* box = m_form->p2zaktabul->Edit2;
    box->setFocus();
    waitForFocus(box);
    testkit::type(box, lesson);
    press(Qt::Key_Return);
    waitForFocus(m_form->p2zaktabul->DBGrid1);
    QCOMPARE(m_form->currentLesson, lesson.rightJustified(3));
}

void TestMaintenanceKeyboard::queueConfirmation()
{
    m_answers->queue(QStringLiteral("UCITEL"));
    m_answers->queue({});
    m_answers->queue(QStringLiteral("7381"));
}

Records TestMaintenanceKeyboard::words() const
{
    return testkit::recordsOnDisk(m_installation->dataFolder() + QStringLiteral("/kadmor.dbf"), wordFields);
}

void TestMaintenanceKeyboard::lessonDeletedAndListWrittenFromTheKeyboard()
{
    startOnLesson(QStringLiteral("4"));
    const Records before = words();
    queueConfirmation();
    press(Qt::Key_A, Qt::AltModifier); // "Sm&až lek."
    QVERIFY(m_answers->waitAnswered());
    const QStringList shown = m_answers->takeShown();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.at(0), QStringLiteral("Zadávání hesla\n"));
    QCOMPARE(shown.at(1),
             QStringLiteral("Varování\nOpravdu chceš smazat tuto lekci?\nMůžete ztratit práci za několik let!!!"));
    QCOMPARE(shown.at(2), QStringLiteral("Smazání všech dat\nPro výmaz zadej číslo: 7381"));
    QTRY_COMPARE(m_form->Table1->recordCount(), 0);
    Records expected;
    for (const QStringList& word : before) {
        if (word.value(0) != QLatin1String("  4"))
            expected.append(word);
    }
    QVERIFY(expected.size() < before.size());
    QCOMPARE(words(), expected);

    // Escape in the question is No: the list goes to the file; Enter closes "done".
    m_answers->queue({}, Qt::Key_Escape);
    m_answers->queue({});
    // The boxes gave the focus back to the window.
    QTRY_VERIFY(QApplication::focusWidget() != nullptr && QApplication::focusWidget()->window() == m_form.get());
    press(Qt::Key_T, Qt::AltModifier); // "&Tisk slov."
    QVERIFY(m_answers->waitAnswered());
    const QStringList boxes = m_answers->takeShown();
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes.at(0),
             QStringLiteral("Potvrzení\nTisk na tiskárnu?\n(pokud ne, vytiskne se do souboru SLOVICKA.TXT)"));
    QVERIFY2(boxes.at(1).endsWith(QStringLiteral("\nHotovo, lekce vytištěna!")), qPrintable(boxes.at(1)));
    QFile list(m_current->filePath("slovicka.txt"));
    QVERIFY(list.open(QIODevice::ReadOnly));
    QCOMPARE(list.readAll(), QByteArray("lekce \xe8\xedslo:   4\r\n\r\n"));
}

void TestMaintenanceKeyboard::everythingDeletedFromTheKeyboard()
{
    startOnLesson(QStringLiteral("1"));
    queueConfirmation();
    m_answers->queue({});              // "Všechno bylo smazáno!!!"
    press(Qt::Key_V, Qt::AltModifier); // "Smaž &vše"
    QVERIFY(m_answers->waitAnswered());
    const QStringList shown = m_answers->takeShown();
    QCOMPARE(shown.size(), 4);
    QVERIFY2(shown.at(3).endsWith(QStringLiteral("\nVšechno bylo smazáno!!!")), qPrintable(shown.at(3)));
    QCOMPARE(words(), Records{});
    QCOMPARE(QDir(m_installation->folder() + QStringLiteral("/sounds")).entryList(QDir::Files, QDir::Name),
             (QStringList{"mujzvuk.wav", "newzvuk.wav", "nosound.wav", "varovani.wav"}));
    QVERIFY(m_form->Timer1->isActive());
    QTRY_VERIFY(QApplication::focusWidget() != nullptr && QApplication::focusWidget()->window() == m_form.get());
}

QTEST_MAIN(TestMaintenanceKeyboard)
#include "tst_keyboard.moc"
