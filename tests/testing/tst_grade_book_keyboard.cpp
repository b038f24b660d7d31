// SPDX-License-Identifier: GPL-3.0-or-later
// The grade book from the keyboard alone, with the program's real password dialog and boxes on a
// desktop's window manager: Alt shortcuts, Tab and Enter, the focus going to a modal window and
// back. What reaches the disk is read back with an independent dBASE reader.
#include "desktop.h"
#include "grade_book_on_disk.h"
#include "installation.h"
#include "modal_answers.h"
#include "test_pupil.h"
#include "typing.h"

#include "shell/hesla.h"
#include "shell/tform1.h"
#include "shell/thesl_dialogs.h"
#include "ui_grade_book_page.h"
#include "ui_grade_edit_page.h"
#include "ui_test_page.h"
#include "util/tools.h"

#include <QApplication>
#include <QStackedWidget>
#include <QTest>

#include <memory>

using Records = QList<QStringList>;

namespace {

const QString noSoundCard =
    QStringLiteral("Varování\nNemáš nainstalovanou zvukovou kartu!\nKADMOR je multimediální program a nebude bez "
                   "zvuk. karty správně pracovat!");
const QString passwordDialog = QStringLiteral("Zadávání hesla\n");

} // namespace

class TestGradeBookKeyboard : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void aPupilAddedGradedAndAllDeleted();
    void aTestFromTheKeyboard();

  private:
    // The program on a fresh installation, in the grade book after the password.
    void startInGradeBook();
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void typeText(const QString& text);
    void waitForFocus(QWidget* widget);
    Records pupils() const { return testkit::gradeBookOnDisk(m_installation->dataFolder()); }

    std::unique_ptr<Installation> m_installation;
    std::unique_ptr<Thesl> m_thesl;
    std::unique_ptr<kadmor::TheslDialogs> m_dialogs;
    std::unique_ptr<testkit::ModalAnswers> m_answers;
    std::unique_ptr<TForm1> m_form;
};

void TestGradeBookKeyboard::initTestCase()
{
    QVERIFY2(testkit::windowManagerRuns(), testkit::windowManagerNeeded);
}

void TestGradeBookKeyboard::init()
{
    m_installation = std::make_unique<Installation>();
    m_thesl = std::make_unique<Thesl>();
    m_dialogs = std::make_unique<kadmor::TheslDialogs>(*m_thesl);
    kadmor::installDialogs(m_dialogs.get());
    m_answers = std::make_unique<testkit::ModalAnswers>();
}

void TestGradeBookKeyboard::cleanup()
{
    m_form.reset();
    kadmor::installDialogs(nullptr);
    m_answers.reset();
    m_dialogs.reset();
    m_thesl.reset();
    m_installation.reset();
}

void TestGradeBookKeyboard::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QVERIFY2(target != nullptr, "no window is active");
    QTest::keyClick(target, key, modifiers);
}

void TestGradeBookKeyboard::typeText(const QString& text)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus != nullptr, "nothing has the keyboard focus");
    testkit::type(focus, text);
}

void TestGradeBookKeyboard::waitForFocus(QWidget* widget)
{
    QVERIFY2(QTest::qWaitFor([widget] { return widget->hasFocus(); }),
             qPrintable(widget->objectName() + QStringLiteral(" did not get the focus; it is on ") +
                        (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "nothing")));
}

void TestGradeBookKeyboard::startInGradeBook()
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
    press(Qt::Key_O, Qt::AltModifier); // the title page's "&OK"
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));

    m_answers->queue(QStringLiteral("UCITEL"));
    press(Qt::Key_K, Qt::AltModifier); // "z&kouš."
    QVERIFY(m_answers->waitAnswered());
    QCOMPARE(m_answers->takeShown(), QStringList{passwordDialog});
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
    waitForFocus(m_form->p4hodnoceni->DBGrid2);
}

