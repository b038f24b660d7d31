// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window on fresh installations: start-up, configuration, navigation, password,
// status bar and refresh timer.
#include "install/installer.h"
#include "installation.h"
#include "main_window_fixture.h"
#include "running_program.h"
#include "test_names.h"

#include "scripted_dialogs.h"
#include "shell/page_view.h"
#include "shell/tform1.h"
#include "table_rows.h"
#include "ui_config_page.h"
#include "ui_test_page.h"
#include "ui_title_page.h"
#include "ui_word_edit_page.h"
#include "ui_word_list_page.h"
#include "util/zoom_store.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const Event beep = Event::beep();
const Event noSoundCard = Event::message(BoxType::Warning,
                                         QStringLiteral("Nemáš nainstalovanou zvukovou kartu!\rKADMOR je multimediální "
                                                        "program a nebude bez zvuk. karty správně pracovat!"),
                                         Buttons::Ok);
const Event passwordDialog = Event::password();
const Event requiredValue =
    Event::message(BoxType::Error, QStringLiteral("Field 'HODNOTA' must have a value"), Buttons::Ok);

Event refusal(const QString& text)
{
    return Event::message(BoxType::Warning, text, Buttons::Ok);
}

const QString editRefusal = QStringLiteral("Editovat může pouze oprávněná osoba!");
const QString testRefusal = QStringLiteral("Zkoušet může pouze oprávněná osoba!");
const QString configRefusal = QStringLiteral("Údržbu může provádět pouze oprávněná osoba!");

void copyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QFileInfo& entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + u'/' + entry.fileName();
        if (entry.isDir())
            copyFolder(entry.filePath(), target);
        else
            QVERIFY(QFile::copy(entry.filePath(), target));
    }
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startupComplete();
    void startupWithoutConfiguration();
    void startupWithTooFewConfigurationRows_data();
    void startupWithTooFewConfigurationRows();
    void startupWithWrongDataFolder();
    void dataFolderInTheHomeFolder();
    void startupRunsOnce();
    void zoomStoredAtCloseAndAppliedOnce();
    void zoomOutStopsAtItsBound();
    void aFeatureJoinsTheWindow();
    void configurationTakesEffectAtNextStart();
    void cancelledLanguageEndsInRequiredValueError();
    void navigation_data();
    void navigation();
    void testPageNeedsAPupilName();
    void wrongPasswordRefusesForTheWholeRun();
    void passwordRules_data();
    void passwordRules();
    void blankPasswordAsksEveryTime();
    void changedPasswordIsUsedAtNextStart();
    void cancelledPasswordChangeKeepsTheOldOne();
    void tooLongDataFolderIsRefused_data();
    void tooLongDataFolderIsRefused();
    void configurationPageStartsOnTheGrid();
    void statusBarShowsTheRecordNumber();
    void everyTenthTickRefreshesTheTables();

  private:
    // Creates the main window on the installation and waits for its start-up, answering its
    // message boxes (without a sound server there is always the sound-card warning).
    std::unique_ptr<TForm1> start(const Installation& installation, int boxes = 1);
    void answerOk(int boxes = 1);
    // Starts the program, which must close after a beep and one error box; gives the box's text.
    void startUntilClosedByError(const Installation& installation, QString& text);
    // Starts the program, leaves the title page and takes the start-up's messages.
    std::unique_ptr<TForm1> startOnWordList(const Installation& installation);
    static void click(TForm1& form, const QString& name);

    testkit::MainWindowFixture m_fixture; // its shared installation for the tests that keep it as it is
};

void TestMainWindow::initTestCase()
{
    // The zoom store lives in the user's configuration folder; a test has its own.
    m_fixture.useOwnConfiguration();
    m_fixture.shareInstallation();
}

void TestMainWindow::init()
{
    m_fixture.setUp();
}

void TestMainWindow::cleanup()
{
    m_fixture.tearDown();
}

void TestMainWindow::answerOk(int boxes)
{
    for (int i = 0; i < boxes; ++i)
        m_fixture.dialogs->queueAnswer(Answer::Ok);
}

