// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the pictures of a fresh installation at build time: every picture the sample words name
// (OBR column of the words file; the extension chooses bitmap or JPEG) and the two title pictures.
//
// usage: kadmor-draw-pictures WORDS.tsv OUTDIR

#include "install/pictures/drawings.h"
#include "install/pictures/title_pictures.h"
#include "install/tsv.h"
#include "base/error.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

using namespace kadmor;

constexpr int wordPictureSize = 200;

QImage drawWordPicture(pictures::Drawing drawing)
{
    QImage image(wordPictureSize, wordPictureSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(wordPictureSize) / pictures::canvasSize, double(wordPictureSize) / pictures::canvasSize);
    drawing(p);
    return image;
}

void save(const QImage& image, const QString& path)
{
    if (!image.save(path)) {
        throw Error(QStringLiteral("Nelze uložit obrázek \"%1\"").arg(path));
    }
}

void drawAll(const QString& wordsTsv, const QString& outDir)
{
    const QDir out(outDir);
    if (!out.mkpath("pictures")) {
        throw Error(QStringLiteral("Nelze vytvořit složku \"%1\"").arg(out.filePath("pictures")));
    }
    for (const install::TsvRow& word : install::readTsv(wordsTsv)) {
        const QString fileName = word.value("OBR");
        if (fileName.isEmpty()) {
            continue;
        }
        if (QFileInfo(fileName).fileName() != fileName) {
            throw Error(QStringLiteral("Obrázek \"%1\" musí být jméno souboru bez složky").arg(fileName));
        }
        const auto drawing = pictures::wordDrawings().value(QFileInfo(fileName).completeBaseName());
        if (!drawing) {
            throw Error(QStringLiteral("Pro obrázek \"%1\" není kresba").arg(fileName));
        }
        save(drawWordPicture(drawing), out.filePath("pictures/" + fileName));
    }
    save(pictures::logoPicture(), out.filePath("kadmor.bmp"));
    save(pictures::pupilPicture(), out.filePath("zak.bmp"));
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: kadmor-draw-pictures WORDS.tsv OUTDIR\n", stderr);
        return 2;
    }
    try {
        drawAll(args[1], args[2]);
    } catch (const Error& e) {
        QTextStream(stderr) << e.text() << '\n';
        return 1;
    }
    return 0;
}
