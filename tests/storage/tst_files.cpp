// SPDX-License-Identifier: GPL-3.0-or-later
// The dBASE files themselves: what other programs wrote, what independent readers make of
// ours, code pages, exact bytes, damaged files.
#include "test_support.h"

#include "base/error.h"
#include "storage/file_records.h"
#include "storage/table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>
#include <QtEndian>

#include <thread>
#include <vector>

using namespace kadmor;

namespace {

const QString kCzech = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy");
const QString kWestern = QStringLiteral("Größe café naïve");

QStringList liveRows(Table& table)
{
    QStringList rows;
    for (table.first(); !table.eof(); table.next()) {
        QStringList values;
        for (int i = 0; i < table.fieldCount(); ++i)
            values.append(table.field(i).asString());
        rows.append(QString::number(table.recNo()) + u':' + values.join(u'|'));
    }
    return rows;
}

QString jsonText(const QJsonValue& value)
{
    if (value.isNull())
        return {};
    if (value.isBool())
        return value.toBool() ? QStringLiteral("T") : QStringLiteral("F");
    if (value.isDouble())
        return QLocale::c().toString(value.toDouble(), 'g', 15);
    return value.toString();
}

QStringList jsonRows(const QJsonArray& rows)
{
    QStringList result;
    for (const QJsonValue& row : rows) {
        QStringList values;
        for (const QJsonValue& value : row.toArray())
            values.append(jsonText(value));
        result.append(values.join(u'|'));
    }
    return result;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A sample value for a field of a layout, as the engine reads it back.
QString sampleValue(const FieldSpec& declared, int row)
{
    if (declared.type == FieldType::Character)
        return (QString::number(row) + u' ' + kCzech).left(declared.width);
    if (declared.maxValue > 0)
        return QString::number(declared.minValue + row % (declared.maxValue - declared.minValue + 1));
    return declared.decimals > 0 ? QStringLiteral("%1.25").arg(row + 1) : QString::number(row + 10);
}

std::unique_ptr<Table> openFile(const QString& path)
{
    auto table = std::make_unique<Table>();
    table->setTableName(path);
    table->open();
    return table;
}

} // namespace

class FilesTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void otherProgramsTables_data();
    void otherProgramsTables();
    void changesToOtherProgramsTables_data();
    void changesToOtherProgramsTables();
    void layoutsReadByDbfread_data();
    void layoutsReadByDbfread();
    void codePages_data();
    void codePages();
    void newTableBytes();
    void rawModeKeepsBytes();
    void versionsWithMemoFilesAreRead_data();
    void versionsWithMemoFilesAreRead();
    void damagedFilesAreRefused_data();
    void damagedFilesAreRefused();
    void interruptedWritesAreTolerated_data();
    void interruptedWritesAreTolerated();
    void aTableAddedLaterIsCreatedWhenMissing();
    void creatingAMissingTableNeverReplacesOne();
    void anInstalledTableIsNeverCreated();
};

void FilesTest::otherProgramsTables_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("live");
    QTest::addColumn<QStringList>("deleted");

    const QString horse = QStringLiteral("kůň|horse|1|12.5|3.25|T|2024-01-31");
    const QString odes = QStringLiteral("Příliš ĎÁBELSKÉ ÓDY|too devilish odes|9|-9.5|1234.567|T|2000-02-29");
    const QString cress = QStringLiteral("ŘEŘICHA čeština|cress; Czech|5|7.25|0.001|F|2025-01-01");
    const QString yellowish = QStringLiteral("žluťoučký|yellowish|2|99.99|-1.5|F|1999-12-31");
    const QString moaned = QStringLiteral("úpěl|moaned|0|0|0|F|");
    const QStringList deleted{yellowish, moaned};
    // python-dbf stored SKORE -1.5 where -9.5 was given; the file holds -1.5.
    QTest::newRow("python-dbf") << "python-dbf.dbf"
                                << QStringList{"1:" + horse, "3:" + QString(odes).replace("-9.5", "-1.5"), "5:" + cress}
                                << deleted;
    QTest::newRow("gdal") << "gdal.dbf" << QStringList{"1:" + horse, "2:" + odes, "3:" + QString(cress)}
                          << QStringList{};
    QTest::newRow("libreoffice") << "libreoffice.dbf" << QStringList{"1:" + horse, "2:" + odes, "3:" + cress}
                                 << QStringList{};
    QTest::newRow("npm dbffile") << "npm-dbffile.dbf"
                                 << QStringList{"1:" + horse, "2:" + yellowish, "3:" + odes, "4:" + moaned,
                                                "5:" + cress}
                                 << QStringList{};
    QTest::newRow("tdbf with a production index")
        << "tdbf.dbf" << QStringList{"1:" + horse, "3:" + odes, "5:" + cress} << deleted;
}