std::unique_ptr<TForm1> TestMainWindow::start(const Installation& installation, int boxes)
{
    answerOk(boxes);
    auto form = std::make_unique<TForm1>(installation.folder());
    form->show();
    if (!QTest::qWaitFor([&form] { return form->startupDone; }))
        qWarning("the start-up did not run");
    return form;
}

std::unique_ptr<TForm1> TestMainWindow::startOnWordList(const Installation& installation)
{
    auto form = start(installation);
    m_fixture.dialogs->takeEvents();
    click(*form, QStringLiteral("Button1"));
    return form;
}

void TestMainWindow::click(TForm1& form, const QString& name)
{
    testkit::click(form, name);
}

void TestMainWindow::startupComplete()
{
    auto form = start(*m_fixture.installation);
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, noSoundCard}));
    QCOMPARE(form->Notebook1->currentIndex(), int(TForm1::p1nadpisIndex));
    QCOMPARE(form->windowTitle(), QStringLiteral("kadmor v 1.84"));

    const QString language = m_fixture.installation->configValue(1);
    QVERIFY(!language.isEmpty());
    QCOMPARE(form->languageName, language);
    QCOMPARE(form->dataFolder, m_fixture.installation->dataFolder());
    QCOMPARE(form->teacherPassword, QStringLiteral("UCITEL"));
    QCOMPARE(form->applicationFolderSlash, m_fixture.installation->folder() + u'/');
    // A "kadmor" folder on a mounted stick, or in the home folder; file names are appended to it.
    QVERIFY2(form->newLessonFolder.endsWith(QStringLiteral("/kadmor/")), qPrintable(form->newLessonFolder));
    QCOMPARE(form->currentLesson, QStringLiteral("  1"));
    QVERIFY(!form->Timer1->isActive());

    // The word list and the phrase table show lesson 1 only.
    QVERIFY(form->Table1->recordCount() > 0);
    QCOMPARE(form->Table1->indexName(), QStringLiteral("angl"));
    for (form->Table1->first(); !form->Table1->eof(); form->Table1->next())
        QCOMPARE(form->Table1->fieldByName(QStringLiteral("LEK")).asString(), QStringLiteral("  1"));
    QVERIFY(form->Table3->recordCount() > 0);
    for (form->Table3->first(); !form->Table3->eof(); form->Table3->next())
        QCOMPARE(form->Table3->fieldByName(QStringLiteral("LEK")).asString(), QStringLiteral("  1"));
    QVERIFY(form->Table2->isOpen() && form->Table5->isOpen() && form->Table6->isOpen() && form->Table7->isOpen());

    const auto* words = form->p2zaktabul;
    QCOMPARE(words->ComboBox1->currentText(), QStringLiteral("lekce č. 1"));
    const QStringList items = {QStringLiteral("lekcí"), language + QStringLiteral("ch slov"),
                               QStringLiteral("českých slov")};
    for (int i = 0; i < items.size(); ++i)
        QCOMPARE(words->ComboBox1->itemText(i), items[i]);
    QCOMPARE(words->SpeedButton3->toolTip(), QStringLiteral("setřiď podle ") + language + QStringLiteral("ch slov"));
    QCOMPARE(form->p3edit->Label7->text(), language);
    QCOMPARE(form->p6zkouseni->CheckBox1->text(), language + QStringLiteral("--->česky"));
    QCOMPARE(form->p6zkouseni->CheckBox2->text(), QStringLiteral("česky--->") + language);

    // The title page is laid out on the window's outer size; its pictures are loaded.
    const int w = form->frameGeometry().width();
    const int h = form->frameGeometry().height();
    const QWidget* ok = form->p1nadpis->Button1;
    QCOMPARE(ok->pos(), QPoint(w / 2 - ok->width() / 2, (h / 4) * 3 - ok->height() / 2));
    const QWidget* right = form->p1nadpis->Image6;
    QCOMPARE(right->pos(), QPoint(w - (right->width() + 24), h / 2 - right->height() / 2));
    QVERIFY(!form->p1nadpis->Image3->pixmap().isNull());
    const QWidget* cancel = form->p3edit->SpeedButton1;
    QCOMPARE(cancel->x(), w - (cancel->width() + 20));

    click(*form, QStringLiteral("Button1"));
    QCOMPARE(form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
}

