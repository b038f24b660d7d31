// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/table_fingerprint.h"

#include "storage/dbf_format.h"
#include "base/error.h"

#include <QFile>
#include <QtEndian>

namespace kadmor::dbf {

namespace {

template <typename T> void append(QByteArray& bytes, T value)
{
    char buffer[sizeof(T)];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, sizeof(T));
}

} // namespace

QByteArray fingerprintOf(const struct stat& info, const QByteArray& headerPrefix)
{
    QByteArray bytes;
    bytes.reserve(kFingerprintSize);
    append<uint64_t>(bytes, uint64_t(info.st_dev));
    append<uint64_t>(bytes, uint64_t(info.st_ino));
    append<uint64_t>(bytes, uint64_t(info.st_size));
    append<int64_t>(bytes, int64_t(info.st_mtim.tv_sec));
    append<int64_t>(bytes, int64_t(info.st_mtim.tv_nsec));
    append<uint32_t>(bytes, recordCountOf(headerPrefix));
    append<uint32_t>(bytes, changeCounterOf(headerPrefix));
    return bytes;
}

QByteArray fingerprintOfFile(const QString& path)
{
    QFile file(path);
    struct stat info = {};
    if (!file.open(QIODevice::ReadOnly) || fstat(file.handle(), &info) != 0)
        throw Error(QStringLiteral("Tabulku %1 nelze otevřít: %2").arg(path, file.errorString()));
    const QByteArray prefix = file.read(kHeaderSize);
    if (prefix.size() < kHeaderSize)
        throw Error(QStringLiteral("Tabulka %1 nemá celou hlavičku.").arg(path));
    return fingerprintOf(info, prefix);
}

} // namespace kadmor::dbf
