// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_fixture.h"

#include "table_rows.h"

#include <QDir>

namespace kadmor::test {

namespace {

std::unique_ptr<Table> openTable(const TableLayout& layout, const QString& folder)
{
    auto table = std::make_unique<Table>(layout);
    table->setDatabaseName(folder);
    table->setTableName(layout.fileName);
    table->open();
    return table;
}

} // namespace

Table& TableFixture::open(const TableLayout& layout, const QList<QStringList>& rows)
{
    m_layout = &layout;
    createTable(QDir(m_dir.path()).filePath(layout.fileName), layout);
    {
        const std::unique_ptr<Table> writer = openTable(layout, m_dir.path());
        for (const QStringList& row : rows)
            testkit::appendRow(*writer, row);
    }
    m_table = reopen();
    return *m_table;
}

std::unique_ptr<Table> TableFixture::reopen() const
{
    return openTable(*m_layout, m_dir.path());
}

QList<QStringList> words(int count)
{
    QList<QStringList> rows;
    for (int i = 0; i < count; ++i) {
        const QString number = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        rows.append({QStringLiteral("  1"), u'w' + number, u's' + number, QString(), u'w' + number});
    }
    return rows;
}

QList<QStringList> configRows()
{
    return {
        {QStringLiteral("jazyk"), QStringLiteral("anglick"), QStringLiteral("druhý jazyk")},
        {QStringLiteral("data"), QStringLiteral("/tmp/data"), QStringLiteral("složka s tabulkami")},
        {QStringLiteral("heslo"), QStringLiteral("x"), QStringLiteral("heslo učitele")},
    };
}

} // namespace kadmor::test