void TestMainWindow::startUntilClosedByError(const Installation& installation, QString& text)
{
    auto form = start(installation);
    QTRY_VERIFY(!form->isVisible());
    const Events events = m_fixture.dialogs->takeEvents();
    QCOMPARE(events.size(), 2);
    QCOMPARE(events[0], beep);
    QCOMPARE(events[1].type, BoxType::Error);
    QCOMPARE(events[1].buttons, Buttons::Ok);
    text = events[1].text;
}

void TestMainWindow::startupWithoutConfiguration()
{
    Installation installation;
    QVERIFY(QFile::remove(installation.folder() + QStringLiteral("/konfig.dbf")));
    QString text;
    startUntilClosedByError(installation, text);
    if (QTest::currentTestFailed())
        return;
    const QString suffix = QStringLiteral("\rNenalezen základní konfig. soubor \"") + installation.folder() +
                           QStringLiteral("/konfig.dbf\"");
    QVERIFY2(text.endsWith(suffix), qPrintable(text));
    QVERIFY2(text.size() > suffix.size(), "the engine's message comes first");
}

void TestMainWindow::startupWithTooFewConfigurationRows_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("no rows") << 0;
    QTest::newRow("no teacher password") << 3;
}

// A konfig.dbf that lost rows is named in the message, and the program ends as without one.
void TestMainWindow::startupWithTooFewConfigurationRows()
{
    QFETCH(int, rows);
    Installation installation;
    installation.keepConfigRows(rows);
    QString text;
    startUntilClosedByError(installation, text);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(text,
             QStringLiteral("Konfigurační tabulka \"%1/konfig.dbf\" má jen %2 řádků z potřebných 4 (jazyk, cesta k "
                            "datům, heslo a heslo učitele).\rObnovte ji z instalace programu.")
                 .arg(installation.folder())
                 .arg(rows));
}

void TestMainWindow::startupWithWrongDataFolder()
{
    Installation installation;
    installation.setConfigValue(2, installation.root() + QStringLiteral("/nowhere"));
    auto form = start(installation, 2);
    const Events events = m_fixture.dialogs->takeEvents();
    QCOMPARE(events.size(), 4);
    QCOMPARE(events.mid(0, 3), (Events{beep, noSoundCard, beep}));
    QCOMPARE(events[3].type, BoxType::Error);
    QVERIFY2(events[3].text.endsWith(QStringLiteral("\rNastavte v konfiguraci správnou cestu k databázi!")),
             qPrintable(events[3].text));
    QVERIFY(form->isVisible());
    QVERIFY(!form->Table1->isOpen());
    QCOMPARE(form->p2zaktabul->ComboBox1->count(), 3);
    QCOMPARE(form->p3edit->Label7->text(), QStringLiteral("Anglicky"));
    QVERIFY(form->currentLesson.isEmpty());

    // The password was read before, so the configuration page can be reached to mend the folder.
    click(*form, QStringLiteral("Button1"));
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    click(*form, QStringLiteral("BitBtn20"));
    QCOMPARE(form->Notebook1->currentIndex(), int(TForm1::p9konfigIndex));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{passwordDialog});
}

// "~/" stands for the home folder, so that the data folder of an installation in
// ~/.local/share fits the configuration's 30 characters.
void TestMainWindow::dataFolderInTheHomeFolder()
{
    Installation installation;
    const QByteArray home = qgetenv("HOME");
    const auto restoreHome = qScopeGuard([&home] { qputenv("HOME", home); });
    qputenv("HOME", installation.root().toUtf8());
    installation.setConfigValue(2, QStringLiteral("~/app/data"));
    auto form = start(installation);
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, noSoundCard}));
    QCOMPARE(form->dataFolder, installation.dataFolder());
    QVERIFY(form->Table1->isOpen() && form->Table7->isOpen());
    QVERIFY(form->Table1->recordCount() > 0);
}

void TestMainWindow::startupRunsOnce()
{
    Installation installation;
    auto form = start(installation);
    m_fixture.dialogs->takeEvents();
    installation.setConfigValue(1, QStringLiteral("francouzsky"));
    QEvent activation(QEvent::WindowActivate);
    QCoreApplication::sendEvent(form.get(), &activation);
    QVERIFY(form->languageName != QStringLiteral("francouzsky"));
    QCOMPARE(form->p2zaktabul->ComboBox1->count(), 3);
    QVERIFY(m_fixture.dialogs->takeEvents().isEmpty());
}

