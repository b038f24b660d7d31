// SPDX-License-Identifier: GPL-3.0-or-later
// The grade book from the keyboard alone, with the program's real password dialog and boxes on a
// desktop's window manager: Alt shortcuts, Tab and Enter, the focus going to a modal window and
// back. What reaches the disk is read back with an independent dBASE reader.
#include "desktop_session.h"
#include "grade_book_on_disk.h"
#include "test_pupil.h"

#include "ui_grade_book_page.h"
#include "ui_grade_edit_page.h"
#include "ui_test_page.h"

#include <QStackedWidget>
#include <QTest>

using Records = QList<QStringList>;
using testkit::press;
using testkit::typeText;
using testkit::waitForFocus;

class TestGradeBookKeyboard : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase() { testkit::DesktopSession::requireDesktop(); }
    void init() { m_desktop.setUp(); }
    void cleanup() { m_desktop.tearDown(); }

    void aPupilAddedGradedAndAllDeleted();
    void aTestFromTheKeyboard();

  private:
    // The program on a fresh installation, in the grade book after the password.
    void startInGradeBook();
    Records pupils() const { return testkit::gradeBookOnDisk(m_desktop.installation->dataFolder()); }

    testkit::DesktopSession m_desktop;
};

void TestGradeBookKeyboard::startInGradeBook()
{
    m_desktop.startOnWordList();
    m_desktop.passwordBy(Qt::Key_K); // "z&kouš."
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
    waitForFocus(m_desktop.form->p4hodnoceni->DBGrid2);
}

void TestGradeBookKeyboard::aPupilAddedGradedAndAllDeleted()
{
    const int before = int(pupils().size());
    startInGradeBook();
    Ui::GradeBookPage& book = *m_desktop.form->p4hodnoceni;
    waitForFocus(book.DBGrid2);

    press(Qt::Key_N, Qt::AltModifier); // "&Nový"
    waitForFocus(book.Edit15);
    typeText(QStringLiteral("Žitná Eva"));
    press(Qt::Key_Return);
    waitForFocus(book.DBGrid2);
    QTRY_COMPARE(pupils().size(), before + 1);
    QCOMPARE(pupils().last().mid(0, 3), (QStringList{QString::number(before + 1) + QLatin1Char('.'), "Žitná Eva", ""}));

    press(Qt::Key_E, Qt::AltModifier); // "&edituj"
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p5oprznamkyIndex));
    Ui::GradeEditPage& edit = *m_desktop.form->p5oprznamky;
    waitForFocus(edit.DBEdit2);
    QCOMPARE(edit.DBEdit2->text(), QStringLiteral("Žitná Eva"));
    press(Qt::Key_Tab);
    waitForFocus(edit.DBEdit6);
    typeText(QStringLiteral("1"));
    press(Qt::Key_Tab);
    waitForFocus(edit.DBEdit7);
    typeText(QStringLiteral("2"));
    press(Qt::Key_O, Qt::AltModifier); // "&OK"
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
    waitForFocus(book.DBGrid2);
    QCOMPARE(pupils().last(),
             (QStringList{QString::number(before + 1) + QLatin1Char('.'), "Žitná Eva", "12", "2", "1.5"}));
    QCOMPARE(m_desktop.form->Table2->fieldByName(QStringLiteral("kon")).asString(), QStringLiteral("2"));

    m_desktop.answers->queue({}); // Yes, the default button
    m_desktop.answers->queue(QStringLiteral("7381"));
    press(Qt::Key_M, Qt::AltModifier); // "S&maž vše"
    QVERIFY(m_desktop.answers->waitAnswered());
    QCOMPARE(m_desktop.answers->takeShown(),
             (QStringList{QStringLiteral("Potvrzení\nOpravdu chcete smazat všechny žáky?"),
                          QStringLiteral("Smazání všech žáků\nPro výmaz zadej číslo: 7381")}));
    QTRY_COMPARE(pupils(), Records{});
    waitForFocus(book.DBGrid2);
}

// The first pupil tested on lesson 1 from the keyboard: Enter moves through the set-up and starts
// the test, the real boxes offer to clear the difficult words and to write the grade.
void TestGradeBookKeyboard::aTestFromTheKeyboard()
{
    startInGradeBook();
    m_desktop.form->Timer1->setInterval(20); // the feedback pause is two ticks of it
    const QStringList before = pupils().first();
    press(Qt::Key_K, Qt::AltModifier); // "z&koušej"
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p6zkouseniIndex));
    Ui::TestPage& page = *m_desktop.form->p6zkouseni;
    waitForFocus(page.Edit4);
    QCOMPARE(page.Edit7->text(), before[1]);
    press(Qt::Key_Return);
    waitForFocus(page.Edit8);
    page.Edit8->selectAll();
    typeText(QStringLiteral("10"));
    press(Qt::Key_Return);
    waitForFocus(page.Button6);

    QString wrongWord;
    testkit::TestPupil pupil(*m_desktop.form, [&wrongWord](const QString& word, const QString& czech) {
        if (wrongWord.isEmpty()) {
            wrongWord = word;
            return QStringLiteral("nevím");
        }
        return testkit::rightAnswer(czech);
    });
    m_desktop.answers->queue({}); // Yes: clear the difficult words
    m_desktop.answers->queue({}); // Yes: the grade
    press(Qt::Key_Return);        // "&OK"
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex), 60'000);
    QVERIFY(m_desktop.answers->waitAnswered());
    QCOMPARE(m_desktop.answers->takeShown(),
             (QStringList{QStringLiteral("Potvrzení\nPřepsat existující tabulku chybných odpovědí \"chtab.dbf\"?"),
                          QStringLiteral("Potvrzení\nZapsat známku do deníčku?")}));
    QCOMPARE(pupil.asked.size(), 10);
    QCOMPARE(page.Edit13->text(), QStringLiteral("1"));
    QCOMPARE(pupils().first()[2], before[2] + QStringLiteral("1"));
    const Records wrong = testkit::wrongAnswersOnDisk(m_desktop.installation->dataFolder());
    QCOMPARE(wrong.size(), 1);
    QCOMPARE(wrong[0][0], wrongWord);
    waitForFocus(m_desktop.form->p4hodnoceni->DBGrid2);
}

QTEST_MAIN(TestGradeBookKeyboard)
#include "tst_grade_book_keyboard.moc"
