// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace testkit {

// A pupil of the grade book as the tests write and read it: grades one character per slot from A
// on, a space for a blank slot ("1 3" holds A and C).
struct Pupil
{
    QString name;
    QString grades;
    QString count = QStringLiteral("auto"); // CPZ: "auto" counts the grades, "" leaves it blank
    QString average = QStringLiteral("auto");
};

// Replaces the grade book of the data folder by these pupils, numbered "1.", "2.", … in the order
// given, as another program sharing the data folder would write them.
void writeGradeBook(const QString& dataFolder, const QList<Pupil>& pupils);

// Every pupil of the grade book on disk, read by an independent dBASE reader, in file order:
// POR, JMENO, the 28 slots as one string (a space for a blank slot), CPZ, PRUM.
QList<QStringList> gradeBookOnDisk(const QString& dataFolder);

// A word of the word table as the test tests write it.
struct Word
{
    QString lesson; // "  1"
    QString word;   // ANGL
    QString czech;  // CES
    QString sound;  // ZVUK
};

// Replaces the word table of the data folder by these words.
void writeWords(const QString& dataFolder, const QList<Word>& words);

// The wrong-answers table on disk (ANGL, CESK, ZVUK of each record, in file order).
QList<QStringList> wrongAnswersOnDisk(const QString& dataFolder);

} // namespace testkit
