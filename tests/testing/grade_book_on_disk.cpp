// SPDX-License-Identifier: GPL-3.0-or-later
#include "grade_book_on_disk.h"

#include "records_on_disk.h"
#include "storage/layouts.h"
#include "storage/schema.h"
#include "storage/table.h"

namespace testkit {

namespace {

constexpr int slotCount = kadmor::schema::grades::slotCount;

QStringList slotNames()
{
    QStringList names;
    for (int slot = 0; slot < slotCount; ++slot)
        names.append(kadmor::schema::grades::slotField(slot));
    return names;
}

} // namespace

void writeGradeBook(const QString& dataFolder, const QList<Pupil>& pupils)
{
    kadmor::Table table(kadmor::layouts::grades());
    table.setDatabaseName(dataFolder);
    table.setTableName(kadmor::layouts::grades().fileName);
    table.setExclusive(true);
    table.open();
    table.emptyTable();
    const QStringList slotFields = slotNames();
    int number = 1;
    for (const Pupil& pupil : pupils) {
        table.append();
        table.fieldByName(QStringLiteral("POR")).setAsString(QStringLiteral("%1.").arg(number++));
        table.fieldByName(QStringLiteral("JMENO")).setAsString(pupil.name);
        int count = 0;
        int sum = 0;
        for (int slot = 0; slot < pupil.grades.size(); ++slot) {
            if (pupil.grades[slot] == QLatin1Char(' '))
                continue;
            table.fieldByName(slotFields[slot]).setAsString(pupil.grades[slot]);
            ++count;
            sum += pupil.grades[slot].digitValue();
        }
        table.fieldByName(QStringLiteral("CPZ"))
            .setAsString(pupil.count == QStringLiteral("auto") ? QString::number(count) : pupil.count);
        if (pupil.average != QStringLiteral("auto"))
            table.fieldByName(QStringLiteral("PRUM")).setAsString(pupil.average);
        else if (count > 0)
            table.fieldByName(QStringLiteral("PRUM")).setAsFloat(double(sum) / count);
        table.post();
    }
    table.close();
}

QList<QStringList> gradeBookOnDisk(const QString& dataFolder)
{
    const QStringList slotFields = slotNames();
    const QStringList fields = QStringList{QStringLiteral("POR"), QStringLiteral("JMENO")} + slotFields +
                               QStringList{QStringLiteral("CPZ"), QStringLiteral("PRUM")};
    QList<QStringList> pupils;
    for (const QStringList& record : recordsOnDisk(dataFolder + QStringLiteral("/znamky.dbf"), fields)) {
        if (record.size() != fields.size()) {
            pupils.append(record); // the reader's error
            continue;
        }
        QString grades;
        for (int slot = 0; slot < slotCount; ++slot) {
            const QString grade = record[2 + slot];
            grades += grade.isEmpty() ? QStringLiteral(" ") : grade;
        }
        while (grades.endsWith(QLatin1Char(' ')))
            grades.chop(1);
        pupils.append({record[0], record[1], grades, record[2 + slotCount], record[3 + slotCount]});
    }
    return pupils;
}

void writeWords(const QString& dataFolder, const QList<Word>& words)
{
    kadmor::Table table(kadmor::layouts::words());
    table.setDatabaseName(dataFolder);
    table.setTableName(kadmor::layouts::words().fileName);
    table.setExclusive(true);
    table.open();
    table.emptyTable();
    for (const Word& word : words) {
        table.append();
        table.fieldByName(QStringLiteral("LEK")).setAsString(word.lesson);
        table.fieldByName(QStringLiteral("ANGL")).setAsString(word.word);
        table.fieldByName(QStringLiteral("CES")).setAsString(word.czech);
        table.fieldByName(QStringLiteral("ZVUK")).setAsString(word.sound);
        table.post();
    }
    table.close();
}

QList<QStringList> wrongAnswersOnDisk(const QString& dataFolder)
{
    return recordsOnDisk(dataFolder + QStringLiteral("/chtab.dbf"),
                         {QStringLiteral("ANGL"), QStringLiteral("CESK"), QStringLiteral("ZVUK")});
}

} // namespace testkit
