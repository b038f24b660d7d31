// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/dialogs.h"
#include "base/error_display.h"
#include "shell/focus_watcher.h"
#include "shell/scaling.h"
#include "shell/waits.h"
#include "storage/table.h"
#include "util/soubory.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QStackedWidget;
class QStatusBar;
class QTimer;
class Tgrview;

namespace kadmor {
class MediaPlayer;
class Recorder;
} // namespace kadmor

namespace Ui {
class TitlePage;
class WordListPage;
class WordEditPage;
class GradeBookPage;
class GradeEditPage;
class TestPage;
class PhrasePage;
class PhraseEditPage;
class ConfigPage;
class WrongAnswersPage;
class NewWordsPage;
} // namespace Ui

// The main window. It owns the tables, the pages, the refresh timer and all state of the run;
// its member functions live in the folder of the subsystem they belong to.
class TForm1 : public QMainWindow
{
    Q_OBJECT
  public:
    enum PageIndex {
        p1nadpisIndex = 0,
        p2zaktabulIndex,
        p3editIndex,
        p4hodnoceniIndex,
        p5oprznamkyIndex,
        p6zkouseniIndex,
        p7frazeIndex,
        p8editfrazeIndex,
        p9konfigIndex,
        p10chybyIndex,
        p11novaslovaIndex,
        pageCount
    };

    // folder: where konfig.dbf, the sounds, pictures and help live (the
    // executable's folder in the installed program).
    explicit TForm1(const QString& folder, QWidget* parent = nullptr);
    ~TForm1() override;

    // ---- shell: window, pages, status bar, timer (shell/tform1.cpp) ----
    QStackedWidget* Notebook1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QTimer* Timer1 = nullptr;
    kadmor::Table* Table1 = nullptr; // words, kadmor.dbf
    kadmor::Table* Table2 = nullptr; // grade book, znamky.dbf
    kadmor::Table* Table3 = nullptr; // phrases, fraze.dbf
    kadmor::Table* Table4 = nullptr; // configuration, konfig.dbf
    kadmor::Table* Table5 = nullptr; // wrong answers, chtab.dbf
    kadmor::Table* Table6 = nullptr; // new words, newwords.dbf
    kadmor::Table* Table7 = nullptr; // new phrases, newfraze.dbf
    Tgrview* grview = nullptr;       // the picture window, created at program entry

    Ui::TitlePage* p1nadpis = nullptr;
    Ui::WordListPage* p2zaktabul = nullptr;
    Ui::WordEditPage* p3edit = nullptr;
    Ui::GradeBookPage* p4hodnoceni = nullptr;
    Ui::GradeEditPage* p5oprznamky = nullptr;
    Ui::TestPage* p6zkouseni = nullptr;
    Ui::PhrasePage* p7fraze = nullptr;
    Ui::PhraseEditPage* p8editfraze = nullptr;
    Ui::ConfigPage* p9konfig = nullptr;
    Ui::WrongAnswersPage* p10chyby = nullptr;
    Ui::NewWordsPage* p11novaslova = nullptr;

    void showPage(int index);
    void setStatus(const QString& text);
    QString status() const;
    void Timer1Timer();
    void showRecordNumber(const kadmor::Table& table);
    // Moves a page's cancel button to the window's right edge, as the window is laid out.
    void placeAtRightEdge(QWidget* cancel) const;

