#include "catalogue/typelayout.h"

#include "catalogue/catalogue.h"

namespace {
const QString SizeCaption = QStringLiteral("选择规格:");
const QString ModelCaption = QStringLiteral("选择型号:");
const QString LengthCaption = QStringLiteral("长度(mm):");
const QString QuantityCaption = QStringLiteral("数量:");
const QString BeamSpecHint = QStringLiteral("规格：h*b*d*t (高度*腿宽*腰厚*平均腿厚)");

const QString CRLF = QStringLiteral("\r\n");
const QString AvoidStarredSizes =
    QStringLiteral("  ② 尽量不采用带“*”尺寸，尺寸、参数仅摘录了一部分，具体查看手册。");
const QString ExcerptOnly = QStringLiteral("  ② 参数仅摘录了一部分，具体查看手册。");

std::array<TypeLayout, CalculationTypeCount> buildLayouts()
{
    std::array<TypeLayout, CalculationTypeCount> all{};

    TypeLayout &anchor = all[1];
    anchor.shownRows = {{0, SizeCaption}, {2, LengthCaption}, {3, QuantityCaption}};
    anchor.defaultTexts = {{2, QStringLiteral("400")}, {3, QStringLiteral("1")}};
    anchor.sizeBoxToolTip = QStringLiteral("GB/T 799-1988");
    anchor.defaultEntry = 4;
    anchor.notes = {QStringLiteral("  ① 地脚螺栓,代号：GB/T 799-1988。"),
                    QStringLiteral("  ② 选用长度一般不低于 直径的30倍。"),
                    QStringLiteral("  ③ 摘自《机械设计手册》第五版 第二卷 5-100,其它参数请查阅相关手册。")};

    TypeLayout &bolt = all[2];
    bolt.shownRows = {{0, SizeCaption}, {2, LengthCaption}, {3, QuantityCaption}};
    bolt.defaultTexts = {{2, QStringLiteral("60")}, {3, QStringLiteral("1")}};
    bolt.sizeBoxToolTip = QStringLiteral("GB/T 5780\\5781-2000");
    bolt.defaultEntry = 8;
    bolt.notes = {
        QStringLiteral("  ① 六角螺栓（C级）,代号： GB/T 5780-2000(半螺纹)、 GB/T 5781-2000(全螺纹)。"),
        AvoidStarredSizes, QStringLiteral("  ③ 摘自《机械设计手册》第五版 第二卷 5-86。")};

    TypeLayout &nut = all[3];
    nut.shownRows = {{0, SizeCaption}, {3, QuantityCaption}};
    nut.defaultTexts = {{3, QStringLiteral("1")}};
    nut.sizeBoxToolTip = QStringLiteral("GB/T 41\\6170-2000");
    nut.defaultEntry = 11;
    nut.notes = {QStringLiteral("  ① 六角螺母（C级）,代号：GB/T 41-2000、GB/T 6170-2000。"),
                 AvoidStarredSizes,
                 QStringLiteral("  ③ 摘自《机械设计手册》第五版 第二卷 5-132,其它参数请查阅相关手册。")};

    TypeLayout &washer = all[4];
    washer.shownRows = {{0, SizeCaption}, {3, QuantityCaption}};
    washer.defaultTexts = {{3, QStringLiteral("1")}};
    washer.sizeBoxToolTip = QStringLiteral("GB/T 95-2002");
    washer.unitWeightToolTip = QStringLiteral("规格：d*D*h(内径*外径*厚)");
    washer.defaultEntry = 10;
    washer.notes = {QStringLiteral("  ① 圆形垫圈（C级）,代号：GB/T 95-2002。"), AvoidStarredSizes,
                    QStringLiteral("  ③ 摘自《机械设计手册》第五版 第二卷 5-150,其它参数请查阅相关手册。")};

    TypeLayout &spring = all[5];
    spring.shownRows = {{0, SizeCaption}, {3, QuantityCaption}};
    spring.defaultTexts = {{3, QStringLiteral("1")}};
    spring.defaultEntryText = QStringLiteral("16");
    spring.subTypes = {QStringLiteral("轻型 GB/T 859-1987"), QStringLiteral("标准 GB/T 93-1987"),
                       QStringLiteral("重型 GB/T 7244-1987")};
    spring.selectedSubType = 1;
    spring.notes = {
        QStringLiteral(
            "  弹簧垫圈，代号：GB/T 93-1987 (标准)、 GB/T 859-1987(轻型) 、GB/T 7244-1987(重型) 。"),
        AvoidStarredSizes,
        QStringLiteral("  ③ 摘自《机械设计手册》第五版 第二卷 5-156,其它参数请查阅相关手册。")};

    TypeLayout &bevel = all[6];
    bevel.shownRows = {{0, SizeCaption}, {3, QuantityCaption}};
    bevel.defaultTexts = {{3, QStringLiteral("1")}};
    bevel.unitWeightToolTip = QStringLiteral("规格：φD*□B*H-H1 (孔径*边长*薄-厚)");
    bevel.defaultEntry = 4;
    bevel.subTypes = {QStringLiteral("→工字钢 GB/T 852-1988"), QStringLiteral("→槽  钢 GB/T 853-1988")};
    bevel.selectedSubType = 0;
    bevel.notes = {QStringLiteral("  ① 工字钢 用方斜垫代号：GB/T 852-1988；") + CRLF +
                       QStringLiteral("      槽钢 用方斜垫代号：GB/T 853-1988。"),
                   AvoidStarredSizes,
                   QStringLiteral("  ③ 摘自《机械设计手册》第五版 第二卷 5-154,其它参数请查阅相关手册。")};

    TypeLayout &ibeam = all[7];
    ibeam.shownRows = {{0, ModelCaption}, {2, LengthCaption}, {3, QuantityCaption}};
    ibeam.defaultTexts = {{2, QStringLiteral("1000")}, {3, QStringLiteral("1")}};
    ibeam.sizeBoxToolTip = QStringLiteral("GB/T 706-1988");
    ibeam.unitWeightToolTip = BeamSpecHint;
    ibeam.defaultEntry = 4;
    ibeam.notes = {
        QStringLiteral("  ① 热轧工字钢,代号：GB/T 706-1988。") + CRLF +
            QStringLiteral("      矿用工字钢,代号：YB/T24-1986。"),
        QStringLiteral("  ② 矿工钢9#为16Mnk、11#为20MnK、12#为Q275材质，参数仅摘录了一部分，具体查看手册。"),
        QStringLiteral("  ③ 摘自《机械设计手册》第五版 第一卷 3-116,其它参数请查阅相关手册。")};

    TypeLayout &channel = all[8];
    channel.shownRows = {{0, ModelCaption}, {2, LengthCaption}, {3, QuantityCaption}};
    channel.defaultTexts = {{2, QStringLiteral("1000")}, {3, QStringLiteral("1")}};
    channel.sizeBoxToolTip = QStringLiteral("GB/T 707-1988");
    channel.unitWeightToolTip = BeamSpecHint;
    channel.defaultEntry = 4;
    channel.notes = {QStringLiteral("  ① 热轧槽钢,代号：GB/T 707-1988。"), ExcerptOnly,
                     QStringLiteral("  ③ 摘自《机械设计手册》第五版 第一卷 3-114,其它参数请查阅相关手册。")};

    TypeLayout &bar = all[9];
    bar.shownRows = {{1, QStringLiteral("直径(mm):")}, {2, LengthCaption}, {3, QuantityCaption}};
    bar.defaultTexts = {{2, QStringLiteral("1000")}, {3, QStringLiteral("1")}};
    bar.sizeBoxToolTip = QStringLiteral("GB/T 702-2004");
    bar.unitWeightToolTip = QStringLiteral("规格：b*d*r");
    bar.sizeBoxIndex = 1;
    bar.defaultEntry = 12;
    bar.notes = {QStringLiteral("  ① 热轧圆钢,代号：GB/T 702-2004。"), ExcerptOnly, QString()};

    TypeLayout &plate = all[10];
    plate.shownRows = {
        {1, QStringLiteral("厚度(mm):")}, {2, QStringLiteral("面积(mm^2):")}, {3, QuantityCaption}};
    plate.defaultTexts = {{2, QStringLiteral("1000000")}, {3, QStringLiteral("1")}};
    plate.sizeBoxToolTip = QStringLiteral("GB/T 709-2006");
    plate.sizeBoxIndex = 1;
    plate.defaultEntry = 31;
    plate.notes = {QStringLiteral("  ① 热轧钢板,代号：GB/T 709-2006。"), ExcerptOnly,
                   QStringLiteral("  ③ 其它参数请查阅相关手册。")};

    TypeLayout &angle = all[11];
    angle.shownRows = {
        {1, QStringLiteral("边宽(mm):")}, {2, QStringLiteral("边厚(mm):")}, {3, LengthCaption}};
    angle.defaultTexts = {{2, QStringLiteral("5")}, {3, QStringLiteral("1000")}};
    angle.sizeBoxToolTip = QStringLiteral("GB/T 9787-1988");
    angle.sizeBoxIndex = 1;
    angle.defaultEntry = 6;
    angle.notes = {QStringLiteral("  ① 热轧角钢,代号：GB/T 9787-1988。"), ExcerptOnly,
                   QStringLiteral("  ③ 摘自《机械设计手册》第五版 第一卷 3-105,其它参数请查阅相关手册。")};

    TypeLayout &pipe = all[12];
    pipe.shownRows = {{1, QStringLiteral("外径(mm):")}, {2, QStringLiteral("壁厚(mm):")}, {3, LengthCaption}};
    pipe.defaultTexts = {{2, QStringLiteral("5")}, {3, QStringLiteral("1000")}};
    pipe.sizeBoxToolTip = QStringLiteral("GB/T 8163-1999");
    pipe.sizeBoxIndex = 1;
    pipe.defaultEntry = 10;
    pipe.notes = {QStringLiteral("  ① 输送流体用无缝钢管,代号：GB/T 8163-1999。"),
                  QStringLiteral("  ② 仅摘录了部分管径。"), QStringLiteral("  ③ 其它参数请查阅相关手册。")};

    return all;
}
} // namespace

const TypeLayout &typeLayout(int type)
{
    static const std::array<TypeLayout, CalculationTypeCount> layouts = buildLayouts();
    static const TypeLayout none;
    if (type < 1 || type >= CalculationTypeCount)
        return none;
    return layouts[static_cast<std::size_t>(type)];
}