void TestMainWindow::zoomStoredAtCloseAndAppliedOnce()
{
    Installation installation;
    auto first = startOnWordList(installation);
    const int width = first->p2zaktabul->BitBtn1->width();
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    click(*first, QStringLiteral("BitBtn20"));
    for (int i = 0; i < 3; ++i)
        click(*first, QStringLiteral("SpeedButton14"));
    click(*first, QStringLiteral("SpeedButton15"));
    QCOMPARE(first->zoomPercent, 110);
    QVERIFY(qAbs(first->p2zaktabul->BitBtn1->width() - width * 1.05 * 1.05) <= 1); // at once
    click(*first, QStringLiteral("Button5"));
    QVERIFY(!first->isVisible());
    QCOMPARE(kadmor::readZoom(), std::optional<int>(110));
    m_fixture.dialogs->takeEvents();

    auto second = start(installation);
    QCOMPARE(second->zoomPercent, 110);
    QVERIFY2(qAbs(second->p2zaktabul->BitBtn1->width() - width * 1.1) <= 1,
             qPrintable(QString::number(second->p2zaktabul->BitBtn1->width())));
    m_fixture.dialogs->takeEvents();
}

void TestMainWindow::zoomOutStopsAtItsBound()
{
    auto form = startOnWordList(*m_fixture.installation);
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    click(*form, QStringLiteral("BitBtn20"));
    for (int i = 0; i < 15; ++i)
        click(*form, QStringLiteral("SpeedButton15"));
    QCOMPARE(form->zoomPercent, kadmor::minimumZoomPercent);
    QVERIFY(form->p9konfig->SpeedButton15->width() > 0);
    m_fixture.dialogs->takeEvents();
}

// A feature beyond the description brings its page and its controller: the page comes after the
// eleven, shown in a view and zoomed as they are, and the window owns both.
void TestMainWindow::aFeatureJoinsTheWindow()
{
    class Controller : public QObject
    {
    };
    auto form = startOnWordList(*m_fixture.installation);
    auto* page = new QWidget;
    auto* button = new QPushButton(QStringLiteral("&Načti seznam"), page);
    button->setObjectName(QStringLiteral("featureButton"));
    button->setGeometry(100, 40, 200, 40);
    const int index = form->addFeaturePage(page);
    QCOMPARE(index, int(TForm1::pageCount));
    form->showPage(index);
    QVERIFY(button->isVisible());
    QCOMPARE(kadmor::PageView::of(button)->page(), page);

    form->showPage(TForm1::p2zaktabulIndex);
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    click(*form, QStringLiteral("BitBtn20"));
    click(*form, QStringLiteral("SpeedButton14"));
    // The feature's button has the scale of the description's controls.
    const QWidget* designed = form->p9konfig->DBGrid4;
    const double scale = double(designed->width()) / designed->property("kadmorDesignGeometry").toRect().width();
    QVERIFY2(scale > 1.0, qPrintable(QString::number(scale)));
    QVERIFY2(qAbs(button->width() - 200 * scale) < 2 && qAbs(button->height() - 40 * scale) < 2,
             qPrintable(QStringLiteral("%1x%2 at %3").arg(button->width()).arg(button->height()).arg(scale)));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{passwordDialog});

    const QPointer<QObject> controller = &form->keepFeature(std::make_unique<Controller>());
    QCOMPARE(controller->parent(), form.get());
    const QPointer<QWidget> shownPage = page;
    form.reset();
    QVERIFY(controller.isNull() && shownPage.isNull());
}

