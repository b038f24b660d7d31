// SPDX-License-Identifier: GPL-3.0-or-later
// WAV files, the recording header, trimming a recording and the names of sounds and pictures.
#include "base/error.h"
#include "vocabulary/sound/file_names.h"
#include "vocabulary/sound/take.h"
#include "vocabulary/sound/trimming.h"
#include "vocabulary/sound/wave_file.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

using namespace kadmor;

namespace {

constexpr char quietByte = char(128);
constexpr char loudByte = char(200);

// The 58 bytes as every recording starts, written out by hand.
const QByteArray emptyRecording = QByteArray::fromHex("52494646"
                                                      "32000000"
                                                      "57415645"
                                                      "666d7420"
                                                      "12000000"
                                                      "0100"
                                                      "0100"
                                                      "22560000"
                                                      "22560000"
                                                      "0100"
                                                      "0800"
                                                      "2800"
                                                      "66616374"
                                                      "04000000"
                                                      "00000000"
                                                      "64617461"
                                                      "00000000");

quint32 le32At(const QByteArray& file, int offset)
{
    return qFromLittleEndian<quint32>(file.constData() + offset);
}

// A recording file: the header (its last byte, position 58, set to lastHeaderByte), then the samples.
QByteArray recording(char lastHeaderByte, const QByteArray& samples)
{
    QByteArray file = emptyRecording;
    file[57] = lastHeaderByte;
    return file + samples;
}

QByteArray run(char value, int count)
{
    return QByteArray(count, value);
}

QByteArray readFixture(const QString& name)
{
    QFile file(QStringLiteral(KADMOR_TEST_DATA "/sound/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

} // namespace

class SoundFilesTest : public QObject
{
    Q_OBJECT
  private slots:
    void recordingHeaderBytes();
    void recordingFileLengths();
    void readsPlayableFiles_data();
    void readsPlayableFiles();
    void refusesOtherFiles_data();
    void refusesOtherFiles();
    void dataLongerThanTheFileIsCut();
    void takeHoldsOnlyItsOwnTime_data();
    void takeHoldsOnlyItsOwnTime();
    void trimming_data();
    void trimming();
    void smallRecordingsBecomeEmpty_data();
    void smallRecordingsBecomeEmpty();
    void namesOutsideTheirFolderAreRefused_data();
    void namesOutsideTheirFolderAreRefused();
};

void SoundFilesTest::recordingHeaderBytes()
{
    QCOMPARE(wave::recordingHeader(), emptyRecording);
}

void SoundFilesTest::recordingFileLengths()
{
    const QByteArray file = wave::recordingFile(run(quietByte, 1000));
    QCOMPARE(file.size(), 1058);
    QCOMPARE(le32At(file, 4), 1050u);
    QCOMPARE(le32At(file, 46), 1000u);
    QCOMPARE(le32At(file, 54), 1000u);
    QCOMPARE(file.first(4), emptyRecording.first(4));
    QCOMPARE(file.sliced(8, 38), emptyRecording.sliced(8, 38));
}

void SoundFilesTest::readsPlayableFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QAudioFormat::SampleFormat>("sampleFormat");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bytes");

    QTest::newRow("8-bit mono (sox)") << readFixture(QStringLiteral("tone8mono.wav")) << QAudioFormat::UInt8 << 1
                                      << 22050 << 8820;
    QTest::newRow("16-bit stereo (sox)") << readFixture(QStringLiteral("tone16stereo.wav")) << QAudioFormat::Int16 << 2
                                         << 11025 << 17640;
    QTest::newRow("empty recording") << emptyRecording << QAudioFormat::UInt8 << 1 << 22050 << 0;
    QTest::newRow("recording") << wave::recordingFile(run(loudByte, 300)) << QAudioFormat::UInt8 << 1 << 22050 << 300;
}

void SoundFilesTest::readsPlayableFiles()
{
    QFETCH(QByteArray, file);
    const wave::Sound sound = wave::readWave(file);
    QCOMPARE(sound.problem, wave::Sound::Problem::None);
    QTEST(sound.format.sampleFormat(), "sampleFormat");
    QTEST(sound.format.channelCount(), "channels");
    QTEST(sound.format.sampleRate(), "rate");
    QTEST(int(sound.samples.size()), "bytes");
}

void SoundFilesTest::refusesOtherFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<wave::Sound::Problem>("problem");

    QTest::newRow("picture") << readFixture(QStringLiteral("broken.jpg")) << wave::Sound::Problem::NotWave;
    QTest::newRow("empty file") << QByteArray() << wave::Sound::Problem::NotWave;
    QTest::newRow("header cut short") << emptyRecording.first(30) << wave::Sound::Problem::NotWave;
    QTest::newRow("a-law") << readFixture(QStringLiteral("alaw.wav")) << wave::Sound::Problem::UnsupportedEncoding;
}

void SoundFilesTest::refusesOtherFiles()
{
    QFETCH(QByteArray, file);
    QTEST(wave::readWave(file).problem, "problem");
}

void SoundFilesTest::dataLongerThanTheFileIsCut()
{
    QByteArray file = wave::recordingFile(run(loudByte, 100));
    qToLittleEndian<quint32>(5000, file.data() + 54);
    QCOMPARE(wave::readWave(file).samples, run(loudByte, 100));
}

// Sizes and positions count from 1 at the first byte of the file; the samples start at 59.
// Deliveries as a sound server makes them: (milliseconds since the take started, bytes, value).
using Delivery = std::tuple<int, int, char>;
using Deliveries = QList<Delivery>;

void SoundFilesTest::takeHoldsOnlyItsOwnTime_data()
{
    constexpr char before = char(60); // gathered by the source before the take began
    constexpr char heard = char(128);
    QTest::addColumn<Deliveries>("deliveries");
    QTest::addColumn<QByteArray>("take");
    // A second of input in deliveries of 1102 bytes every 50 ms, each 50 ms behind the clock.
    Deliveries steady;
    for (int ms = 50; ms <= 1000; ms += 50)
        steady.append({ms, 1102, heard});
    QTest::newRow("steady input keeps everything") << steady << run(heard, 20 * 1102);
    // An idle source hands over nearly two seconds at once with its first delivery: only its
    // last 50 ms can belong to the take.
    Deliveries idleStart{{50, 40'000, before}};
    for (int ms = 100; ms <= 1000; ms += 50)
        idleStart.append({ms, 1102, heard});
    QTest::newRow("idle source's burst is dropped") << idleStart << run(before, 1102) + run(heard, 19 * 1102);
    QTest::newRow("late delivery at the stop")
        << Deliveries{{0, 0, heard}, {1100, 30'000, heard}} << run(heard, 24'255);
}

void SoundFilesTest::takeHoldsOnlyItsOwnTime()
{
    QFETCH(Deliveries, deliveries);
    QFETCH(QByteArray, take);
    QByteArray samples;
    for (const auto& [ms, bytes, value] : deliveries)
        wave::addToTake(samples, run(value, bytes), wave::recordingFormat(), ms * 1000LL);
    QCOMPARE(samples.size(), take.size());
    QCOMPARE(samples, take);
}

void SoundFilesTest::trimming_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("kept");

    // Loud throughout: the samples from position 59 to size - 58; only the last 58 bytes go.
    const QByteArray loud = run(loudByte, 142);
    QTest::newRow("loud from start to end") << recording(quietByte, loud) << loud.first(142 - 58);

    // A loud 58th byte stops the forward scan at once, so the quiet start stays.
    const QByteArray quietStart = run(quietByte, 30) + run(loudByte, 100) + run(quietByte, 30);
    QTest::newRow("loud 58th byte") << recording(char(0), quietStart) << quietStart.first(160 - 58);

    // 20 quiet, 100 loud, 100 quiet samples (positions 59-78, 79-178, 179-278; size 278, n 220).
    // Forward: i moves on while B[i + 10] is quiet, up to i = 69. Backward: from j = 220 while
    // B[j - 10] is quiet, down to j = 188. Kept: positions 70 to 188.
    const QByteArray speech = run(quietByte, 20) + run(loudByte, 100) + run(quietByte, 100);
    const QByteArray keptSpeech = speech.sliced(70 - 59, 188 - 69);
    QTest::newRow("quiet ends") << recording(quietByte, speech) << keptSpeech;
    for (const char quiet : {char(121), char(135)}) {
        const QByteArray edge = run(quiet, 20) + run(loudByte, 100) + run(quiet, 100);
        QTest::addRow("quiet ends at %d", int(quint8(quiet)))
            << recording(quiet, edge) << edge.sliced(70 - 59, 188 - 69);
    }
    for (const char loudEdge : {char(120), char(136)}) {
        const QByteArray edge = run(quietByte, 20) + run(loudEdge, 100) + run(quietByte, 100);
        QTest::addRow("loud at %d", int(quint8(loudEdge)))
            << recording(quietByte, edge) << edge.sliced(70 - 59, 188 - 69);
    }

    // All quiet: the forward scan runs to n - 1 and the backward one stops right after it.
    QTest::newRow("all quiet") << recording(quietByte, run(quietByte, 300)) << QByteArray();

    // 117 bytes, the smallest that is scanned: n = 59, i stays 58, and B[59] is loud.
    QTest::newRow("117 bytes") << recording(quietByte, run(loudByte, 59)) << run(loudByte, 1);
}

void SoundFilesTest::trimming()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, kept);
    const QByteArray trimmed = trimmedRecording(file);
    QCOMPARE(trimmed.sliced(wave::headerSize), kept);
    // The header is the recording header with its lengths set for the kept samples.
    QCOMPARE(le32At(trimmed, 54), quint32(trimmed.size() - 58));
    QCOMPARE(le32At(trimmed, 46), quint32(trimmed.size() - 58));
    QCOMPARE(le32At(trimmed, 4), quint32(trimmed.size() - 8));
    QCOMPARE(trimmed.first(4), emptyRecording.first(4));
    QCOMPARE(trimmed.sliced(8, 38), emptyRecording.sliced(8, 38));
}

void SoundFilesTest::smallRecordingsBecomeEmpty_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("half a header") << emptyRecording.first(29);
    QTest::newRow("header alone") << emptyRecording;
    QTest::newRow("116 bytes, loud") << recording(loudByte, run(loudByte, 58));
    QTest::newRow("116 bytes, quiet") << recording(quietByte, run(quietByte, 58));
}