void FilesTest::otherProgramsTables()
{
    QFETCH(QString, file);
    QFETCH(QStringList, live);
    QFETCH(QStringList, deleted);
    auto table = openFile(test::fixturePath(file));
    QCOMPARE(table->fieldCount(), 7);
    QCOMPARE(table->field(0).name(), QStringLiteral("SLOVO"));
    QCOMPARE(table->fieldByName(QStringLiteral("slovo")).width(), 30);
    QCOMPARE(liveRows(*table), live);

    QStringList deletedRows;
    for (const FileRecord& record : readFileRecords(test::fixturePath(file)).records)
        if (record.deleted)
            deletedRows.append(record.values.join(u'|'));
    QCOMPARE(deletedRows, deleted);
}

void FilesTest::changesToOtherProgramsTables_data()
{
    QTest::addColumn<QString>("file");
    for (const char* file : {"python-dbf.dbf", "gdal.dbf", "libreoffice.dbf", "npm-dbffile.dbf", "tdbf.dbf"})
        QTest::newRow(file) << file;
}

void FilesTest::changesToOtherProgramsTables()
{
    QFETCH(QString, file);
    QTemporaryDir dir;
    const QString path = test::copyFixture(dir, file);
    const QJsonObject before = test::readWithDbfread(path);
    {
        auto table = openFile(path);
        table->last();
        table->edit();
        table->fieldByName(QStringLiteral("PREKLAD")).setAsString(QStringLiteral("řeřicha"));
        table->append();
        const QStringList values{kCzech,
                                 QStringLiteral("ó"),
                                 QStringLiteral("3"),
                                 QStringLiteral("-9.5"),
                                 QStringLiteral("0.5"),
                                 QStringLiteral("T"),
                                 QStringLiteral("2024-02-29")};
        for (int i = 0; i < values.size(); ++i)
            table->field(i).setAsString(values[i]);
        table->post();
    }
    const QJsonObject after = test::readWithDbfread(path);
    QStringList expected = jsonRows(before[QStringLiteral("records")].toArray());
    expected.last().replace(QStringLiteral("cress; Czech"), QStringLiteral("řeřicha"));
    expected.append(QStringList{kCzech.left(30), "ó", "3", "-9.5", "0.5", "T", "2024-02-29"}.join(u'|'));
    QCOMPARE(jsonRows(after[QStringLiteral("records")].toArray()), expected);
    QCOMPARE(jsonRows(after[QStringLiteral("deleted")].toArray()),
             jsonRows(before[QStringLiteral("deleted")].toArray()));
    QCOMPARE(after[QStringLiteral("language")], before[QStringLiteral("language")]);
}

void FilesTest::layoutsReadByDbfread_data()
{
    QTest::addColumn<int>("which");
    const char* names[] = {"words", "grades", "phrases", "config", "wrong answers", "new words", "new phrases"};
    for (int i = 0; i < 7; ++i)
        QTest::newRow(names[i]) << i;
}

