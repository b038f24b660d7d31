// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "util/sifruj.h"

#include <QElapsedTimer>
#include <QHash>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include "password_characters.h"

using namespace kadmor;
using kadmor::test::passwordCharacters;

namespace {

constexpr int hodnotaWidth = 30;

// What a dBASE text field of HODNOTA's width gives back: at most 30 characters, padded with spaces
// in the file, and read back without the trailing spaces.
QString throughField(const QString& value)
{
    QString stored = value.left(hodnotaWidth);
    while (stored.endsWith(u' '))
        stored.chop(1);
    return stored;
}

QString randomPassword(QRandomGenerator& random, const QStringList& characters, int length)
{
    QString password;
    for (int i = 0; i < length; ++i)
        password += characters.at(random.bounded(int(characters.size())));
    return password;
}

QByteArray cp1250(const QString& text)
{
    return QStringEncoder("windows-1250").encode(text);
}

// The rolling key after the scrambled byte, as the scrambler advances it.
quint16 nextKey(quint16 key, quint8 scrambled)
{
    return quint16((quint32(key) + scrambled) * rollingMultiplier + rollingAddend);
}

} // namespace

class SifrujTest : public QObject
{
    Q_OBJECT

  private slots:
    void rollingEncodeXorsWithTheKeysHighByte();
    void rollingDecodeUndoesEncode();
    void tableScrambler_data();
    void tableScrambler();

    void everyPasswordSurvivesTheField();
    void randomPasswordsOfEveryLength();
    void passwordsThatAPlainScramblingLoses();
    void passwordEdgeCases_data();
    void passwordEdgeCases();
    void passwordWithUnstorableCharacterIsRefused_data();
    void passwordWithUnstorableCharacterIsRefused();
};

void SifrujTest::rollingEncodeXorsWithTheKeysHighByte()
{
    const quint16 seed = 0x5A3C;
    // First byte: XOR with 0x5A, except a byte equal to it, which stays.
    QCOMPARE(rollingEncode("A", seed), QByteArray(1, char('A' ^ 0x5A)));
    QCOMPARE(rollingEncode("\x5A", seed), QByteArray("\x5A"));
    // Second byte: the key moved on with the scrambled first byte.
    const quint8 first = 'h' ^ 0x5A;
    const quint8 secondKey = nextKey(seed, first) >> 8;
    const QByteArray scrambled = rollingEncode("hi", seed);
    QCOMPARE(quint8(scrambled[0]), first);
    QCOMPARE(quint8(scrambled[1]), quint8('i' == secondKey ? 'i' : 'i' ^ secondKey));
    QCOMPARE(rollingEncode(QByteArray(), seed), QByteArray());
}

void SifrujTest::rollingDecodeUndoesEncode()
{
    // Every non-zero byte under every high byte of the key, then longer texts.
    for (int seed = 0; seed < 0x10000; seed += 0x100 + 1) {
        for (int byte = 1; byte < 256; ++byte) {
            const QByteArray text(1, char(byte));
            QCOMPARE(rollingDecode(rollingEncode(text, quint16(seed)), quint16(seed)), text);
        }
    }
    QRandomGenerator random(1234);
    for (int round = 0; round < 2000; ++round) {
        QByteArray text;
        for (int i = random.bounded(1, 80); i > 0; --i)
            text.append(char(random.bounded(1, 256)));
        const auto seed = quint16(random.bounded(0x10000));
        const QByteArray scrambled = rollingEncode(text, seed);
        QCOMPARE(scrambled.size(), text.size());
        QCOMPARE(rollingDecode(scrambled, seed), text);
    }
}

void SifrujTest::tableScrambler_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("short") << QByteArray("heslo");
    QTest::newRow("19 bytes") << QByteArray(19, 'x');
    QTest::newRow("past 19 bytes") << QByteArray("abcdefghijklmnopqrstuvwxyz0123");
    QTest::newRow("wrapping bytes") << QByteArray("\xFF\x01\x80\x00\x7F", 5);
}

void SifrujTest::tableScrambler()
{
    QFETCH(QByteArray, text);

    QByteArray added = text;
    tableAdd(added);
    QCOMPARE(added.size(), text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int shift = i < 19 ? scrambleTable[size_t(i)] : 0;
        QCOMPARE(quint8(added[i]), quint8(quint8(text[i]) + shift));
    }
    tableSubtract(added);
    QCOMPARE(added, text);
}

