#include "weight/weightboxcheck.h"

#include "common/numbertext.h"

namespace {
const QString PositiveValueStatus = QStringLiteral("」参数 必须大于0！");
const QString PositiveValueCaption = QStringLiteral("\r\n◆ 「参数」 必须大于0 ◆");
} // namespace

bool weightEntriesPositive(const std::array<QString, 4> &boxTexts, bool typedSizeBox)
{
    if (typedSizeBox && !(readNumberPrefix(boxTexts[0]) > 0))
        return false;
    return readNumberPrefix(boxTexts[1]) > 0 && readNumberPrefix(boxTexts[2]) > 0 &&
           readNumberPrefix(boxTexts[3]) > 0;
}

WeightBoxVerdict checkWeightBox(const WeightBoxChange &change)
{
    WeightBoxVerdict verdict;
    const QString &text = change.boxTexts[static_cast<std::size_t>(change.index)];
    const double value = readNumberPrefix(text);
    const bool picked = change.index == 0 && !change.typedSizeBox;
    if (!picked && !(value > 0)) {
        verdict.refused = true;
        verdict.caption = PositiveValueCaption;
        verdict.statusText = u'「' + change.caption.left(change.caption.size() - 1) + PositiveValueStatus;
        return verdict;
    }
    verdict.statusText = text;
    if (change.index == 0 && change.typedSizeBox) {
        verdict.boxMarked = false; // a typed dimension with no list to be outside of
    } else if (change.index == 0) {
        verdict.boxMarked = text.contains(u'*') || text.contains(QStringLiteral("矿"));
    } else if (change.index == 1 && !change.sizeListEntries.isEmpty()) {
        // Red until an entry of the same value is found: a size outside the list.
        bool listed = false;
        for (const QString &entry : change.sizeListEntries) {
            if (readNumberPrefix(entry) == value) {
                listed = true;
                break;
            }
        }
        verdict.boxMarked = !listed;
    }
    verdict.calculate = change.weightType && weightEntriesPositive(change.boxTexts, change.typedSizeBox);
    return verdict;
}