    // ---- shell: run state (the Overview's shared values) ----
    bool startupDone = false;
    int zoomPercent = 100;
    QString applicationFolder;      // without a trailing "/"
    QString applicationFolderSlash; // with it
    QString dataFolder;             // configuration row 2, without a trailing "/"
    QString languageName;           // configuration row 1
    QString teacherPassword;        // configuration row 4, unscrambled, ASCII letters capital
    QString enteredPassword;        // typed into Thesl in this run
    QString changedPassword;        // scrambled; written by the configuration page's OK
    QString newLessonFolder;        // the new-lesson folder field, ending with "/"
    QString currentLesson;          // three characters; three spaces: all lessons; empty: none
    int refreshCounter = 0;         // ticks of Timer1
    kadmor::FileCopier copier;      // Copy file with the copy-done flag of the lesson writer
    kadmor::Waits waits;            // the nested waits, which end when the window closes
    QString printerPdfFile;         // when set, print jobs go into this PDF file, not to the printer
    bool newWordMode = false;       // word editor: "&Nové slovo" pressed
    // The recorders, each on its page's player and knowing whether it is open; and whether the test
    // page's player (MediaPlayer4) is playing.
    kadmor::Recorder* wordRecorder = nullptr; // word editor (MediaPlayer2)
    kadmor::Recorder* ownRecorder = nullptr;  // word list's own pronunciation (MediaPlayer3)
    bool testPlaying = false;
    kadmor::Recorder* phraseOwnRecorder = nullptr; // phrase page's own pronunciation (MediaPlayer5)
    kadmor::Recorder* phraseRecorder = nullptr;    // phrase editor (MediaPlayer6)

    // ---- shell: start-up, configuration, close (shell/startup.cpp, shell/configuration.cpp) ----
    void FormActivate();
    void BitBtn20Click();      // open the configuration page
    void SpeedButton12Click(); // change language
    void SpeedButton13Click(); // change data folder
    // Puts the row into edit mode with the text, unless the row cannot hold it.
    void changeConfigValue(int row, const QString& text, const QString& subject);
    void SpeedButton14Click(); // zoom in
    void SpeedButton15Click(); // zoom out
    void Button5Click();       // configuration OK
    void BitBtn17Click();      // help
    void Button1Click();       // title page OK

    // ---- shell: teacher password (shell/password_guard.cpp) ----
    // Asks for the password when none was entered in this run; refuses with the action's
    // message when it differs from the teacher password. True when the action may go on.
    bool guard(const QString& refusal);
    void SpeedButton11Click(); // change of password
    // Writes the changed password, when there is one, into both password rows.
    void writeChangedPassword();

    // ---- vocabulary: the word list (vocabulary/word_list.cpp) ----
    // Restricts the word table to the records whose field equals the value, ordered by the index.
    void filtruj(const QString& field, const QString& value, const QString& index);
    // All lessons, ordered by the index.
    void nefiltruj(const QString& index);
    // The lesson (lesson_key.h) becomes the current one, for the word list and the test alike: the
    // word table restricted to it (not at all for all lessons) in the second-language order, and
    // the phrase table following it in lesson order.
    void chooseLesson(const QString& lesson);
    // The combo box item of the second-language order.
    QString wordOrderText() const;
    // The order buttons' and the combo box's first step: lesson box and status bar emptied.
    void resetWordList();
    void Edit2Enter();        // lesson box: emptied for a fresh number
    void Edit2Exit();         // lesson box: the lesson is chosen
    void DBGrid1Enter();      // the lesson box shows the current lesson
    void DBGrid1Escape();     // "Opravdu chceš skončit?"
    void SpeedButton2Click(); // order by lesson, all lessons
    void SpeedButton3Click(); // order by the second-language word
    void SpeedButton4Click(); // order by the Czech word
    void ComboBox1Change();   // order chosen or typed in the combo box
    void BitBtn14Click();     // "&Hledat"
    void Edit1Change();       // incremental search
    void Edit1Exit();         // search box left

