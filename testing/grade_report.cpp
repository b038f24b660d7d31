// SPDX-License-Identifier: GPL-3.0-or-later
#include "testing/grade_report.h"

#include "testing/grades.h"

namespace kadmor::grade_report {

namespace {

const QChar bar = QLatin1Char('|');

QString filledLeft(const QString& text, int width)
{
    return text.rightJustified(width, QLatin1Char(' '), false);
}

QString filledRight(const QString& text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '), false);
}

} // namespace

QStringList header()
{
    QString columns = QStringLiteral("Poř|") + QStringLiteral("        jméno            |");
    for (int slot = 0; slot < grades::slotCount; ++slot)
        columns += QStringLiteral(" |");
    columns += QStringLiteral("kon|") + QStringLiteral("prum |");
    const QString hyphens =
        QString(40, QLatin1Char('-')) + QString(40, QLatin1Char('-')) + QString(16, QLatin1Char('-'));
    return {QString(), QStringLiteral("ZNÁMKY za rok ...."), QString(), columns, hyphens};
}

QString pupilLine(const Pupil& pupil)
{
    QString line = filledLeft(pupil.ordinal, 3) + bar + filledRight(pupil.name, 25) + bar;
    for (int slot = 0; slot < grades::slotCount; ++slot) {
        const QString grade = pupil.grades.value(slot);
        line += (grade.isEmpty() ? QStringLiteral(" ") : grade) + bar;
    }
    line += QStringLiteral("  ") + pupil.finalGrade + bar;
    line += QLatin1Char(' ') + filledRight(pupil.average, 4) + bar;
    return line;
}

} // namespace kadmor::grade_report
