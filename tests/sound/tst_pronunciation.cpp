// SPDX-License-Identifier: GPL-3.0-or-later
// Hearing, recording and showing words in the real main window on a fresh installation: with the
// test run's null sound server, and (second run) without any sound device.
#include "installation.h"
#include "main_window_fixture.h"
#include "running_program.h"
#include "test_names.h"

#include "require_sound_device.h"
#include "scripted_dialogs.h"
#include "shell/tform1.h"
#include "sound_test_files.h"
#include "storage/table.h"
#include "ui_word_edit_page.h"
#include "ui_word_list_page.h"
#include "util/tools.h"
#include "vocabulary/grview_u.h"
#include "vocabulary/sound/media_player.h"
#include "vocabulary/sound/recorder.h"
#include "vocabulary/sound/wave_file.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <memory>

using kadmor::MediaPlayer;

using soundtest::readFile;
using soundtest::soxi;
using soundtest::writeFile;

namespace {

// The end of a play is reported seconds late on a sound server.
constexpr int soundTimeout = 20'000;

const Event beep = Event::beep();
const QString noOutput = QStringLiteral("Není k dispozici žádné zvukové zařízení pro přehrávání.");

Event errorBox(const QString& text)
{
    return Event::message(BoxType::Error, text, Buttons::Ok);
}

Event warningBox(const QString& text)
{
    return Event::message(BoxType::Warning, text, Buttons::Ok);
}

void clickPlayerButton(MediaPlayer* player, const QString& name)
{
    auto* button = player->findChild<QAbstractButton*>(name);
    QVERIFY2(button != nullptr && button->isVisible() && button->isEnabled(), qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestPronunciation : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void speakPlaysTheWordsSound_data();
    void speakPlaysTheWordsSound();
    void missingSoundIsReported();
    void namesOutsideTheirFolderAreRefused();
    void recordingAWord_data();
    void recordingAWord();
    void pronunciationTwiceSavesTheFirstTake();
    void emptySoundFieldWarns();
    void unwritableRecordingIsReported();
    void cancelDropsTheTake();
    void ownPronunciation();
    void trimmingSizeLimit_data();
    void trimmingSizeLimit();
    void recoveryTakesOnlyTheRecordersOwnFile();
    void pictureWindowShowsPictures_data();
    void pictureWindowShowsPictures();
    void pictureWindowReportsBrokenPictures();
    void wordWithoutPicture();

  private:
    void start();
    void selectWord(const QString& word);
    void setWordField(const QString& field, const QString& value);
    void openEditor();
    QString sound(const QString& name) const;
    QString picture(const QString& name) const;
    // The box that opening a recorder shows without a sound device.
    Events recorderRefused(const QString& name) const;

    testkit::MainWindowFixture m_fixture;
    std::unique_ptr<Tgrview> m_grview;
};

void TestPronunciation::init()
{
    m_fixture.setUp();
}

void TestPronunciation::cleanup()
{
    m_fixture.form.reset();
    m_grview.reset();
    m_fixture.tearDown();
}

void TestPronunciation::start()
{
    m_fixture.startOnWordList();
    m_grview = std::make_unique<Tgrview>();
    m_fixture.form->grview = m_grview.get();
}

void TestPronunciation::selectWord(const QString& word)
{
    kadmor::Table& words = *m_fixture.form->Table1;
    for (words.first(); !words.eof(); words.next()) {
        if (words.fieldByName(QStringLiteral("ANGL")).asString() == word)
            return;
    }
    QFAIL(qPrintable(QStringLiteral("no word ") + word));
}

void TestPronunciation::setWordField(const QString& field, const QString& value)
{
    m_fixture.form->Table1->edit();
    m_fixture.form->Table1->fieldByName(field).setAsString(value);
    m_fixture.form->Table1->post();
}

void TestPronunciation::openEditor()
{
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn3"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{Event::password()});
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p3editIndex));
}

QString TestPronunciation::sound(const QString& name) const
{
    return m_fixture.installation->folder() + QStringLiteral("/sounds/") + name + QStringLiteral(".wav");
}

QString TestPronunciation::picture(const QString& name) const
{
    return m_fixture.installation->folder() + QStringLiteral("/pictures/") + name;
}

Events TestPronunciation::recorderRefused(const QString& name) const
{
    return {beep, errorBox(noOutput + QStringLiteral(" \"") + sound(name) + QStringLiteral("\" \rChyba zápisu! "))};
}