    // ---- vocabulary: word editing (vocabulary/word_editing.cpp, vocabulary/word_deletion.cpp) ----
    // Whether the words edited go into the next lesson package too; the lesson exchange fills it.
    std::function<bool()> collectingNewWords = [] { return false; };
    // Appends the word being edited to the new-words table while "připisovat" is ticked.
    void copyToNewWords();
    // Drops the new word typed so far; a saved word is never deleted this way.
    void discardNewWord();
    // The duplicate warning for the current word.
    void showDuplicate();
    // Deletes the current word's sound and picture when nothing else names them.
    void deleteWordFiles();
    // After the guard (refusing with the text) and the question: the current record's files that
    // nothing else names, then the record, which goes in every case; a file that could not be
    // deleted is reported afterwards.
    void deleteCurrentRecord(kadmor::Table* table, const QString& refusal, void (TForm1::*deleteFiles)());
    void BitBtn3Click();      // word list "&edit"
    void BitBtn6Click();      // word editor "&Nové slovo"
    void Button2Click();      // word editor "&OK"
    void SpeedButton1Click(); // word editor cancel
    void BitBtn7Click();      // word list "&smaž"
    void Edit17Enter();       // lesson of the word: from the word list's lesson box
    void Edit17Exit();        // lesson of the word padded
    void DBEdit1Exit();       // the duplicate check of a new word
    void DBEdit3Exit();       // the word's lesson, word and sound name are written
    void DBEdit5Enter();      // the sound name proposed is the second-language word

    // ---- vocabulary: pronunciation and pictures (vocabulary/pronunciation.cpp) ----
    // The sounds folder + name + ".wav", the pictures folder + name; a name that reaches outside
    // its folder raises an Error.
    QString soundFile(const QString& name) const;
    QString pictureFile(const QString& name) const;
    void setupPronunciation();
    // Saves, recovers and trims the word recorder's recording when it is open.
    void finishWordRecording();
    // Cancel in the word editor: the word recorder is closed without saving.
    void closeWordRecorder();
    // Plays the sound of the name ("nosound" for an empty name) on the player, MediaPlayer1 unless
    // another is given; each page closes its player when it reports the end. A sound that cannot
    // be opened raises an Error.
    void playSound(const QString& name);
    void playSoundOn(kadmor::MediaPlayer* player, const QString& name);
    void MediaPlayer1Notify();
    // The sound of the name becomes the recording header alone. A file that cannot be created
    // raises an Error; one written short is reported in a box.
    void writeEmptyRecording(const QString& name);
    // Opens the recorder on the sound of a name.
    void openRecorder(kadmor::Recorder& recorder, const QString& name);
    // The pupil's own pronunciation starts over: the recorder, closed when open, records "mujzvuk".
    void recordOwnPronunciation(kadmor::Recorder& recorder);
    // An empty (or missing) recording file is restored from the recorder's own temporary file.
    void kondel(const QString& recordingFile);
    // Cuts the quiet beginning and end off the recording file, at most 64000 bytes.
    void trimRecording(const QString& recordingFile);
    void BitBtn1Click(); // word list "&mluv"
    void BitBtn2Click(); // word list "&zobraz"
    void Image4Click();  // word list: the pupil's own pronunciation
    void BitBtn4Click(); // word editor "&výslovnost"

    // ---- testing: the grade book and its report (testing/grade_book.cpp, testing/grade_report_output.cpp) ----
    QString testGrade; // the last test's grade, "1" to "5"; what zapisznamku writes
    // Offers the test's grade to the selected pupil's first empty slot and recounts.
    void zapisznamku();
    // Numbers the pupils "1.", "2.", ... in the current order.
    void precisluj();
    // kon of the record being read, from its slots and its stored CPZ.
    void Table2CalcFields();
    void BitBtn8Click();      // word list "z&kouš."
    void BitBtn10Click();     // grade book "&edituj"
    void BitBtn11Click();     // grade book "&Zpět"
    void BitBtn12Click();     // grade book "&Nový"
    void Edit15KeyPress();    // new pupil's name: Enter
    void Edit15Exit();        // new pupil's name left: the pupil is added
    void BitBtn13Click();     // grade book "&Smaž"
    void SpeedButton6Click(); // order by name
    void SpeedButton7Click(); // order by average
    void SpeedButton9Click(); // grade report
    void Button4Click();      // grade book "&hledat:"
    void Edit3KeyPress();     // search box: Enter
    void Edit3Exit();         // search box left: the nearest pupil
    void Button8Click();      // grade book "&co špatně"
    void Button11Click();     // grade book "S&maž vše"
    void Button3Click();      // grade editor "&OK"
    void SpeedButton5Click(); // grade editor cancel
    void BitBtn23Click();     // difficult words "&zpět"
    void BitBtn24Click();     // difficult words "&mluv"