// The stored form of a byte depends only on the key's high byte and the table byte at its place,
// and the places from the 20th on share table byte 0. So trying every password character after a
// prefix for every high byte the key reaches, at each of the first 20 places, tries every case a
// password of up to 30 characters can meet.
void SifrujTest::everyPasswordSurvivesTheField()
{
    const QStringList characters = passwordCharacters();
    QCOMPARE(characters.size(), 223);
    struct Prefix
    {
        QString text;
        quint16 key;
    };
    QList<Prefix> prefixes{{QString(), passwordSeed}};
    for (qsizetype place = 0; place <= qsizetype(scrambleTable.size()); ++place) {
        QHash<quint8, Prefix> byHighByte;
        for (const Prefix& prefix : prefixes) {
            for (const QString& character : characters) {
                const QString password = prefix.text + character;
                const QString stored = scramblePassword(password);
                QCOMPARE(stored.size(), password.size());
                QCOMPARE(stored.back().unicode() > 0x20 && stored.back().unicode() <= 0xFF, true);
                QCOMPARE(unscramblePassword(throughField(stored)), password);

                QByteArray bytes = cp1250(password);
                tableAdd(bytes);
                const auto scrambledByte = quint8(rollingEncode(bytes, passwordSeed).back());
                const quint16 key = nextKey(prefix.key, scrambledByte);
                if (!byHighByte.contains(key >> 8))
                    byHighByte.insert(key >> 8, {password, key});
            }
        }
        // From the third place on the key takes every high byte.
        if (place >= 1)
            QCOMPARE(byHighByte.size(), 256);
        prefixes = byHighByte.values();
    }
}

void SifrujTest::randomPasswordsOfEveryLength()
{
    const QStringList characters = passwordCharacters();
    QRandomGenerator random(20240611);
    for (int round = 0; round < 20'000; ++round) {
        const QString password = randomPassword(random, characters, random.bounded(0, hodnotaWidth + 1));
        QCOMPARE(unscramblePassword(throughField(scramblePassword(password))), password);
    }
}

// Without the storing step, a scrambled password ending in a space, or holding 0x1A or another
// control byte, would be stored and read back differently.
void SifrujTest::passwordsThatAPlainScramblingLoses()
{
    const QStringList characters = passwordCharacters();
    QRandomGenerator random(7);
    int endingInSpace = 0;
    int holdingControlBytes = 0;
    while (endingInSpace < 20 || holdingControlBytes < 20) {
        const QString password = randomPassword(random, characters, random.bounded(1, hodnotaWidth + 1));
        QByteArray plain = cp1250(password);
        tableAdd(plain);
        const QByteArray scrambled = rollingEncode(plain, passwordSeed);
        const bool endsInSpace = scrambled.endsWith(' ');
        const bool hasControl =
            std::any_of(scrambled.begin(), scrambled.end(), [](char b) { return quint8(b) < 0x20; });
        if (!endsInSpace && !hasControl)
            continue;
        endingInSpace += endsInSpace;
        holdingControlBytes += hasControl;
        const QString stored = scramblePassword(password);
        QVERIFY(std::all_of(stored.begin(), stored.end(), [](QChar c) { return c.unicode() > 0x20; }));
        QCOMPARE(unscramblePassword(throughField(stored)), password);
    }
}

void SifrujTest::passwordEdgeCases_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("letter case kept") << "TajneHeslo"
                                      << "TajneHeslo";
    QTest::newRow("Czech letters") << "Příliš žluťoučký kůň"
                                   << "Příliš žluťoučký kůň";
    QTest::newRow("spaces at both ends") << "  heslo  "
                                         << "  heslo  ";
    QTest::newRow("only spaces") << "   "
                                 << "   ";
    QTest::newRow("20 characters") << "abcdefghijklmnopqrst"
                                   << "abcdefghijklmnopqrst";
    QTest::newRow("30 characters") << QString(30, u'ž') << QString(30, u'ž');
    QTest::newRow("longer than 30: the first 30") << "123456789012345678901234567890abc"
                                                  << "123456789012345678901234567890";
}

void SifrujTest::passwordEdgeCases()
{
    QFETCH(QString, password);
    QFETCH(QString, readBack);

    const QString stored = scramblePassword(password);
    QCOMPARE(stored.isEmpty(), password.isEmpty());
    QCOMPARE(unscramblePassword(throughField(stored)), readBack);
}

void SifrujTest::passwordWithUnstorableCharacterIsRefused_data()
{
    QTest::addColumn<QString>("password");
    QTest::newRow("tab") << "hes\tlo";
    QTest::newRow("outside code page 1250") << "heslo€中";
    QTest::newRow("delete") << "heslo\x7F";
}

void SifrujTest::passwordWithUnstorableCharacterIsRefused()
{
    QFETCH(QString, password);
    try {
        scramblePassword(password);
        QFAIL("no error");
    } catch (const Error& error) {
        QCOMPARE(error.text(),
                 QStringLiteral("Heslo obsahuje znak, který nelze uložit. Použijte písmena, číslice a běžné znaky."));
    }
}

QTEST_GUILESS_MAIN(SifrujTest)
#include "tst_sifruj.moc"
