// SPDX-License-Identifier: GPL-3.0-or-later
// The phrase book used from the keyboard alone, with the program's real password dialog and boxes
// on a desktop's window manager: Alt shortcuts, Tab and Enter, the focus going to a modal window
// and back. What reaches the disk is read back with an independent dBASE reader.
#include "desktop.h"
#include "installation.h"
#include "modal_answers.h"
#include "records_on_disk.h"
#include "running_program.h"
#include "typing.h"

#include "shell/hesla.h"
#include "shell/tform1.h"
#include "shell/thesl_dialogs.h"
#include "ui_phrase_edit_page.h"
#include "ui_phrase_page.h"
#include "ui_word_list_page.h"
#include "util/tools.h"

#include <QApplication>
#include <QFile>
#include <QStackedWidget>
#include <QTest>

#include <memory>

using Records = QList<QStringList>;

namespace {

const QStringList phraseFields = {"LEK", "ANGL", "CES", "ZVUK"};
const QString noSoundCard =
    QStringLiteral("Varování\nNemáš nainstalovanou zvukovou kartu!\nKADMOR je multimediální program a nebude bez "
                   "zvuk. karty správně pracovat!");

} // namespace

class TestPhraseKeyboard : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void addAndDeleteAPhrase();

  private:
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void typeText(const QString& text);
    void waitForFocus(QWidget* widget);
    Records phrasesOnDisk() const;

    std::unique_ptr<Installation> m_installation;
    std::unique_ptr<Thesl> m_thesl;
    std::unique_ptr<kadmor::TheslDialogs> m_dialogs;
    std::unique_ptr<testkit::ModalAnswers> m_answers;
    std::unique_ptr<TForm1> m_form;
};

void TestPhraseKeyboard::initTestCase()
{
    QVERIFY2(testkit::windowManagerRuns(), testkit::windowManagerNeeded);
}

void TestPhraseKeyboard::init()
{
    m_installation = std::make_unique<Installation>();
    m_thesl = std::make_unique<Thesl>();
    m_dialogs = std::make_unique<kadmor::TheslDialogs>(*m_thesl);
    kadmor::installDialogs(m_dialogs.get());
    m_answers = std::make_unique<testkit::ModalAnswers>();
}

void TestPhraseKeyboard::cleanup()
{
    m_form.reset();
    kadmor::installDialogs(nullptr);
    m_answers.reset();
    m_dialogs.reset();
    m_thesl.reset();
    m_installation.reset();
}

void TestPhraseKeyboard::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QVERIFY2(target != nullptr, "no window is active");
    QTest::keyClick(target, key, modifiers);
}

void TestPhraseKeyboard::typeText(const QString& text)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus != nullptr, "nothing has the keyboard focus");
    testkit::type(focus, text);
}

void TestPhraseKeyboard::waitForFocus(QWidget* widget)
{
    QVERIFY2(QTest::qWaitFor([widget] { return widget->hasFocus(); }),
             qPrintable(widget->objectName() + QStringLiteral(" did not get the focus; it is on ") +
                        (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "nothing")));
}

Records TestPhraseKeyboard::phrasesOnDisk() const
{
    return testkit::recordsOnDisk(m_installation->dataFolder() + QStringLiteral("/fraze.dbf"), phraseFields);
}

// Lesson 2's phrases, a new phrase typed into the editor and stored by Alt+O, then deleted with
// its sound by Alt+S and Enter on the real question.
void TestPhraseKeyboard::addAndDeleteAPhrase()
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
    testkit::focus(m_form->p2zaktabul->Edit2);
    typeText(QStringLiteral("2"));
    press(Qt::Key_Return);
    waitForFocus(m_form->p2zaktabul->DBGrid1);

    press(Qt::Key_F, Qt::AltModifier); // "&fráze"
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p7frazeIndex));
    QCOMPARE(m_form->Table3->recordCount(), 3);

    m_answers->queue(QStringLiteral("UCITEL"));
    press(Qt::Key_E, Qt::AltModifier); // "&edit"
    QVERIFY(m_answers->waitAnswered());
    QCOMPARE(m_answers->takeShown(), QStringList{QStringLiteral("Zadávání hesla\n")});
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p8editfrazeIndex));
    waitForFocus(m_form->p8editfraze->DBEdit39);

    press(Qt::Key_N, Qt::AltModifier); // "&Nová fráze"
    QTRY_COMPARE(m_form->Table3->state(), kadmor::TableState::Insert);
    waitForFocus(m_form->p8editfraze->DBEdit39);
    QCOMPARE(m_form->p8editfraze->DBEdit38->text(), QStringLiteral("11111124"));
    press(Qt::Key_Tab);
    waitForFocus(m_form->p8editfraze->DBEdit11);
    typeText(QStringLiteral("Close the window."));
    press(Qt::Key_Tab);
    waitForFocus(m_form->p8editfraze->DBEdit16);
    typeText(QStringLiteral("Zavři okno."));
    press(Qt::Key_O, Qt::AltModifier); // "&OK"
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p7frazeIndex));
    QCOMPARE(phrasesOnDisk().last(), (QStringList{"  2", "Close the window.", "Zavři okno.", "11111124"}));
    QCOMPARE(m_form->Table3->recordCount(), 4);

    // The new phrase's sound, as if it had been recorded, goes with it.
    const QString sound = m_installation->folder() + QStringLiteral("/sounds/11111124.wav");
    QVERIFY(QFile::copy(m_installation->folder() + QStringLiteral("/sounds/11111115.wav"), sound));
    m_form->p7fraze->DBGrid3->setFocus();
    m_form->Table3->last();
    QCOMPARE(m_form->Table3->fieldByName(QStringLiteral("ZVUK")).asString(), QStringLiteral("11111124"));
    m_answers->queue({}, Qt::Key_Return); // Enter: "Ano", the default button
    press(Qt::Key_S, Qt::AltModifier);    // "&smazat"
    QVERIFY(m_answers->waitAnswered());
    QCOMPARE(m_answers->takeShown(), QStringList{QStringLiteral("Varování\nOpravdu chceš smazat tento záznam?")});
    QTRY_COMPARE(phrasesOnDisk().size(), 12);
    QVERIFY(!QFile::exists(sound));
    QCOMPARE(m_answers->takeShown(), QStringList{});
}

QTEST_MAIN(TestPhraseKeyboard)
#include "tst_phrase_keyboard.moc"
