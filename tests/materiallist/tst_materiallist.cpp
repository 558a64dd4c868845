#include "common/legacytext.h"
#include "materiallist/listnumbers.h"
#include "materiallist/materiallist.h"
#include "materiallist/materiallistcsv.h"
#include "materiallist/materiallistfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TstMaterialList : public QObject
{
    Q_OBJECT

private slots:
    // Every case runs under a desktop locale with a decimal comma: the list's numbers must not
    // follow it.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void rowWeight_data();
    void rowWeight();
    void merging_data();
    void merging();
    void edits_data();
    void edits();
    void totalsAndRemoval();
    void csvRoundTripKeepsEveryCell();
    void read_data();
    void read();
    void damagedFileIsCopiedAsideAndRepaired_data();
    void damagedFileIsCopiedAsideAndRepaired();
    void unknownColumnsSurviveEveryRewrite();
    void secondColumnOfAKnownTitleStaysExtra();
    void unreadableFileIsNeverOverwritten();
    void failedSaveIsReportedOnce();
    void leftoversOfAKilledSaveAreRemoved();
    void clipboardText();
};

namespace {

CalculatorLine line(const QString &type, const QString &size, double length, double quantity, double unit,
                    UnitBasis basis, const QString &material = QStringLiteral("钢"))
{
    return {type, size, material, length, quantity, unit, basis};
}

CalculatorLine beam()
{
    return line(QStringLiteral("工字钢"), QStringLiteral("Ⅰ12.6"), 6000, 2, 14.223, UnitBasis::PerMetre);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

void TstMaterialList::rowWeight_data()
{
    QTest::addColumn<CalculatorLine>("line");
    QTest::addColumn<QString>("kg");

    QTest::newRow("per piece: a bolt's length is inside its unit weight")
        << line("地脚螺栓", "M24", 400, 3, 1.53, UnitBasis::PerPiece) << "4.590";
    QTest::newRow("per metre: length in mm")
        << line("角钢", "50×5", 6000, 1, 3.776, UnitBasis::PerMetre) << "22.656";
    QTest::newRow("per square metre: area in mm²")
        << line("钢板", "δ10", 2000000, 2, 78.5, UnitBasis::PerSquareMetre) << "314.000";
    QTest::newRow("the calculator's single without its binary tail")
        << line("圆钢", "φ20", 1000000, 1, unitWeightOfSingle(2.466156f), UnitBasis::PerMetre) << "2466.156";
    QTest::newRow("grams rounded half away from zero")
        << line("六角螺母", "M10", 0, 1, 0.0125, UnitBasis::PerPiece) << "0.013";
}

void TstMaterialList::rowWeight()
{
    QFETCH(CalculatorLine, line);
    QFETCH(QString, kg);
    MaterialList list;
    QCOMPARE(list.add(line).row, 0);
    QCOMPARE(MaterialListCsv::cellText(list, 0, MaterialListCsv::Column::Weight), kg);
}

void TstMaterialList::merging_data()
{
    QTest::addColumn<CalculatorLine>("second");
    QTest::addColumn<int>("rows");
    QTest::addColumn<double>("firstQuantity");

    CalculatorLine other = beam();
    QTest::newRow("equal line adds its quantity") << beam() << 1 << 4.0;
    other.lengthOrArea = 3000;
    QTest::newRow("other length is a new row") << other << 2 << 2.0;
    other = beam();
    other.material = QStringLiteral("铜");
    QTest::newRow("other material is a new row") << other << 2 << 2.0;
    other = beam();
    other.sizeText = QStringLiteral("Ⅰ14");
    QTest::newRow("other size is a new row") << other << 2 << 2.0;
    other = beam();
    other.typeCaption = QStringLiteral("槽钢");
    QTest::newRow("other type is a new row") << other << 2 << 2.0;
    other = beam();
    other.unitWeight = 14.2;
    QTest::newRow("other unit weight is a new row") << other << 2 << 2.0;
    other = beam();
    other.quantity = 0;
    QTest::newRow("a line without quantity is refused") << other << 1 << 2.0;
}

void TstMaterialList::merging()
{
    QFETCH(CalculatorLine, second);
    QFETCH(int, rows);
    QFETCH(double, firstQuantity);
    MaterialList list;
    list.add(beam());
    const MaterialList::Added added = list.add(second);
    QCOMPARE(list.size(), rows);
    QCOMPARE(list.row(0).line.quantity, firstQuantity);
    QCOMPARE(added.merged, rows == 1 && firstQuantity > 2);
    QCOMPARE(list.row(0).grams, qint64(std::llround(14.223 * 6 * firstQuantity * 1000)));
}

void TstMaterialList::edits_data()
{
    QTest::addColumn<int>("row"); // 0 beam (per metre), 1 nut (per piece)
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("kg");

    QTest::newRow("quantity follows") << 0 << "quantity"
                                      << " 3 " << true << "256.014";
    QTest::newRow("full-width digits of a Chinese input method") << 0 << "quantity"
                                                                 << "３．０" << true << "256.014";
    QTest::newRow("length follows") << 0 << "length"
                                    << "3000" << true << "85.338";
    QTest::newRow("zero quantity refused") << 0 << "quantity"
                                           << "0" << false << "170.676";
    QTest::newRow("decimal comma refused, not read as 15") << 0 << "quantity"
                                                           << "1,5" << false << "170.676";
    QTest::newRow("letters refused") << 0 << "length"
                                     << "abc" << false << "170.676";
    QTest::newRow("negative length refused") << 0 << "length"
                                             << "-5" << false << "170.676";
    QTest::newRow("length of a per-piece row refused") << 1 << "length"
                                                       << "50" << false << "0.080";
    QTest::newRow("nut quantity follows") << 1 << "quantity"
                                          << "25" << true << "0.200";
}

void TstMaterialList::edits()
{
    QFETCH(int, row);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, kg);
    MaterialList list;
    list.add(beam());
    list.add(line("六角螺母", "M10", 0, 10, 0.008, UnitBasis::PerPiece));
    const std::optional<QString> refusal =
        field == "quantity" ? list.setQuantity(row, text) : list.setLengthOrArea(row, text);
    QCOMPARE(!refusal.has_value(), accepted);
    QCOMPARE(MaterialListCsv::cellText(list, row, MaterialListCsv::Column::Weight), kg);
}

void TstMaterialList::totalsAndRemoval()
{
    MaterialList list;
    list.add(beam());                                                                 // 170.676
    list.add(line("钢板", "δ10", 1000000, 1, 89.2, UnitBasis::PerSquareMetre, "铜")); // 89.200
    list.add(line("六角螺母", "M10", 0, 100, 0.008, UnitBasis::PerPiece));            // 0.800
    list.add(line("圆钢", "φ20", 1000, 1, 0.848, UnitBasis::PerMetre, "铝"));         // 0.848
    MaterialTotals totals = list.totals();
    QCOMPARE(totals.grams, qint64(261524));
    QCOMPARE(ListNumbers::kgText(totals.grams), QStringLiteral("261.524"));
    QCOMPARE(ListNumbers::tonnesText(totals.grams), QStringLiteral("0.262"));
    const QList<MaterialTotal> expected{{"钢", 171476}, {"铜", 89200}, {"铝", 848}};
    QCOMPARE(totals.perMaterial, expected);

    list.removeRows({3, 0, 3, 7});
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.row(0).line.typeCaption, QStringLiteral("钢板"));
    QCOMPARE(list.totals().grams, qint64(90000));
    list.clear();
    QCOMPARE(list.totals().grams, qint64(0));
    QVERIFY(list.totals().perMaterial.isEmpty());
}