void SoundFilesTest::smallRecordingsBecomeEmpty()
{
    QFETCH(QByteArray, file);
    QCOMPARE(trimmedRecording(file), emptyRecording);
}

void SoundFilesTest::namesOutsideTheirFolderAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent") << QStringLiteral("..");
    QTest::newRow("folder itself") << QStringLiteral(".");
    QTest::newRow("climbing") << QStringLiteral("../../etc/passwd");
    QTest::newRow("absolute") << QStringLiteral("/etc/passwd");
    QTest::newRow("backslash") << QStringLiteral("..\\kadmor");
}

void SoundFilesTest::namesOutsideTheirFolderAreRefused()
{
    QFETCH(QString, name);
    QVERIFY_THROWS_EXCEPTION(Error, requireSoundName(name));
    try {
        requirePictureName(name);
        QFAIL("the picture name was taken");
    } catch (const Error& error) {
        QCOMPARE(
            error.text(),
            QStringLiteral("Název obrázku „%1“ ukazuje mimo složku s obrázky, proto jej nelze zobrazit.").arg(name));
    }
    requireSoundName(QString());
    requirePictureName(QStringLiteral("a..b.jpg"));

    // The paths are built only from names that passed.
    const QString folder = QStringLiteral("/opt/kadmor/");
    QVERIFY_THROWS_EXCEPTION(Error, soundPath(folder, name));
    QVERIFY_THROWS_EXCEPTION(Error, picturePath(folder, name));
    QCOMPARE(soundPath(folder, QStringLiteral("dog")), QStringLiteral("/opt/kadmor/sounds/dog.wav"));
    QCOMPARE(picturePath(folder, QStringLiteral("dog.jpg")), QStringLiteral("/opt/kadmor/pictures/dog.jpg"));
}

QTEST_GUILESS_MAIN(SoundFilesTest)
#include "tst_files.moc"
