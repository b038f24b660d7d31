// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/field_codec.h"

#include "base/error.h"

#include <QDate>
#include <QLocale>

#include <cmath>

namespace kadmor {

bool FieldInfo::numeric() const
{
    return type == FieldType::Numeric || type == FieldType::Float;
}

std::vector<FieldInfo> fileFields(const dbf::Header& header, const CodePage& codePage)
{
    std::vector<FieldInfo> fields;
    for (const dbf::Descriptor& descriptor : header.fields) {
        FieldInfo info;
        info.name = codePage.decode(descriptor.name);
        info.type = FieldType(descriptor.type);
        info.width = descriptor.length;
        info.decimals = descriptor.decimals;
        info.offset = descriptor.offset;
        fields.push_back(info);
    }
    return fields;
}

namespace field_codec {

namespace {

constexpr char kPad = ' ';
const QString kDateStorage = QStringLiteral("yyyyMMdd");
const QString kDateShown = QStringLiteral("yyyy-MM-dd");

QByteArrayView trimmedRight(QByteArrayView bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && (bytes[end - 1] == kPad || bytes[end - 1] == '\0'))
        --end;
    return bytes.first(end);
}

QByteArray padded(QByteArray bytes, int width)
{
    bytes.truncate(width);
    return bytes.leftJustified(width, kPad);
}

QByteArray rawBytes(const QString& value, const QString& fieldName)
{
    QByteArray bytes(value.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i].unicode() > 0xFF)
            throw Error(
                QStringLiteral("Do pole %1 lze v přímém režimu zapsat jen znaky s kódem do 255.").arg(fieldName));
        bytes[i] = char(value[i].unicode());
    }
    return bytes;
}

QString logicalText(QByteArrayView bytes)
{
    switch (bytes.isEmpty() ? ' ' : bytes[0]) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
        return QStringLiteral("T");
    case 'F':
    case 'f':
    case 'N':
    case 'n':
        return QStringLiteral("F");
    default:
        return {};
    }
}

QByteArray logicalBytes(const FieldInfo& field, const QString& value)
{
    const QString v = value.trimmed().toUpper();
    if (v.isEmpty())
        return padded({}, field.width);
    if (v == u"T" || v == u"Y" || v == u"A" || v == u"1" || v == u"TRUE" || v == u"ANO")
        return padded("T", field.width);
    if (v == u"F" || v == u"N" || v == u"0" || v == u"FALSE" || v == u"NE")
        return padded("F", field.width);
    throw Error(QStringLiteral("„%1“ není logická hodnota (pole %2).").arg(value, field.name));
}

QString dateText(QByteArrayView bytes)
{
    const QByteArrayView stored = trimmedRight(bytes);
    const QDate date = QDate::fromString(QString::fromLatin1(stored), kDateStorage);
    return date.isValid() ? date.toString(kDateShown) : QString::fromLatin1(stored);
}

QByteArray dateBytes(const FieldInfo& field, const QString& value)
{
    const QString v = value.trimmed();
    if (v.isEmpty())
        return padded({}, field.width);
    for (const QString& format : {kDateShown, kDateStorage, QStringLiteral("d.M.yyyy")}) {
        const QDate date = QDate::fromString(v, format);
        if (date.isValid())
            return padded(date.toString(kDateStorage).toLatin1(), field.width);
    }
    throw Error(QStringLiteral("„%1“ není datum (pole %2).").arg(value, field.name));
}

} // namespace

bool isBlank(QByteArrayView bytes)
{
    return trimmedRight(bytes).trimmed().isEmpty();
}

std::optional<double> number(QByteArrayView bytes)
{
    const QByteArrayView trimmed = bytes.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed.toByteArray(), &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> parseNumber(const QString& text)
{
    QString v = text.trimmed();
    v.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(v, &ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

QString formatNumber(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value == 0 ? 0.0 : value, 'g', 15);
}

QString text(const FieldInfo& field, QByteArrayView bytes, const CodePage& codePage)
{
    switch (field.type) {
    case FieldType::Character: {
        const QByteArrayView stored = trimmedRight(bytes);
        return field.raw ? QString::fromLatin1(stored) : codePage.decode(stored);
    }
    case FieldType::Numeric:
    case FieldType::Float: {
        const std::optional<double> value = number(bytes);
        return value ? formatNumber(*value) : QString::fromLatin1(bytes.trimmed());
    }
    case FieldType::Logical:
        return logicalText(bytes);
    case FieldType::Date:
        return dateText(bytes);
    case FieldType::Calculated:
        break;
    }
    return {};
}

QByteArray fromText(const FieldInfo& field, const QString& value, const CodePage& codePage)
{
    switch (field.type) {
    case FieldType::Character:
        // Text longer than the field is cut, as dBASE programs do ("100." in 3 characters is "100").
        return padded(field.raw ? rawBytes(value, field.name) : codePage.encode(value), field.width);
    case FieldType::Numeric:
    case FieldType::Float: {
        if (value.trimmed().isEmpty())
            return padded({}, field.width);
        const std::optional<double> v = parseNumber(value);
        if (!v)
            throw Error(QStringLiteral("„%1“ není platné číslo (pole %2).").arg(value, field.name));
        return fromNumber(field, *v);
    }
    case FieldType::Logical:
        return logicalBytes(field, value);
    case FieldType::Date:
        return dateBytes(field, value);
    case FieldType::Calculated:
        break;
    }
    return {};
}

QByteArray fromNumber(const FieldInfo& field, double value)
{
    if (!std::isfinite(value))
        throw Error(QStringLiteral("Do pole %1 nelze zapsat neplatné číslo.").arg(field.name));
    if (field.hasRange() && (value < field.minValue || value > field.maxValue))
        throw Error(QStringLiteral("Hodnota %1 je pro pole %2 mimo povolený rozsah %3 až %4.")
                        .arg(formatNumber(value), field.name)
                        .arg(field.minValue)
                        .arg(field.maxValue));
    if (!field.numeric()) {
        if (field.type != FieldType::Character)
            throw Error(QStringLiteral("Do pole %1 nelze zapsat číslo.").arg(field.name));
        return padded(QString::number(value, 'g', 15).toLatin1(), field.width);
    }
    QByteArray text = QByteArray::number(value, 'f', field.decimals);
    if (text.size() > field.width)
        throw Error(QStringLiteral("Číslo %1 se do pole %2 nevejde.").arg(formatNumber(value), field.name));
    return text.rightJustified(field.width, kPad);
}

} // namespace field_codec

} // namespace kadmor