void TstMaterialList::csvRoundTripKeepsEveryCell()
{
    MaterialList list;
    list.add(beam());
    list.add(line("钢板", "δ10", 1500000, 3, 78.5, UnitBasis::PerSquareMetre, "自定义 8.5"));
    list.add(line("六角螺栓", "M20×60", 60, 8, unitWeightOfSingle(0.2136f), UnitBasis::PerPiece));
    list.add(line("支架", "=1+2", 0, 1, 1.5, UnitBasis::PerPiece, "-Q235"));
    list.add(line("+垫板", "3/4", 0, 1, 0.5, UnitBasis::PerPiece, "@钢"));
    // Texts a spreadsheet would take for a formula, a number or a date are written as ="…".
    const QStringList notes{QStringLiteral("柱脚, 两端\"切角\""), QStringLiteral("第一行\n第二行,\r\n第三行"),
                            QStringLiteral("  前后空格  "), QStringLiteral("=HYPERLINK(\"x\")"),
                            QStringLiteral("\t20")};
    for (int i = 0; i < notes.size(); ++i)
        list.setNote(i, notes.at(i));

    const QByteArray bytes = MaterialListCsv::write(list);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.mid(3).startsWith(
        QStringLiteral("序号,名称,规格,材质,长度/面积,数量,单重,单位,重量(kg),备注\r\n").toUtf8()));
    QVERIFY(bytes.contains(QStringLiteral("1,工字钢,Ⅰ12.6,钢,6000,2,14.223,kg/m,170.676,").toUtf8()));
    QVERIFY(bytes.contains(QStringLiteral("4,支架,\"=\"\"=1+2\"\"\",\"=\"\"-Q235\"\"\",,1,1.500,kg/个,1.500,"
                                          "\"=\"\"=HYPERLINK(\"\"\"\"x\"\"\"\")\"\"\"")
                               .toUtf8()));
    QVERIFY(
        bytes.contains(QStringLiteral("5,\"=\"\"+垫板\"\"\",\"=\"\"3/4\"\"\",\"=\"\"@钢\"\"\"").toUtf8()));

    const MaterialListCsv::ReadResult read = MaterialListCsv::read(bytes);
    QVERIFY(read.unreadableLines.isEmpty());
    QCOMPARE(read.rows.size(), list.size());
    for (int i = 0; i < list.size(); ++i) {
        const CalculatorLine &a = list.row(i).line;
        const CalculatorLine &b = read.rows.at(i).line;
        QCOMPARE(b.typeCaption, a.typeCaption);
        QCOMPARE(b.sizeText, a.sizeText);
        QCOMPARE(b.material, a.material);
        QCOMPARE(b.lengthOrArea, a.lengthOrArea);
        QCOMPARE(b.quantity, a.quantity);
        QCOMPARE(b.unitWeight, a.unitWeight);
        QCOMPARE(b.basis, a.basis);
    }
    QCOMPARE(read.rows.at(0).note, notes.at(0));
    QCOMPARE(read.rows.at(1).note, QStringLiteral("第一行\n第二行,\n第三行")); // a cell's line breaks are LF
    QCOMPARE(read.rows.at(2).note, notes.at(2));
    QCOMPARE(read.rows.at(3).note, notes.at(3));
    QCOMPARE(read.rows.at(4).note, notes.at(4));
}