void TestPronunciation::speakPlaysTheWordsSound_data()
{
    QTest::addColumn<QString>("zvuk");
    QTest::addColumn<QString>("played");
    QTest::newRow("the word's sound") << QStringLiteral("cat") << QStringLiteral("cat");
    QTest::newRow("a word without ZVUK") << QString() << QStringLiteral("nosound");
}

void TestPronunciation::speakPlaysTheWordsSound()
{
    QFETCH(QString, zvuk);
    QFETCH(QString, played);
    start();
    selectWord(QStringLiteral("cat"));
    setWordField(QStringLiteral("ZVUK"), zvuk);
    MediaPlayer* player = m_fixture.form->p2zaktabul->MediaPlayer1;
    if (!kadmor::soundDevicePresent())
        m_fixture.dialogs->queueAnswer(Answer::Ok);

    testkit::click(*m_fixture.form, QStringLiteral("BitBtn1"));
    QCOMPARE(player->player().fileName(), sound(played));
    if (!kadmor::soundDevicePresent()) {
        QCOMPARE(m_fixture.dialogs->takeEvents(), Events{errorBox(noOutput)});
        QVERIFY(!player->player().isOpen());
        return;
    }
    QCOMPARE(player->player().mode(), MediaPlayer::Mode::Playing);
    QVERIFY(m_fixture.form->p2zaktabul->DBGrid1->hasFocus());
    // The end of the play closes the player.
    QTRY_VERIFY_WITH_TIMEOUT(!player->player().isOpen(), soundTimeout);
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

void TestPronunciation::missingSoundIsReported()
{
    REQUIRE_SOUND_DEVICE();
    start();
    selectWord(QStringLiteral("dog"));
    QVERIFY(QFile::remove(sound(QStringLiteral("dog"))));
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn1"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             Events{errorBox(QStringLiteral("Zvukový soubor „%1“ neexistuje.").arg(sound(QStringLiteral("dog"))))});
    QVERIFY(!m_fixture.form->p2zaktabul->MediaPlayer1->player().isOpen());
}

// A name from the tables never opens or writes a file outside the sounds or pictures folder.
void TestPronunciation::namesOutsideTheirFolderAreRefused()
{
    start();
    selectWord(QStringLiteral("cat"));
    setWordField(QStringLiteral("ZVUK"), QStringLiteral("../kadmor"));
    setWordField(QStringLiteral("OBR"), QStringLiteral("../kadmor.bmp"));
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn1"));
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn2"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{errorBox(QStringLiteral("Název zvuku „../kadmor“ ukazuje mimo složku se zvuky, proto jej nelze "
                                             "použít.")),
                     errorBox(QStringLiteral("Název obrázku „../kadmor.bmp“ ukazuje mimo složku s obrázky, proto jej "
                                             "nelze zobrazit."))}));
    QVERIFY(!m_fixture.form->p2zaktabul->MediaPlayer1->player().isOpen());
    QVERIFY(!m_grview->isVisible());

    openEditor();
    m_fixture.form->p3edit->DBEdit5->setText(QStringLiteral("../zvuk"));
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn4"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             Events{errorBox(QStringLiteral("Název zvuku „../zvuk“ ukazuje mimo složku se "
                                            "zvuky, proto jej nelze použít."))});
    QVERIFY(!QFile::exists(m_fixture.installation->folder() + QStringLiteral("/zvuk.wav")));
    QVERIFY(!m_fixture.form->wordRecorder->isOpen());
}

// "&výslovnost", a take through the recorder's own buttons, then "&OK": saved, then trimmed when
// "Ořezávat" is ticked (the null input is silence).
void TestPronunciation::recordingAWord_data()
{
    QTest::addColumn<bool>("trimming");
    QTest::newRow("Ořezávat ticked") << true;
    QTest::newRow("Ořezávat not ticked") << false;
}

