// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon: the window's icon has every drawn size, and the scalable icon that desktops
// draw at any other size looks like the drawn PNGs.

#include "desktop/program_icon.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

namespace {

const QString theme = QStringLiteral(KADMOR_ICONS "/hicolor");

// The mean difference of two images of one size, per channel, from 0 to 255.
double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            sum += qAbs(p.red() - q.red()) + qAbs(p.green() - q.green()) + qAbs(p.blue() - q.blue()) +
                   qAbs(p.alpha() - q.alpha());
        }
    }
    return sum / (4.0 * a.width() * a.height());
}

} // namespace

class TestProgramIcon : public QObject
{
    Q_OBJECT

  private slots:
    void windowIconHasEverySize();
    void scalableIconLooksLikeTheDrawnOnes_data();
    void scalableIconLooksLikeTheDrawnOnes();
};

void TestProgramIcon::windowIconHasEverySize()
{
    const QIcon icon = kadmor::desktop::programIcon();
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(sizes, (QList<QSize>{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
}

void TestProgramIcon::scalableIconLooksLikeTheDrawnOnes_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("48") << 48;
    QTest::newRow("256") << 256;
}

void TestProgramIcon::scalableIconLooksLikeTheDrawnOnes()
{
    QFETCH(int, size);
    QSvgRenderer svg(theme + QStringLiteral("/scalable/apps/" KADMOR_APP_ID ".svg"));
    QVERIFY(svg.isValid());
    QImage drawn(size, size, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    QPainter painter(&drawn);
    svg.render(&painter);
    painter.end();
    const QImage png = QImage(theme + QStringLiteral("/%1x%1/apps/" KADMOR_APP_ID ".png").arg(size))
                           .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(png.size(), QSize(size, size));
    const double difference = meanDifference(drawn, png);
    QVERIFY2(difference < 4, qPrintable(QString::number(difference)));
    // Not blank: the icon covers most of its square.
    QVERIFY(meanDifference(png, QImage(png.size(), QImage::Format_ARGB32)) > 60);
}

QTEST_MAIN(TestProgramIcon)
#include "tst_program_icon.moc"
