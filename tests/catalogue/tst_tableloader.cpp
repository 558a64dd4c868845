#include "catalogue/tableloader.h"

#include <QTest>

namespace {
CalculationType typeOf(int index)
{
    return calculationTypeAt(index);
}

std::array<QString, 3> notesOf(int index)
{
    std::array<QString, 3> notes;
    for (std::size_t i = 0; i < notes.size(); ++i)
        notes[i] = typeRecord(typeOf(index)).notes[i].toString();
    return notes;
}

const QString Mismatch = QStringLiteral("参数数量不对等，请检查参数！");

// A catalogue whose table holds recognisable leftovers, to see what a load replaces.
CatalogueState stateWithLeftovers()
{
    CatalogueState state;
    for (PartRow &row : state.PartTable)
        row = {QStringLiteral("old"), QStringLiteral("old1"), QStringLiteral("old2")};
    state.LastRow = 38;
    return state;
}
} // namespace

class TestTableLoader : public QObject
{
    Q_OBJECT

private slots:
    void typeList();
    void tableShapes_data();
    void tableShapes();
    void anchorBoltCountsUpToItsLastRow();
    void beamEntriesCarryThePrefixTheTableDoesNot();
    void correctedCells_data();
    void correctedCells();
    void boxOnlyTypes_data();
    void boxOnlyTypes();
    void lengthChecks_data();
    void lengthChecks();
    void shortValueListLeavesMissingCellsEmpty();
    void oversizedSizeListIsCutToTheTable();
    void selectingATypeStoresItsNotesAndSubType();
    void subTypeLoadDescribesItsOwnRows();
    void angleKeepsColumnOneOfTheEarlierTable();
    void notesBox();
    void sectionTypes_data();
    void sectionTypes();
    void dependentEntryFollowsTheValue_data();
    void dependentEntryFollowsTheValue();
    void sectionRecordsAgreeWithTheirFacts();
};

void TestTableLoader::typeList()
{
    const QStringList captions = calculationTypeCaptions();
    QCOMPARE(captions.size(), CalculationTypeCount);
    QCOMPARE(captions.first(), QStringLiteral("表达式"));
    QCOMPARE(captions[6], QStringLiteral("方斜垫"));
    QCOMPARE(captions[12], QStringLiteral("钢管"));
    // The section types follow the twelve part types, the lookups the sections.
    QCOMPARE(captions.mid(13, 6), QStringList({"H型钢", "方矩管", "不等边角钢", "扁钢", "方钢", "六角钢"}));
    QCOMPARE(captions.mid(19), QStringList({"公差配合", "普通螺纹"}));
    // The loading text names some types differently from their caption.
    QCOMPARE(loadingName(typeOf(2)), QStringLiteral("螺栓"));
    QCOMPARE(loadingName(typeOf(3)), QStringLiteral("螺母"));
    QCOMPARE(loadingName(typeOf(4)), QStringLiteral("垫片"));
    QCOMPARE(loadingName(typeOf(11)), QStringLiteral("角钢"));
    QVERIFY(loadingName(typeOf(0)).isEmpty());
}