void TestPronunciation::recordingAWord()
{
    QFETCH(bool, trimming);
    start();
    selectWord(QStringLiteral("cat"));
    openEditor();
    m_fixture.form->p3edit->CheckBox6->setChecked(trimming);
    const QString file = sound(QStringLiteral("cat"));
    MediaPlayer* recorder = m_fixture.form->p3edit->MediaPlayer2;
    if (!kadmor::soundDevicePresent()) {
        m_fixture.dialogs->queueAnswer(Answer::Ok);
        testkit::click(*m_fixture.form, QStringLiteral("BitBtn4"));
        QCOMPARE(m_fixture.dialogs->takeEvents(), recorderRefused(QStringLiteral("cat")));
        QVERIFY(!m_fixture.form->wordRecorder->isOpen());
        QCOMPARE(readFile(file), kadmor::wave::recordingHeader());
        testkit::click(*m_fixture.form, QStringLiteral("Button2"));
        QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
        QCOMPARE(readFile(file), kadmor::wave::recordingHeader());
        return;
    }

    testkit::click(*m_fixture.form, QStringLiteral("BitBtn4"));
    QVERIFY(m_fixture.form->wordRecorder->isOpen());
    QCOMPARE(recorder->player().fileName(), file);
    QCOMPARE(readFile(file), kadmor::wave::recordingHeader());
    clickPlayerButton(recorder, QStringLiteral("record"));
    QTRY_VERIFY_WITH_TIMEOUT(recorder->player().length() >= 500, soundTimeout);
    clickPlayerButton(recorder, QStringLiteral("stop"));
    testkit::click(*m_fixture.form, QStringLiteral("Button2"));

    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
    QVERIFY(!m_fixture.form->wordRecorder->isOpen());
    QVERIFY(!recorder->player().isOpen());
    const QByteArray saved = readFile(file);
    if (trimming) {
        // The header's last byte (the data length's highest byte, 0) is not quiet: the forward scan
        // stops at once and the backward one ten bytes after it.
        QCOMPARE(saved, kadmor::wave::recordingFile(QByteArray(10, char(128))));
    } else {
        QVERIFY(saved.size() >= 58 + 22050 / 2);
        QCOMPARE(soxi(QStringLiteral("-s"), file), QString::number(saved.size() - 58));
    }
    QCOMPARE(m_fixture.form->Table1->fieldByName(QStringLiteral("ZVUK")).asString(), QStringLiteral("cat"));
    QVERIFY(!QFile::exists(m_fixture.installation->folder() + QStringLiteral("/sounds/blekotax.tmp")));
}

// The teacher records, changes the sound name and presses "&výslovnost" again: the first take is
// in its file, the second file starts empty.
void TestPronunciation::pronunciationTwiceSavesTheFirstTake()
{
    REQUIRE_SOUND_DEVICE();
    start();
    selectWord(QStringLiteral("cat"));
    openEditor();
    m_fixture.form->p3edit->CheckBox6->setChecked(false);
    MediaPlayer* recorder = m_fixture.form->p3edit->MediaPlayer2;
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn4"));
    clickPlayerButton(recorder, QStringLiteral("record"));
    QTRY_VERIFY_WITH_TIMEOUT(recorder->player().length() >= 300, soundTimeout);
    clickPlayerButton(recorder, QStringLiteral("stop"));
    const qint64 take = recorder->player().length();

    m_fixture.form->p3edit->DBEdit5->setText(QStringLiteral("kocour"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn4"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
    QCOMPARE(m_fixture.form->status(), sound(QStringLiteral("cat")));
    const QByteArray first = readFile(sound(QStringLiteral("cat")));
    QCOMPARE(qRound64((first.size() - 58) * 1000.0 / 22050), take);
    QCOMPARE(readFile(sound(QStringLiteral("kocour"))), kadmor::wave::recordingHeader());
    QVERIFY(m_fixture.form->wordRecorder->isOpen());
    QCOMPARE(recorder->player().fileName(), sound(QStringLiteral("kocour")));
    QCOMPARE(recorder->player().length(), 0);
    QCOMPARE(m_fixture.form->Table1->fieldByName(QStringLiteral("ZVUK")).asString(), QStringLiteral("kocour"));
}

void TestPronunciation::emptySoundFieldWarns()
{
    start();
    selectWord(QStringLiteral("cat"));
    openEditor();
    m_fixture.form->p3edit->DBEdit5->clear();
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn4"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{beep, warningBox(QStringLiteral("Není zadáno žádné slovíčko!"))}));
    QCOMPARE(readFile(sound(QString())), kadmor::wave::recordingHeader());
    QVERIFY(!m_fixture.form->wordRecorder->isOpen());
    QVERIFY(!m_fixture.form->p3edit->MediaPlayer2->player().isOpen());
}

// The sound file is a full disk: the header cannot be written, and the recorder cannot read it.
void TestPronunciation::unwritableRecordingIsReported()
{
    start();
    const QString file = sound(QStringLiteral("plny"));
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), file));
    selectWord(QStringLiteral("cat"));
    openEditor();
    m_fixture.form->p3edit->DBEdit5->setText(QStringLiteral("plny"));
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn4"));
    const QString openError =
        kadmor::soundDevicePresent() ? QStringLiteral("Zvukový soubor „%1“ nelze přečíst.").arg(file) : noOutput;
    QCOMPARE(
        m_fixture.dialogs->takeEvents(),
        (Events{beep, errorBox(QStringLiteral("Nemohu zapisovat do souboru \"") + file + QStringLiteral("\" !")), beep,
                errorBox(openError + QStringLiteral(" \"") + file + QStringLiteral("\" \rChyba zápisu! "))}));
    QVERIFY(!m_fixture.form->wordRecorder->isOpen());
}

