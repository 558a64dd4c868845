#include "lookup/threadlookup.h"

#include <QRegularExpression>

#include <cmath>
#include <numbers>

namespace {

namespace Text {
const QString Note1 =
    QStringLiteral("  ① 普通螺纹，直径与螺距系列 GB/T 193-2003（等同 ISO 261:1998），基本尺寸 GB/T 196-2003"
                   "（ISO 724）；M1～M68，粗牙与细牙。");
const QString Note2 =
    QStringLiteral("  ② d2 = D2 = d − 0.649519P，d1 = D1 = d − 1.082532P，d3 = d − 1.226869P；"
                   "应力截面积 As = π/4·((d2 + d3)/2)²；底孔钻头 d − P，有常用值（ISO 2306）时取常用值。");
const QString Note3 = QStringLiteral("  ③ 数据注释：");
const QString NoDataNotes = QStringLiteral("无。");
const QString Empty = QStringLiteral("请输入螺纹规格，如 M12 或 M12×1.25");
const QString Coarse = QStringLiteral("粗牙");
const QString Fine = QStringLiteral("细牙");
} // namespace Text

const QString Times = QStringLiteral("×");

bool same(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}

QString displayed(const QString &designation)
{
    QString text = designation;
    return text.replace(u'x', Times);
}

// "粗牙 1.75；细牙 1.5、1.25" for a diameter of the table.
QString pitchesOf(double d)
{
    QStringList coarse;
    QStringList fine;
    for (const ThreadRow &row : metricThreads()) {
        if (same(row.d.value, d))
            (row.coarse ? coarse : fine).append(row.pitch.text);
    }
    QStringList parts;
    if (!coarse.isEmpty())
        parts.append(Text::Coarse + u' ' + coarse.join(QStringLiteral("、")));
    if (!fine.isEmpty())
        parts.append(Text::Fine + u' ' + fine.join(QStringLiteral("、")));
    return parts.join(QStringLiteral("；"));
}

QString numberText(double value)
{
    return QString::number(value, 'g', 12);
}

} // namespace

std::optional<ThreadDesignation> parseThreadDesignation(QStringView text)
{
    static const QRegularExpression pattern(QStringLiteral("^M?(\\d+(?:\\.\\d+)?)(?:[X×*](\\d*\\.?\\d+))?$"));
    QString compact = text.toString().toUpper();
    compact.remove(QRegularExpression(QStringLiteral("\\s")));
    const QRegularExpressionMatch match = pattern.match(compact);
    if (!match.hasMatch())
        return std::nullopt;
    ThreadDesignation designation;
    designation.d = match.captured(1).toDouble();
    if (match.hasCaptured(2))
        designation.pitch = match.captured(2).toDouble();
    return designation;
}

const ThreadRow *findThread(const ThreadDesignation &designation)
{
    for (const ThreadRow &row : metricThreads()) {
        if (same(row.d.value, designation.d) &&
            (designation.pitch ? same(row.pitch.value, *designation.pitch) : row.coarse))
            return &row;
    }
    return nullptr;
}

double stressArea(const ThreadRow &row)
{
    const double mean = (row.d2.value + row.d3.value) / 2;
    return std::numbers::pi / 4 * mean * mean;
}

const PrintedNumber &drillToUse(const ThreadRow &row)
{
    const bool differs =
        !row.practiceDrill.text.isEmpty() && !same(row.practiceDrill.value, row.tapDrill.value);
    return differs ? row.practiceDrill : row.tapDrill;
}

LookupAnswer lookUpThread(QStringView typed)
{
    LookupAnswer answer;
    answer.notes = {Text::Note1, Text::Note2, Text::Note3 + Text::NoDataNotes};
    const auto fail = [&answer](const QString &why) {
        answer.lines = {why};
        answer.failed = true;
        answer.status = why;
        return answer;
    };
    if (typed.trimmed().isEmpty())
        return fail(Text::Empty);
    const std::optional<ThreadDesignation> designation = parseThreadDesignation(typed);
    if (!designation)
        return fail(QStringLiteral("无法识别的螺纹规格 %1，应如 M12 或 M12×1.25").arg(typed.trimmed()));
    const ThreadRow *row = findThread(*designation);
    if (!row) {
        const QString pitches = pitchesOf(designation->d);
        if (pitches.isEmpty())
            return fail(QStringLiteral("GB/T 193 没有公称直径 %1 mm 的普通螺纹（M1～M68）")
                            .arg(numberText(designation->d)));
        if (designation->pitch)
            return fail(QStringLiteral("M%1 没有螺距 %2（%3）")
                            .arg(numberText(designation->d), numberText(*designation->pitch), pitches));
        return fail(
            QStringLiteral("M%1 没有粗牙，请写出螺距（%2）").arg(numberText(designation->d), pitches));
    }
    const QString name = displayed(row->designation);
    const PrintedNumber &drill = drillToUse(*row);
    answer.lines = {
        QStringLiteral("%1 %2（第%3系列）：P = %4，d2 = D2 = %5")
            .arg(name, row->coarse ? Text::Coarse : Text::Fine)
            .arg(row->choice)
            .arg(row->pitch.text, row->d2.text),
        QStringLiteral("d1 = D1 = %1，d3 = %2，As = %3 mm²")
            .arg(row->d1.text, row->d3.text,
                 QString::number(stressArea(*row), 'f', stressArea(*row) < 10 ? 3 : 2)),
        &drill == &row->tapDrill
            ? QStringLiteral("底孔钻头 %1（d − P）").arg(drill.text)
            : QStringLiteral("底孔钻头 %1（常用值；d − P = %2）").arg(drill.text, row->tapDrill.text),
    };
    answer.result = drill.text;
    answer.status = QStringLiteral("已查得：%1 底孔钻头 %2").arg(name, drill.text);
    if (!row->note.isEmpty())
        answer.notes[2] = Text::Note3 + row->note;
    return answer;
}

QStringList threadEntries()
{
    QStringList coarse;
    QStringList fine;
    for (const ThreadRow &row : metricThreads())
        (row.coarse ? coarse : fine).append(displayed(row.designation));
    return coarse + fine;
}
