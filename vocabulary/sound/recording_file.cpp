// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/sound/recording_file.h"

#include "vocabulary/sound/wave_file.h"

#include <QFile>

#include <filesystem>
#include <system_error>

namespace kadmor {

QString recordingTemporaryFile(const QString& recordingFile)
{
    return recordingFile + QStringLiteral(".tmp");
}

bool writeRecording(const QString& recordingFile, QByteArrayView samples)
{
    const QString temporary = recordingTemporaryFile(recordingFile);
    const QByteArray content = wave::recordingFile(samples);
    {
        QFile file(temporary);
        const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                             file.write(content) == content.size() && file.flush();
        if (!written) {
            file.remove();
            return false;
        }
    }
    return replaceFile(temporary, recordingFile);
}

bool replaceFile(const QString& source, const QString& target)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(source).toStdString(), QFile::encodeName(target).toStdString(), error);
    return !error;
}

} // namespace kadmor
