// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/bcd_key.h"

#include <QTest>

using namespace kadmor::mdx;

class BcdKeyTest : public QObject
{
    Q_OBJECT

  private slots:
    void encodes_data();
    void encodes();
    void orders_data();
    void orders();
    void readsKeysOtherProgramsWrote_data();
    void readsKeysOtherProgramsWrote();
};

static QByteArray hex(const char* bytes)
{
    return QByteArray::fromHex(bytes).leftJustified(kBcdKeyLength, '\0');
}

void BcdKeyTest::encodes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    // byte 0: 0x34 + digits before the point; byte 1: sign, digit count << 2, bit 0
    QTest::newRow("decimal") << QByteArray(" 12.50") << hex("360d1250") << QByteArray("12.5");
    QTest::newRow("negative") << QByteArray(" -9.5") << hex("35899500") << QByteArray("-9.5");
    QTest::newRow("below one") << QByteArray("0.001") << hex("320510") << QByteArray("0.001");
    QTest::newRow("seven digits") << QByteArray("1234.567") << hex("381d12345670") << QByteArray("1234.567");
    QTest::newRow("trailing zeros of a whole number") << QByteArray("100") << hex("370510") << QByteArray("100");
    QTest::newRow("leading zeros") << QByteArray("007") << hex("350570") << QByteArray("7");
    QTest::newRow("zero") << QByteArray("0") << hex("3401") << QByteArray("0");
    QTest::newRow("zero with decimals") << QByteArray(" 0.00") << hex("3401") << QByteArray("0");
    QTest::newRow("negative zero") << QByteArray("-0.00") << hex("3401") << QByteArray("0");
    QTest::newRow("blank field") << QByteArray("     ") << hex("3401") << QByteArray("0");
    QTest::newRow("overflow marks") << QByteArray("*****") << hex("3401") << QByteArray("0");
    QTest::newRow("twenty digits") << QByteArray("12345678901234567890") << hex("484d12345678901234567890")
                                   << QByteArray("12345678901234567890");
}

void BcdKeyTest::encodes()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QCOMPARE(bcdKeyFromText(text).toHex(' '), key.toHex(' '));
    QCOMPARE(textFromBcdKey(key), value);
}

void BcdKeyTest::orders_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<int>("order");
    QTest::newRow("negative before positive") << QByteArray("-1") << QByteArray("0.5") << -1;
    QTest::newRow("larger negative first") << QByteArray("-100") << QByteArray("-12") << -1;
    QTest::newRow("negatives by digits") << QByteArray("-9.5") << QByteArray("-1.5") << -1;
    QTest::newRow("small negative before zero") << QByteArray("-0.001") << QByteArray("0") << -1;
    QTest::newRow("exponent before digits") << QByteArray("9.99") << QByteArray("10") << -1;
    QTest::newRow("digits") << QByteArray("1.67") << QByteArray("1.7") << -1;
    QTest::newRow("same value, other text") << QByteArray("12.50") << QByteArray(" 12.5") << 0;
    QTest::newRow("blank is zero") << QByteArray("") << QByteArray("0.00") << 0;
    QTest::newRow("one tenth after zero") << QByteArray("0.1") << QByteArray("0") << 1;
    // Zero is kept with exponent 0x34 and so sorts by exponent after numbers below 0.1, as
    // TDbf orders it (checked against TDbf in the interoperability test).
    QTest::newRow("below one tenth before zero") << QByteArray("0.05") << QByteArray("0") << -1;
}

void BcdKeyTest::orders()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(int, order);
    QCOMPARE(compareBcdKeys(bcdKeyFromText(a).constData(), bcdKeyFromText(b).constData()), order);
    QCOMPARE(compareBcdKeys(bcdKeyFromText(b).constData(), bcdKeyFromText(a).constData()), -order);
}

void BcdKeyTest::readsKeysOtherProgramsWrote_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("text");
    // TDbf rounds the digit count up to an even number and keys floating-point values
    QTest::newRow("12.5") << hex("36111250") << QByteArray("12.5");
    QTest::newRow("-1.5") << hex("35891500") << QByteArray("-1.5");
    QTest::newRow("1") << hex("350910") << QByteArray("1");
    QTest::newRow("1234.567") << hex("382112345670") << QByteArray("1234.567");
}

void BcdKeyTest::readsKeysOtherProgramsWrote()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, text);
    QCOMPARE(compareBcdKeys(key.constData(), bcdKeyFromText(text).constData()), 0);
    QCOMPARE(textFromBcdKey(key), text);
}

QTEST_GUILESS_MAIN(BcdKeyTest)
#include "tst_bcd_key.moc"
