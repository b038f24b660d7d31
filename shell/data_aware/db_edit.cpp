// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/data_aware/db_edit.h"

#include "storage/table.h"

#include <QRegularExpressionValidator>

#include <algorithm>

namespace kadmor {

namespace {

bool isNumber(FieldType type)
{
    return type == FieldType::Numeric || type == FieldType::Float || type == FieldType::Calculated;
}

// What a number field accepts while it is typed: digits and, with decimals, one point or comma.
// No sign: the tables hold no negative numbers, and a lone "-" would be written as a bad number.
QString numberPattern(const Field& field)
{
    return field.decimals() > 0 ? QStringLiteral("[0-9]*([.,][0-9]*)?") : QStringLiteral("[0-9]*");
}

} // namespace

DbEdit::DbEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &DbEdit::write);
    reload();
}

DbEdit::~DbEdit() = default;

void DbEdit::setTable(Table* table, const QString& field)
{
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    m_fieldName = field;
    if (table) {
        const auto follow = [this] {
            if (!m_writing)
                reload();
        };
        connect(table, &Table::viewChanged, this, follow);
        connect(table, &Table::currentChanged, this, follow);
        connect(table, &QObject::destroyed, this, &DbEdit::reload);
    }
    reload();
}

Table* DbEdit::table() const
{
    return m_table;
}

QString DbEdit::fieldName() const
{
    return m_fieldName;
}

void DbEdit::setErrorHandler(ErrorHandler handler)
{
    m_errorHandler = std::move(handler);
}

void DbEdit::setTypingLimit(int characters)
{
    m_typingLimit = characters;
    reload();
}

Field* DbEdit::boundField() const
{
    return m_table && m_table->isOpen() ? m_table->findField(m_fieldName) : nullptr;
}

void DbEdit::reload()
{
    const Field* field = boundField();
    if (!field) {
        clear();
        setReadOnly(true);
        return;
    }
    setReadOnly(field->readOnly() || field->type() == FieldType::Calculated);
    const int width = field->width() > 0 ? field->width() : 32767;
    setMaxLength(m_typingLimit > 0 ? std::min(width, m_typingLimit) : width);
    if (isNumber(field->type())) {
        const QRegularExpression pattern(numberPattern(*field));
        const auto* current = qobject_cast<const QRegularExpressionValidator*>(validator());
        if (!current || current->regularExpression() != pattern)
            setValidator(new QRegularExpressionValidator(pattern, this));
    } else {
        setValidator(nullptr);
    }
    const bool onRecord = m_table->recordCount() > 0 || m_table->state() != TableState::Browse;
    const QString value = !onRecord                 ? QString()
                          : isNumber(field->type()) ? field->asString().trimmed()
                                                    : field->asString();
    if (text() != value)
        setText(value);
}

void DbEdit::write(const QString& text)
{
    Field* field = boundField();
    if (!field)
        return;
    Table* table = m_table;
    m_writing = true;
    const bool written = runAction(m_errorHandler, [table, field, &text] {
        if (table->state() == TableState::Browse)
            table->edit(); // in an empty view this appends
        field->setAsString(text);
    });
    m_writing = false;
    // What the field refused is not left on the screen as if it were stored.
    if (!written)
        reload();
}

} // namespace kadmor