void FilesTest::layoutsReadByDbfread()
{
    QFETCH(int, which);
    const TableLayout* all[] = {&layouts::words(),     &layouts::grades(),       &layouts::phrases(),
                                &layouts::config(),    &layouts::wrongAnswers(), &layouts::newWords(),
                                &layouts::newPhrases()};
    const TableLayout& layout = *all[which];
    QTemporaryDir dir;
    QList<QStringList> rows;
    QStringList expectedFields;
    for (int row = 0; row < 3; ++row) {
        QStringList values;
        for (const FieldSpec& declared : layout.fields)
            if (declared.type != FieldType::Calculated)
                values.append(sampleValue(declared, row));
        rows.append(values);
    }
    for (const FieldSpec& declared : layout.fields)
        if (declared.type != FieldType::Calculated)
            expectedFields.append(QStringLiteral("%1 %2 %3 %4")
                                      .arg(declared.name)
                                      .arg(QChar(char(declared.type)))
                                      .arg(declared.width)
                                      .arg(declared.decimals));
    const QString path = test::createTableWith(dir, layout, rows);
    {
        Table table(layout);
        table.setDatabaseName(dir.path());
        table.setIndexName(QString());
        table.open();
        table.moveToRow(1);
        table.remove();
    }

    const QJsonObject read = test::readWithDbfread(path);
    QCOMPARE(read[QStringLiteral("version")].toInt(), 3);
    QCOMPARE(read[QStringLiteral("language")].toInt(), 0xC8);
    const QDate today = QDate::currentDate();
    QCOMPARE(read[QStringLiteral("year")].toInt(), today.year() - 1900);
    QCOMPARE(read[QStringLiteral("month")].toInt(), today.month());
    QCOMPARE(read[QStringLiteral("day")].toInt(), today.day());
    QStringList fields;
    for (const QJsonValue& field : read[QStringLiteral("fields")].toArray()) {
        const QJsonArray f = field.toArray();
        fields.append(
            QStringLiteral("%1 %2 %3 %4").arg(f[0].toString(), f[1].toString()).arg(f[2].toInt()).arg(f[3].toInt()));
    }
    QCOMPARE(fields, expectedFields);
    QCOMPARE(jsonRows(read[QStringLiteral("records")].toArray()),
             (QStringList{rows[0].join(u'|'), rows[2].join(u'|')}));
    QCOMPARE(jsonRows(read[QStringLiteral("deleted")].toArray()), QStringList{rows[1].join(u'|')});
}

void FilesTest::codePages_data()
{
    QTest::addColumn<QString>("codePage"); // python-dbf's name, also dbfread's encoding
    QTest::addColumn<int>("language");     // written over python-dbf's choice; -1 keeps it
    QTest::addColumn<QString>("text");
    QTest::newRow("Windows 1250") << "cp1250" << -1 << kCzech;
    QTest::newRow("no code page given") << "cp1250" << 0x00 << kCzech;
    QTest::newRow("DOS 852 Czech") << "cp852" << -1 << kCzech;
    QTest::newRow("DOS 852 Eastern European") << "cp852" << 0x64 << kCzech;
    QTest::newRow("Windows 1252") << "cp1252" << -1 << kWestern;
    QTest::newRow("Windows 1252 ANSI") << "cp1252" << 0x57 << kWestern;
    QTest::newRow("Windows 1252 Western") << "cp1252" << 0x58 << kWestern;
}

void FilesTest::codePages()
{
    QFETCH(QString, codePage);
    QFETCH(int, language);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.dbf"));
    test::writeWithPythonDbf(path, QStringLiteral("SLOVO C(40); POCET N(3,0)"), codePage,
                             QJsonArray{QJsonObject{{"values", QJsonArray{text, 1}}},
                                        QJsonObject{{"values", QJsonArray{text.toUpper(), 2}}}});
    if (language >= 0) {
        QByteArray bytes = readFile(path);
        bytes[29] = char(language);
        writeFile(path, bytes);
    }
    const int languageBefore = uchar(readFile(path)[29]);
    {
        auto table = openFile(path);
        QCOMPARE(liveRows(*table), (QStringList{"1:" + text + "|1", "2:" + text.toUpper() + "|2"}));
        table->first();
        table->edit();
        table->field(0).setAsString(text + u'!');
        table->append();
        table->field(0).setAsString(text.toLower());
        table->post();
    }
    const QJsonObject read = test::readWithDbfread(path, codePage);
    QCOMPARE(jsonRows(read[QStringLiteral("records")].toArray()),
             (QStringList{text + "!|1", text.toUpper() + "|2", text.toLower() + "|"}));
    QCOMPARE(read[QStringLiteral("language")].toInt(), languageBefore);
}

