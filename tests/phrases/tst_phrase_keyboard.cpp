// SPDX-License-Identifier: GPL-3.0-or-later
// The phrase book used from the keyboard alone, with the program's real password dialog and boxes
// on a desktop's window manager: Alt shortcuts, Tab and Enter, the focus going to a modal window
// and back. What reaches the disk is read back with an independent dBASE reader.
#include "desktop_session.h"
#include "records_on_disk.h"

#include "ui_phrase_edit_page.h"
#include "ui_phrase_page.h"

#include <QFile>
#include <QStackedWidget>
#include <QTest>

using Records = QList<QStringList>;
using testkit::press;
using testkit::typeText;
using testkit::waitForFocus;

namespace {

const QStringList phraseFields = {"LEK", "ANGL", "CES", "ZVUK"};

} // namespace

class TestPhraseKeyboard : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase() { testkit::DesktopSession::requireDesktop(); }
    void init() { m_desktop.setUp(); }
    void cleanup() { m_desktop.tearDown(); }

    void addAndDeleteAPhrase();

  private:
    Records phrasesOnDisk() const;

    testkit::DesktopSession m_desktop;
};

Records TestPhraseKeyboard::phrasesOnDisk() const
{
    return testkit::recordsOnDisk(m_desktop.installation->dataFolder() + QStringLiteral("/fraze.dbf"), phraseFields);
}

// Lesson 2's phrases, a new phrase typed into the editor and stored by Alt+O, then deleted with
// its sound by Alt+S and Enter on the real question.
void TestPhraseKeyboard::addAndDeleteAPhrase()
{
    m_desktop.startOnWordList();
    m_desktop.chooseLesson(QStringLiteral("2"));

    press(Qt::Key_F, Qt::AltModifier); // "&fráze"
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p7frazeIndex));
    QCOMPARE(m_desktop.form->Table3->recordCount(), 3);

    m_desktop.passwordBy(Qt::Key_E); // "&edit"
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p8editfrazeIndex));
    waitForFocus(m_desktop.form->p8editfraze->DBEdit39);

    press(Qt::Key_N, Qt::AltModifier); // "&Nová fráze"
    QTRY_COMPARE(m_desktop.form->Table3->state(), kadmor::TableState::Insert);
    waitForFocus(m_desktop.form->p8editfraze->DBEdit39);
    QCOMPARE(m_desktop.form->p8editfraze->DBEdit38->text(), QStringLiteral("11111124"));
    press(Qt::Key_Tab);
    waitForFocus(m_desktop.form->p8editfraze->DBEdit11);
    typeText(QStringLiteral("Close the window."));
    press(Qt::Key_Tab);
    waitForFocus(m_desktop.form->p8editfraze->DBEdit16);
    typeText(QStringLiteral("Zavři okno."));
    press(Qt::Key_O, Qt::AltModifier); // "&OK"
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p7frazeIndex));
    QCOMPARE(phrasesOnDisk().last(), (QStringList{"  2", "Close the window.", "Zavři okno.", "11111124"}));
    QCOMPARE(m_desktop.form->Table3->recordCount(), 4);

    // The new phrase's sound, as if it had been recorded, goes with it.
    const QString sound = m_desktop.installation->folder() + QStringLiteral("/sounds/11111124.wav");
    QVERIFY(QFile::copy(m_desktop.installation->folder() + QStringLiteral("/sounds/11111115.wav"), sound));
    m_desktop.form->p7fraze->DBGrid3->setFocus();
    m_desktop.form->Table3->last();
    QCOMPARE(m_desktop.form->Table3->fieldByName(QStringLiteral("ZVUK")).asString(), QStringLiteral("11111124"));
    m_desktop.answers->queue({}, Qt::Key_Return); // Enter: "Ano", the default button
    press(Qt::Key_S, Qt::AltModifier);            // "&smazat"
    QVERIFY(m_desktop.answers->waitAnswered());
    QCOMPARE(m_desktop.answers->takeShown(),
             QStringList{QStringLiteral("Varování\nOpravdu chceš smazat tento záznam?")});
    QTRY_COMPARE(phrasesOnDisk().size(), 12);
    QVERIFY(!QFile::exists(sound));
    QCOMPARE(m_desktop.answers->takeShown(), QStringList{});
}

QTEST_MAIN(TestPhraseKeyboard)
#include "tst_phrase_keyboard.moc"
