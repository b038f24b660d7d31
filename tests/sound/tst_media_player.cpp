// SPDX-License-Identifier: GPL-3.0-or-later
// The player control on a real sound server (null output and input), and without one.
#include "base/error.h"
#include "require_sound_device.h"
#include "sound_test_files.h"
#include "util/tools.h"
#include "vocabulary/sound/media_player.h"
#include "vocabulary/sound/wave_file.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using kadmor::MediaPlayer;
using kadmor::SoundPlayer;

using soundtest::endTimeout;
using soundtest::fixture;
using soundtest::readFile;
using soundtest::soxi;
using soundtest::writeFile;

namespace {

void click(MediaPlayer& strip, const QString& button)
{
    auto* widget = strip.findChild<QAbstractButton*>(button);
    QVERIFY2(widget != nullptr && widget->isEnabled(), qPrintable(button));
    widget->click();
}

} // namespace

class MediaPlayerTest : public QObject
{
    Q_OBJECT
  private slots:
    void init();

    void playsToTheEndOnce_data();
    void playsToTheEndOnce();
    void closedOrReplacedPlayIsNotAnnounced();
    void refusedFilesStayClosed_data();
    void refusedFilesStayClosed();
    void recordingSavedIsReadBySox();
    void takePlaysBackAndCloseDropsIt();
    void takeHoldsWhatWasRecorded();
    void stopAndPositionButtons();
    void buttonSets();
    void withoutSoundDevice();

  private:
    QTemporaryDir m_folder;
};

void MediaPlayerTest::init()
{
    QVERIFY(m_folder.isValid());
}

void MediaPlayerTest::playsToTheEndOnce_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("length");
    QTest::newRow("8-bit mono") << fixture(QStringLiteral("tone8mono.wav")) << qint64(400);
    QTest::newRow("16-bit stereo, 11025 Hz") << fixture(QStringLiteral("tone16stereo.wav")) << qint64(400);
}

void MediaPlayerTest::playsToTheEndOnce()
{
    REQUIRE_SOUND_DEVICE();
    QFETCH(QString, file);
    MediaPlayer strip;
    SoundPlayer& player = strip.player();
    strip.setNotify(true);
    player.setFileName(file);
    player.open();
    QTEST(player.length(), "length");
    QSignalSpy ends(&strip, &MediaPlayer::notified);

    player.play();
    QCOMPARE(player.mode(), MediaPlayer::Mode::Playing);
    QCOMPARE(ends.count(), 0); // announced on the event loop, never from inside play
    QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, endTimeout);
    QCOMPARE(player.mode(), MediaPlayer::Mode::Stopped);
    QCOMPARE(player.errorCode(), 0);

    // At the end a new play starts from the beginning; a doubled notice of the first play would
    // have arrived by the end of the second.
    player.play();
    QTRY_VERIFY_WITH_TIMEOUT(ends.count() >= 2, endTimeout);
    QCOMPARE(ends.count(), 2);
}

void MediaPlayerTest::closedOrReplacedPlayIsNotAnnounced()
{
    REQUIRE_SOUND_DEVICE();
    MediaPlayer strip;
    SoundPlayer& player = strip.player();
    strip.setNotify(true);
    player.setFileName(fixture(QStringLiteral("tone8mono.wav")));
    QSignalSpy ends(&strip, &MediaPlayer::notified);
    player.open();
    player.play();
    player.close();
    player.open();
    player.play();
    player.play(); // a new play while one runs replaces it
    QTRY_VERIFY_WITH_TIMEOUT(ends.count() >= 1, endTimeout);
    QCOMPARE(ends.count(), 1);
}