void TestMainWindow::configurationTakesEffectAtNextStart()
{
    Installation installation;
    const QString oldLanguage = installation.configValue(1);
    const QString newData = installation.root() + QStringLiteral("/d2");
    copyFolder(installation.dataFolder(), newData);
    auto first = startOnWordList(installation);
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    click(*first, QStringLiteral("BitBtn20"));
    QCOMPARE(first->Notebook1->currentIndex(), int(TForm1::p9konfigIndex));
    QVERIFY(!first->Timer1->isActive());
    m_fixture.dialogs->queueInput(QStringLiteral("německy"));
    click(*first, QStringLiteral("SpeedButton12"));
    m_fixture.dialogs->queueInput(newData);
    click(*first, QStringLiteral("SpeedButton13"));
    QCOMPARE(first->languageName, oldLanguage); // not in this run
    click(*first, QStringLiteral("Button5"));
    QVERIFY(!first->isVisible());
    QCOMPARE(
        m_fixture.dialogs->takeEvents(),
        (Events{passwordDialog, Event::input(QStringLiteral("Změna jazyka"), QStringLiteral("Zadejte nový jazyk:"), {}),
                Event::input(QStringLiteral("Změna umístění tabulky"),
                             QStringLiteral("Zadejte novou cestu k tabulkám:"), {})}));

    auto second = start(installation);
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, noSoundCard}));
    QCOMPARE(second->languageName, QStringLiteral("německy"));
    QCOMPARE(second->dataFolder, newData);
    QCOMPARE(second->p3edit->Label7->text(), QStringLiteral("německy"));
    QCOMPARE(QFileInfo(second->Table1->filePath()).absolutePath(), newData);
}

void TestMainWindow::cancelledLanguageEndsInRequiredValueError()
{
    Installation installation;
    const QString oldLanguage = installation.configValue(1);
    auto form = startOnWordList(installation);
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    click(*form, QStringLiteral("BitBtn20"));
    m_fixture.dialogs->queueInput(QString());
    click(*form, QStringLiteral("SpeedButton12"));
    answerOk();
    click(*form, QStringLiteral("Button5"));
    QVERIFY(!form->isVisible());
    QCOMPARE(
        m_fixture.dialogs->takeEvents(),
        (Events{passwordDialog, Event::input(QStringLiteral("Změna jazyka"), QStringLiteral("Zadejte nový jazyk:"), {}),
                requiredValue}));
    form.reset();
    QCOMPARE(installation.configValue(1), oldLanguage);
}

void TestMainWindow::navigation_data()
{
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("refreshing");

    const QString wordList = QStringLiteral("Button1");
    const QString gradeBook = QStringLiteral("BitBtn8");
    const QString phrases = QStringLiteral("BitBtn15");
    QTest::newRow("title OK") << QStringList{wordList} << 1 << false;
    QTest::newRow("word editor") << QStringList{wordList, "BitBtn3"} << 2 << false;
    QTest::newRow("word editor OK") << QStringList{wordList, "BitBtn3", "Button2"} << 1 << true;
    QTest::newRow("word editor cancel") << QStringList{wordList, "BitBtn3", "SpeedButton1"} << 1 << true;
    QTest::newRow("grade book") << QStringList{wordList, gradeBook} << 3 << false;
    QTest::newRow("grade editor") << QStringList{wordList, gradeBook, "BitBtn10"} << 4 << false;
    QTest::newRow("grade editor OK") << QStringList{wordList, gradeBook, "BitBtn10", "Button3"} << 3 << false;
    QTest::newRow("grade editor cancel") << QStringList{wordList, gradeBook, "BitBtn10", "SpeedButton5"} << 3 << false;
    QTest::newRow("test page") << QStringList{wordList, gradeBook, "BitBtn9"} << 5 << false;
    QTest::newRow("difficult words") << QStringList{wordList, gradeBook, "Button8"} << 9 << false;
    QTest::newRow("difficult words back") << QStringList{wordList, gradeBook, "Button8", "BitBtn23"} << 3 << false;
    QTest::newRow("grade book back") << QStringList{wordList, gradeBook, "BitBtn11"} << 1 << false;
    QTest::newRow("phrases") << QStringList{wordList, phrases} << 6 << false;
    QTest::newRow("phrase editor") << QStringList{wordList, phrases, "BitBtn18"} << 7 << false;
    QTest::newRow("phrase editor OK") << QStringList{wordList, phrases, "BitBtn18", "Button7"} << 6 << true;
    QTest::newRow("phrase editor cancel") << QStringList{wordList, phrases, "BitBtn18", "SpeedButton8"} << 6 << true;
    QTest::newRow("phrases back") << QStringList{wordList, phrases, "BitBtn16"} << 1 << false;
    QTest::newRow("configuration") << QStringList{wordList, "BitBtn20"} << 8 << false;
    QTest::newRow("new words") << QStringList{wordList, "BitBtn29"} << 10 << false;
    QTest::newRow("new words back") << QStringList{wordList, "BitBtn29", "BitBtn28"} << 1 << false;
}

