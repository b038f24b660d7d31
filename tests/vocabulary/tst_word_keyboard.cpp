// SPDX-License-Identifier: GPL-3.0-or-later
// The word editor used from the keyboard alone, with the program's real password dialog and boxes
// on a desktop's window manager: Alt shortcuts, Tab and Enter, the focus going to a modal window
// and back. What reaches the disk is read back with an independent dBASE reader.
#include "desktop_session.h"
#include "records_on_disk.h"

#include "ui_title_page.h"
#include "ui_word_edit_page.h"
#include "ui_word_list_page.h"

#include <QStackedWidget>
#include <QTest>

using Records = QList<QStringList>;
using testkit::press;
using testkit::typeText;
using testkit::waitForFocus;

namespace {

const QStringList wordFields = {"LEK", "ANGL", "CES", "OBR", "ZVUK"};

} // namespace

class TestWordKeyboard : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase() { testkit::DesktopSession::requireDesktop(); }
    void init() { m_desktop.setUp(); }
    void cleanup() { m_desktop.tearDown(); }

    void enterPressesTheFocusedButton();
    void editRightAfterThePasswordKeepsTheLesson();
    void newWordSavedByItsShortcut_data();
    void newWordSavedByItsShortcut();

  private:
    // The program on a fresh installation, on the word list, dog selected.
    void startOnDog();
    // "&edit" by Alt+E, the password typed into the real password dialog.
    void editWithPassword();
    Records wordsWith(const QString& word) const;

    testkit::DesktopSession m_desktop;
};

void TestWordKeyboard::startOnDog()
{
    m_desktop.startOnWordList();
    press(Qt::Key_H, Qt::AltModifier); // "&Hledat"
    waitForFocus(m_desktop.form->p2zaktabul->Edit1);
    typeText(QStringLiteral("dog"));
    press(Qt::Key_Return);
    waitForFocus(m_desktop.form->p2zaktabul->DBGrid1);
    QCOMPARE(m_desktop.form->Table1->fieldByName(QStringLiteral("ANGL")).asString(), QStringLiteral("dog"));
}

void TestWordKeyboard::editWithPassword()
{
    m_desktop.passwordBy(Qt::Key_E);
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p3editIndex));
    waitForFocus(m_desktop.form->p3edit->Edit17);
}

Records TestWordKeyboard::wordsWith(const QString& word) const
{
    Records found;
    for (const QStringList& record :
         testkit::recordsOnDisk(m_desktop.installation->dataFolder() + QStringLiteral("/kadmor.dbf"), wordFields)) {
        if (record.value(1) == word)
            found.append(record);
    }
    return found;
}

// The title page's "&OK" has the focus at start, so Enter leaves the title page; on the word
// list a button reached by Tab answers Enter as it answers Space.
void TestWordKeyboard::enterPressesTheFocusedButton()
{
    m_desktop.start();
    waitForFocus(m_desktop.form->p1nadpis->Button1);
    press(Qt::Key_Return);
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    QWidget* search = m_desktop.form->p2zaktabul->BitBtn14; // "&Hledat"
    for (int tabs = 0; tabs < 40 && !search->hasFocus(); ++tabs)
        press(Qt::Key_Tab);
    waitForFocus(search);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    waitForFocus(m_desktop.form->p2zaktabul->Edit1);
    QCOMPARE(m_desktop.answers->takeShown(), QStringList{});
}

// The lesson field is entered when the window comes back from the password dialog, so it shows
// the word list's lesson and the word stays in its lesson.
void TestWordKeyboard::editRightAfterThePasswordKeepsTheLesson()
{
    startOnDog();
    editWithPassword();
    QCOMPARE(m_desktop.form->p3edit->Edit17->text(), QStringLiteral("  1"));
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Tab);
    waitForFocus(m_desktop.form->p3edit->DBEdit4);
    press(Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    QCOMPARE(wordsWith(QStringLiteral("dog")), (Records{{"  1", "dog", "pes,pejsek", "", "dog"}}));
    QCOMPARE(m_desktop.answers->takeShown(), QStringList{});
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
    QTRY_COMPARE(m_desktop.form->Table1->state(), kadmor::TableState::Insert);
    waitForFocus(m_desktop.form->p3edit->Edit17);
    QCOMPARE(m_desktop.form->p3edit->Edit17->text(), QStringLiteral("  1"));
    press(Qt::Key_Tab);
    waitForFocus(m_desktop.form->p3edit->DBEdit1);
    typeText(QStringLiteral("tiger"));
    press(Qt::Key_Tab);
    waitForFocus(m_desktop.form->p3edit->DBEdit3);
    typeText(QStringLiteral("tygr"));
    press(shortcut, Qt::AltModifier);

    const Records tiger = {{"  1", "tiger", "tygr", "", "tiger"}};
    QTRY_COMPARE(wordsWith(QStringLiteral("tiger")), tiger);
    if (shortcut == Qt::Key_N) {
        QTRY_COMPARE(m_desktop.form->Table1->state(), kadmor::TableState::Insert);
        waitForFocus(m_desktop.form->p3edit->Edit17);
    } else {
        QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    }
    QCOMPARE(m_desktop.answers->takeShown(), QStringList{});
}

QTEST_MAIN(TestWordKeyboard)
#include "tst_word_keyboard.moc"
