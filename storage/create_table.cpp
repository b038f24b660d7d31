// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "storage/code_page.h"
#include "storage/dbf_format.h"
#include "storage/mdx/layout_tags.h"
#include "storage/mdx/production_index.h"
#include "storage/system_error.h"
#include "storage/table.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace kadmor {

namespace {

// An empty dBASE IV table of the layout's stored fields, in code page 1250, without index marks.
QByteArray emptyTable(const TableLayout& layout)
{
    const CodePage codePage(dbf::kLanguageWindows1250);
    dbf::Header header;
    header.version = dbf::kVersionDbase;
    header.language = dbf::kLanguageWindows1250;
    header.lastUpdate = QDate::currentDate();
    for (const FieldSpec& declared : layout.fields) {
        if (declared.type == FieldType::Calculated)
            continue;
        dbf::Descriptor field;
        field.name = codePage.encode(declared.name.toUpper()).left(dbf::kNameSize - 1);
        field.type = char(declared.type);
        field.length = declared.width;
        field.decimals = declared.decimals;
        header.fields.push_back(field);
    }
    return dbf::buildHeader(header) + dbf::kEndMark;
}

[[noreturn]] void cannotCreate(const QString& path, const QString& reason)
{
    throw Error(QStringLiteral("Tabulku %1 nelze vytvořit: %2.").arg(path, reason));
}

// Writes the bytes into a new file; false when the file exists already.
bool writeNewFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(path))
            return false;
        cannotCreate(path, file.errorString());
    }
    if (file.write(bytes) != bytes.size() || !file.flush())
        cannotCreate(path, file.errorString());
    return true;
}

} // namespace

void createTable(const QString& path, const TableLayout& layout)
{
    // Written aside and renamed into place: an existing table is never left half overwritten.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(emptyTable(layout)) < 0 || !file.commit())
        cannotCreate(path, file.errorString());
    const QList<MdxTagDef> tags = mdxTagsOf(layout);
    if (!tags.isEmpty()) {
        setProductionIndexFlags(path, tags);
        writeProductionIndex(path, tags);
    }
}

// The complete file is written aside and linked to its name: a link fails when the name exists,
// so two programs that create the table at once make one table and neither replaces the other's.
// A folder without hard links (a FAT stick, some network shares) gets the file written in its
// place, which it takes only when no file is there. The index is the opener's: it sets the marks
// and writes the .mdx under the table's write lock.
void createTableIfMissing(const QString& path, const TableLayout& layout)
{
    if (QFileInfo::exists(path))
        return;
    const QByteArray bytes = emptyTable(layout);
    const QString aside =
        path + QStringLiteral(".%1.new").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    if (!writeNewFile(aside, bytes))
        cannotCreate(path, QStringLiteral("soubor %1 už existuje").arg(aside));
    const int linked = ::link(QFile::encodeName(aside).constData(), QFile::encodeName(path).constData());
    const int linkError = errno;
    QFile::remove(aside);
    if (linked == 0 || linkError == EEXIST)
        return;
    if (linkError != EPERM && linkError != ENOTSUP)
        cannotCreate(path, systemErrorText(linkError));
    writeNewFile(path, bytes);
}

} // namespace kadmor