void TestMainWindow::navigation()
{
    QFETCH(QStringList, buttons);
    QFETCH(int, page);
    QFETCH(bool, refreshing);

    auto form = start(*m_fixture.installation);
    m_fixture.dialogs->takeEvents();
    form->enteredPassword = form->teacherPassword; // the guard itself is tested below
    for (const QString& button : buttons)
        click(*form, button);
    QCOMPARE(form->Notebook1->currentIndex(), page);
    QCOMPARE(form->Timer1->isActive(), refreshing);
    if (page == TForm1::p3editIndex)
        QCOMPARE(form->Table1->state(), kadmor::TableState::Edit);
    if (page == TForm1::p5oprznamkyIndex)
        QCOMPARE(form->Table2->state(), kadmor::TableState::Edit);
    if (page == TForm1::p6zkouseniIndex) {
        QCOMPARE(form->p6zkouseni->Edit7->text(), form->Table2->fieldByName(QStringLiteral("JMENO")).asString());
        QCOMPARE(form->p6zkouseni->Edit4->text(), QStringLiteral("  1"));
    }
    QVERIFY(m_fixture.dialogs->takeEvents().isEmpty());
}

void TestMainWindow::testPageNeedsAPupilName()
{
    Installation installation;
    auto form = startOnWordList(installation);
    form->enteredPassword = form->teacherPassword;
    click(*form, QStringLiteral("BitBtn8"));
    form->Table2->edit();
    form->Table2->fieldByName(QStringLiteral("JMENO")).setAsString(QString());
    form->Table2->post();
    answerOk();
    click(*form, QStringLiteral("BitBtn9"));
    QCOMPARE(form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{beep, refusal(QStringLiteral("První musí být zapsáno jméno žáka. Stiskněte tlačítko NOVÝ."))}));
}

void TestMainWindow::wrongPasswordRefusesForTheWholeRun()
{
    auto form = startOnWordList(*m_fixture.installation);
    m_fixture.dialogs->queuePassword(QStringLiteral("SPATNE"));
    answerOk(4);
    click(*form, QStringLiteral("BitBtn3"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{passwordDialog, beep, refusal(editRefusal)}));
    QCOMPARE(form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    // The wrong entry holds: no dialog any more, every guarded action refuses.
    click(*form, QStringLiteral("BitBtn8"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, refusal(testRefusal)}));
    click(*form, QStringLiteral("BitBtn20"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, refusal(configRefusal)}));
    QCOMPARE(form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    click(*form, QStringLiteral("BitBtn15"));
    click(*form, QStringLiteral("BitBtn18"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, refusal(editRefusal)}));
    QCOMPARE(form->Notebook1->currentIndex(), int(TForm1::p7frazeIndex));
}

void TestMainWindow::passwordRules_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("entered"); // as Thesl gives it: in capitals
    QTest::addColumn<bool>("allowed");

    const QString long25 = QStringLiteral("abcdefghijklmnopqrstuvwxy");
    const QString long35 = QStringLiteral("abcdefghijklmnopqrstuvwxyz123456789");
    QTest::newRow("stored in small letters, typed in any case") << "tajne"
                                                                << "TAJNE" << true;
    QTest::newRow("Czech small letters never match") << "čaj"
                                                     << "ČAJ" << false;
    QTest::newRow("longer than the scrambling table") << long25 << long25.toUpper() << true;
    QTest::newRow("longer than the value keeps 30 characters") << long35 << long35.left(30).toUpper() << true;
    QTest::newRow("longer than the value, typed whole") << long35 << long35.toUpper() << false;
}

