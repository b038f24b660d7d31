// SPDX-License-Identifier: GPL-3.0-or-later
// The word editor used from the keyboard alone, with the program's real password dialog and boxes
// on a desktop's window manager: Alt shortcuts, Tab and Enter, the focus going to a modal window
// and back. What reaches the disk is read back with an independent dBASE reader.
#include "desktop.h"
#include "installation.h"
#include "modal_answers.h"
#include "records_on_disk.h"
#include "typing.h"

#include "shell/hesla.h"
#include "shell/tform1.h"
#include "shell/thesl_dialogs.h"
#include "ui_title_page.h"
#include "ui_word_edit_page.h"
#include "ui_word_list_page.h"
#include "util/tools.h"

#include <QApplication>
#include <QStackedWidget>
#include <QTest>

#include <memory>

using Records = QList<QStringList>;

namespace {

const QStringList wordFields = {"LEK", "ANGL", "CES", "OBR", "ZVUK"};
const QString noSoundCard =
    QStringLiteral("Varování\nNemáš nainstalovanou zvukovou kartu!\nKADMOR je multimediální program a nebude bez "
                   "zvuk. karty správně pracovat!");
const QString passwordDialog = QStringLiteral("Zadávání hesla\n");

} // namespace

class TestWordKeyboard : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void enterPressesTheFocusedButton();
    void editRightAfterThePasswordKeepsTheLesson();
    void newWordSavedByItsShortcut_data();
    void newWordSavedByItsShortcut();

  private:
    // The keys go to the focused control, as the keyboard's do.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void typeText(const QString& text);
    void waitForFocus(QWidget* widget);
    // The program on a fresh installation, its title page active.
    void start();
    // The program on a fresh installation, on the word list, dog selected.
    void startOnDog();
    // "&edit" by Alt+E, the password typed into the real password dialog.
    void editWithPassword();
    Records wordsWith(const QString& word) const;

    std::unique_ptr<Installation> m_installation;
    std::unique_ptr<Thesl> m_thesl;
    std::unique_ptr<kadmor::TheslDialogs> m_dialogs;
    std::unique_ptr<testkit::ModalAnswers> m_answers;
    std::unique_ptr<TForm1> m_form;
};

void TestWordKeyboard::initTestCase()
{
    QVERIFY2(testkit::windowManagerRuns(), testkit::windowManagerNeeded);
}

void TestWordKeyboard::init()
{
    m_installation = std::make_unique<Installation>();
    m_thesl = std::make_unique<Thesl>();
    m_dialogs = std::make_unique<kadmor::TheslDialogs>(*m_thesl);
    kadmor::installDialogs(m_dialogs.get());
    m_answers = std::make_unique<testkit::ModalAnswers>();
}

void TestWordKeyboard::cleanup()
{
    m_form.reset();
    kadmor::installDialogs(nullptr);
    m_answers.reset();
    m_dialogs.reset();
    m_thesl.reset();
    m_installation.reset();
}

void TestWordKeyboard::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // Keys go to the focused control, or to the active window when no control has the focus.
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QVERIFY2(target != nullptr, "no window is active");
    QTest::keyClick(target, key, modifiers);
}

void TestWordKeyboard::typeText(const QString& text)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus != nullptr, "nothing has the keyboard focus");
    testkit::type(focus, text);
}

void TestWordKeyboard::waitForFocus(QWidget* widget)
{
    QVERIFY2(QTest::qWaitFor([widget] { return widget->hasFocus(); }),
             qPrintable(widget->objectName() + QStringLiteral(" did not get the focus; it is on ") +
                        (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "nothing")));
}

