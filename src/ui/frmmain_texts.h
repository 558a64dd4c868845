#pragma once

// The main window's own texts, kept together, also those of its panels. Multi-line texts
// join their lines with CRLF (Crlf in windowhelpers.h).

#include <QString>
#include <QStringList>

namespace FrmMainText {

inline const QString ProductName = QStringLiteral("Vardeko");
inline const QString TopMostMark = QStringLiteral("-[置顶]");

// Menus.
inline const QString MnuF = QStringLiteral("计算类型(&F)");
inline const QString MnuEnd = QStringLiteral("退  出");
inline const QString MnuSet = QStringLiteral("设置(&O)");
inline const QString AngleUnitMenu = QStringLiteral("角度单位");
inline const QStringList MSjddw = {QStringLiteral("度 °"), QStringLiteral("弧度")};
inline const QString PrecisionMenu = QStringLiteral("计算精度");
inline const QStringList MSJingDu = {QStringLiteral("智能 低"), QStringLiteral("智能 高"),
                                     QStringLiteral("0.000#"), QStringLiteral("0.000#-E00"),
                                     QStringLiteral("不处理")};
inline const QString HistorySizeMenu = QStringLiteral("表达式记录");
inline const QStringList MSBDSSL = {QStringLiteral("不记录"), QStringLiteral("8 个"), QStringLiteral("16 个"),
                                    QStringLiteral("24 个")};
inline const QString MSCZ = QStringLiteral("材  质");
inline const QStringList MSCaiZhi = {QStringLiteral("钢  7.85g/cm3"), QStringLiteral("铜  8.92g/cm3"),
                                     QStringLiteral("铝  2.70g/cm3"), QStringLiteral("自定义")};
inline const QString MnuS_FZ = QStringLiteral("自动复制结果");
inline const QString MnuS_Top = QStringLiteral("置顶显示");
inline const QString MnuLJ = QStringLiteral("链接(&L)");
inline const QString MnuQTT = QStringLiteral("其它");
inline const QString MnuQT1 = QStringLiteral("螺栓连接孔");
inline const QStringList MnuQT = {QStringLiteral("槽   钢 "), QStringLiteral("工字钢"),
                                  QStringLiteral("角   钢")};
inline const QString MnuH_About = QStringLiteral("关于");

// Controls.
inline const QString CmdEnd = QStringLiteral("关闭");
inline const QString LabSizeCaption = QStringLiteral("规格:");
inline const QString LabSizeToolTip = QStringLiteral("双击查看说明");
inline const QString LabSM2 = QStringLiteral("参数");
inline const QString LabSM3 = QStringLiteral("数量");
inline const QString LabDanZhong = QStringLiteral("单重：12.57kg/m");
inline const QString LabJieGuo = QStringLiteral("结果");
inline const QString CmdOK = QStringLiteral("确定");
inline const QString CmdFZAuto = QStringLiteral("复制(自动)");
inline const QString CmdFZManual = QStringLiteral("复  制");
inline const QString LabBDS = QStringLiteral("★表达式:");
inline const QString CombKJSRToolTip =
    QStringLiteral("注意：①.函数需加括号。 ②.仅支持Sin()、Cos()、Tan()及反正切Atn()等4个三角函数。");
inline const QString CmdZT = QStringLiteral("粘贴 ＆ 计算");
inline const QString CmdQK = QStringLiteral("清空(&Q)");
inline const QStringList CmdHanShu = {QStringLiteral("^()"), QStringLiteral("&Sin"), QStringLiteral("&Cos"),
                                      QStringLiteral("&Tan"), QStringLiteral("&Atn")};
inline const QStringList CmdHanShuToolTip = {QStringLiteral("^( ▇ )"), QStringLiteral("Sin( ▇ )"),
                                             QStringLiteral("Cos( ▇ )"), QStringLiteral("Tan( ▇ )"),
                                             QStringLiteral("Atn( ▇ )")};
// What each function button puts in front of the selection.
inline const QStringList FunctionPrefix = {QStringLiteral("^("), QStringLiteral("Sin("),
                                           QStringLiteral("Cos("), QStringLiteral("Tan("),
                                           QStringLiteral("ATn(")};
inline const QString LabDDE = QStringLiteral("LabDDE(勿删)");

// Status bar.
inline const QString PanelTypeExpression = QStringLiteral("表达式计算");
inline const QString PanelTimeToolTip = QStringLiteral("时间");
inline const QString PanelDateToolTip = QStringLiteral("日期");
inline const QString AngleUnitToolTip = QStringLiteral("角度单位：");
inline const QString AngleUnitToolTipOfLayout = QStringLiteral("角度单位");
inline const QString AngleUnitStatus = QStringLiteral("角度单位：");
inline const QString PrecisionStatus = QStringLiteral("计算精度：");
inline const QString HistorySizeStatus = QStringLiteral("表达式记录：");
inline const QString HistoryLoadedStatus = QStringLiteral("载入表达式");
inline const QString CopiedStatus = QStringLiteral("已将 结果 复制到剪贴板。");
inline const QString MaterialToolTip = QStringLiteral("材质密度");

// Settings keys.
inline const QString SectionExpression = QStringLiteral("表达式");
inline const QString KeyHistorySize = QStringLiteral("记录");
inline const QString KeyHistoryCount = QStringLiteral("数量");
inline const QString KeyHistoryEntry = QStringLiteral("记录"); // followed by the index
inline const QString SectionLinks = QStringLiteral("链接");
inline const QString KeyLinkCount = QStringLiteral("数量");

// The About box.
inline const QString AboutTitle = QStringLiteral("说明    E-mail:");
inline const QStringList AboutLines = {
    QStringLiteral("    ①.这个小程序是我做机械设计的时候用的，功能不大，主要是计算一些型材的重量。"),
    QStringLiteral("    ②.双击 型号前的标签会有该型材、元件的一些简短说明(标准号、参考资料)。"),
    QStringLiteral(
        "    ③.表达式计算支持嵌套,支持正弦Sin()、余弦Cos()、正切Tan()、反正切Atn()等4个三角函数。"),
    QStringLiteral("    ④.螺栓、螺母、垫圈仅选取了部分型号（六角头 C级 螺母/螺栓），"
                   "重量计算不精确，如需精确数据请查阅相关手册。")};

// The help box of the expression label.
inline const QString ExpressionHelpTitle = QStringLiteral("表达式计算 说明：");
inline const QStringList ExpressionHelpLines = {
    QStringLiteral("    ①、本程序表达式计算仅支持正弦Sin()、余弦Cos()、正切Tan() "),
    QStringLiteral("反正切Atn()等4个三角函数，函数不分大小写，但数据须放入括号内，"),
    QStringLiteral("即写成Sin(#)、Tan（X+Y×Z），否则会出错。"),
    QStringLiteral("    ②、你可以在【设置】-【角度单位】中设置角度的单位，程序每次启动均默认为°。"),
    QStringLiteral("    ③、无论选择何种角度单位，在角度值后输入°符号或du，程序都会 "),
    QStringLiteral("以度为单位进行计算，即Sin(30°)=sin(π/6)=1/2。 "),
    QStringLiteral("    ④、由于数据转换精度的原因，某些角度计算会有问题，例如Tan(90°)=82183020.0。"),
    QStringLiteral("    ⑤、程序自动以3.1416替换π，以°替换“du”。"),
    QStringLiteral("    ⑥、程序会自动将表达式中的空格予以剔除，自动处理运算符，无法识别的运算会予以提示。")};

} // namespace FrmMainText
