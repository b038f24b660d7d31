// SPDX-License-Identifier: GPL-3.0-or-later
// Bulk deletion and the printed list from the keyboard alone, with the program's real password
// dialog, boxes and input box on a desktop's window manager, and real sound when the test's sound
// server runs. What reaches the disk is read back with an independent dBASE reader.
#include "desktop_session.h"
#include "records_on_disk.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Records = QList<QStringList>;
using testkit::press;

namespace {

const QStringList wordFields = {"LEK", "ANGL", "CES", "OBR", "ZVUK"};

} // namespace

class TestMaintenanceKeyboard : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase() { testkit::DesktopSession::requireDesktop(); }
    void init();
    void cleanup();

    void lessonDeletedAndListWrittenFromTheKeyboard();
    void everythingDeletedFromTheKeyboard();

  private:
    void startOnLesson(const QString& lesson);
    // The password typed into the real dialog, Enter on the warning, the number into the input box.
    void queueConfirmation();
    Records words() const;

    testkit::DesktopSession m_desktop;
    // The printed list goes to a file in the current folder: a folder of the test's own.
    std::unique_ptr<QTemporaryDir> m_current;
    QString m_previousCurrent;
};

void TestMaintenanceKeyboard::init()
{
    m_desktop.setUp();
    m_current = std::make_unique<QTemporaryDir>();
    m_previousCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_current->path()));
}

void TestMaintenanceKeyboard::cleanup()
{
    m_desktop.tearDown();
    QDir::setCurrent(m_previousCurrent);
    m_current.reset();
}

void TestMaintenanceKeyboard::startOnLesson(const QString& lesson)
{
    m_desktop.startOnWordList();
    m_desktop.chooseLesson(lesson);
}

void TestMaintenanceKeyboard::queueConfirmation()
{
    m_desktop.answers->queue(QStringLiteral("UCITEL"));
    m_desktop.answers->queue({});
    m_desktop.answers->queue(QStringLiteral("7381"));
}

Records TestMaintenanceKeyboard::words() const
{
    return testkit::recordsOnDisk(m_desktop.installation->dataFolder() + QStringLiteral("/kadmor.dbf"), wordFields);
}

void TestMaintenanceKeyboard::lessonDeletedAndListWrittenFromTheKeyboard()
{
    startOnLesson(QStringLiteral("4"));
    const Records before = words();
    queueConfirmation();
    press(Qt::Key_A, Qt::AltModifier); // "Sm&až lek."
    QVERIFY(m_desktop.answers->waitAnswered());
    const QStringList shown = m_desktop.answers->takeShown();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.at(0), QStringLiteral("Zadávání hesla\n"));
    QCOMPARE(shown.at(1),
             QStringLiteral("Varování\nOpravdu chceš smazat tuto lekci?\nMůžete ztratit práci za několik let!!!"));
    QCOMPARE(shown.at(2), QStringLiteral("Smazání všech dat\nPro výmaz zadej číslo: 7381"));
    QTRY_COMPARE(m_desktop.form->Table1->recordCount(), 0);
    Records expected;
    for (const QStringList& word : before) {
        if (word.value(0) != QLatin1String("  4"))
            expected.append(word);
    }
    QVERIFY(expected.size() < before.size());
    QCOMPARE(words(), expected);

    // Escape in the question is No: the list goes to the file; Enter closes "done".
    m_desktop.answers->queue({}, Qt::Key_Escape);
    m_desktop.answers->queue({});
    // The boxes gave the focus back to the window.
    QTRY_VERIFY(QApplication::focusWidget() != nullptr &&
                QApplication::focusWidget()->window() == m_desktop.form.get());
    press(Qt::Key_T, Qt::AltModifier); // "&Tisk slov."
    QVERIFY(m_desktop.answers->waitAnswered());
    const QStringList boxes = m_desktop.answers->takeShown();
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
    m_desktop.answers->queue({});      // "Všechno bylo smazáno!!!"
    press(Qt::Key_V, Qt::AltModifier); // "Smaž &vše"
    QVERIFY(m_desktop.answers->waitAnswered());
    const QStringList shown = m_desktop.answers->takeShown();
    QCOMPARE(shown.size(), 4);
    QVERIFY2(shown.at(3).endsWith(QStringLiteral("\nVšechno bylo smazáno!!!")), qPrintable(shown.at(3)));
    QCOMPARE(words(), Records{});
    QCOMPARE(QDir(m_desktop.installation->folder() + QStringLiteral("/sounds")).entryList(QDir::Files, QDir::Name),
             (QStringList{"mujzvuk.wav", "newzvuk.wav", "nosound.wav", "varovani.wav"}));
    QVERIFY(m_desktop.form->Timer1->isActive());
    QTRY_VERIFY(QApplication::focusWidget() != nullptr &&
                QApplication::focusWidget()->window() == m_desktop.form.get());
}

QTEST_MAIN(TestMaintenanceKeyboard)
#include "tst_keyboard.moc"
