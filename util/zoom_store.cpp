// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/zoom_store.h"

#include <QFileInfo>
#include <QSettings>

namespace kadmor {

namespace {

const QString zoomKey = QStringLiteral("velik");

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("kadmor"), QStringLiteral("kadmor"));
}

} // namespace

bool zoomStoreExists()
{
    return QFileInfo::exists(store().fileName());
}

std::optional<int> readZoom()
{
    if (!zoomStoreExists()) {
        return std::nullopt;
    }
    bool ok = false;
    const int percent = store().value(zoomKey).toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(percent) : std::nullopt;
}

bool writeZoom(int percent)
{
    if (!zoomStoreExists()) {
        return false;
    }
    QSettings settings = store();
    settings.setValue(zoomKey, percent);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void createZoomStore(int percent)
{
    QSettings settings = store();
    settings.setValue(zoomKey, percent);
    settings.sync();
}

} // namespace kadmor
