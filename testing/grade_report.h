// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The lines of the grade report: a fixed-width table of every pupil with the 28 grade columns,
// the final grade and the average, for the printer or the file "znamky.txt".
namespace kadmor::grade_report {

// One pupil as the grade book shows it: each text as its field gives it, blank ones empty.
struct Pupil
{
    QString ordinal;    // POR
    QString name;       // JMENO
    QStringList grades; // the 28 slots A … Z, É, Á
    QString finalGrade; // kon
    QString average;    // PRUM in the general number format
};

// The five lines before the pupils: an empty line, the title, an empty line, the column header
// and 96 hyphens.
QStringList header();

// A pupil's line: every text filled to its column, never cut, so a blank final grade makes the
// line one character shorter and a long average makes it longer.
QString pupilLine(const Pupil& pupil);

} // namespace kadmor::grade_report