void TestMainWindow::passwordRules()
{
    QFETCH(QString, stored);
    QFETCH(QString, entered);
    QFETCH(bool, allowed);

    Installation installation;
    installation.setStoredPassword(stored);
    auto form = startOnWordList(installation);
    m_fixture.dialogs->queuePassword(entered);
    if (!allowed)
        answerOk();
    click(*form, QStringLiteral("BitBtn8"));
    const Events events = m_fixture.dialogs->takeEvents();
    QCOMPARE(events.first(), passwordDialog);
    QCOMPARE(events.size() == 1, allowed);
    QCOMPARE(form->Notebook1->currentIndex(), allowed ? int(TForm1::p4hodnoceniIndex) : int(TForm1::p2zaktabulIndex));
}

void TestMainWindow::blankPasswordAsksEveryTime()
{
    Installation installation;
    installation.setConfigValue(4, QString());
    auto form = startOnWordList(installation);
    QVERIFY(form->teacherPassword.isEmpty());
    m_fixture.dialogs->queuePassword(QString());
    click(*form, QStringLiteral("BitBtn3"));
    QCOMPARE(form->Notebook1->currentIndex(), int(TForm1::p3editIndex));
    click(*form, QStringLiteral("SpeedButton1"));
    m_fixture.dialogs->queuePassword(QString());
    click(*form, QStringLiteral("BitBtn8"));
    QCOMPARE(form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{passwordDialog, passwordDialog}));
}

void TestMainWindow::changedPasswordIsUsedAtNextStart()
{
    Installation installation;
    auto first = startOnWordList(installation);
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    click(*first, QStringLiteral("BitBtn20"));
    m_fixture.dialogs->queueInput(QStringLiteral("Nove heslo"));
    click(*first, QStringLiteral("SpeedButton11"));
    QCOMPARE(first->teacherPassword, QStringLiteral("UCITEL")); // not in this run
    click(*first, QStringLiteral("Button5"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{passwordDialog,
                     Event::input(QStringLiteral("Změna hesla"), QStringLiteral("Zadejte nové heslo:"), {})}));

    first.reset();
    for (const int row : {3, 4})
        QCOMPARE(installation.storedPassword(row), QStringLiteral("Nove heslo"));

    auto second = startOnWordList(installation);
    QCOMPARE(second->teacherPassword, QStringLiteral("NOVE HESLO"));
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    answerOk();
    click(*second, QStringLiteral("BitBtn20"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{passwordDialog, beep, refusal(configRefusal)}));
}

// A cancelled change leaves the password as it was, and the rest of the visit works.
void TestMainWindow::cancelledPasswordChangeKeepsTheOldOne()
{
    Installation installation;
    auto first = startOnWordList(installation);
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    click(*first, QStringLiteral("BitBtn20"));
    m_fixture.dialogs->queueInput(QString());
    click(*first, QStringLiteral("SpeedButton11"));
    m_fixture.dialogs->queueInput(QStringLiteral("německy"));
    click(*first, QStringLiteral("SpeedButton12"));
    click(*first, QStringLiteral("Button5"));
    QCOMPARE(
        m_fixture.dialogs->takeEvents(),
        (Events{passwordDialog, Event::input(QStringLiteral("Změna hesla"), QStringLiteral("Zadejte nové heslo:"), {}),
                Event::input(QStringLiteral("Změna jazyka"), QStringLiteral("Zadejte nový jazyk:"), {})}));
    first.reset();
    QCOMPARE(installation.configValue(1), QStringLiteral("německy"));
    for (const int row : {3, 4})
        QCOMPARE(installation.storedPassword(row), kadmor::install::defaultTeacherPassword());
    auto second = startOnWordList(installation);
    QCOMPARE(second->teacherPassword, QStringLiteral("UCITEL"));
}

void TestMainWindow::tooLongDataFolderIsRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("problem");
    const QString path42 = QStringLiteral("/srv/skola/kadmor/sdilena-data/anglictina2");
    QTest::newRow("42 characters")
        << path42
        << QStringLiteral("Cesta k tabulkám \"%1\" má 42 znaků, do konfigurace se jich vejde nejvýše 30.").arg(path42);
    QTest::newRow("31 characters") << QStringLiteral("/srv/skola/kadmor/data/lekce-31")
                                   << QStringLiteral(
                                          "Cesta k tabulkám \"/srv/skola/kadmor/data/lekce-31\" má 31 znaků, "
                                          "do konfigurace se jich vejde nejvýše 30.");
    QTest::newRow("outside the code page")
        << QStringLiteral("/data/日本")
        << QStringLiteral("Cesta k tabulkám \"/data/日本\" obsahuje znaky mimo "
                          "středoevropskou znakovou sadu, do konfigurace je nelze zapsat.");
}

