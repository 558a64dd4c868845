#pragma once

#include "catalogue/typerecord.h"

#include <iterator>

namespace TypeTableText {
inline constexpr QStringView Size = u"选择规格:";
inline constexpr QStringView Model = u"选择型号:";
inline constexpr QStringView Length = u"长度(mm):";
inline constexpr QStringView Quantity = u"数量:";
inline constexpr QStringView BeamSpecHint = u"规格：h*b*d*t (高度*腿宽*腰厚*平均腿厚)";
inline constexpr QStringView AvoidStarredSizes =
    u"  ② 尽量不采用带“*”尺寸，尺寸、参数仅摘录了一部分，具体查看手册。";
inline constexpr QStringView ExcerptOnly = u"  ② 参数仅摘录了一部分，具体查看手册。";
} // namespace TypeTableText

// clang-format off
inline constexpr SubTypeRecord SpringWasherSeries[] = {
    {u"轻型 GB/T 859-1987", &SpringWasherLightTable, u"※ 标准:GB/T 859-1987(轻型)"},
    {u"标准 GB/T 93-1987", &SpringWasherStandardTable, u"※ 标准:GB/T 93-1987 (标准) "},
    {u"重型 GB/T 7244-1987", &SpringWasherHeavyTable, u"※ 标准:GB/T 7244-1987(重型)"},
};
inline constexpr SubTypeRecord BevelWasherKinds[] = {
    {u"→工字钢 GB/T 852-1988", &BevelWasherIBeamTable, u"※ 标准: GB/T 852-1988 (工字钢用)"},
    {u"→槽  钢 GB/T 853-1988", &BevelWasherChannelTable, u"※ 标准: GB/T 853-1988 (槽钢用)"},
};

