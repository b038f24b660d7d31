// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's icon at build time into OUTDIR/hicolor, as the icon theme lays it out: a
// scalable SVG and a PNG of each size, all named after the program's desktop id.
//
// usage: kadmor-draw-icon APP_ID OUTDIR SIZE...

#include "icon_drawing.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextStream>

#include <cstdio>

namespace {

using kadmor::desktop::drawIcon;
using kadmor::desktop::iconCanvas;

bool drawPng(int size, const QString& path)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(double(size) / iconCanvas, double(size) / iconCanvas);
    drawIcon(p, size);
    p.end();
    return image.save(path);
}

bool drawSvg(const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(iconCanvas, iconCanvas));
    svg.setViewBox(QRect(0, 0, iconCanvas, iconCanvas));
    svg.setTitle(QStringLiteral("kadmor"));
    svg.setDescription(QStringLiteral("Ikona programu kadmor"));
    QPainter p;
    if (!p.begin(&svg))
        return false;
    drawIcon(p, iconCanvas);
    return p.end();
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fputs("usage: kadmor-draw-icon APP_ID OUTDIR SIZE...\n", stderr);
        return 2;
    }
    const QString name = args[1];
    const QDir theme(QDir(args[2]).filePath(QStringLiteral("hicolor")));
    QStringList failed;
    const QString scalable = theme.filePath(QStringLiteral("scalable/apps"));
    if (!QDir().mkpath(scalable) || !drawSvg(scalable + u'/' + name + QStringLiteral(".svg")))
        failed << scalable;
    for (const QString& size : args.mid(3)) {
        const QString folder = theme.filePath(QStringLiteral("%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) || !drawPng(size.toInt(), folder + u'/' + name + QStringLiteral(".png")))
            failed << folder;
    }
    for (const QString& folder : failed)
        QTextStream(stderr) << "kadmor-draw-icon: cannot write the icon into " << folder << '\n';
    return failed.isEmpty() ? 0 : 1;
}