void TestTableLoader::tableShapes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("subType");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("defaultEntry");
    QTest::addColumn<QString>("defaultLabel");

    QTest::newRow("anchor bolt opens on M24") << 1 << 0 << 9 << "M10*"
                                              << "M48" << 4 << "M24";
    QTest::newRow("hexagon bolt opens on M20") << 2 << 0 << 23 << "M5"
                                               << "M64" << 8 << "M20";
    QTest::newRow("hexagon nut opens on M20") << 3 << 0 << 26 << "M3"
                                              << "M64" << 11 << "M20";
    QTest::newRow("washer opens on 20") << 4 << 0 << 25 << "3"
                                        << "64" << 10 << "20";
    QTest::newRow("light spring washers find 16 by text") << 5 << 0 << 15 << "3"
                                                          << "30" << 8 << "16";
    QTest::newRow("standard spring washers find 16 by text") << 5 << 1 << 23 << "2"
                                                             << "48" << 10 << "16";
    QTest::newRow("spring washers of no series load the standard one") << 5 << -1 << 23 << "2"
                                                                       << "48" << 10 << "16";
    QTest::newRow("heavy spring washers find 16 by text") << 5 << 2 << 14 << "6"
                                                          << "36" << 5 << "16";
    QTest::newRow("bevel washers for I-beams open on 16") << 6 << 0 << 12 << "6"
                                                          << "36" << 4 << "16";
    QTest::newRow("bevel washers for channels open on 16") << 6 << 1 << 12 << "6"
                                                           << "36" << 4 << "16";
    QTest::newRow("I-beam opens on 12.6") << 7 << 0 << 37 << " 9 -矿工钢"
                                          << "63c" << 4 << "12.6";
    QTest::newRow("channel opens on 12.6") << 8 << 0 << 30 << "5"
                                           << "40c" << 4 << "12.6";
    QTest::newRow("angle opens on 50") << 11 << 0 << 20 << "20"
                                       << "200" << 6 << "50";
    QTest::newRow("pipe opens on 159") << 12 << 0 << 23 << "18"
                                       << "1020" << 10 << "159";
}

void TestTableLoader::tableShapes()
{
    QFETCH(int, type);
    QFETCH(int, subType);
    QFETCH(int, rows);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(int, defaultEntry);
    QFETCH(QString, defaultLabel);

    CatalogueState state = stateWithLeftovers();
    const LoadedTable loaded = loadTable(state, typeOf(type), subType);

    QVERIFY2(loaded.notices.isEmpty(), "built-in lists are consistent: no length message");
    QVERIFY(rows <= PartTableRows);
    QCOMPARE(state.LastRow, rows - 1);
    QCOMPARE(state.SizeBoxIndex, typeRecord(typeOf(type)).sizeBoxIndex);
    QCOMPARE(loaded.sizeEntries.size(), rows);
    QCOMPARE(state.PartTable[0].label, first);
    QCOMPARE(state.PartTable[static_cast<std::size_t>(rows - 1)].label, last);
    QCOMPARE(loaded.defaultEntry, defaultEntry);
    QCOMPARE(state.PartTable[static_cast<std::size_t>(defaultEntry)].label, defaultLabel);

    // Every value list the type fills is as long as its size list.
    const PartLists lists = *partTableOf(typeRecord(typeOf(type)), subType);
    for (int r = 0; r < rows; ++r) {
        const PartRow &row = state.PartTable[static_cast<std::size_t>(r)];
        if (!lists.column1.isNull())
            QVERIFY2(!row.value1.trimmed().isEmpty(), qPrintable(row.label));
        if (!lists.column2.isNull())
            QVERIFY2(!row.value2.trimmed().isEmpty(), qPrintable(row.label));
    }
    QCOMPARE(state.PartTable[static_cast<std::size_t>(rows)].label, QStringLiteral("old"));

    QCOMPARE(loaded.loadingTexts.size(), rows);
    QCOMPARE(loaded.loadingTexts.last(), loadingText(typeOf(type), rows - 1, rows - 1));
}

void TestTableLoader::anchorBoltCountsUpToItsLastRow()
{
    CatalogueState state;
    const LoadedTable loaded = loadTable(state, typeOf(1), 0);
    QStringList expected;
    for (int r = 0; r <= 8; ++r)
        expected << QStringLiteral("正在载入 地脚螺栓 数据:%1/8").arg(r);
    QCOMPARE(loaded.loadingTexts, expected);

    const LoadedTable bolts = loadTable(state, typeOf(2), 0);
    QCOMPARE(bolts.loadingTexts.first(), QStringLiteral("正在载入 螺栓 数据:0/22"));
}