void FilesTest::newTableBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("konfig.dbf"));
    createTable(path, layouts::config());
    const QByteArray bytes = readFile(path);
    const QDate today = QDate::currentDate();
    QByteArray expected = QByteArray::fromHex("03000000"                           // version, date below
                                              "00000000"                           // no records
                                              "8100"                               // header: 32 + 3 * 32 + 1
                                              "5600"                               // record: 1 + 15 + 30 + 40
                                              "0000000000000000000000000000000000" // reserved, no .mdx
                                              "c80000");                           // Windows 1250
    expected[1] = char(today.year() - 1900);
    expected[2] = char(today.month());
    expected[3] = char(today.day());
    for (const auto& [name, width] : {std::pair{"NAZEV", 15}, std::pair{"HODNOTA", 30}, std::pair{"POZN", 40}}) {
        QByteArray descriptor(32, '\0');
        descriptor.replace(0, int(qstrlen(name)), name);
        descriptor[11] = 'C';
        descriptor[16] = char(width);
        expected += descriptor;
    }
    expected += "\x0D\x1A";
    QCOMPARE(bytes.toHex(), expected.toHex());
}

void FilesTest::rawModeKeepsBytes()
{
    QTemporaryDir dir;
    const QString path = test::createTableWith(dir, layouts::config(), {{"heslo", "x", ""}});
    QString scrambled;
    for (int code : {0x8A, 0x9A, 0xE8, 0xA0, 0xFF, 0x01, 0x7F, 0x80, 0x20, 0x41})
        scrambled += QChar(code);
    {
        Table table(layouts::config());
        table.setDatabaseName(dir.path());
        table.open();
        Field& value = table.fieldByName(QStringLiteral("HODNOTA"));
        value.setRawMode(true);
        table.edit();
        value.setAsString(scrambled);
        table.post();
        QCOMPARE(value.asString(), scrambled);
        value.setRawMode(false);
        QCOMPARE(value.asString().left(2), QStringLiteral("Šš")); // the same bytes read as Windows 1250
    }
    const QJsonArray records =
        test::readWithDbfread(path, QStringLiteral("latin1"))[QStringLiteral("records")].toArray();
    QCOMPARE(records[0].toArray()[1].toString(), scrambled);
}

void FilesTest::versionsWithMemoFilesAreRead_data()
{
    QTest::addColumn<int>("version");
    QTest::newRow("dBASE III with memo") << 0x83;
    QTest::newRow("dBASE IV with memo") << 0x8B;
}

void FilesTest::versionsWithMemoFilesAreRead()
{
    QFETCH(int, version);
    QTemporaryDir dir;
    const QString path = test::createTableWith(dir, layouts::words(), {{"  1", "kůň", "horse"}});
    QByteArray content = readFile(path);
    content[0] = char(version);
    writeFile(path, content);
    auto table = openFile(path);
    QCOMPARE(liveRows(*table), QStringList{"1:  1|kůň|horse||"});
}

void FilesTest::damagedFilesAreRefused_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("bytes"); // written at offset; an empty array cuts the file there
    QTest::newRow("shorter than a header") << 20 << QByteArray();
    QTest::newRow("unknown version") << 0 << QByteArray("\x30");
    QTest::newRow("record length disagrees with the fields") << 10 << QByteArray("\xA5\x00", 2);
    QTest::newRow("header longer than the file") << 8 << QByteArray("\xFF\x7F", 2);
    QTest::newRow("no fields") << 32 << QByteArray("\x0D");
    QTest::newRow("field of unknown type") << 32 + 11 << QByteArray("M");
}

void FilesTest::damagedFilesAreRefused()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = test::createTableWith(dir, layouts::words(), {{"  1", "a", "b"}});
    QByteArray content = readFile(path);
    if (bytes.isEmpty())
        content.truncate(offset);
    else
        content.replace(offset, bytes.size(), bytes);
    writeFile(path, content);
    try {
        openFile(path);
        QFAIL("a damaged file was opened");
    } catch (const Error& error) {
        QVERIFY2(error.text().contains(QStringLiteral("kadmor.dbf")), qPrintable(error.text()));
    }
}

void FilesTest::interruptedWritesAreTolerated_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("missing end mark") << "cut end mark";
    QTest::newRow("half a record past the count") << "half record";
    QTest::newRow("count one past the data") << "count too high";
}

