// SPDX-License-Identifier: GPL-3.0-or-later
// The sound service without any window: the player's signals and the recorder's steps, on a real
// sound server (null output and input) and without one.
#include "base/error.h"
#include "require_sound_device.h"
#include "scripted_dialogs.h"
#include "sound_test_files.h"
#include "vocabulary/sound/recorder.h"
#include "vocabulary/sound/recording_file.h"
#include "vocabulary/sound/sound_player.h"
#include "vocabulary/sound/wave_file.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using kadmor::Recorder;
using kadmor::ScriptedDialogs;
using kadmor::SoundPlayer;
using Event = ScriptedDialogs::Event;
using Events = QList<Event>;

using soundtest::endTimeout;
using soundtest::fixture;
using soundtest::readFile;
using soundtest::writeFile;

class RecorderTest : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void playEndsWithFinishedOnce();
    void failureIsSignalledWithItsText();
    void recorderRecordsSavesAndTrims();
    void recorderOnUnplayableFileStaysClosed();
    void finishingAClosedRecorderDoesNothing();
    void emptyRecordingIsRecoveredFromTheTemporaryFile();

  private:
    QTemporaryDir m_folder;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
};

void RecorderTest::init()
{
    QVERIFY(m_folder.isValid());
    m_dialogs = std::make_unique<ScriptedDialogs>();
}

void RecorderTest::cleanup()
{
    const QString problems = m_dialogs->problems();
    m_dialogs.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

// The pages that wait for a sound (the test session's pause) need the end without a player strip.
void RecorderTest::playEndsWithFinishedOnce()
{
    REQUIRE_SOUND_DEVICE();
    SoundPlayer player;
    QSignalSpy modes(&player, &SoundPlayer::modeChanged);
    QSignalSpy ends(&player, &SoundPlayer::finished);
    QSignalSpy failures(&player, &SoundPlayer::failed);
    player.setFileName(fixture(QStringLiteral("tone8mono.wav")));
    player.open();
    player.play();
    QCOMPARE(player.mode(), SoundPlayer::Mode::Playing);
    QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, endTimeout);
    QCOMPARE(player.mode(), SoundPlayer::Mode::Stopped);
    QTest::qWait(200);
    QCOMPARE(ends.count(), 1);
    QCOMPARE(failures.count(), 0);
    QList<SoundPlayer::Mode> shown;
    for (const QList<QVariant>& change : std::as_const(modes))
        shown << change.at(0).value<SoundPlayer::Mode>();
    QCOMPARE(shown, (QList{SoundPlayer::Mode::Stopped, SoundPlayer::Mode::Playing, SoundPlayer::Mode::Stopped}));
}

void RecorderTest::failureIsSignalledWithItsText()
{
    SoundPlayer player;
    QSignalSpy failures(&player, &SoundPlayer::failed);
    player.setFileName(m_folder.filePath(QStringLiteral("missing.wav")));
    QString raised;
    try {
        player.open();
    } catch (const kadmor::Error& error) {
        raised = error.text();
    }
    QVERIFY(!raised.isEmpty());
    QCOMPARE(failures.count(), 1);
    QCOMPARE(failures.at(0).at(0).toString(), raised);
    QCOMPARE(player.errorText(), raised);
    QVERIFY(!player.isOpen());
}

// A silent take (the null input gives silence) is cut down to next to nothing.
void RecorderTest::recorderRecordsSavesAndTrims()
{
    REQUIRE_SOUND_DEVICE();
    const QString path = m_folder.filePath(QStringLiteral("word.wav"));
    Recorder::writeEmpty(path);
    QCOMPARE(readFile(path), kadmor::wave::recordingHeader());

    SoundPlayer player;
    Recorder recorder(player);
    recorder.open(path);
    QVERIFY(recorder.isOpen());
    QCOMPARE(recorder.fileName(), path);
    player.record();
    QTRY_VERIFY_WITH_TIMEOUT(player.length() >= 300, endTimeout);
    recorder.finish(false);
    QVERIFY(!recorder.isOpen());
    QVERIFY(!player.isOpen());
    const QByteArray saved = readFile(path);
    QVERIFY(saved.size() > kadmor::wave::headerSize + 22050 * 3 / 10 - 1);
    QCOMPARE(saved.sliced(kadmor::wave::headerSize), QByteArray(saved.size() - kadmor::wave::headerSize, char(128)));

    recorder.open(path);
    QVERIFY(recorder.isOpen());
    player.record();
    QTRY_VERIFY_WITH_TIMEOUT(player.length() >= 300, endTimeout);
    recorder.finish(true);
    QVERIFY(!recorder.isOpen());
    // Of the silence only what the scans' look-ahead leaves is kept, under a proper header.
    const QByteArray trimmed = readFile(path);
    QVERIFY2(trimmed.size() < kadmor::wave::headerSize + 58, qPrintable(QString::number(trimmed.size())));
    QCOMPARE(trimmed, kadmor::wave::recordingFile(trimmed.sliced(kadmor::wave::headerSize)));
    QVERIFY(!QFile::exists(kadmor::recordingTemporaryFile(path)));
    QCOMPARE(m_dialogs->takeEvents(), Events{});
}

void RecorderTest::recorderOnUnplayableFileStaysClosed()
{
    const QString path = m_folder.filePath(QStringLiteral("picture.wav"));
    writeFile(path, QByteArray("not a sound at all, but long enough to be looked at"));
    SoundPlayer player;
    QSignalSpy failures(&player, &SoundPlayer::failed);
    Recorder recorder(player);
    m_dialogs->queueAnswer(kadmor::Answer::Ok);
    recorder.open(path);
    QVERIFY(!recorder.isOpen());
    QVERIFY(!player.isOpen());
    QCOMPARE(failures.count(), 1);
    const QString text = failures.at(0).at(0).toString();
    QCOMPARE(m_dialogs->takeEvents(), (Events{Event::beep(), Event::message(kadmor::BoxType::Error,
                                                                            text + QStringLiteral(" \"") + path +
                                                                                QStringLiteral("\" \rChyba zápisu! "),
                                                                            kadmor::Buttons::Ok)}));
}

void RecorderTest::finishingAClosedRecorderDoesNothing()
{
    const QString path = m_folder.filePath(QStringLiteral("kept.wav"));
    writeFile(path, QByteArray());
    SoundPlayer player;
    player.setFileName(path);
    Recorder recorder(player);
    recorder.finish(true);
    QVERIFY(!recorder.isOpen());
    QCOMPARE(QFileInfo(path).size(), 0); // no recovery, no trimming
    QCOMPARE(m_dialogs->takeEvents(), Events{});
}

void RecorderTest::emptyRecordingIsRecoveredFromTheTemporaryFile()
{
    const QString path = m_folder.filePath(QStringLiteral("lost.wav"));
    const QByteArray take = kadmor::wave::recordingFile(QByteArray(500, char(200)));
    writeFile(path, QByteArray());
    writeFile(kadmor::recordingTemporaryFile(path), take);
    Recorder::recover(path);
    QCOMPARE(readFile(path), take);
    QVERIFY(!QFile::exists(kadmor::recordingTemporaryFile(path)));
    QCOMPARE(m_dialogs->takeEvents(), Events{Event::beep()});
}

QTEST_MAIN(RecorderTest)
#include "tst_recorder.moc"