void TestTableLoader::beamEntriesCarryThePrefixTheTableDoesNot()
{
    CatalogueState state;
    const LoadedTable beams = loadTable(state, typeOf(7), 0);
    QCOMPARE(beams.sizeEntries.first(), QStringLiteral("Ⅰ 9 -矿工钢"));
    QCOMPARE(beams.sizeEntries[4], QStringLiteral("Ⅰ12.6"));
    QCOMPARE(state.PartTable[4].label, QStringLiteral("12.6"));

    const LoadedTable channels = loadTable(state, typeOf(8), 0);
    QCOMPARE(channels.sizeEntries[4], QStringLiteral("[12.6"));
    QCOMPARE(state.PartTable[4].label, QStringLiteral("12.6"));

    const LoadedTable nuts = loadTable(state, typeOf(3), 0);
    QCOMPARE(nuts.sizeEntries[1], QStringLiteral("M3.5*"));
}

void TestTableLoader::correctedCells_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("label");
    QTest::addColumn<double>("value");

    QTest::newRow("hexagon bolt M60 head from its own across-flats and height")
        << 2 << 21 << "M60*" << 2092.455;
    QTest::newRow("I-beam 25a published unit weight") << 7 << 12 << "25a" << 38.105;
    QTest::newRow("channel 25b published unit weight") << 8 << 16 << "25b" << 31.335;
    QTest::newRow("channel 28b published unit weight") << 8 << 19 << "28b" << 35.823;
    QTest::newRow("channel 40a published unit weight") << 8 << 27 << "40a" << 58.928;
    QTest::newRow("channel 40b published unit weight") << 8 << 28 << "40b" << 65.208;
}

void TestTableLoader::correctedCells()
{
    QFETCH(int, type);
    QFETCH(int, row);
    QFETCH(QString, label);
    QFETCH(double, value);

    CatalogueState state;
    loadTable(state, typeOf(type), 0);
    const PartRow &cell = state.PartTable[static_cast<std::size_t>(row)];
    QCOMPARE(cell.label, label);
    bool ok = false;
    QCOMPARE(cell.value1.trimmed().toDouble(&ok), value);
    QVERIFY(ok);
}

void TestTableLoader::boxOnlyTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QStringList>("firstEntries");
    QTest::addColumn<QString>("lastEntry");
    QTest::addColumn<int>("defaultEntry");
    QTest::addColumn<QString>("defaultLabel");
    QTest::addColumn<QStringList>("loadingTexts"); // first, last and count as "n texts"

    QTest::newRow("round bar: halves first, then 7 to 36 without loading texts")
        << 9 << 70 << QStringList{"5.5", "6", "6.5", "7", "8"} << "250" << 12 << "16"
        << QStringList{"正在载入 圆钢 数据:0/36", "正在载入 圆钢 数据:36/36", "37 texts"};
    QTest::newRow("plate: two lists counted apart")
        << 10 << 82 << QStringList{"0.5", "0.55", "0.6"} << "200" << 31 << "10"
        << QStringList{"正在载入 钢板 数据:0/41", "正在载入 钢板 数据:39/39", "82 texts"};
}

void TestTableLoader::boxOnlyTypes()
{
    QFETCH(int, type);
    QFETCH(int, entries);
    QFETCH(QStringList, firstEntries);
    QFETCH(QString, lastEntry);
    QFETCH(int, defaultEntry);
    QFETCH(QString, defaultLabel);
    QFETCH(QStringList, loadingTexts);

    CatalogueState state = stateWithLeftovers();
    state.LastRow = 8;
    const LoadedTable loaded = loadTable(state, typeOf(type), 0);

    QCOMPARE(loaded.sizeEntries.size(), entries);
    QCOMPARE(loaded.sizeEntries.mid(0, firstEntries.size()), firstEntries);
    QCOMPARE(loaded.sizeEntries.last(), lastEntry);
    QCOMPARE(loaded.sizeEntries.value(defaultEntry), defaultLabel);
    QCOMPARE(loaded.defaultEntry, defaultEntry);
    QCOMPARE(loaded.loadingTexts.first(), loadingTexts[0]);
    QCOMPARE(loaded.loadingTexts.last(), loadingTexts[1]);
    QCOMPARE(QStringLiteral("%1 texts").arg(loaded.loadingTexts.size()), loadingTexts[2]);
    QCOMPARE(QStringList(loaded.sizeEntries).removeDuplicates(), 0);

    QCOMPARE(state.SizeBoxIndex, 1);
    QCOMPARE(state.LastRow, 8);
    QCOMPARE(state.PartTable[0].label, QStringLiteral("old"));
    QCOMPARE(state.PartTable[38].value2, QStringLiteral("old2"));
    QVERIFY(loaded.notices.isEmpty());
}