void TstMaterialList::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("unreadable");
    QTest::addColumn<QString>("firstSize");
    QTest::addColumn<int>("firstBasis");

    const QString titles = QStringLiteral("序号,名称,规格,材质,长度/面积,数量,单重,重量(kg),备注\n");
    const QString beamLine = QStringLiteral("1,工字钢,Ⅰ12.6,钢,6000,2,14.223 kg/m,170.676,\n");
    const QString nutLine = QStringLiteral("2,六角螺母,M10,钢,,100,0.008kg/个,0.800,备注\n");
    const QString text = titles + beamLine + nutLine;
    // The program's own converter: Qt for Windows has no GB18030 codec of its own.
    const auto gb18030 = [](const QString &t) { return LegacyText::encode(t); };
    const int perMetre = int(UnitBasis::PerMetre);
    const int perPiece = int(UnitBasis::PerPiece);

    QTest::newRow("UTF-8 without byte-order mark")
        << text.toUtf8() << 2 << QList<int>{} << "Ⅰ12.6" << perMetre;
    QTest::newRow("CRLF line ends") << QString(text).replace("\n", "\r\n").toUtf8() << 2 << QList<int>{}
                                    << "Ⅰ12.6" << perMetre;
    QTest::newRow("GB18030 from a spreadsheet on a Chinese desktop")
        << QByteArray(gb18030(QString(text).replace("\n", "\r\n"))) << 2 << QList<int>{} << "Ⅰ12.6"
        << perMetre;
    QTest::newRow("columns found by their titles")
        << QStringLiteral("备注,数量,单重,名称,规格,长度/面积,材质\n,2,14.223 kg/m,工字钢,Ⅰ12.6,6000,钢\n")
               .toUtf8()
        << 1 << QList<int>{} << "Ⅰ12.6" << perMetre;
    QTest::newRow("no title line: the columns in their order")
        << (beamLine + nutLine).toUtf8() << 2 << QList<int>{} << "Ⅰ12.6" << perMetre;
    QTest::newRow("unit weight typed without unit: the weight decides")
        << (titles + QStringLiteral("1,钢件,δ10,钢,2000000,1,78.5,157,\n")).toUtf8() << 1 << QList<int>{}
        << "δ10" << int(UnitBasis::PerSquareMetre);
    // The clipboard text of earlier versions, pasted into a spreadsheet and saved as CSV: its
    // 1000 mm bar and 1 m² plate weigh the same per piece and per unit of measure.
    QTest::newRow("unit lost: an angle of 1000 mm is per metre by its name")
        << (titles + QStringLiteral("1,角钢,50×5,钢,1000,1,3.776,3.776,\n")).toUtf8() << 1 << QList<int>{}
        << "50×5" << perMetre;
    QTest::newRow("unit lost: a plate of 1 m² is per square metre by its name")
        << (titles + QStringLiteral("1,钢板,δ10,钢,1000000,1,78.5,78.500,\n")).toUtf8() << 1 << QList<int>{}
        << "δ10" << int(UnitBasis::PerSquareMetre);
    QTest::newRow("unit lost: a bolt is per piece by its name, whatever its weight")
        << (titles + QStringLiteral("1,六角螺栓,M20,钢,60,2,0.2065,0.1,\n")).toUtf8() << 1 << QList<int>{}
        << "M20" << perPiece;
    QTest::newRow("unit lost, part of no type, two bases weigh the same: unreadable")
        << (titles + QStringLiteral("1,支架,,钢,1000,1,2.5,2.500,\n")).toUtf8() << 0 << QList<int>{2} << ""
        << 0;
    const QString unitTitles = QStringLiteral("序号,名称,规格,材质,长度/面积,数量,单重,单位,重量(kg),备注\n");
    QTest::newRow("unit in its own column")
        << (unitTitles +
            QStringLiteral("1,支架,,钢,1000,1,2.5,kg/m,2.500,\n2,角钢,50×5,钢,1000,1,3.776,kg/个,,\n"))
               .toUtf8()
        << 2 << QList<int>{} << "" << perMetre;
    QTest::newRow("unit column and unit in 单重 disagree")
        << (unitTitles + QStringLiteral("1,工字钢,Ⅰ12.6,钢,6000,2,14.223 kg/m,kg/m²,,\n")).toUtf8() << 0
        << QList<int>{2} << "" << 0;
    QTest::newRow("no title line, ten cells: the unit column in its place")
        << QStringLiteral("1,工字钢,Ⅰ12.6,钢,6000,2,14.223,kg/m,170.676,\n").toUtf8() << 1 << QList<int>{}
        << "Ⅰ12.6" << perMetre;
    QTest::newRow("GB18030 body behind a UTF-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBF" + QByteArray(gb18030(text))) << 2 << QList<int>{} << "Ⅰ12.6" << perMetre;
    QTest::newRow("blank records and a total line are skipped")
        << (titles + ",,,,,,,,\n\n" + beamLine + "合计,,,,,,,170.676,\n").toUtf8() << 1 << QList<int>{}
        << "Ⅰ12.6" << perMetre;
    QTest::newRow("quantity that is not a number")
        << (titles + beamLine + QStringLiteral("2,六角螺母,M10,钢,,很多,0.008 kg/个,0.8,\n") + nutLine)
               .toUtf8()
        << 2 << QList<int>{3} << "Ⅰ12.6" << perMetre;
    QTest::newRow("unknown unit and missing name")
        << (titles + QStringLiteral("1,工字钢,Ⅰ12.6,钢,6000,2,14.223 kg/ft,,\n,,,,,2,1 kg/m,,\n") + nutLine)
               .toUtf8()
        << 1 << QList<int>{2, 3} << "M10" << perPiece;
    QTest::newRow("a quote never closed swallows the rest, reported at its line")
        << (titles + beamLine + QStringLiteral("2,六角螺母,M10,钢,,100,0.008 kg/个,0.8,\"备注\n") + nutLine)
               .toUtf8()
        << 1 << QList<int>{3} << "Ⅰ12.6" << perMetre;
    QTest::newRow("binary junk is one unreadable record")
        << QByteArray("\x00\x01\xff\xfe junk", 10) << 0 << QList<int>{1} << "" << 0;
}

