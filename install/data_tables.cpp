// SPDX-License-Identifier: GPL-3.0-or-later
#include "install/data_tables.h"

#include "base/error.h"
#include "install/tsv.h"
#include "storage/layouts.h"
#include "storage/schema.h"
#include "storage/table.h"
#include "util/lesson_key.h"

#include <QDir>

#include <functional>

namespace kadmor::install {

namespace {

using RowFiller = std::function<void(Table&, const TsvRow&)>;

constexpr int gradeSlots = schema::grades::slotCount;

// The content writes lesson numbers as they are read, "1".
QString lessonNumber(const QString& lesson)
{
    return lesson_key::padded(lesson.trimmed());
}

void createFilledTable(const QString& folder, const TableLayout& layout, const QList<TsvRow>& rows,
                       const RowFiller& fill)
{
    createTable(QDir(folder).filePath(layout.fileName), layout);
    if (rows.isEmpty()) {
        return;
    }
    Table table(layout);
    table.setDatabaseName(folder);
    table.open();
    for (const TsvRow& row : rows) {
        table.append();
        fill(table, row);
        table.post();
    }
    table.close();
}

// The content's columns are named by the fields they fill.
void fillWord(Table& t, const TsvRow& row)
{
    namespace field = schema::words::field;
    t.fieldByName(field::lesson).setAsString(lessonNumber(row.value(field::lesson)));
    for (const QString name : {field::foreign, field::czech, field::picture, field::sound}) {
        t.fieldByName(name).setAsString(row.value(name));
    }
}

void fillPhrase(Table& t, const TsvRow& row)
{
    namespace field = schema::phrases::field;
    t.fieldByName(field::lesson).setAsString(lessonNumber(row.value(field::lesson)));
    for (const QString name : {field::foreign, field::czech, field::sound}) {
        t.fieldByName(name).setAsString(row.value(name));
    }
}

// A pupil's grades are written as one digit each ("122"); the count and the average follow
// from them as the grade book itself would compute them.
void fillPupil(Table& t, const TsvRow& row, int ordinal)
{
    namespace field = schema::grades::field;
    const QString grades = row.value("ZNAMKY").trimmed();
    if (grades.size() > gradeSlots) {
        throw Error(QStringLiteral("Žák %1 má více než %2 známek").arg(row.value(field::name)).arg(gradeSlots));
    }
    t.fieldByName(field::ordinal).setAsString(QStringLiteral("%1.").arg(ordinal));
    t.fieldByName(field::name).setAsString(row.value(field::name));
    int sum = 0;
    for (qsizetype i = 0; i < grades.size(); ++i) {
        const int grade = grades[i].digitValue();
        if (grade < 1 || grade > 5) {
            throw Error(QStringLiteral("Žák %1: známka \"%2\" není 1 až 5").arg(row.value(field::name), grades[i]));
        }
        t.fieldByName(schema::grades::slotField(int(i))).setAsInteger(grade);
        sum += grade;
    }
    t.fieldByName(field::count).setAsInteger(int(grades.size()));
    if (!grades.isEmpty()) {
        t.fieldByName(field::average).setAsFloat(double(sum) / double(grades.size()));
    }
}

QList<TsvRow> content(const QString& contentFolder, const QString& fileName)
{
    return readTsv(QDir(contentFolder).filePath(fileName));
}

} // namespace

void createDataTables(const QString& dataFolder, const QString& contentFolder)
{
    createFilledTable(dataFolder, layouts::words(), content(contentFolder, "words.tsv"), fillWord);
    createFilledTable(dataFolder, layouts::phrases(), content(contentFolder, "phrases.tsv"), fillPhrase);
    int ordinal = 0;
    createFilledTable(dataFolder, layouts::grades(), content(contentFolder, "pupils.tsv"),
                      [&ordinal](Table& t, const TsvRow& row) { fillPupil(t, row, ++ordinal); });
    for (const TableLayout* layout : {&layouts::wrongAnswers(), &layouts::newWords(), &layouts::newPhrases()}) {
        createTable(QDir(dataFolder).filePath(layout->fileName), *layout);
    }
}

void createTemplates(const QString& templatesFolder)
{
    for (const TableLayout* layout :
         {&layouts::words(), &layouts::grades(), &layouts::phrases(), &layouts::newWords(), &layouts::newPhrases()}) {
        createTable(QDir(templatesFolder).filePath(layout->fileName), *layout);
    }
}

} // namespace kadmor::install