void TestTableLoader::lengthChecks_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("sizes");
    QTest::addColumn<QString>("column1");
    QTest::addColumn<QString>("column2");
    QTest::addColumn<QStringList>("messages");

    const QString four = QStringLiteral("a;b;c;d");
    QTest::newRow("consistent table shows nothing") << 1 << four << "1;2;3;4"
                                                    << "1;2;3;4" << QStringList{};
    QTest::newRow("anchor bolt: both lists short, one message") << 1 << four << "1;2"
                                                                << "1;2;3" << QStringList{Mismatch};
    QTest::newRow("hexagon bolt: a longer list counts too") << 2 << four << "1;2;3;4;5"
                                                            << "1;2;3;4" << QStringList{Mismatch};
    QTest::newRow("washer: second list short") << 4 << four << "1;2;3;4"
                                               << "x" << QStringList{Mismatch};
    QTest::newRow("nut: its one list short") << 3 << four << "1;2;3" << QString() << QStringList{Mismatch};
    QTest::newRow("bevel washer: one message per short list") << 6 << four << "1;2"
                                                              << "x;y;z" << QStringList{Mismatch, Mismatch};
    QTest::newRow("spring washer: its one list long")
        << 5 << four << "1;2;3;4;5;6" << QString() << QStringList{Mismatch};
    QTest::newRow("I-beam: unit weights short, both last indexes named")
        << 7 << four << "1;2"
        << "s;s;s;s"
        << QStringList{QStringLiteral("  参数数量不对等，请检查参数！\r\n\r\nStrA=3；\r\n\r\nStrb=1")};
    QTest::newRow("channel: size texts are not checked") << 8 << four << "1;2;3;4"
                                                         << "s" << QStringList{};
    QTest::newRow("angle: radius list long")
        << 11 << four << QString() << "1;2;3;4;5;6"
        << QStringList{QStringLiteral("  参数数量不对等，请检查参数！\r\n\r\nStrA=3；\r\n\r\nStrb=5")};
    QTest::newRow("pipe: nothing checked") << 12 << four << "1"
                                           << "1" << QStringList{};
}

void TestTableLoader::lengthChecks()
{
    QFETCH(int, type);
    QFETCH(QString, sizes);
    QFETCH(QString, column1);
    QFETCH(QString, column2);
    QFETCH(QStringList, messages);

    CatalogueState state;
    const LoadedTable loaded = loadPartLists(state, typeOf(type), {sizes, column1, column2});

    Notices expected;
    for (const QString &message : std::as_const(messages))
        expected.append({MessageIcon::Exclamation, QStringLiteral("注意"), message});
    QCOMPARE(loaded.notices, expected);
    // Loading carries on after the message.
    QCOMPARE(state.LastRow, 3);
    QCOMPARE(loaded.sizeEntries.size(), 4);
    QCOMPARE(state.PartTable[3].label, QStringLiteral("d"));
}

void TestTableLoader::shortValueListLeavesMissingCellsEmpty()
{
    CatalogueState state = stateWithLeftovers();
    loadPartLists(state, typeOf(1), {u"M1;M2;M3", u"0.5", u"1.5;2.5"});
    QCOMPARE(state.PartTable[0].value1, QStringLiteral("0.5"));
    QCOMPARE(state.PartTable[1].value1, QString());
    QCOMPARE(state.PartTable[1].value2, QStringLiteral("2.5"));
    QCOMPARE(state.PartTable[2].value1, QString());
    QCOMPARE(state.PartTable[2].value2, QString());
    QCOMPARE(state.PartTable[3].label, QStringLiteral("old"));
}