void TstMaterialList::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, rows);
    QFETCH(QList<int>, unreadable);
    QFETCH(QString, firstSize);
    QFETCH(int, firstBasis);
    const MaterialListCsv::ReadResult read = MaterialListCsv::read(bytes);
    QCOMPARE(read.rows.size(), rows);
    QCOMPARE(read.unreadableLines, unreadable);
    if (rows > 0) {
        QCOMPARE(read.rows.at(0).line.sizeText, firstSize);
        QCOMPARE(int(read.rows.at(0).line.basis), firstBasis);
    }
}

void TstMaterialList::damagedFileIsCopiedAsideAndRepaired_data()
{
    QTest::addColumn<QByteArray>("damaged");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("notice");

    const QByteArray titles =
        QStringLiteral("序号,名称,规格,材质,长度/面积,数量,单重,单位,重量(kg),备注\r\n").toUtf8();
    const QByteArray beam = QStringLiteral("1,工字钢,Ⅰ12.6,钢,6000,2,14.223,kg/m,170.676,").toUtf8();
    QTest::newRow("a record that cannot be read")
        << titles + beam + QStringLiteral("\r\n2,槽钢,[10,钢,abc,1,10.007,kg/m,,\r\n").toUtf8() << 1
        << "材料清单文件中有 1 行无法读取（第 3 行），已保留可读的 1 行。\r\n"
           "原文件已另存为：材料清单.损坏-20261208-090507.csv";
    // Clean in neither encoding: read with replacement characters, so never rewritten
    // without the original kept aside.
    QTest::newRow("bytes that are neither UTF-8 nor GB18030")
        << "\xEF\xBB\xBF" + titles + beam + QByteArray("\x80\xFF备注\r\n") << 1
        << "材料清单文件含有无法识别的字符（既不是有效的 UTF-8 也不是 GB18030 文本），已保留可读的 1 行。\r\n"
           "原文件已另存为：材料清单.损坏-20261208-090507.csv";
}

