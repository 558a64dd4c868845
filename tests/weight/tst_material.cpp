#include "weight/material.h"

#include "common/numbertext.h"

#include <QtTest>

class TestMaterial : public QObject
{
    Q_OBJECT

private slots:
    void fixedMaterials_data();
    void fixedMaterials();
    void customEntry_data();
    void customEntry();
    void customEntryProposesLastAcceptedDensity();
    void typeSwitchShowsCustomCaption();
    void unknownIndexChangesNothing();
};

void TestMaterial::fixedMaterials_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<float>("factor");
    QTest::addColumn<QString>("panel2");
    QTest::addColumn<bool>("panel2Visible");
    QTest::addColumn<QString>("panel1");

    QTest::newRow("steel factor 1 hides panel 2")
        << 0 << 1.0f << "钢 7.85" << false << "材质密度：钢  7.85g/cm3";
    QTest::newRow("copper uses the stored factor, not 8.92/7.85")
        << 1 << 1.1363f << "铜 8.92" << true << "材质密度：铜  8.92g/cm3";
    QTest::newRow("aluminium uses the stored factor, not 2.70/7.85")
        << 2 << 0.34395f << "铝 2.70" << true << "材质密度：铝  2.70g/cm3";
}

void TestMaterial::fixedMaterials()
{
    QFETCH(int, index);
    QFETCH(float, factor);
    QFETCH(QString, panel2);
    QFETCH(bool, panel2Visible);
    QFETCH(QString, panel1);

    MaterialDensity material;
    material.apply(Material::Copper); // start away from steel
    const MaterialChoice choice = material.apply(static_cast<Material>(index));

    QCOMPARE(choice.checked, static_cast<Material>(index));
    QCOMPARE(choice.DensityFactor, factor);
    QCOMPARE(material.DensityFactor(), factor);
    QCOMPARE(material.exactDensityFactor(),
             readNumberStrict(singleText(factor)).value()); // 1.1363 as written
    QCOMPARE(choice.panel2Text, panel2);
    QCOMPARE(choice.panel2Visible, panel2Visible);
    QCOMPARE(choice.panel1Text, panel1);
    QCOMPARE(choice.customCaption, QStringLiteral("自定义"));
    QVERIFY(choice.notices.isEmpty());
}

void TestMaterial::customEntry_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<float>("density");
    QTest::addColumn<QString>("densityText");

    QTest::newRow("8.5 accepted") << "8.5" << true << 8.5f << "8.5";
    QTest::newRow("8.4: factor divided in double, then narrowed") << "8.4" << true << 8.4f << "8.4";
    QTest::newRow("blanks trimmed, trailing letters ignored") << "  8.9abc " << true << 8.9f << "8.9";
    QTest::newRow("zero refused") << "0" << false << 7.85f << "7.85";
    QTest::newRow("negative refused") << "-3" << false << 7.85f << "7.85";
    QTest::newRow("letters only refused") << "abc" << false << 7.85f << "7.85";
    QTest::newRow("cancel gives empty text, refused") << "" << false << 7.85f << "7.85";
    QTest::newRow("density beyond a single refused") << "1E39" << false << 7.85f << "7.85";
    QTest::newRow("density that rounds to a zero single refused") << "1E-50" << false << 7.85f << "7.85";
}

void TestMaterial::customEntry()
{
    QFETCH(QString, answer);
    QFETCH(bool, accepted);
    QFETCH(float, density);
    QFETCH(QString, densityText);

    MaterialDensity material;
    material.apply(Material::Aluminium);
    QCOMPARE(MaterialDensity::customPrompt(), QStringLiteral("请输入材质密度：\r\n\r\n单位：g/cm3"));
    QCOMPARE(MaterialDensity::customTitle(), QStringLiteral("自定义材质"));
    QCOMPARE(material.customDensityText(), QStringLiteral("7.85"));
    const MaterialChoice choice = material.apply(Material::Custom, answer);

    const QString caption = QStringLiteral("自定义 ") + densityText + QStringLiteral("g/cm3");
    QCOMPARE(choice.CustomDensity, density);
    QCOMPARE(choice.customCaption, caption);
    QCOMPARE(material.caption(Material::Custom), caption);
    QCOMPARE(choice.panel2Text, QStringLiteral("自定义 ") + densityText);
    QCOMPARE(choice.panel1Text, QStringLiteral("材质密度：") + caption);
    if (accepted) {
        QVERIFY(choice.notices.isEmpty());
        QCOMPARE(choice.checked, Material::Custom);
        // Exactly, not within QCOMPARE's float tolerance: a single-precision quotient is one
        // unit off in the last place for 8.4.
        QVERIFY(choice.DensityFactor == static_cast<float>(static_cast<double>(density) / 7.85));
        // The section types take the density as typed, over 7.85, in double.
        QVERIFY(material.exactDensityFactor() == readNumberStrict(densityText).value() / 7.85);
        QVERIFY(choice.panel2Visible);
    } else {
        QCOMPARE(choice.notices,
                 (Notices{{MessageIcon::Information, QStringLiteral("注意"),
                           QStringLiteral("  密度值不正确 或 取消自定义，\r\n材质恢复为默认（钢）。")}}));
        QCOMPARE(choice.checked, Material::Steel);
        QCOMPARE(choice.DensityFactor, 1.0f);
        QVERIFY(!choice.panel2Visible);
    }
}

void TestMaterial::customEntryProposesLastAcceptedDensity()
{
    MaterialDensity material;
    QStringList proposals;
    proposals << material.customDensityText();
    const MaterialChoice accepted = material.apply(Material::Custom, QStringLiteral("8.5"));
    QVERIFY(qAbs(accepted.DensityFactor - 1.0828f) < 0.0001f);
    proposals << material.customDensityText();
    material.apply(Material::Custom, QString()); // cancelled: back to steel and 7.85
    proposals << material.customDensityText();
    material.apply(Material::Custom, QStringLiteral("2.7"));

    QCOMPARE(proposals, (QStringList{"7.85", "8.5", "7.85"}));
    QCOMPARE(material.checked(), Material::Custom);
    QCOMPARE(material.CustomDensity(), 2.7f);
}

void TestMaterial::typeSwitchShowsCustomCaption()
{
    MaterialDensity material;
    material.apply(Material::Custom, QStringLiteral("8.5"));
    QCOMPARE(material.panel2TextOnTypeSwitch(), QStringLiteral("自定义 8.5g/cm3"));
    material.apply(Material::Copper);
    QCOMPARE(material.panel2TextOnTypeSwitch(), QStringLiteral("铜 8.92"));
    // The custom item keeps the caption of its last entry while another material is chosen.
    QCOMPARE(material.caption(Material::Custom), QStringLiteral("自定义 8.5g/cm3"));
}

void TestMaterial::unknownIndexChangesNothing()
{
    MaterialDensity material;
    material.apply(Material::Copper);
    const MaterialChoice choice = material.apply(static_cast<Material>(7), QStringLiteral("8.5"));
    QCOMPARE(choice.checked, Material::Copper);
    QCOMPARE(material.DensityFactor(), 1.1363f);
    QVERIFY(choice.notices.isEmpty());
}

QTEST_GUILESS_MAIN(TestMaterial)
#include "tst_material.moc"