void TestPronunciation::cancelDropsTheTake()
{
    REQUIRE_SOUND_DEVICE();
    start();
    selectWord(QStringLiteral("dog"));
    openEditor();
    MediaPlayer* recorder = m_fixture.form->p3edit->MediaPlayer2;
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn4"));
    clickPlayerButton(recorder, QStringLiteral("record"));
    QTRY_VERIFY_WITH_TIMEOUT(recorder->player().length() >= 300, soundTimeout);
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton1"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
    QVERIFY(!m_fixture.form->wordRecorder->isOpen());
    QVERIFY(!recorder->player().isOpen());
    QCOMPARE(readFile(sound(QStringLiteral("dog"))), kadmor::wave::recordingHeader());
}

void TestPronunciation::ownPronunciation()
{
    start();
    MediaPlayer* own = m_fixture.form->p2zaktabul->MediaPlayer3;
    const QString file = sound(QStringLiteral("mujzvuk"));
    if (!kadmor::soundDevicePresent()) {
        m_fixture.dialogs->queueAnswer(Answer::Ok);
        testkit::click(*m_fixture.form, QStringLiteral("Image4"));
        QCOMPARE(m_fixture.dialogs->takeEvents(), recorderRefused(QStringLiteral("mujzvuk")));
        QVERIFY(!m_fixture.form->ownRecorder->isOpen());
        QCOMPARE(readFile(file), kadmor::wave::recordingHeader());
        return;
    }
    testkit::click(*m_fixture.form, QStringLiteral("Image4"));
    QVERIFY(m_fixture.form->ownRecorder->isOpen());
    QCOMPARE(own->player().fileName(), file);
    QVERIFY(m_fixture.form->p2zaktabul->DBGrid1->hasFocus());
    clickPlayerButton(own, QStringLiteral("record"));
    QTRY_VERIFY_WITH_TIMEOUT(own->player().length() >= 300, soundTimeout);
    clickPlayerButton(own, QStringLiteral("stop"));
    clickPlayerButton(own, QStringLiteral("play"));
    QCOMPARE(own->player().mode(), MediaPlayer::Mode::Playing);
    QTRY_COMPARE_WITH_TIMEOUT(own->player().mode(), MediaPlayer::Mode::Stopped, soundTimeout);

    // The next use starts afresh; the take was never written.
    testkit::click(*m_fixture.form, QStringLiteral("Image4"));
    QVERIFY(m_fixture.form->ownRecorder->isOpen());
    QCOMPARE(own->player().length(), 0);
    QCOMPARE(readFile(file), kadmor::wave::recordingHeader());
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

void TestPronunciation::trimmingSizeLimit_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("trimmed");
    QTest::newRow("64000 bytes") << 64000 << true;
    QTest::newRow("64001 bytes") << 64001 << false;
}

void TestPronunciation::trimmingSizeLimit()
{
    QFETCH(int, size);
    QFETCH(bool, trimmed);
    start();
    const QString file = sound(QStringLiteral("cat"));
    // Loud throughout: trimming drops only the last 58 bytes.
    const QByteArray recording = kadmor::wave::recordingFile(QByteArray(size - 58, char(30)));
    writeFile(file, recording);
    if (!trimmed)
        m_fixture.dialogs->queueAnswer(Answer::Ok);

    m_fixture.form->trimRecording(file);
    const QByteArray after = readFile(file);
    QVERIFY(!QFile::exists(m_fixture.installation->folder() + QStringLiteral("/sounds/blekotax.tmp")));
    if (!trimmed) {
        QCOMPARE(
            m_fixture.dialogs->takeEvents(),
            (Events{beep, Event::message(BoxType::Plain, QStringLiteral("Slovíčko je moc veliké!\rVelikost: 64001"),
                                         Buttons::Ok)}));
        QCOMPARE(after, recording);
        return;
    }
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
    QCOMPARE(after.size(), size - 58);
    QCOMPARE(qFromLittleEndian<quint32>(after.constData() + 54), quint32(after.size() - 58));
    QCOMPARE(soxi(QStringLiteral("-s"), file), QString::number(after.size() - 58));
}

