// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson exchange used from the keyboard alone, with the program's real boxes on a desktop's
// window manager: lesson 3 collected with Alt+D, written to a folder standing in for a stick with
// Alt+A, read into a second installation with Alt+N. What reaches the disk is read back with an
// independent dBASE reader.
#include "desktop.h"
#include "installation.h"
#include "modal_answers.h"
#include "records_on_disk.h"
#include "running_program.h"
#include "typing.h"

#include "shell/hesla.h"
#include "shell/tform1.h"
#include "shell/thesl_dialogs.h"
#include "ui_new_words_page.h"
#include "ui_word_list_page.h"
#include "util/tools.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Records = QList<QStringList>;

namespace {

const QStringList wordFields = {"LEK", "ANGL", "CES", "OBR", "ZVUK"};
const QStringList phraseFields = {"LEK", "ANGL", "CES", "ZVUK"};
const QString noSoundCard =
    QStringLiteral("Varování\nNemáš nainstalovanou zvukovou kartu!\nKADMOR je multimediální program a nebude bez "
                   "zvuk. karty správně pracovat!");

} // namespace

class TestExchangeKeyboard : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void aLessonTravelsByKeyboard();

  private:
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void waitForFocus(QWidget* widget);
    void startOn(const Installation& installation);
    // The folder typed into the folder field, which is reached with Tab from the page's buttons.
    void typeFolder(const QString& folder);

    std::unique_ptr<Installation> m_installation;
    std::unique_ptr<Thesl> m_thesl;
    std::unique_ptr<kadmor::TheslDialogs> m_dialogs;
    std::unique_ptr<testkit::ModalAnswers> m_answers;
    std::unique_ptr<TForm1> m_form;
};

void TestExchangeKeyboard::initTestCase()
{
    QVERIFY2(testkit::windowManagerRuns(), testkit::windowManagerNeeded);
}

void TestExchangeKeyboard::init()
{
    m_installation = std::make_unique<Installation>();
    m_thesl = std::make_unique<Thesl>();
    m_dialogs = std::make_unique<kadmor::TheslDialogs>(*m_thesl);
    kadmor::installDialogs(m_dialogs.get());
    m_answers = std::make_unique<testkit::ModalAnswers>();
}

void TestExchangeKeyboard::cleanup()
{
    m_form.reset();
    kadmor::installDialogs(nullptr);
    m_answers.reset();
    m_dialogs.reset();
    m_thesl.reset();
    m_installation.reset();
}

void TestExchangeKeyboard::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QVERIFY2(target != nullptr, "no window is active");
    QTest::keyClick(target, key, modifiers);
}

void TestExchangeKeyboard::waitForFocus(QWidget* widget)
{
    QVERIFY2(QTest::qWaitFor([widget] { return widget->hasFocus(); }),
             qPrintable(widget->objectName() + QStringLiteral(" did not get the focus; it is on ") +
                        (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "nothing")));
}

void TestExchangeKeyboard::startOn(const Installation& installation)
{
    m_form.reset();
    const bool soundCardWarning = !kadmor::soundDevicePresent();
    if (soundCardWarning)
        m_answers->queue({});
    m_form = std::make_unique<TForm1>(installation.folder());
    m_form->showMaximized();
    QVERIFY(QTest::qWaitFor([this] { return m_form->startupDone; }));
    QVERIFY(m_answers->waitAnswered());
    if (soundCardWarning)
        QCOMPARE(m_answers->takeShown(), QStringList{noSoundCard});
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    press(Qt::Key_O, Qt::AltModifier); // the title page's "&OK"
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
}

void TestExchangeKeyboard::typeFolder(const QString& folder)
{
    QLineEdit* field = m_form->p11novaslova->Edit18;
    testkit::focus(field);
    field->selectAll();
    testkit::type(field, folder);
    // The folders offered while typing are a popup; Escape closes it and keeps the text.
    if (field->completer()->popup()->isVisible())
        press(Qt::Key_Escape);
    QCOMPARE(field->text(), folder);
}

void TestExchangeKeyboard::aLessonTravelsByKeyboard()
{
    QTemporaryDir usb;
    const QString folder = usb.filePath(QStringLiteral("kadmor/"));
    startOn(*m_installation);
    testkit::focus(m_form->p2zaktabul->Edit2);
    testkit::type(m_form->p2zaktabul->Edit2, QStringLiteral("3"));
    press(Qt::Key_Return);
    waitForFocus(m_form->p2zaktabul->DBGrid1);
    press(Qt::Key_D, Qt::AltModifier); // "&Do nových"
    press(Qt::Key_O, Qt::AltModifier); // "N&ová slov."
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p11novaslovaIndex));
    QTRY_COMPARE(m_form->Table6->recordCount(), 17);
    typeFolder(folder);
    m_answers->queue({});              // Enter on "Lekce je uložena!"
    press(Qt::Key_A, Qt::AltModifier); // "Z&apiš lekci"
    QVERIFY(m_answers->waitAnswered());
    QCOMPARE(m_answers->takeShown(), QStringList{QStringLiteral("Informace\nLekce je uložena!")});
    QCOMPARE(testkit::recordsOnDisk(folder + "newwords.dbf", {"AN"}).size(), 17);
    QVERIFY(QFile::exists(folder + "sun.bmp"));
    QVERIFY(QFile::exists(folder + "11111118.wav"));

    Installation receiver;
    for (const char* name : {"sun.bmp", "moon.jpg", "star.bmp", "tree.jpg", "flower.jpg", "apple.bmp"})
        QVERIFY(QFile::remove(receiver.folder() + "/pictures/" + QString::fromLatin1(name)));
    QVERIFY(QFile::remove(receiver.folder() + "/sounds/sun.wav"));
    startOn(receiver);
    press(Qt::Key_O, Qt::AltModifier); // "N&ová slov."
    QTRY_COMPARE(m_form->Notebook1->currentIndex(), int(TForm1::p11novaslovaIndex));
    typeFolder(folder);
    // Every word sound but sun's is there already: Escape keeps each ("Ne").
    for (int i = 0; i < 16; ++i)
        m_answers->queue({}, Qt::Key_Escape);
    m_answers->queue({});              // Enter on "Lekce byla načtena!"
    press(Qt::Key_N, Qt::AltModifier); // "&Načti lekci"
    QVERIFY(m_answers->waitAnswered(60'000));
    const QStringList shown = m_answers->takeShown();
    QCOMPARE(shown.size(), 17);
    QVERIFY2(shown.first().contains(QStringLiteral("již existuje. Přepsat?")), qPrintable(shown.first()));
    QCOMPARE(shown.last(), QStringLiteral("Informace\nLekce byla načtena!"));

    const Records words = testkit::recordsOnDisk(receiver.dataFolder() + "/kadmor.dbf", wordFields);
    QVERIFY(words.contains(QStringList{"  3", "sun", "slunce,sluníčko", "sun.bmp", "sun"}));
    QVERIFY(QFile::exists(receiver.folder() + "/pictures/sun.bmp"));
    QVERIFY(QFile::exists(receiver.folder() + "/sounds/sun.wav"));
    const Records phrases = testkit::recordsOnDisk(receiver.dataFolder() + "/fraze.dbf", phraseFields);
    QCOMPARE(phrases.last(), (QStringList{"  3", "The sky is blue.", "Obloha je modrá.", "11111126"}));
    QVERIFY(QFile::exists(receiver.folder() + "/sounds/11111126.wav"));
}

QTEST_MAIN(TestExchangeKeyboard)
#include "tst_keyboard.moc"
