// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/scaling.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTest>

#include <optional>

using kadmor::WindowScale;
using kadmor::windowScale;

Q_DECLARE_METATYPE(std::optional<int>)

class TestScaling : public QObject
{
    Q_OBJECT
  private slots:
    void factors_data();
    void factors();
    void widgetsScaleFromTheirDesign();
};

void TestScaling::factors_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<std::optional<int>>("stored");
    QTest::addColumn<double>("layout");
    QTest::addColumn<double>("font");
    QTest::addColumn<int>("zoomPercent");

    QTest::newRow("800 at 96, no zoom: only 122/100") << 800 << 96 << std::optional<int>() << 1.22 << 1.22 << 100;
    QTest::newRow("1024 at 120, zoom 110: width and zoom, not 122/100")
        << 1024 << 120 << std::optional<int>(110) << (18.0 / 14) * 1.28 * 1.1 << 1.28 * 1.1 << 110;
    QTest::newRow("zoom 0 is not applied") << 800 << 96 << std::optional<int>(0) << 1.22 << 1.22 << 100;
    QTest::newRow("negative zoom is not applied") << 800 << 96 << std::optional<int>(-5) << 1.22 << 1.22 << 100;
    QTest::newRow("just below 120 dpi") << 800 << 119 << std::optional<int>() << (17.0 / 14) * 1.22 << 1.22 << 100;
    QTest::newRow("1280 at 144, zoom 50")
        << 1280 << 144 << std::optional<int>(50) << 1.5 * 1.6 * 0.5 << 1.6 * 0.5 << 50;
}

void TestScaling::factors()
{
    QFETCH(int, width);
    QFETCH(int, dpi);
    QFETCH(std::optional<int>, stored);
    QFETCH(double, layout);
    QFETCH(double, font);
    QFETCH(int, zoomPercent);

    const WindowScale scale = windowScale(width, dpi, stored);
    QCOMPARE(scale.layout(), layout);
    QCOMPARE(scale.font(), font);
    QCOMPARE(scale.zoomPercent, zoomPercent);
}

void TestScaling::widgetsScaleFromTheirDesign()
{
    QWidget root;
    root.setFont(QFont(QStringLiteral("Arial"), 8));
    auto* button = new QPushButton(&root);
    button->setObjectName(QStringLiteral("BitBtn1"));
    button->setGeometry(10, 20, 30, 40);
    QFont bold(QStringLiteral("Arial"), 10);
    bold.setBold(true);
    button->setFont(bold);
    auto* unnamed = new QWidget(&root);
    unnamed->setGeometry(1, 2, 3, 4);
    auto* boxed = new QWidget(&root);
    boxed->setObjectName(QStringLiteral("Panel1"));
    boxed->setGeometry(0, 0, 100, 100);
    auto* inLayout = new QPushButton(boxed);
    inLayout->setObjectName(QStringLiteral("Button1"));
    (new QHBoxLayout(boxed))->addWidget(inLayout);
    const QRect laidOut = inLayout->geometry();

    kadmor::scaleWidgets(&root, 2.0, 1.5);
    QCOMPARE(button->geometry(), QRect(20, 40, 60, 80));
    QCOMPARE(button->font().pointSizeF(), 15.0);
    QVERIFY(button->font().bold());
    QCOMPARE(root.font().pointSizeF(), 12.0);
    QCOMPARE(unnamed->geometry(), QRect(1, 2, 3, 4));
    QCOMPARE(inLayout->geometry(), laidOut);

    // Zooming in and out again returns to the design exactly, without rounding drift.
    for (int i = 0; i < 20; ++i) {
        kadmor::scaleWidgets(&root, 1.05 * 1.05 * 1.05, 1.0);
        kadmor::scaleWidgets(&root, 1.0 / 1.05, 1.0);
    }
    kadmor::scaleWidgets(&root, 1.0, 1.0);
    QCOMPARE(button->geometry(), QRect(10, 20, 30, 40));
    QCOMPARE(button->font().pointSizeF(), 10.0);
}

QTEST_MAIN(TestScaling)
#include "tst_scaling.moc"