void MediaPlayerTest::refusedFilesStayClosed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    const QString missing = m_folder.filePath(QStringLiteral("missing.wav"));
    QTest::newRow("missing") << missing << int(SoundPlayer::FileNotFound)
                             << QStringLiteral("Zvukový soubor „%1“ neexistuje.").arg(missing);
    const QString picture = fixture(QStringLiteral("broken.jpg"));
    QTest::newRow("no WAV file") << picture << int(SoundPlayer::NotWave)
                                 << QStringLiteral("Soubor „%1“ není zvukový soubor WAV.").arg(picture);
    const QString alaw = fixture(QStringLiteral("alaw.wav"));
    QTest::newRow("a-law")
        << alaw << int(SoundPlayer::UnsupportedEncoding)
        << QStringLiteral("Zvukový soubor „%1“ je uložen ve formátu, který nelze přehrát.").arg(alaw);
}

void MediaPlayerTest::refusedFilesStayClosed()
{
    REQUIRE_SOUND_DEVICE();
    QFETCH(QString, file);
    QFETCH(QString, text);
    MediaPlayer strip;
    SoundPlayer& player = strip.player();
    player.setFileName(file);
    try {
        player.open();
        QFAIL("the file was opened");
    } catch (const kadmor::Error& error) {
        QCOMPARE(error.text(), text);
    }
    QVERIFY(!player.isOpen());
    QTEST(player.errorCode(), "code");
    QCOMPARE(player.errorText(), text);
    QVERIFY_THROWS_EXCEPTION(kadmor::Error, player.play());
    QCOMPARE(player.errorCode(), int(SoundPlayer::NotOpen));
}

void MediaPlayerTest::recordingSavedIsReadBySox()
{
    REQUIRE_SOUND_DEVICE();
    const QString path = m_folder.filePath(QStringLiteral("take.wav"));
    writeFile(path, kadmor::wave::recordingHeader());
    MediaPlayer strip;
    SoundPlayer& player = strip.player();
    player.setFileName(path);
    player.open();

    click(strip, QStringLiteral("record"));
    QCOMPARE(player.mode(), MediaPlayer::Mode::Recording);
    QTRY_VERIFY_WITH_TIMEOUT(player.length() >= 500, endTimeout);
    click(strip, QStringLiteral("stop"));
    QCOMPARE(player.mode(), MediaPlayer::Mode::Stopped);
    player.save();
    QCOMPARE(player.errorCode(), 0);
    const qint64 recorded = player.length();
    player.close();

    const QByteArray file = readFile(path);
    const qint64 samples = file.size() - 58;
    QCOMPARE(recorded, qRound64(samples * 1000.0 / 22050));
    QVERIFY(!QFile::exists(path + QStringLiteral(".tmp")));
    QCOMPARE(soxi(QStringLiteral("-c"), path), QStringLiteral("1"));
    QCOMPARE(soxi(QStringLiteral("-r"), path), QStringLiteral("22050"));
    QCOMPARE(soxi(QStringLiteral("-b"), path), QStringLiteral("8"));
    QCOMPARE(soxi(QStringLiteral("-e"), path), QStringLiteral("Unsigned Integer PCM"));
    QCOMPARE(soxi(QStringLiteral("-s"), path), QString::number(samples));
    QCOMPARE(file.first(54), kadmor::wave::recordingFile(file.sliced(58)).first(54));
    // The null input is silence: 128 in unsigned 8-bit samples.
    QCOMPARE(file.sliced(58), QByteArray(samples, char(128)));
}

void MediaPlayerTest::takePlaysBackAndCloseDropsIt()
{
    REQUIRE_SOUND_DEVICE();
    const QString path = m_folder.filePath(QStringLiteral("own.wav"));
    writeFile(path, kadmor::wave::recordingHeader());
    MediaPlayer strip;
    SoundPlayer& player = strip.player();
    strip.setNotify(true);
    player.setFileName(path);
    player.open();
    QCOMPARE(player.length(), 0);
    QSignalSpy ends(&strip, &MediaPlayer::notified);

    player.record();
    QTRY_VERIFY_WITH_TIMEOUT(player.length() >= 300, endTimeout);
    player.play(); // ends the recording and plays the take
    QCOMPARE(player.mode(), MediaPlayer::Mode::Playing);
    QVERIFY(player.length() >= 300);
    QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, endTimeout);

    player.close();
    QCOMPARE(readFile(path), kadmor::wave::recordingHeader());
    player.save();
    QCOMPARE(player.errorCode(), int(SoundPlayer::NotOpen));
}

