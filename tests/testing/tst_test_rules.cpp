// SPDX-License-Identifier: GPL-3.0-or-later
// The answer check, the grade of a test and the draw of its words, without a window.
#include "testing/test_rules.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace kadmor::test_rules;

class TestTestRules : public QObject
{
    Q_OBJECT
  private slots:
    void answerCheck_data();
    void answerCheck();
    void grades_data();
    void grades();
    void aLessonIsAskedWithoutRepeats_data();
    void aLessonIsAskedWithoutRepeats();
    void allWordsMayRepeat();
    void theDrawIsUniform();
};

void TestTestRules::answerCheck_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("pes,hafan: pes") << "pes,hafan"
                                    << "pes" << true;
    QTest::newRow("pes,hafan: hafan") << "pes,hafan"
                                      << "hafan" << true;
    QTest::newRow("pes,hafan: Pes") << "pes,hafan"
                                    << "Pes" << false;
    QTest::newRow("pes,hafan: pes and a space") << "pes,hafan"
                                                << "pes " << false;
    QTest::newRow("pes,hafan: both") << "pes,hafan"
                                     << "pes,hafan" << false;
    QTest::newRow("pes, hafan: hafan") << "pes, hafan"
                                       << "hafan" << false;
    QTest::newRow("pes, hafan: a space and hafan") << "pes, hafan"
                                                   << " hafan" << true;
    QTest::newRow("pes,: pes") << "pes,"
                               << "pes" << true;
    QTest::newRow("pes,: empty") << "pes,"
                                 << "" << false;
    QTest::newRow("pes,: a comma") << "pes,"
                                   << "," << false;
    QTest::newRow("a,,b: a") << "a,,b"
                             << "a" << true;
    QTest::newRow("a,,b: ,b") << "a,,b"
                              << ",b" << true;
    QTest::newRow("a,,b: b") << "a,,b"
                             << "b" << false;
    QTest::newRow(",a: ,a") << ",a"
                            << ",a" << true; // a leading comma is no separator
    QTest::newRow("empty expected: empty answer") << ""
                                                  << "" << false;
    QTest::newRow("empty expected: any answer") << ""
                                                << "pes" << false;
    QTest::newRow("Czech letters") << "kůň,koník"
                                   << "koník" << true;
    QTest::newRow("Czech letters, another case") << "Řeka"
                                                 << "řeka" << false;
    QTest::newRow("an answer with a trailing space") << "kočka"
                                                     << "kočka " << false;
    QTest::newRow("an expected text with a trailing space") << "kočka "
                                                            << "kočka " << true;
}

void TestTestRules::answerCheck()
{
    QFETCH(QString, expected);
    QFETCH(QString, answer);
    QFETCH(bool, accepted);
    QCOMPARE(answerAccepted(answer, expected), accepted);
}

void TestTestRules::grades_data()
{
    QTest::addColumn<int>("good");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("grade");
    QTest::newRow("10 of 10") << 10 << 10 << 100 << "1";
    QTest::newRow("9 of 10") << 9 << 10 << 90 << "1";
    QTest::newRow("8 of 9: 88") << 8 << 9 << 88 << "2";
    QTest::newRow("8 of 10") << 8 << 10 << 80 << "2";
    QTest::newRow("7 of 10") << 7 << 10 << 70 << "3";
    QTest::newRow("2 of 3: 66") << 2 << 3 << 66 << "4";
    QTest::newRow("6 of 10") << 6 << 10 << 60 << "4";
    QTest::newRow("59 of 100") << 59 << 100 << 59 << "5";
    QTest::newRow("5 of 10") << 5 << 10 << 50 << "5";
    QTest::newRow("0 of 12") << 0 << 12 << 0 << "5";
}

void TestTestRules::grades()
{
    QFETCH(int, good);
    QFETCH(int, questions);
    QFETCH(int, percent);
    QFETCH(QString, grade);
    QCOMPARE(percentage(good, questions), percent);
    QCOMPARE(gradeFor(percent), grade);
}

void TestTestRules::aLessonIsAskedWithoutRepeats_data()
{
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("asked");
    QTest::newRow("12 words, 15 asked for") << 12 << 15 << 12;
    QTest::newRow("5 words, 10 asked for") << 5 << 10 << 5;
    QTest::newRow("30 words, 10 asked for") << 30 << 10 << 10;
    QTest::newRow("a lesson of 250 words, all asked") << 250 << 250 << 250;
}

void TestTestRules::aLessonIsAskedWithoutRepeats()
{
    QFETCH(int, words);
    QFETCH(int, requested);
    QFETCH(int, asked);
    QCOMPARE(questionCount(requested, words), asked);
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator generator(seed);
        WordDraw draw(words, true, [&generator](int bound) { return int(generator.bounded(bound)); });
        QSet<int> positions;
        for (int question = 0; question < asked; ++question) {
            const int position = draw.next();
            QVERIFY(position >= 0 && position < words);
            positions.insert(position);
        }
        QCOMPARE(positions.size(), asked);
        const int afterTheLast = draw.next(); // drawn after the last question too
        QVERIFY(afterTheLast >= 0 && afterTheLast < words);
    }
}

void TestTestRules::allWordsMayRepeat()
{
    QRandomGenerator generator(7);
    WordDraw draw(12, false, [&generator](int bound) { return int(generator.bounded(bound)); });
    QSet<int> positions;
    for (int question = 0; question < 12; ++question)
        positions.insert(draw.next());
    QVERIFY(positions.size() < 12);
}

void TestTestRules::theDrawIsUniform()
{
    // Every word of a lesson is as likely to be asked first, second, …
    constexpr int words = 4;
    constexpr int rounds = 20000;
    int counts[words][words] = {};
    QRandomGenerator generator(42);
    for (int round = 0; round < rounds; ++round) {
        WordDraw draw(words, true, [&generator](int bound) { return int(generator.bounded(bound)); });
        for (int place = 0; place < words; ++place)
            ++counts[place][draw.next()];
    }
    for (int place = 0; place < words; ++place) {
        for (int word = 0; word < words; ++word)
            QVERIFY2(qAbs(counts[place][word] - rounds / words) < rounds / 40,
                     qPrintable(QStringLiteral("place %1 word %2: %3").arg(place).arg(word).arg(counts[place][word])));
    }
}

QTEST_APPLESS_MAIN(TestTestRules)
#include "tst_test_rules.moc"