    // ---- testing: the test session (testing/test_session.cpp) ----
    int questionCount = 0;            // of the test: from Edit8, no more than the eligible words
    int eligibleCount = 0;            // the words the test draws from
    quint16 goodCount = 0;            // answers judged right in this test
    quint16 badCount = 0;             // and wrong
    bool wrongAnswersOffered = false; // the wrong-answers table was offered for clearing in this test
    bool answered = false;            // Enter in the answer box
    bool abortTest = false;           // Escape in the answer box
    // The test of the pupil shown on the test page: asks, judges, keeps the wrong words, hands over.
    void zkouska();
    // Offers to clear the wrong-answers table (the name is its file's, for the question).
    void vytvortabulku(const QString& name);
    // Plays the file on the test page's player and sets testPlaying; a file that cannot be played
    // raises an Error.
    void playTestSound(const QString& file);
    void MediaPlayer4Notify();
    void BitBtn9Click();         // grade book "z&koušej"
    void Edit4Exit();            // lesson box left: the lesson to test
    void Edit4KeyPress();        // lesson box: Enter
    void Edit8KeyPress();        // word count box: Enter
    void CheckBox1Enter();       // second language to Czech
    void CheckBox2Enter();       // Czech to the second language: written only
    void CheckBox3Enter();       // written
    void CheckBox4Enter();       // oral
    void Button6Click();         // test page "&OK": the set-up checked, the test run
    void Edit6KeyPress(int key); // answer box: Enter answers, Escape ends the test

  private:
    void giveFeedback(bool correct, const QString& expected);
    void endFeedback();
    void recordWrongAnswer();
    void moveToDrawnWord(int position);

  public:
    // ---- phrases (phrases/) ----
    void BitBtn15Click();      // word list "&fráze"
    void BitBtn16Click();      // phrase page "&Zpět"
    void BitBtn19Click();      // phrase page "&mluv"
    void MediaPlayer7Notify(); // the phrase heard has ended
    void Image5Click();        // phrase page: the pupil's own pronunciation
    void BitBtn22Click();      // phrase page "&smazat"
    void BitBtn18Click();      // phrase page "&edit"
    void BitBtn21Click();      // phrase editor "&Nová fráze"
    void Image2Click();        // phrase editor: the phrase's sound is recorded
    void Button7Click();       // phrase editor "&OK"
    void SpeedButton8Click();  // phrase editor cancel
    void DBEdit39Exit();       // phrase editor: the lesson padded
    // The phrase recorder's take is saved into its file and recovered when the file stayed empty.
    void storePhraseRecording();
    // The phrase recorder's recording recovery, as for words.
    void kondelfr(const QString& recordingFile);
    // Appends the phrase being edited to the new-phrases table while "připisovat" is ticked.
    void copyToNewPhrases();
    // Deletes the current phrase's sound when no other phrase and no word names it.
    void deletePhraseSound();

    // ---- exchange (exchange/) ----
    void BitBtn29Click(); // word list "N&ová slov."
    void BitBtn28Click(); // new words "&Zpět"
    void BitBtn31Click(); // word list "&Do nových"
    void Button9Click();  // new words "&Smaž všechna"
    void BitBtn26Click(); // new words "Z&apiš lekci"
    void BitBtn27Click(); // new words "&Načti lekci"
    void Button10Click(); // new words "&Vyčisti disketu"
    void BitBtn33Click(); // new words "&Velikost"
    // Empties the new-words and new-phrases tables, from their templates when emptying them in place
    // fails; deleting everything runs it too.
    void smazNovaSlova();
    // The folder field as the operations take it when they start, ending with "/".
    QString takeNewLessonFolder();
    // Closes the new-words and new-phrases tables, ignoring any error, and points them at the folder.
    void pointNewTables(const QString& folder);
    // One copy of writing a package; a failed copy asks whether to go on (the copy-done flag).
    void copyIntoPackage(const QString& source, const QString& target);
    // The package's words and phrases appended to the word and phrase tables, with their files.
    void readPackageWords(const QString& folder);
    void readPackagePhrases(const QString& folder);

