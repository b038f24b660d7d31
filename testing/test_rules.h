// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <vector>

// What a test decides without a window: whether an answer is accepted, the grade of a share of
// good answers, and which word comes next.
namespace kadmor::test_rules {

// The expected text lists the accepted answers separated by commas. Each comma ends an
// alternative and is skipped; the character after a skipped comma always starts the next
// alternative, even when it is a comma itself, so "a,,b" accepts "a" and ",b". The answer must
// equal an alternative exactly: case and spaces count, nothing is trimmed. An empty expected text
// has no alternative, so it accepts no answer; an empty answer is never accepted.
bool answerAccepted(const QString& answer, const QString& expected);

// Good answers as a whole percentage of the questions, the remainder dropped; 0 without questions.
int percentage(int good, int questions);

// "1" from 90 %, "2" from 80 %, "3" from 70 %, "4" from 60 %, else "5".
QString gradeFor(int percent);

// The number of questions: the count asked for, but no more than the words there are.
int questionCount(int requested, int eligible);

// Draws word positions 0 … eligible − 1. Within a lesson no position comes twice until every one
// was drawn, and then a new round begins; over all words every draw is free, so words may repeat.
class WordDraw
{
  public:
    // random(bound) gives a whole number from 0 to bound − 1, uniformly.
    using Random = std::function<int(int bound)>;

    WordDraw(int eligible, bool withoutRepeats, Random random);
    int next();

  private:
    int m_eligible;
    bool m_withoutRepeats;
    Random m_random;
    std::vector<int> m_unasked; // positions not drawn yet, while drawing without repeats
};

} // namespace kadmor::test_rules