void TestWordKeyboard::start()
{
    const bool soundCardWarning = !kadmor::soundDevicePresent();
    if (soundCardWarning)
        m_answers->queue({});
    m_form = std::make_unique<TForm1>(m_installation->folder());
    m_form->showMaximized();
    QVERIFY(QTest::qWaitFor([this] { return m_form->startupDone; }));
    QVERIFY(m_answers->waitAnswered());
    if (soundCardWarning)
        QCOMPARE(m_answers->takeShown(), QStringList{noSoundCard});
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestWordKeyboard::startOnDog()
{
    start();
    press(Qt::Key_O, Qt::AltModifier); // the title page's "&OK"
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    press(Qt::Key_H, Qt::AltModifier); // "&Hledat"
    waitForFocus(m_form->p2zaktabul->Edit1);
    typeText(QStringLiteral("dog"));
    press(Qt::Key_Return);
    waitForFocus(m_form->p2zaktabul->DBGrid1);
    QCOMPARE(m_form->Table1->fieldByName(QStringLiteral("ANGL")).asString(), QStringLiteral("dog"));
}

void TestWordKeyboard::editWithPassword()
{
    m_answers->queue(QStringLiteral("UCITEL"));
    press(Qt::Key_E, Qt::AltModifier);
    QVERIFY(m_answers->waitAnswered());
    QCOMPARE(m_answers->takeShown(), QStringList{passwordDialog});
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p3editIndex));
    waitForFocus(m_form->p3edit->Edit17);
}

Records TestWordKeyboard::wordsWith(const QString& word) const
{
    Records found;
    for (const QStringList& record :
         testkit::recordsOnDisk(m_installation->dataFolder() + QStringLiteral("/kadmor.dbf"), wordFields)) {
        if (record.value(1) == word)
            found.append(record);
    }
    return found;
}

// The title page's "&OK" has the focus at start, so Enter leaves the title page; on the word
// list a button reached by Tab answers Enter as it answers Space.
void TestWordKeyboard::enterPressesTheFocusedButton()
{
    start();
    waitForFocus(m_form->p1nadpis->Button1);
    press(Qt::Key_Return);
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    QWidget* search = m_form->p2zaktabul->BitBtn14; // "&Hledat"
    for (int tabs = 0; tabs < 40 && !search->hasFocus(); ++tabs)
        press(Qt::Key_Tab);
    waitForFocus(search);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    waitForFocus(m_form->p2zaktabul->Edit1);
    QCOMPARE(m_answers->takeShown(), QStringList{});
}

// The lesson field is entered when the window comes back from the password dialog, so it shows
// the word list's lesson and the word stays in its lesson.
void TestWordKeyboard::editRightAfterThePasswordKeepsTheLesson()
{
    startOnDog();
    editWithPassword();
    QCOMPARE(m_form->p3edit->Edit17->text(), QStringLiteral("  1"));
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Tab);
    waitForFocus(m_form->p3edit->DBEdit4);
    press(Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    QCOMPARE(wordsWith(QStringLiteral("dog")), (Records{{"  1", "dog", "pes,pejsek", "", "dog"}}));
    QCOMPARE(m_answers->takeShown(), QStringList{});
}

void TestWordKeyboard::newWordSavedByItsShortcut_data()
{
    QTest::addColumn<Qt::Key>("shortcut");
    QTest::newRow("Alt+O") << Qt::Key_O;
    QTest::newRow("Alt+N") << Qt::Key_N;
}

// The Czech word's field, left by the button's shortcut, writes the lesson and the sound name
// before the button saves the word.
void TestWordKeyboard::newWordSavedByItsShortcut()
{
    QFETCH(Qt::Key, shortcut);
    startOnDog();
    editWithPassword();
    press(Qt::Key_N, Qt::AltModifier); // "&Nové slovo"
    QTRY_COMPARE(m_form->Table1->state(), kadmor::TableState::Insert);
    waitForFocus(m_form->p3edit->Edit17);
    QCOMPARE(m_form->p3edit->Edit17->text(), QStringLiteral("  1"));
    press(Qt::Key_Tab);
    waitForFocus(m_form->p3edit->DBEdit1);
    typeText(QStringLiteral("tiger"));
    press(Qt::Key_Tab);
    waitForFocus(m_form->p3edit->DBEdit3);
    typeText(QStringLiteral("tygr"));
    press(shortcut, Qt::AltModifier);

    const Records tiger = {{"  1", "tiger", "tygr", "", "tiger"}};
    QTRY_COMPARE(wordsWith(QStringLiteral("tiger")), tiger);
    if (shortcut == Qt::Key_N) {
        QTRY_COMPARE(m_form->Table1->state(), kadmor::TableState::Insert);
        waitForFocus(m_form->p3edit->Edit17);
    } else {
        QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    }
    QCOMPARE(m_answers->takeShown(), QStringList{});
}

QTEST_MAIN(TestWordKeyboard)
#include "tst_word_keyboard.moc"