    // ---- maintenance: bulk deletion, packing, printed lists (maintenance/) ----
    void BitBtn5Click();       // word list "Smaž &vše"
    void BitBtn35Click();      // word list "Sm&až lek."
    void BitBtn36Click();      // phrase page "Smaž lek."
    void SpeedButton10Click(); // configuration: pack the tables
    void BitBtn30Click();      // word list "&Tisk slov."
    void BitBtn32Click();      // phrase page "&Tisk"
    // The guard, the question with its warning and the typed confirmation number; true when the
    // deletion may go on. The warning sound plays before the question when asked for.
    bool confirmBulkDeletion(const QString& question, const QString& refusal, bool warningSound);

    // ---- features beyond the description (app/features.cpp creates their controllers) ----
    // Adds a feature's page to Notebook1 after the description's pages, in a view that scrolls and
    // zooms it as theirs; gives its index for showPage. The window owns the page from now on.
    int addFeaturePage(QWidget* page);
    // The window owns a feature's controller for the run, as a child (tests find it with
    // findChild); gives it back for connecting.
    template <class Controller> Controller& keepFeature(std::unique_ptr<Controller> controller)
    {
        controller->setParent(this);
        return *controller.release();
    }

  signals:
    // What every page follows; each subsystem's setup connects its pages.
    // The start-up read the language (configuration row 1): the word list's orders name it.
    void languageKnown();
    // The start-up gave the window its size: controls kept at its right edge follow.
    void laidOut();
    // The data tables are open in the configured data folder: the first lesson is chosen, and the
    // captions that name the language are written (a start-up without its data leaves them).
    void dataFolderChanged();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Connects a control's signal to a handler through the general error display.
    template <typename Sender, typename Signal> void handle(Sender* sender, Signal signal, void (TForm1::*handler)())
    {
        connect(sender, signal, this, [this, handler] { kadmor::runAction([this, handler] { (this->*handler)(); }); });
    }

    // Connects a control's entering or leaving (as the user moves between controls) to a handler.
    void onEnter(QWidget* widget, void (TForm1::*handler)())
    {
        handle(kadmor::FocusWatcher::of(widget), &kadmor::FocusWatcher::entered, handler);
    }
    void onExit(QWidget* widget, void (TForm1::*handler)())
    {
        handle(kadmor::FocusWatcher::of(widget), &kadmor::FocusWatcher::left, handler);
    }

    template <class Form> Form* addPage(int index);

    void createTables();
    void createPages();
    // Every subsystem's setup, in the order they build on each other (app/subsystems.cpp).
    void setupSubsystems();
    // The controllers of the features beyond the description, after the subsystems' pages are in
    // place (app/features.cpp).
    void createFeatures();
    void scaleToScreen();
    void zoomBy(double factor, const QWidget* button);
    void fitPages(); // after the controls were scaled
    void setupShell();
    void setupVocabulary();
    void setupWordList();
    void setupWordEditing();
    void selectFirstLesson();
    void offerWordOrders();
    void setupTesting();
    void setupPhrases();
    void setupExchange();
    void setupMaintenance();

    // start-up steps
    bool openConfiguration();
    void placeTitlePage();
    void readConfiguration();
    bool openDataTables();

    QString m_folder; // the application folder given at creation
    std::array<QWidget*, pageCount> m_pages{};
    kadmor::WindowScale m_scale;
    double m_layoutFactor = 1.0;
    double m_fontFactor = 1.0;
};

#include "shell/page.h"

template <class Form> Form* TForm1::addPage(int index)
{
    auto* page = new kadmor::Page<Form>;
    m_pages[index] = page;
    return &page->ui;
}
