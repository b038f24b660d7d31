// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/code_page.h"
#include "storage/dbf_format.h"
#include "storage/layouts.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace kadmor {

// A field as the table shows it: where it lies in the record and the rules its values obey.
struct FieldInfo
{
    QString name;
    FieldType type = FieldType::Character;
    int width = 0;
    int decimals = 0;
    int offset = -1; // within the record (byte 0 is the deletion flag); -1 for a calculated field
    bool required = false;
    bool readOnly = false;
    int minValue = 0;
    int maxValue = 0;
    bool raw = false;

    bool stored() const { return offset >= 0; }
    bool hasRange() const { return minValue < maxValue; }
    bool numeric() const;
};

// The fields a file describes, in file order, names converted from the file's code page.
std::vector<FieldInfo> fileFields(const dbf::Header& header, const CodePage& codePage);

// Conversions between a field's stored bytes and its values.
namespace field_codec {

bool isBlank(QByteArrayView bytes);
QString text(const FieldInfo& field, QByteArrayView bytes, const CodePage& codePage);
std::optional<double> number(QByteArrayView bytes); // empty for blank or no number

// The bytes to store for a value, exactly field.width long; throws kadmor::Error for a value
// the field cannot take (no number in a numeric field, too wide, outside the range).
QByteArray fromText(const FieldInfo& field, const QString& value, const CodePage& codePage);
QByteArray fromNumber(const FieldInfo& field, double value);

// Parses a number as typed: either decimal separator, surrounding spaces allowed.
std::optional<double> parseNumber(const QString& text);
// A number as the user reads it: general format, the system's decimal separator.
QString formatNumber(double value);

} // namespace field_codec

} // namespace kadmor
