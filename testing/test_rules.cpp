// SPDX-License-Identifier: GPL-3.0-or-later
#include "testing/test_rules.h"

#include <numeric>

namespace kadmor::test_rules {

bool answerAccepted(const QString& answer, const QString& expected)
{
    const QChar comma = QLatin1Char(',');
    QString alternative;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        alternative += expected[i];
        const bool last = i + 1 == expected.size();
        if (last || expected[i + 1] == comma) {
            if (alternative == answer)
                return true;
            alternative.clear();
            ++i; // the comma ends the alternative; what follows it begins the next one
        }
    }
    return false;
}

int percentage(int good, int questions)
{
    return questions > 0 ? good * 100 / questions : 0;
}

QString gradeFor(int percent)
{
    if (percent >= 90)
        return QStringLiteral("1");
    if (percent >= 80)
        return QStringLiteral("2");
    if (percent >= 70)
        return QStringLiteral("3");
    if (percent >= 60)
        return QStringLiteral("4");
    return QStringLiteral("5");
}

int questionCount(int requested, int eligible)
{
    return requested > eligible ? eligible : requested;
}

WordDraw::WordDraw(int eligible, bool withoutRepeats, Random random)
    : m_eligible(eligible), m_withoutRepeats(withoutRepeats), m_random(std::move(random))
{
}

// Drawing among the positions not asked yet gives each of them the same chance, as drawing again
// until an unasked one comes up would, but it never gives up and works for a lesson of any size.
int WordDraw::next()
{
    if (m_eligible <= 0)
        return 0;
    if (!m_withoutRepeats)
        return m_random(m_eligible);
    if (m_unasked.empty()) {
        m_unasked.resize(size_t(m_eligible));
        std::iota(m_unasked.begin(), m_unasked.end(), 0);
    }
    const size_t drawn = size_t(m_random(int(m_unasked.size())));
    const int position = m_unasked[drawn];
    m_unasked[drawn] = m_unasked.back();
    m_unasked.pop_back();
    return position;
}

} // namespace kadmor::test_rules
