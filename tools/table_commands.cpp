// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_commands.h"

#include "storage/dbf_file.h"
#include "base/error.h"
#include "storage/file_records.h"
#include "storage/table.h"

#include <QFileInfo>
#include <QStringDecoder>

namespace kadmor::tools {

namespace {

const QChar kSeparator = QLatin1Char('\t');

QList<QStringList> parseLines(const QByteArray& input)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(input);
    if (utf8.hasError())
        throw Error(QStringLiteral("Vstup není text v kódování UTF-8."));
    QList<QStringList> lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.isEmpty())
            lines.append(line.split(kSeparator));
    }
    return lines;
}

void fillRecord(Table& table, const QStringList& values, int lineNumber)
{
    if (values.size() != table.fieldCount())
        throw Error(QStringLiteral("Řádek %1 má %2 hodnot, tabulka má %3 polí.")
                        .arg(lineNumber)
                        .arg(values.size())
                        .arg(table.fieldCount()));
    for (int i = 0; i < table.fieldCount(); ++i) {
        Field& field = table.field(i);
        // The table would cut a long text; an administrator's input must not lose anything.
        if (field.type() == FieldType::Character && values[i].size() > field.width())
            throw Error(QStringLiteral("Řádek %1: hodnota „%2“ je delší než pole %3 (%4 znaků).")
                            .arg(lineNumber)
                            .arg(values[i], field.name())
                            .arg(field.width()));
        try {
            field.setAsString(values[i]);
        } catch (const Error& error) {
            throw Error(QStringLiteral("Řádek %1: %2").arg(lineNumber).arg(error.text()));
        }
    }
}

// A new record filled from one line; a bad value drops it, so that closing posts nothing.
void fillNewRecord(Table& table, const QStringList& values, int lineNumber)
{
    table.append();
    try {
        fillRecord(table, values, lineNumber);
    } catch (const Error&) {
        table.cancel();
        throw;
    }
}

QString censusText(const DbfFile::Census& census)
{
    return QStringLiteral("Hlavička uvádí %1 záznamů, soubor obsahuje %2 celých záznamů.")
        .arg(census.counted)
        .arg(census.whole);
}

} // namespace

void dumpTable(const QString& path, QTextStream& out)
{
    const FileRecords contents = readFileRecords(path);
    out << kSeparator << contents.fieldNames.join(kSeparator) << '\n';
    for (const FileRecord& record : contents.records)
        out << (record.deleted ? QStringLiteral("*") : QString()) << kSeparator << record.values.join(kSeparator)
            << '\n';
}

int appendRecords(const QString& path, const QByteArray& input)
{
    const QList<QStringList> lines = parseLines(input);
    Table table;
    table.setTableName(path);
    table.open();
    for (int i = 0; i < lines.size(); ++i) { // check everything first
        fillNewRecord(table, lines[i], i + 1);
        table.cancel();
    }
    for (int i = 0; i < lines.size(); ++i) {
        fillNewRecord(table, lines[i], i + 1);
        table.post();
    }
    table.close();
    return int(lines.size());
}

void packTable(const QString& path)
{
    Table table;
    table.setTableName(path);
    table.setExclusive(true);
    table.open();
    if (table.pack() != Table::PackDone)
        throw Error(QStringLiteral("Tabulku %1 se nepodařilo zhustit.").arg(QFileInfo(path).fileName()));
}

} // namespace kadmor::tools

namespace kadmor::tools {

bool checkTable(const QString& path, QTextStream& out)
{
    const DbfFile::Census census = DbfFile(path, DbfFile::Access::Shared).census();
    out << censusText(census) << '\n';
    if (census.damaged())
        out << QStringLiteral("Tabulka je poškozená; opravíte ji příkazem „kadmor-table repair %1“.\n").arg(path);
    else if (census.whole > census.counted)
        out << QStringLiteral("Poslední záznam přerušený zápis nezapočítal; další připsání jej započítá se svým.\n");
    else
        out << QStringLiteral("Tabulka je v pořádku.\n");
    return !census.damaged();
}

bool repairTable(const QString& path, QTextStream& out, const std::function<bool(const QString&)>& confirm)
{
    {
        DbfFile file(path, DbfFile::Access::Exclusive);
        const DbfFile::Census census = file.census();
        out << censusText(census) << '\n';
        if (!census.damaged()) {
            out << QStringLiteral("Tabulka je v pořádku, není co opravovat.\n");
            return false;
        }
        out.flush();
        if (!confirm(QStringLiteral("Počet záznamů v hlavičce se nastaví na %1. Opravit tabulku?").arg(census.whole))) {
            out << QStringLiteral("Tabulka zůstala beze změny.\n");
            return false;
        }
        file.countWholeRecords();
    }
    {
        Table table; // opening brings the production index in step with the records
        table.setTableName(path);
        table.setExclusive(true);
        table.open();
    }
    out << QStringLiteral("Opraveno: tabulka má %1 záznamů.\n")
               .arg(DbfFile(path, DbfFile::Access::Shared).census().counted);
    return true;
}

} // namespace kadmor::tools