void TestTableLoader::oversizedSizeListIsCutToTheTable()
{
    QStringList sizes;
    for (int i = 0; i < PartTableRows + 6; ++i)
        sizes << QString::number(i);
    const QString text = sizes.join(u';');
    CatalogueState state;
    const LoadedTable loaded = loadPartLists(state, typeOf(7), {text, text, text});
    QCOMPARE(state.LastRow, PartTableRows - 1);
    QCOMPARE(loaded.sizeEntries.size(), PartTableRows);
    QCOMPARE(state.PartTable[PartTableRows - 1].label, QString::number(PartTableRows - 1));
    QCOMPARE(loaded.loadingTexts.last(), QStringLiteral("正在载入 工字钢 数据:38/38"));
}

void TestTableLoader::selectingATypeStoresItsNotesAndSubType()
{
    CatalogueState state;

    LoadedTable loaded = selectCatalogueType(state, typeOf(5));
    QCOMPARE(state.CurrentType, CalculationType::SpringWasher);
    QCOMPARE(loaded.sizeEntries.size(), 23); // the standard series
    QCOMPARE(loaded.sizeEntries.value(loaded.defaultEntry), QStringLiteral("16"));
    QCOMPARE(state.TypeNotes, notesOf(5));

    loaded = selectCatalogueType(state, typeOf(6));
    QCOMPARE(state.PartTable[4].value2, QStringLiteral("φ17×□35×2-7.7")); // the I-beam kind
    QCOMPARE(loaded.defaultEntry, 4);

    loaded = selectCatalogueType(state, typeOf(10));
    QCOMPARE(state.SizeBoxIndex, 1);

    // The expression type loads nothing and leaves the last weight type's table.
    loaded = selectCatalogueType(state, typeOf(0));
    QCOMPARE(state.CurrentType, CalculationType::Expression);
    QVERIFY(loaded.sizeEntries.isEmpty());
    QCOMPARE(state.PartTable[4].value2, QStringLiteral("φ17×□35×2-7.7"));
    QCOMPARE(state.TypeNotes, notesOf(10));
    QVERIFY(loaded.notices.isEmpty());
}

void TestTableLoader::subTypeLoadDescribesItsOwnRows()
{
    CatalogueState state;
    selectCatalogueType(state, typeOf(7));
    QCOMPARE(state.LastRow, 36);
    const LoadedTable light = loadTable(state, typeOf(5), 0);
    QCOMPARE(light.sizeEntries.size(), 15);
    QCOMPARE(state.LastRow, 14);
    QCOMPARE(light.loadingTexts.last(), QStringLiteral("正在载入 弹簧垫圈 数据:14/14"));
    const LoadedTable channelKind = loadTable(state, typeOf(6), 1);
    QCOMPARE(state.LastRow, 11);
    QCOMPARE(state.PartTable[4].value2, QStringLiteral("φ17×□35×2-5.4"));
    QCOMPARE(channelKind.loadingTexts.last(), QStringLiteral("正在载入 方斜垫 数据:11/11"));
}

void TestTableLoader::angleKeepsColumnOneOfTheEarlierTable()
{
    CatalogueState state;
    loadTable(state, typeOf(3), 0);
    const QString nutMass = state.PartTable[6].value1;
    loadTable(state, typeOf(11), 0);
    QCOMPARE(state.PartTable[6].label, QStringLiteral("50"));
    QCOMPARE(state.PartTable[6].value2, QStringLiteral("5.5"));
    QCOMPARE(state.PartTable[6].value1, nutMass);
}

void TestTableLoader::notesBox()
{
    const Notice call = notesNotice(notesOf(9));
    QCOMPARE(call.icon, MessageIcon::Information);
    QCOMPARE(call.title, QStringLiteral("说明"));
    QCOMPARE(call.text,
             QStringLiteral(
                 "  ① 热轧圆钢,代号：GB/T 702-2004。\r\n\r\n  ② 参数仅摘录了一部分，具体查看手册。\r\n\r\n"));

    const QString bevel = notesText(notesOf(6));
    QVERIFY(bevel.startsWith(QStringLiteral("  ① 工字钢 用方斜垫代号：GB/T 852-1988；\r\n      槽钢")));
    QCOMPARE(bevel.count(QStringLiteral("\r\n")), 5);
}