void TestGradeBookKeyboard::aPupilAddedGradedAndAllDeleted()
{
    const int before = int(pupils().size());
    startInGradeBook();
    Ui::GradeBookPage& book = *m_form->p4hodnoceni;
    waitForFocus(book.DBGrid2);

    press(Qt::Key_N, Qt::AltModifier); // "&Nový"
    waitForFocus(book.Edit15);
    typeText(QStringLiteral("Žitná Eva"));
    press(Qt::Key_Return);
    waitForFocus(book.DBGrid2);
    QTRY_COMPARE(pupils().size(), before + 1);
    QCOMPARE(pupils().last().mid(0, 3), (QStringList{QString::number(before + 1) + QLatin1Char('.'), "Žitná Eva", ""}));

    press(Qt::Key_E, Qt::AltModifier); // "&edituj"
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p5oprznamkyIndex));
    Ui::GradeEditPage& edit = *m_form->p5oprznamky;
    waitForFocus(edit.DBEdit2);
    QCOMPARE(edit.DBEdit2->text(), QStringLiteral("Žitná Eva"));
    press(Qt::Key_Tab);
    waitForFocus(edit.DBEdit6);
    typeText(QStringLiteral("1"));
    press(Qt::Key_Tab);
    waitForFocus(edit.DBEdit7);
    typeText(QStringLiteral("2"));
    press(Qt::Key_O, Qt::AltModifier); // "&OK"
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
    waitForFocus(book.DBGrid2);
    QCOMPARE(pupils().last(),
             (QStringList{QString::number(before + 1) + QLatin1Char('.'), "Žitná Eva", "12", "2", "1.5"}));
    QCOMPARE(m_form->Table2->fieldByName(QStringLiteral("kon")).asString(), QStringLiteral("2"));

    m_answers->queue({}); // Yes, the default button
    m_answers->queue(QStringLiteral("7381"));
    press(Qt::Key_M, Qt::AltModifier); // "S&maž vše"
    QVERIFY(m_answers->waitAnswered());
    QCOMPARE(m_answers->takeShown(), (QStringList{QStringLiteral("Potvrzení\nOpravdu chcete smazat všechny žáky?"),
                                                  QStringLiteral("Smazání všech žáků\nPro výmaz zadej číslo: 7381")}));
    QTRY_COMPARE(pupils(), Records{});
    waitForFocus(book.DBGrid2);
}

// The first pupil tested on lesson 1 from the keyboard: Enter moves through the set-up and starts
// the test, the real boxes offer to clear the difficult words and to write the grade.
void TestGradeBookKeyboard::aTestFromTheKeyboard()
{
    startInGradeBook();
    m_form->Timer1->setInterval(20); // the feedback pause is two ticks of it
    const QStringList before = pupils().first();
    press(Qt::Key_K, Qt::AltModifier); // "z&koušej"
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p6zkouseniIndex));
    Ui::TestPage& page = *m_form->p6zkouseni;
    waitForFocus(page.Edit4);
    QCOMPARE(page.Edit7->text(), before[1]);
    press(Qt::Key_Return);
    waitForFocus(page.Edit8);
    page.Edit8->selectAll();
    typeText(QStringLiteral("10"));
    press(Qt::Key_Return);
    waitForFocus(page.Button6);

    QString wrongWord;
    testkit::TestPupil pupil(*m_form, [&wrongWord](const QString& word, const QString& czech) {
        if (wrongWord.isEmpty()) {
            wrongWord = word;
            return QStringLiteral("nevím");
        }
        return testkit::rightAnswer(czech);
    });
    m_answers->queue({});  // Yes: clear the difficult words
    m_answers->queue({});  // Yes: the grade
    press(Qt::Key_Return); // "&OK"
    QTRY_COMPARE_WITH_TIMEOUT(m_form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex), 60'000);
    QVERIFY(m_answers->waitAnswered());
    QCOMPARE(m_answers->takeShown(),
             (QStringList{QStringLiteral("Potvrzení\nPřepsat existující tabulku chybných odpovědí \"chtab.dbf\"?"),
                          QStringLiteral("Potvrzení\nZapsat známku do deníčku?")}));
    QCOMPARE(pupil.asked.size(), 10);
    QCOMPARE(page.Edit13->text(), QStringLiteral("1"));
    QCOMPARE(pupils().first()[2], before[2] + QStringLiteral("1"));
    const Records wrong = testkit::wrongAnswersOnDisk(m_installation->dataFolder());
    QCOMPARE(wrong.size(), 1);
    QCOMPARE(wrong[0][0], wrongWord);
    waitForFocus(m_form->p4hodnoceni->DBGrid2);
}

QTEST_MAIN(TestGradeBookKeyboard)
#include "tst_grade_book_keyboard.moc"
