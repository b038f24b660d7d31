// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson exchange used from the keyboard alone, with the program's real boxes on a desktop's
// window manager: lesson 3 collected with Alt+D, written to a folder standing in for a stick with
// Alt+A, read into a second installation with Alt+N. What reaches the disk is read back with an
// independent dBASE reader.
#include "desktop_session.h"
#include "records_on_disk.h"
#include "running_program.h"
#include "typing.h"

#include "ui_new_words_page.h"
#include "ui_word_list_page.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFile>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

using Records = QList<QStringList>;
using testkit::press;

namespace {

const QStringList wordFields = {"LEK", "ANGL", "CES", "OBR", "ZVUK"};
const QStringList phraseFields = {"LEK", "ANGL", "CES", "ZVUK"};

} // namespace

class TestExchangeKeyboard : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase() { testkit::DesktopSession::requireDesktop(); }
    void init() { m_desktop.setUp(); }
    void cleanup() { m_desktop.tearDown(); }

    void aLessonTravelsByKeyboard();

  private:
    // The folder typed into the folder field, which is reached with Tab from the page's buttons.
    void typeFolder(const QString& folder);

    testkit::DesktopSession m_desktop;
};

void TestExchangeKeyboard::typeFolder(const QString& folder)
{
    QLineEdit* field = m_desktop.form->p11novaslova->Edit18;
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
    m_desktop.startOnWordList();
    m_desktop.chooseLesson(QStringLiteral("3"));
    press(Qt::Key_D, Qt::AltModifier); // "&Do nových"
    press(Qt::Key_O, Qt::AltModifier); // "N&ová slov."
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p11novaslovaIndex));
    QTRY_COMPARE(m_desktop.form->Table6->recordCount(), 17);
    typeFolder(folder);
    m_desktop.answers->queue({});      // Enter on "Lekce je uložena!"
    press(Qt::Key_A, Qt::AltModifier); // "Z&apiš lekci"
    QVERIFY(m_desktop.answers->waitAnswered());
    QCOMPARE(m_desktop.answers->takeShown(), QStringList{QStringLiteral("Informace\nLekce je uložena!")});
    QCOMPARE(testkit::recordsOnDisk(folder + "newwords.dbf", {"AN"}).size(), 17);
    QVERIFY(QFile::exists(folder + "sun.bmp"));
    QVERIFY(QFile::exists(folder + "11111118.wav"));

    Installation receiver;
    for (const char* name : {"sun.bmp", "moon.jpg", "star.bmp", "tree.jpg", "flower.jpg", "apple.bmp"})
        QVERIFY(QFile::remove(receiver.folder() + "/pictures/" + QString::fromLatin1(name)));
    QVERIFY(QFile::remove(receiver.folder() + "/sounds/sun.wav"));
    m_desktop.startOnWordList(receiver);
    press(Qt::Key_O, Qt::AltModifier); // "N&ová slov."
    QTRY_COMPARE(m_desktop.form->Notebook1->currentIndex(), int(TForm1::p11novaslovaIndex));
    typeFolder(folder);
    // Every word sound but sun's is there already: Escape keeps each ("Ne").
    for (int i = 0; i < 16; ++i)
        m_desktop.answers->queue({}, Qt::Key_Escape);
    m_desktop.answers->queue({});      // Enter on "Lekce byla načtena!"
    press(Qt::Key_N, Qt::AltModifier); // "&Načti lekci"
    QVERIFY(m_desktop.answers->waitAnswered(60'000));
    const QStringList shown = m_desktop.answers->takeShown();
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