void TstMaterialList::damagedFileIsCopiedAsideAndRepaired()
{
    QFETCH(QByteArray, damaged);
    QFETCH(int, kept);
    QFETCH(QString, notice);
    QTemporaryDir folder;
    const QString path = folder.filePath(MaterialListFile::fileName());
    writeAll(path, damaged);

    MaterialList list;
    MaterialListFile file(path);
    const QDateTime now(QDate(2026, 12, 8), QTime(9, 5, 7));
    const MaterialListFile::Loaded loaded = file.load(list, now);
    QCOMPARE(list.size(), kept);
    QCOMPARE(loaded.notices.size(), 1);
    QCOMPARE(loaded.notices.at(0).text, notice);
    QCOMPARE(readAll(folder.filePath("材料清单.损坏-20261208-090507.csv")), damaged);
    QCOMPARE(readAll(path), MaterialListCsv::write(list));

    // Told once: the repaired file loads without a notice.
    MaterialList again;
    QVERIFY(MaterialListFile(path).load(again, now).notices.isEmpty());
    QCOMPARE(again.rows(), list.rows());
}

void TstMaterialList::unknownColumnsSurviveEveryRewrite()
{
    // A spreadsheet user added a supplier after the material and a price at the end.
    QTemporaryDir folder;
    const QString path = folder.filePath(MaterialListFile::fileName());
    writeAll(path,
             "\xEF\xBB\xBF" +
                 QStringLiteral("序号,名称,规格,材质,供应商,长度/面积,数量,单重,单位,重量(kg),备注,单价\r\n"
                                "1,工字钢,Ⅰ12.6,钢,宝钢,6000,2,14.223,kg/m,170.676,,4.2\r\n")
                     .toUtf8());
    MaterialList list;
    MaterialListFile file(path);
    QVERIFY(file.load(list, QDateTime::currentDateTime()).notices.isEmpty());
    QVERIFY(!list.setQuantity(0, QStringLiteral("3")));
    list.add(line("六角螺母", "M10", 0, 100, 0.008, UnitBasis::PerPiece));
    QCOMPARE(file.save(list), std::nullopt);
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(
        QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n")),
        QStringList({QStringLiteral("序号,名称,规格,材质,供应商,长度/面积,数量,单重,单位,重量(kg),备注,单价"),
                     QStringLiteral("1,工字钢,Ⅰ12.6,钢,宝钢,6000,3,14.223,kg/m,256.014,,4.2"),
                     QStringLiteral("2,六角螺母,M10,钢,,,100,0.008,kg/个,0.800,,"), QString()}));
    QVERIFY(MaterialListCsv::clipboardText(list).startsWith(QStringLiteral(
        "序号\t名称\t规格\t材质\t供应商\t长度/面积\t数量\t单重\t单位\t重量(kg)\t备注\t单价\n")));
}

