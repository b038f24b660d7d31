// SPDX-License-Identifier: GPL-3.0-or-later
// The sound name of a new phrase, without a window.
#include "base/error.h"
#include "phrases/phrase_numbers.h"

#include <QTest>

class TestPhraseNumbers : public QObject
{
    Q_OBJECT
  private slots:
    void nextName_data();
    void nextName();
    void noNumberIsAConversionError_data();
    void noNumberIsAConversionError();
};

void TestPhraseNumbers::nextName_data()
{
    QTest::addColumn<QString>("highest");
    QTest::addColumn<QString>("next");
    QTest::newRow("no sound name yet") << QString() << QStringLiteral("11111112");
    QTest::newRow("a blank sound name") << QStringLiteral("   ") << QStringLiteral("11111112");
    QTest::newRow("after 11111113") << QStringLiteral("11111113") << QStringLiteral("11111114");
    QTest::newRow("a short name taken as the highest") << QStringLiteral("9") << QStringLiteral("10");
    QTest::newRow("past the eight digits") << QStringLiteral("99999999") << QStringLiteral("100000000");
}

void TestPhraseNumbers::nextName()
{
    QFETCH(QString, highest);
    QFETCH(QString, next);
    QCOMPARE(kadmor::phrase_numbers::next(highest), next);
}

void TestPhraseNumbers::noNumberIsAConversionError_data()
{
    QTest::addColumn<QString>("highest");
    QTest::newRow("a word's sound name") << QStringLiteral("cat");
    QTest::newRow("digits and letters") << QStringLiteral("1111a");
    QTest::newRow("beyond a whole number") << QStringLiteral("99999999999");
    QTest::newRow("the largest whole number") << QStringLiteral("2147483647");
}

void TestPhraseNumbers::noNumberIsAConversionError()
{
    QFETCH(QString, highest);
    try {
        kadmor::phrase_numbers::next(highest);
        QFAIL("no error");
    } catch (const kadmor::Error& error) {
        QCOMPARE(error.text(), QStringLiteral("„%1“ není platné celé číslo.").arg(highest));
    }
}

QTEST_APPLESS_MAIN(TestPhraseNumbers)
#include "tst_phrase_numbers.moc"