void FilesTest::interruptedWritesAreTolerated()
{
    QFETCH(QString, damage);
    QTemporaryDir dir;
    const QString path = test::createTableWith(dir, layouts::words(), {{"  1", "a", "b"}, {"  2", "c", "d"}});
    QByteArray content = readFile(path);
    content.chop(1); // the end mark
    if (damage == u"half record")
        content += QByteArray(" 99 half", 8);
    if (damage == u"count too high")
        qToLittleEndian<quint32>(3, content.data() + 4); // another program's append cut short
    writeFile(path, content);

    auto table = openFile(path);
    QCOMPARE(liveRows(*table), (QStringList{"1:  1|a|b||", "2:  2|c|d||"}));
    table->append();
    table->field(1).setAsString(QStringLiteral("e"));
    table->post();
    table->close();
    const QJsonObject read = test::readWithDbfread(path);
    QCOMPARE(jsonRows(read[QStringLiteral("records")].toArray()), (QStringList{"  1|a|b||", "  2|c|d||", "|e|||"}));
    QCOMPARE(readFile(path).size(), 193 + 3 * 164 + 1);
}

// A table added after the seven, as the answer history or the review state will be.
TableLayout laterTable()
{
    TableLayout layout{QStringLiteral("pozdeji.dbf"),
                       {FieldSpec{QStringLiteral("ANGL"), FieldType::Character, 20},
                        FieldSpec{QStringLiteral("KDY"), FieldType::Numeric, 8}},
                       {{QStringLiteral("angl"), QStringLiteral("ANGL"), KeyOrder::Unicode}},
                       QStringLiteral("angl")};
    layout.provision = Provision::CreatedWhenMissing;
    return layout;
}

void FilesTest::aTableAddedLaterIsCreatedWhenMissing()
{
    QTemporaryDir dir;
    const TableLayout layout = laterTable();
    {
        Table table(layout);
        table.setDatabaseName(dir.path());
        table.open();
        QCOMPARE(table.recordCount(), 0);
        table.append();
        table.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("kůň"));
        table.fieldByName(QStringLiteral("KDY")).setAsInteger(20240601);
        table.post();
    }
    const QString path = dir.filePath(layout.fileName);
    const QJsonObject read = test::readWithDbfread(path);
    QStringList fields;
    for (const QJsonValue& field : read[QStringLiteral("fields")].toArray())
        fields.append(field.toArray()[0].toString());
    QCOMPARE(fields, (QStringList{"ANGL", "KDY"}));
    QCOMPARE(jsonRows(read[QStringLiteral("records")].toArray()), QStringList{"kůň|20240601"});
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("pozdeji.mdx"))));

    // Opened again, the table is the one written before.
    const QByteArray written = readFile(path);
    Table again(layout);
    again.setDatabaseName(dir.path());
    again.open();
    QCOMPARE(liveRows(again), QStringList{"1:kůň|20240601"});
    again.close();
    QCOMPARE(readFile(path), written);
}

// Computers sharing the data folder may all start at once: whoever creates the table, every one
// of them opens one table, and the records appended stay.
void FilesTest::creatingAMissingTableNeverReplacesOne()
{
    QTemporaryDir dir;
    const TableLayout layout = laterTable();
    const QString path = dir.filePath(layout.fileName);
    std::vector<std::thread> starts;
    for (int i = 0; i < 8; ++i)
        starts.emplace_back([&] { createTableIfMissing(path, layout); });
    for (std::thread& start : starts)
        start.join();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{layout.fileName});

    {
        Table table(layout);
        table.setDatabaseName(dir.path());
        table.open();
        table.append();
        table.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("pes"));
        table.post();
    }
    const QByteArray written = readFile(path);
    createTableIfMissing(path, layout);
    QCOMPARE(readFile(path), written);
}

void FilesTest::anInstalledTableIsNeverCreated()
{
    QTemporaryDir dir;
    Table table(layouts::words());
    table.setDatabaseName(dir.path());
    QVERIFY_THROWS_EXCEPTION(Error, table.open());
    QVERIFY(QDir(dir.path()).isEmpty());
}

QTEST_GUILESS_MAIN(FilesTest)
#include "tst_files.moc"
