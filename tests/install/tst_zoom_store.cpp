// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/zoom_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace kadmor;

class TestZoomStore : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void missingStoreIsNeverCreatedByTheProgram();
    void createdStoreReadsAndWrites();
    void storedText_data();
    void storedText();

  private:
    void writeStore(const QByteArray& content);

    QTemporaryDir m_config;
    QString m_store;
};

void TestZoomStore::initTestCase()
{
    QVERIFY(m_config.isValid());
    // QSettings looks the folder up once, so this must come before the first store is opened.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    m_store = m_config.filePath("kadmor/kadmor.conf");
}

void TestZoomStore::init()
{
    QDir(m_config.filePath("kadmor")).removeRecursively();
}

void TestZoomStore::writeStore(const QByteArray& content)
{
    QVERIFY(QDir().mkpath(m_config.filePath("kadmor")));
    QFile file(m_store);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestZoomStore::missingStoreIsNeverCreatedByTheProgram()
{
    QVERIFY(!zoomStoreExists());
    QCOMPARE(readZoom(), std::nullopt);
    QVERIFY(!writeZoom(110));
    QVERIFY(!QFileInfo::exists(m_store));
    QVERIFY(!zoomStoreExists());
}

void TestZoomStore::createdStoreReadsAndWrites()
{
    createZoomStore();
    QVERIFY(QFileInfo::exists(m_store));
    QVERIFY(zoomStoreExists());
    QCOMPARE(readZoom(), std::optional<int>(100));
    QVERIFY(writeZoom(115));
    QCOMPARE(readZoom(), std::optional<int>(115));
    createZoomStore(90);
    QCOMPARE(readZoom(), std::optional<int>(90));
}

void TestZoomStore::storedText_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<std::optional<int>>("zoom");
    QTest::newRow("whole number") << QByteArray("[General]\nvelik=110\n") << std::optional<int>(110);
    QTest::newRow("negative") << QByteArray("[General]\nvelik=-5\n") << std::optional<int>(-5);
    QTest::newRow("fraction") << QByteArray("[General]\nvelik=1.5\n") << std::optional<int>();
    QTest::newRow("text") << QByteArray("[General]\nvelik=velky\n") << std::optional<int>();
    QTest::newRow("empty") << QByteArray("[General]\nvelik=\n") << std::optional<int>();
    QTest::newRow("no value") << QByteArray("[General]\njine=100\n") << std::optional<int>();
    QTest::newRow("empty file") << QByteArray() << std::optional<int>();
}

void TestZoomStore::storedText()
{
    QFETCH(QByteArray, content);
    QFETCH(std::optional<int>, zoom);
    writeStore(content);
    QVERIFY(zoomStoreExists());
    QCOMPARE(readZoom(), zoom);
}

QTEST_GUILESS_MAIN(TestZoomStore)
#include "tst_zoom_store.moc"