void TstMaterialList::secondColumnOfAKnownTitleStaysExtra()
{
    // Found by fuzzing: a second 数量 after 长度/面积 was written before the first and read
    // back as the quantity.
    const MaterialListCsv::ReadResult read = MaterialListCsv::read(
        QStringLiteral("名称,数量,材质,长度/面积,数量,单重,单位\n角钢,2,钢,1000,9,3.776,kg/m\n").toUtf8());
    QCOMPARE(read.rows.size(), 1);
    MaterialList list;
    list.setExtraColumns(read.extraColumns);
    list.append(read.rows.at(0).line, read.rows.at(0).note, read.rows.at(0).extraCells);
    const MaterialListCsv::ReadResult again = MaterialListCsv::read(MaterialListCsv::write(list));
    QCOMPARE(again.rows.size(), 1);
    QCOMPARE(again.rows.at(0).line.quantity, 2.0);
    QCOMPARE(again.rows.at(0).extraCells, QStringList{QStringLiteral("9")});
    QCOMPARE(again.extraColumns, read.extraColumns);
}

void TstMaterialList::unreadableFileIsNeverOverwritten()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(MaterialListFile::fileName());
    QVERIFY(QDir(folder.path()).mkdir(MaterialListFile::fileName())); // a folder in the file's place
    MaterialList list;
    MaterialListFile file(path);
    const Notices notices = file.load(list, QDateTime::currentDateTime()).notices;
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices.first().text.startsWith(QStringLiteral("材料清单文件无法读取：是一个文件夹")),
             qPrintable(notices.first().text)); // the system's reason, in Chinese
    list.add(beam());
    QCOMPARE(file.save(list), std::nullopt); // refused quietly: the notice said so
    QVERIFY(QFileInfo(path).isDir());
}

void TstMaterialList::failedSaveIsReportedOnce()
{
    QTemporaryDir folder;
    MaterialListFile file(folder.filePath("gone/" + MaterialListFile::fileName()));
    MaterialList list;
    list.add(beam());
    const std::optional<QString> first = file.save(list);
    QVERIFY(first.has_value());
    QCOMPARE(*first, QStringLiteral("材料清单未能保存：文件或文件夹不存在"));
    QVERIFY(file.lastSaveFailed());
    QCOMPARE(file.save(list), std::nullopt);
    QCOMPARE(list.size(), 1);
    QVERIFY(QDir(folder.path()).mkdir("gone"));
    QCOMPARE(file.save(list), std::nullopt);
    QVERIFY(!file.lastSaveFailed());
    QCOMPARE(readAll(file.path()), MaterialListCsv::write(list));
}

void TstMaterialList::leftoversOfAKilledSaveAreRemoved()
{
    QTemporaryDir folder;
    const QStringList names{"材料清单.csv", "材料清单.csv.aB3xY9", "材料清单.csv.aB3xY", "材料清单.csv.bak",
                            "其它.csv.aB3xY9"};
    for (const QString &name : names)
        writeAll(folder.filePath(name), "x");
    QCOMPARE(MaterialListFile::removeLeftovers(folder.path()), 1);
    QStringList left = QDir(folder.path()).entryList(QDir::Files);
    left.sort();
    QStringList expected = names;
    expected.removeAt(1);
    expected.sort();
    QCOMPARE(left, expected);
}

void TstMaterialList::clipboardText()
{
    MaterialList list;
    list.add(beam());
    list.add(line("六角螺母", "M10", 0, 100, 0.008, UnitBasis::PerPiece));
    list.setNote(0, QStringLiteral("=1+2"));
    list.setNote(1, QStringLiteral("带\t制表符"));
    QCOMPARE(MaterialListCsv::clipboardText(list),
             QStringLiteral("序号\t名称\t规格\t材质\t长度/面积\t数量\t单重\t单位\t重量(kg)\t备注\n"
                            "1\t工字钢\tⅠ12.6\t钢\t6000\t2\t14.223\tkg/m\t170.676\t\"=\"\"=1+2\"\"\"\n"
                            "2\t六角螺母\tM10\t钢\t\t100\t0.008\tkg/个\t0.800\t\"带\t制表符\"\n"
                            "合计\t\t\t\t\t\t\t\t171.476\t\n"));
}

QTEST_GUILESS_MAIN(TstMaterialList)
#include "tst_materiallist.moc"