void TestTableLoader::sectionTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("defaultEntry");
    QTest::addColumn<QString>("defaultLabel");
    QTest::addColumn<QStringList>("dependent"); // the dependent box's list for the default entry

    QTest::newRow("H-beams: all 130 rows, HW first, HT last")
        << 13 << 130 << "HW100×100×6×8"
        << "HT390×198×6×8" << 4 << "HW200×200×8×12" << QStringList();
    QTest::newRow("hollow sections: 72 sizes, the walls of 50×50 beside")
        << 14 << 72 << "20×20"
        << "600×400" << 4 << "50×50" << QStringList{"1.5", "1.75", "2", "2.5", "3", "4"};
    QTest::newRow("unequal angles: 20 models, the thicknesses of 7.5/5 beside")
        << 15 << 20 << "2.5/1.6"
        << "20/12.5" << 8 << "7.5/5" << QStringList{"5", "6", "8", "10"};
    QTest::newRow("square bar series") << 17 << 54 << "5"
                                       << "100" << 17 << "20" << QStringList();
    QTest::newRow("hexagon bar series") << 18 << 39 << "8"
                                        << "70" << 12 << "20" << QStringList();
}

void TestTableLoader::sectionTypes()
{
    QFETCH(int, type);
    QFETCH(int, entries);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(int, defaultEntry);
    QFETCH(QString, defaultLabel);
    QFETCH(QStringList, dependent);

    CatalogueState state = stateWithLeftovers();
    state.PickedRow = 7;
    const LoadedTable loaded = selectCatalogueType(state, typeOf(type));

    QCOMPARE(loaded.sizeEntries.size(), entries);
    QCOMPARE(loaded.sizeEntries.first(), first);
    QCOMPARE(loaded.sizeEntries.last(), last);
    QCOMPARE(loaded.defaultEntry, defaultEntry);
    QCOMPARE(loaded.sizeEntries.value(defaultEntry), defaultLabel);
    QCOMPARE(loaded.dependentEntries, dependent);
    QCOMPARE(QStringList(loaded.sizeEntries).removeDuplicates(), 0);
    QCOMPARE(loaded.loadingTexts.size(), entries);
    QCOMPARE(loaded.loadingTexts.last(), loadingText(typeOf(type), entries - 1, entries - 1));
    QCOMPARE(state.SizeBoxIndex, typeRecord(typeOf(type)).sizeBoxIndex);
    QCOMPARE(state.PickedRow, -1);
    // The rows stay in the section tables: PartTable keeps what the last part type left.
    QCOMPARE(state.PartTable[38].label, QStringLiteral("old"));
    QCOMPARE(state.LastRow, 38);
    QVERIFY(state.TypeNotes[0].contains(typeRecord(typeOf(type)).sizeBoxToolTip.toString()));
    QVERIFY(loaded.notices.isEmpty());
}

void TestTableLoader::dependentEntryFollowsTheValue_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("pick");

    const QStringList walls{"1.5", "1.75", "2", "2.5", "3", "4"};
    QTest::newRow("a wall the new size has is kept") << walls << 2.5 << 3;
    QTest::newRow("a missing wall moves to the nearest") << walls << 3.4 << 4;
    QTest::newRow("a wall beyond the list takes the thickest") << walls << 12.0 << 5;
    QTest::newRow("of two as near the thinner") << QStringList{"3", "5"} << 4.0 << 0;
    QTest::newRow("no list, no pick") << QStringList() << 3.0 << -1;
}

void TestTableLoader::dependentEntryFollowsTheValue()
{
    QFETCH(QStringList, entries);
    QFETCH(double, value);
    QFETCH(int, pick);
    QCOMPARE(dependentEntryFor(entries, value), pick);
}

void TestTableLoader::sectionRecordsAgreeWithTheirFacts()
{
    // The record's standard line and the section's weight lines must never drift apart.
    for (const CalculationTypeRecord &record : TypeRecords) {
        if (record.section.type)
            QCOMPARE(record.standardLines[0].toString(), sectionTypeFacts(*record.section.type).standardLine);
    }
}

QTEST_GUILESS_MAIN(TestTableLoader)
#include "tst_tableloader.moc"