// The null source, idle before the take, hands the new stream about two seconds of samples at
// once; a take of one second must still be saved as one second.
void MediaPlayerTest::takeHoldsWhatWasRecorded()
{
    REQUIRE_SOUND_DEVICE();
    constexpr int takeMs = 1000;
    constexpr int latencyMs = 300; // what the input may still hold back when the take stops
    const QString path = m_folder.filePath(QStringLiteral("second.wav"));
    writeFile(path, kadmor::wave::recordingHeader());
    MediaPlayer strip;
    SoundPlayer& player = strip.player();
    player.setFileName(path);
    player.open();
    QTest::qWait(2500); // the source idles long enough to gather its largest burst

    QElapsedTimer outer;
    outer.start();
    click(strip, QStringLiteral("record"));
    QElapsedTimer inner;
    inner.start();
    QTest::qWait(takeMs);
    const qint64 innerMs = inner.elapsed();
    click(strip, QStringLiteral("stop"));
    const qint64 outerMs = outer.elapsed();
    player.save();
    QCOMPARE(player.errorCode(), 0);

    const qint64 samples = readFile(path).size() - kadmor::wave::headerSize;
    const qint64 savedMs = samples * 1000 / kadmor::wave::recordingRate;
    QVERIFY2(savedMs <= outerMs && savedMs >= innerMs - latencyMs,
             qPrintable(QStringLiteral("%1 ms saved of a take of %2 to %3 ms").arg(savedMs).arg(innerMs).arg(outerMs)));
}

void MediaPlayerTest::stopAndPositionButtons()
{
    REQUIRE_SOUND_DEVICE();
    MediaPlayer strip;
    SoundPlayer& player = strip.player();
    player.setFileName(fixture(QStringLiteral("tone16stereo.wav")));
    player.open();
    click(strip, QStringLiteral("step"));
    QCOMPARE(player.position(), 250);
    click(strip, QStringLiteral("next"));
    QCOMPARE(player.position(), 400);
    click(strip, QStringLiteral("back"));
    QCOMPARE(player.position(), 150);
    click(strip, QStringLiteral("previous"));
    QCOMPARE(player.position(), 0);
    click(strip, QStringLiteral("play"));
    click(strip, QStringLiteral("pause"));
    QCOMPARE(player.mode(), MediaPlayer::Mode::Paused);
    click(strip, QStringLiteral("stop"));
    QCOMPARE(player.mode(), MediaPlayer::Mode::Stopped);
    QVERIFY(player.position() <= 400);
}

void MediaPlayerTest::buttonSets()
{
    QWidget window;
    auto* player = new MediaPlayer(&window);
    player->setVisibleButtons(MediaPlayer::Play | MediaPlayer::Stop | MediaPlayer::Record);
    window.show();
    QStringList visible;
    for (auto* button : player->findChildren<QAbstractButton*>()) {
        if (button->isVisible())
            visible << button->objectName();
        QVERIFY2(!button->isEnabled(), "a closed player offers nothing to do");
    }
    QCOMPARE(visible, (QStringList{QStringLiteral("play"), QStringLiteral("stop"), QStringLiteral("record")}));
}

void MediaPlayerTest::withoutSoundDevice()
{
    if (kadmor::soundDevicePresent())
        QSKIP("a sound server answers in this run");
    MediaPlayer strip;
    SoundPlayer& player = strip.player();
    player.setFileName(fixture(QStringLiteral("tone8mono.wav")));
    try {
        player.open();
        QFAIL("opened without a sound device");
    } catch (const kadmor::Error& error) {
        QCOMPARE(error.text(), QStringLiteral("Není k dispozici žádné zvukové zařízení pro přehrávání."));
    }
    QVERIFY(!player.isOpen());
    QCOMPARE(player.errorCode(), int(SoundPlayer::NoOutputDevice));
}

QTEST_MAIN(MediaPlayerTest)
#include "tst_media_player.moc"
