// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/lesson_key.h"
#include "util/tools.h"

#include <QTest>

using namespace kadmor;

class ToolsTest : public QObject
{
    Q_OBJECT

  private slots:
    void padding_data();
    void padding();
    void upperCase_data();
    void upperCase();
    void lessonKey_data();
    void lessonKey();
};

void ToolsTest::padding_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");

    QTest::newRow("lesson 1") << 3 << "1"
                              << "  1"
                              << "1  ";
    QTest::newRow("lesson 12") << 3 << "12"
                               << " 12"
                               << "12 ";
    QTest::newRow("as wide") << 3 << "123"
                             << "123"
                             << "123";
    QTest::newRow("wider, never cut") << 3 << "1234"
                                      << "1234"
                                      << "1234";
    QTest::newRow("empty") << 4 << ""
                           << "    "
                           << "    ";
    QTest::newRow("Czech letters count once") << 5 << "čaj"
                                              << "  čaj"
                                              << "čaj  ";
    QTest::newRow("width 0") << 0 << "ab"
                             << "ab"
                             << "ab";
    QTest::newRow("negative width") << -2 << ""
                                    << ""
                                    << "";
}

void ToolsTest::padding()
{
    QFETCH(int, width);
    QFETCH(QString, text);
    QFETCH(QString, left);
    QFETCH(QString, right);

    QString padded = text;
    padLeft(width, padded);
    QCOMPARE(padded, left);
    padded = text;
    padRight(width, padded);
    QCOMPARE(padded, right);
}

void ToolsTest::upperCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("accented first letter stays") << "čaj"
                                                 << "čAJ";
    QTest::newRow("all of a-z") << "abcdefghijklmnopqrstuvwxyz"
                                << "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QTest::newRow("Czech accents stay") << "žluťoučký kůň úpěl ďábelské ódy"
                                        << "žLUťOUčKý Kůň úPěL ďáBELSKé óDY";
    QTest::newRow("capitals, digits, signs") << "ABC 123 @[`{"
                                             << "ABC 123 @[`{";
    QTest::newRow("other scripts stay") << "straße ıi ﬁ"
                                        << "STRAßE ıI ﬁ";
    QTest::newRow("empty") << ""
                           << "";
}

void ToolsTest::upperCase()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);

    kadmor::upperCase(text);
    QCOMPARE(text, expected);
}

void ToolsTest::lessonKey_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("lesson");

    QTest::newRow("lesson 7") << "7"
                              << "  7"
                              << "  7";
    QTest::newRow("lesson 12") << "12"
                               << " 12"
                               << " 12";
    QTest::newRow("already stored") << "  1"
                                    << "  1"
                                    << "  1";
    QTest::newRow("empty box: all lessons") << ""
                                            << "   "
                                            << "   ";
    QTest::newRow("too long: the box keeps it, the lesson is cut") << "1234"
                                                                   << "1234"
                                                                   << "123";
}

void ToolsTest::lessonKey()
{
    QFETCH(QString, typed);
    QFETCH(QString, box);
    QFETCH(QString, lesson);
    QCOMPARE(lesson_key::padded(typed), box);
    QCOMPARE(lesson_key::chosen(typed), lesson);
    QCOMPARE(lesson == lesson_key::allLessons, typed.isEmpty());
}

QTEST_GUILESS_MAIN(ToolsTest)
#include "tst_tools.moc"