// A recording left empty is restored from the recorder's own temporary file of that recording;
// other temporary files, here or in the working folder, are left alone.
void TestPronunciation::recoveryTakesOnlyTheRecordersOwnFile()
{
    QTemporaryDir working;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(working.path()));
    start();
    const QString file = sound(QStringLiteral("cat"));
    const QByteArray take = kadmor::wave::recordingFile(QByteArray(500, char(60)));
    const QStringList strangers = {working.filePath(QStringLiteral("other.tmp")),
                                   m_fixture.installation->folder() + QStringLiteral("/sounds/dog.wav.tmp"),
                                   m_fixture.installation->folder() + QStringLiteral("/sounds/x.tmp")};
    for (const QString& stranger : strangers)
        writeFile(stranger, "keep me");

    writeFile(file, take);
    writeFile(file + QStringLiteral(".tmp"), "not needed");
    m_fixture.form->kondel(file);
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
    QCOMPARE(readFile(file), take);

    writeFile(file, QByteArray());
    writeFile(file + QStringLiteral(".tmp"), take);
    m_fixture.form->kondel(file);
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{beep});
    QCOMPARE(readFile(file), take);
    QVERIFY(!QFile::exists(file + QStringLiteral(".tmp")));

    QVERIFY(QFile::remove(file));
    writeFile(file + QStringLiteral(".tmp"), take);
    m_fixture.form->kondel(file);
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{beep});
    QCOMPARE(readFile(file), take);

    for (const QString& stranger : strangers)
        QCOMPARE(readFile(stranger), QByteArray("keep me"));
    QVERIFY(QDir::setCurrent(previous));
}

void TestPronunciation::pictureWindowShowsPictures_data()
{
    QTest::addColumn<QString>("fixture"); // empty: the installation's own picture
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("pictureSize");
    QTest::newRow("JPEG") << QStringLiteral("picture.jpg") << QStringLiteral("small.jpg") << QSize(40, 30);
    QTest::newRow("bitmap") << QStringLiteral("picture.bmp") << QStringLiteral("small.bmp") << QSize(50, 20);
    QTest::newRow("installed bitmap, larger than the window")
        << QString() << QStringLiteral("cat.bmp") << QSize(200, 200);
}

void TestPronunciation::pictureWindowShowsPictures()
{
    QFETCH(QString, fixture);
    QFETCH(QString, name);
    QFETCH(QSize, pictureSize);
    start();
    if (!fixture.isEmpty())
        QVERIFY(QFile::copy(QStringLiteral(KADMOR_TEST_DATA "/sound/") + fixture, picture(name)));
    selectWord(QStringLiteral("cat"));
    setWordField(QStringLiteral("OBR"), name);

    bool shown = false;
    QTimer::singleShot(0, m_grview.get(), [&] {
        shown = m_grview->isVisible();
        QVERIFY(!m_fixture.form->Timer1->isActive());
        QCOMPARE(m_grview->windowTitle(), name);
        QCOMPARE(m_grview->path, picture(name));
        QCOMPARE(m_grview->Image1->pixmap().size(), pictureSize);
        QCOMPARE(m_grview->Image1->geometry(), QRect(QPoint(0, 0), pictureSize));
        QCOMPARE(m_grview->size(), pictureSize.expandedTo(QSize(162, 174)));
        QTest::keyClick(m_grview.get(), Qt::Key_Escape);
    });
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn2"));
    QVERIFY(shown);
    QVERIFY(!m_grview->isVisible());
    QVERIFY(m_fixture.form->Timer1->isActive());
    // The focus went to the grid before the window was shown.
    QCOMPARE(m_fixture.form->focusWidget(), m_fixture.form->p2zaktabul->DBGrid1);
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

void TestPronunciation::pictureWindowReportsBrokenPictures()
{
    start();
    const QString name = QStringLiteral("broken.jpg");
    QVERIFY(QFile::copy(QStringLiteral(KADMOR_TEST_DATA "/sound/broken.jpg"), picture(name)));
    selectWord(QStringLiteral("dog"));
    setWordField(QStringLiteral("OBR"), name);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn2"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{beep, errorBox(QStringLiteral("Nelze zobrazit \"") + picture(name) + QStringLiteral("\"!"))}));
    QVERIFY(!m_grview->isVisible());
    QVERIFY(m_fixture.form->Timer1->isActive());
}

void TestPronunciation::wordWithoutPicture()
{
    start();
    selectWord(QStringLiteral("dog"));
    QCOMPARE(m_fixture.form->Table1->fieldByName(QStringLiteral("OBR")).asString(), QString());
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn2"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{beep, warningBox(QStringLiteral("V databázi není přiřazen žádný obrázek!"))}));
    QVERIFY(!m_grview->isVisible());
}

QTEST_MAIN(TestPronunciation)
#include "tst_pronunciation.moc"
