// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/grview_u.h"

#include "base/dialogs.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace {

constexpr QSize openingSize(162, 174);

// The picture's format follows its file's extension; other extensions are not shown.
QByteArray formatOf(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == u"bmp")
        return QByteArrayLiteral("bmp");
    if (extension == u"jpg" || extension == u"jpeg")
        return QByteArrayLiteral("jpeg");
    return QByteArray();
}

QImage readPicture(const QString& path)
{
    const QByteArray format = formatOf(path);
    if (format.isEmpty())
        return QImage();
    QImageReader reader(path, format);
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

} // namespace

Tgrview::Tgrview(QWidget* parent) : QDialog(parent), Image1(new QLabel(this))
{
    setObjectName(QStringLiteral("grview"));
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(0, 0);
    resize(openingSize);
}

void Tgrview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void Tgrview::FormActivate()
{
    Image1->clear();
    Image1->resize(0, 0);
    resize(openingSize);
    const QImage picture = readPicture(path);
    if (picture.isNull()) {
        kadmor::dialogs().beep();
        kadmor::dialogs().message(kadmor::BoxType::Error,
                                  QStringLiteral("Nelze zobrazit \"") + path + QStringLiteral("\"!"),
                                  kadmor::Buttons::Ok);
        // Closed once the showing is over, so that the opener's modal wait ends normally.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    Image1->setPixmap(QPixmap::fromImage(picture));
    Image1->resize(picture.size());
    // The window grows to show the whole picture, as far as the screen allows.
    QSize size = picture.size().expandedTo(openingSize);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size());
    resize(size);
}