// What the row cannot hold is refused at once; the old folder stays and the next start works.
void TestMainWindow::tooLongDataFolderIsRefused()
{
    QFETCH(QString, typed);
    QFETCH(QString, problem);
    Installation installation;
    const QString oldFolder = installation.configValue(2);
    auto first = startOnWordList(installation);
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    click(*first, QStringLiteral("BitBtn20"));
    m_fixture.dialogs->queueInput(typed);
    answerOk();
    click(*first, QStringLiteral("SpeedButton13"));
    QVERIFY(!first->Table4->isEditing());
    click(*first, QStringLiteral("Button5"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{passwordDialog,
                     Event::input(QStringLiteral("Změna umístění tabulky"),
                                  QStringLiteral("Zadejte novou cestu k tabulkám:"), {}),
                     beep,
                     Event::message(BoxType::Warning,
                                    problem + QStringLiteral("\rZůstává dosavadní hodnota \"%1\".").arg(oldFolder),
                                    Buttons::Ok)}));
    first.reset();
    QCOMPARE(installation.configValue(2), oldFolder);
    auto second = startOnWordList(installation);
    QVERIFY(second->Table1->isOpen());
}

// Enter on the page must not start anything: the focus starts on the grid, which only shows.
void TestMainWindow::configurationPageStartsOnTheGrid()
{
    auto form = startOnWordList(*m_fixture.installation);
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    click(*form, QStringLiteral("BitBtn20"));
    m_fixture.dialogs->takeEvents();
    QTRY_VERIFY(form->p9konfig->DBGrid4->hasFocus());
}

void TestMainWindow::statusBarShowsTheRecordNumber()
{
    auto form = startOnWordList(*m_fixture.installation);
    QCOMPARE(form->status(), QString());
    form->Table1->next();
    QCOMPARE(form->status(), QStringLiteral("Záznam číslo: %1").arg(form->Table1->recNo()));
    click(*form, QStringLiteral("BitBtn15"));
    QCOMPARE(form->status(), QString());
    form->Table3->last();
    QCOMPARE(form->status(), QStringLiteral("Záznam číslo: %1").arg(form->Table3->recNo()));
    click(*form, QStringLiteral("BitBtn16"));
    QCOMPARE(form->status(), QString());
    form->enteredPassword = form->teacherPassword;
    click(*form, QStringLiteral("BitBtn8"));
    form->Table2->last();
    QCOMPARE(form->status(), QStringLiteral("Záznam číslo: %1").arg(form->Table2->recNo()));
}

void TestMainWindow::everyTenthTickRefreshesTheTables()
{
    Installation installation;
    auto form = startOnWordList(installation);
    const int words = form->Table1->recordCount();

    // Another program sharing the data folder adds a word to lesson 1.
    kadmor::Table other(kadmor::layouts::words());
    other.setDatabaseName(installation.dataFolder());
    other.setTableName(QStringLiteral("kadmor.dbf"));
    other.open();
    const auto addWord = [&other](const QString& word) {
        testkit::appendRow(other, {{"LEK", "  1"}, {"ANGL", word}, {"CES", word}});
    };
    addWord(QStringLiteral("zzz"));

    for (int tick = 1; tick < 10; ++tick) {
        form->Timer1Timer();
        QCOMPARE(form->Table1->recordCount(), words);
    }
    form->Timer1Timer();
    QCOMPARE(form->Table1->recordCount(), words + 1);

    // A stopped timer does not tick; a running one refreshes on its own.
    addWord(QStringLiteral("zzzz"));
    form->Timer1->setInterval(5);
    QTest::qWait(200);
    QCOMPARE(form->refreshCounter, 10);
    QCOMPARE(form->Table1->recordCount(), words + 1);
    form->Timer1->start();
    QTRY_COMPARE(form->Table1->recordCount(), words + 2);
    QVERIFY(form->refreshCounter >= 20);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