// One record per calculation type, in index order. A row stays on one line so that no
// number or text is ever split across literals.
// type | caption | loading name | icon | weight rule | part table | size entries | length check | entry prefix | size box | rows 0..3 {caption, default, "*"} | size-box tooltip | unit-weight tooltip | default entry | default entry text | sub-types | selected sub-type | notes | standard lines | section
// The section types take their notes from the section tables (a row with a data note says so),
// the lookup types from their lookup.
inline constexpr CalculationTypeRecord TypeRecords[] = {
    {CalculationType::Expression, u"表达式", {}, TypeIconKind::Expression, WeightRule::None, nullptr, nullptr, LengthCheck::None, {}, 0, {}, {}, {}, -1, {}, {}, -1, {}, {}, {}},
    {CalculationType::AnchorBolt, u"地脚螺栓", u"地脚螺栓", TypeIconKind::AnchorBolt, WeightRule::AnchorBolt, &AnchorBoltTable, nullptr, LengthCheck::OneForAll, {}, 0, {{{TypeTableText::Size, {}}, {}, {TypeTableText::Length, u"400"}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 799-1988", {}, 4, {}, {}, -1, {u"  ① 地脚螺栓,代号：GB/T 799-1988。", u"  ② 选用长度一般不低于 直径的30倍。", u"  ③ 摘自《机械设计手册》第五版 第二卷 5-100,其它参数请查阅相关手册。"}, {u"※ 代号: GB/T 799-1988；"}, {}},
    {CalculationType::HexBolt, u"六角螺栓", u"螺栓", TypeIconKind::HexBolt, WeightRule::HexBolt, &HexBoltTable, nullptr, LengthCheck::OneForAll, {}, 0, {{{TypeTableText::Size, {}}, {}, {TypeTableText::Length, u"60"}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 5780\\5781-2000", {}, 8, {}, {}, -1, {u"  ① 六角螺栓（C级）,代号： GB/T 5780-2000(半螺纹)、 GB/T 5781-2000(全螺纹)。", TypeTableText::AvoidStarredSizes, u"  ③ 摘自《机械设计手册》第五版 第二卷 5-86。"}, {u"※ GB/T 5780-2000 (C级半螺纹)", u"※ GB/T 5781-2000 (C级全螺纹)"}, {}},
    {CalculationType::HexNut, u"六角螺母", u"螺母", TypeIconKind::Nut, WeightRule::PiecePart, &HexNutTable, nullptr, LengthCheck::OneForAll, {}, 0, {{{TypeTableText::Size, {}}, {}, {}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 41\\6170-2000", {}, 11, {}, {}, -1, {u"  ① 六角螺母（C级）,代号：GB/T 41-2000、GB/T 6170-2000。", TypeTableText::AvoidStarredSizes, u"  ③ 摘自《机械设计手册》第五版 第二卷 5-132,其它参数请查阅相关手册。"}, {u"※ GB/T 41-2000 (C级)", u"※ GB/T 6170-2000 (A、B级)"}, {}},
    {CalculationType::Washer, u"垫圈", u"垫片", TypeIconKind::Washer, WeightRule::PiecePart, &WasherTable, nullptr, LengthCheck::OneForAll, {}, 0, {{{TypeTableText::Size, {}}, {}, {}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 95-2002", u"规格：d*D*h(内径*外径*厚)", 10, {}, {}, -1, {u"  ① 圆形垫圈（C级）,代号：GB/T 95-2002。", TypeTableText::AvoidStarredSizes, u"  ③ 摘自《机械设计手册》第五版 第二卷 5-150,其它参数请查阅相关手册。"}, {u"※ 标准:GB/T 95-2002(C级平垫圈)"}, {}},
    {CalculationType::SpringWasher, u"弹簧垫圈", u"弹簧垫圈", TypeIconKind::SpringWasher, WeightRule::PiecePart, nullptr, nullptr, LengthCheck::PerList, {}, 0, {{{TypeTableText::Size, {}}, {}, {}, {TypeTableText::Quantity, u"1"}}}, {}, {}, -1, u"16", SpringWasherSeries, 1, {u"  弹簧垫圈，代号：GB/T 93-1987 (标准)、 GB/T 859-1987(轻型) 、GB/T 7244-1987(重型) 。", TypeTableText::AvoidStarredSizes, u"  ③ 摘自《机械设计手册》第五版 第二卷 5-156,其它参数请查阅相关手册。"}, {u""}, {}},
    {CalculationType::BevelWasher, u"方斜垫", u"方斜垫", TypeIconKind::BevelWasher, WeightRule::PiecePart, nullptr, nullptr, LengthCheck::PerList, {}, 0, {{{TypeTableText::Size, {}}, {}, {}, {TypeTableText::Quantity, u"1"}}}, {}, u"规格：φD*□B*H-H1 (孔径*边长*薄-厚)", 4, {}, BevelWasherKinds, 0, {u"  ① 工字钢 用方斜垫代号：GB/T 852-1988；\r\n      槽钢 用方斜垫代号：GB/T 853-1988。", TypeTableText::AvoidStarredSizes, u"  ③ 摘自《机械设计手册》第五版 第二卷 5-154,其它参数请查阅相关手册。"}, {u"※ 标准: GB/T 853-1988 (槽钢用)"}, {}},
    {CalculationType::IBeam, u"工字钢", u"工字钢", TypeIconKind::IBeam, WeightRule::Beam, &IBeamTable, nullptr, LengthCheck::Column1, u"Ⅰ", 0, {{{TypeTableText::Model, {}}, {}, {TypeTableText::Length, u"1000"}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 706-1988", TypeTableText::BeamSpecHint, 4, {}, {}, -1, {u"  ① 热轧工字钢,代号：GB/T 706-1988。\r\n      矿用工字钢,代号：YB/T24-1986。", u"  ② 矿工钢9#为16Mnk、11#为20MnK、12#为Q275材质，参数仅摘录了一部分，具体查看手册。", u"  ③ 摘自《机械设计手册》第五版 第一卷 3-116,其它参数请查阅相关手册。"}, {u"※ 标准: GB/T 706-1988", u"● 标准: YB/T 24-1986 (矿用工字钢)"}, {}},
    {CalculationType::Channel, u"槽钢", u"槽钢", TypeIconKind::Channel, WeightRule::Beam, &ChannelTable, nullptr, LengthCheck::Column1, u"[", 0, {{{TypeTableText::Model, {}}, {}, {TypeTableText::Length, u"1000"}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 707-1988", TypeTableText::BeamSpecHint, 4, {}, {}, -1, {u"  ① 热轧槽钢,代号：GB/T 707-1988。", TypeTableText::ExcerptOnly, u"  ③ 摘自《机械设计手册》第五版 第一卷 3-114,其它参数请查阅相关手册。"}, {u"※ 标准: GB/T 707-1988"}, {}},
    {CalculationType::RoundBar, u"圆钢", u"圆钢", TypeIconKind::RoundBar, WeightRule::RoundBar, nullptr, &RoundBarSizeEntries, LengthCheck::None, {}, 1, {{{}, {u"直径(mm):", {}}, {TypeTableText::Length, u"1000"}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 702-2004", u"规格：b*d*r", 12, {}, {}, -1, {u"  ① 热轧圆钢,代号：GB/T 702-2004。", TypeTableText::ExcerptOnly, {}}, {u"※ 标准: GB/T 702-2004"}, {}},
    {CalculationType::Plate, u"钢板", u"钢板", TypeIconKind::Plate, WeightRule::Plate, nullptr, &PlateSizeEntries, LengthCheck::None, {}, 1, {{{}, {u"厚度(mm):", {}}, {u"面积(mm^2):", u"1000000", true}, {TypeTableText::Quantity, u"1", true}}}, u"GB/T 709-2006", {}, 31, {}, {}, -1, {u"  ① 热轧钢板,代号：GB/T 709-2006。", TypeTableText::ExcerptOnly, u"  ③ 其它参数请查阅相关手册。"}, {u"※ 标准: GB/T 709-2006"}, {}},
    {CalculationType::Angle, u"角钢", u"角钢", TypeIconKind::Angle, WeightRule::Angle, &AngleTable, nullptr, LengthCheck::Column2, {}, 1, {{{}, {u"边宽(mm):", {}}, {u"边厚(mm):", u"5"}, {TypeTableText::Length, u"1000", true}}}, u"GB/T 9787-1988", {}, 6, {}, {}, -1, {u"  ① 热轧角钢,代号：GB/T 9787-1988。", TypeTableText::ExcerptOnly, u"  ③ 摘自《机械设计手册》第五版 第一卷 3-105,其它参数请查阅相关手册。"}, {u"※ 标准: GB/T 9787-1988"}, {}},
    {CalculationType::Pipe, u"钢管", u"钢管", TypeIconKind::Pipe, WeightRule::Pipe, &PipeTable, nullptr, LengthCheck::None, {}, 1, {{{}, {u"外径(mm):", {}}, {u"壁厚(mm):", u"5"}, {TypeTableText::Length, u"1000", true}}}, u"GB/T 8163-1999", {}, 10, {}, {}, -1, {u"  ① 输送流体用无缝钢管,代号：GB/T 8163-1999。", u"  ② 仅摘录了部分管径。", u"  ③ 其它参数请查阅相关手册。"}, {u"※ 标准: GB/T 8163-1999"}, {}},
    {CalculationType::HBeam, u"H型钢", u"H型钢", TypeIconKind::HBeam, WeightRule::SectionTable, nullptr, nullptr, LengthCheck::None, {}, 0, {{{TypeTableText::Model, {}}, {}, {TypeTableText::Length, u"1000"}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 11263-2017", u"规格：H*B*t1*t2*r (高度*宽度*腹板厚*翼缘厚*圆角半径)", -1, u"HW200×200×8×12", {}, -1, {}, {u"※ 标准: GB/T 11263-2017"}, {SectionType::HBeam, -1, {}, false}},
    {CalculationType::HollowSection, u"方矩管", u"方矩管", TypeIconKind::HollowSection, WeightRule::SectionTable, nullptr, nullptr, LengthCheck::None, {}, 0, {{{u"规格:", {}}, {u"壁厚(mm):", u"3"}, {TypeTableText::Length, u"1000"}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 6728-2017", u"规格：H*B*t (高度*宽度*壁厚)", -1, u"50×50", {}, -1, {}, {u"※ 标准: GB/T 6728-2017"}, {SectionType::HollowSection, 1, u"此规格无此壁厚", false}},
    {CalculationType::UnequalAngle, u"不等边角钢", u"不等边角钢", TypeIconKind::UnequalAngle, WeightRule::SectionTable, nullptr, nullptr, LengthCheck::None, {}, 0, {{{TypeTableText::Model, {}}, {u"边厚(mm):", u"6"}, {TypeTableText::Length, u"1000"}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 706-2008", u"规格：B*b*d*r (长边宽*短边宽*边厚*内圆弧半径)", -1, u"7.5/5", {}, -1, {}, {u"※ 标准: GB/T 706-2008"}, {SectionType::UnequalAngle, 1, u"此型号无此边厚", false}},
    {CalculationType::FlatBar, u"扁钢", u"扁钢", TypeIconKind::FlatBar, WeightRule::SectionFormula, nullptr, nullptr, LengthCheck::None, {}, 0, {{{u"宽度(mm):", u"50"}, {u"厚度(mm):", u"5"}, {TypeTableText::Length, u"1000"}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 702-2017", u"规格：b*t (宽度*厚度)", -1, {}, {}, -1, {}, {u"※ 标准: GB/T 702-2017"}, {SectionType::FlatBar, -1, {}, true}},
    {CalculationType::SquareBar, u"方钢", u"方钢", TypeIconKind::SquareBar, WeightRule::SectionFormula, nullptr, nullptr, LengthCheck::None, {}, 1, {{{}, {u"边长(mm):", {}}, {TypeTableText::Length, u"1000"}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 702-2017", u"规格：a*a (边长*边长)", -1, u"20", {}, -1, {}, {u"※ 标准: GB/T 702-2017"}, {SectionType::SquareBar, -1, {}, false}},
    {CalculationType::HexagonBar, u"六角钢", u"六角钢", TypeIconKind::HexagonBar, WeightRule::SectionFormula, nullptr, nullptr, LengthCheck::None, {}, 1, {{{}, {u"对边(mm):", {}}, {TypeTableText::Length, u"1000"}, {TypeTableText::Quantity, u"1"}}}, u"GB/T 702-2017", u"规格：s (对边距离)", -1, u"20", {}, -1, {}, {u"※ 标准: GB/T 702-2017"}, {SectionType::HexagonBar, -1, {}, false}},
    {CalculationType::LimitsAndFits, u"公差配合", {}, TypeIconKind::Fit, WeightRule::None, nullptr, nullptr, LengthCheck::None, {}, 0, {{{u"基本尺寸(mm):", u"25"}, {u"孔:", u"H7"}, {u"轴:", u"g6"}, {}}}, u"基本尺寸：大于 0 至 3150 mm", u"孔、轴的公差带代号如 H7、g6；可只填一个", -1, {}, {}, -1, {}, {u"※ 标准: GB/T 1800.1-2020"}, {}, LookupKind::Fit},
    {CalculationType::MetricThread, u"普通螺纹", {}, TypeIconKind::Thread, WeightRule::None, nullptr, nullptr, LengthCheck::None, {}, 0, {{{u"规格:", u"M12"}, {}, {}, {}}}, u"如 M12（粗牙）或 M12×1.25（细牙）", u"规格：M d×P (公称直径×螺距)", -1, {}, {}, -1, {}, {u"※ 标准: GB/T 193-2003, GB/T 196-2003"}, {}, LookupKind::Thread},
};
// clang-format on

// The number of calculation types, the expression calculator included.
inline constexpr int CalculationTypeCount = static_cast<int>(std::size(TypeRecords));

constexpr bool recordsInIndexOrder()
{
    for (int i = 0; i < CalculationTypeCount; ++i) {
        if (typeIndex(TypeRecords[i].type) != i)
            return false;
    }
    return true;
}
static_assert(recordsInIndexOrder(), "TypeRecords[i] must describe the type of index i");

constexpr bool isCalculationTypeIndex(int index)
{
    return index >= 0 && index < CalculationTypeCount;
}

constexpr const CalculationTypeRecord &typeRecord(CalculationType type)
{
    return TypeRecords[typeIndex(type)];
}

// The type of a list index; the index must pass isCalculationTypeIndex.
constexpr CalculationType calculationTypeAt(int index)
{
    return static_cast<CalculationType>(index);
}

// The table a type loads for a sub-type (the CombLeiXing entry); an entry outside the list
// loads the record's selected one. Null when the type has no part table.
constexpr const PartLists *partTableOf(const CalculationTypeRecord &record, int subType)
{
    if (record.subTypes.empty())
        return record.table;
    const int count = static_cast<int>(record.subTypes.size());
    const int pick = subType >= 0 && subType < count ? subType : record.selectedSubType;
    return record.subTypes[static_cast<std::size_t>(pick)].table;
}
