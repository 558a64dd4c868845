#pragma once

#include "materiallist/materiallist.h"
#include "materiallist/materiallistcsv.h"

#include <QByteArray>

#include <optional>

// The material lists that the writer helper saves, one per version number: every row carries
// the version in its quantity and its note, so a file that mixes two versions or ends early
// is no version at all.
namespace MaterialListVersions {

inline MaterialList listOf(long long version)
{
    MaterialList list;
    for (int i = 0; i < 400; ++i) {
        CalculatorLine line{QStringLiteral("工字钢"), QStringLiteral("Ⅰ%1").arg(i),
                            QStringLiteral("钢"),     6000,
                            double(version),          14.223,
                            UnitBasis::PerMetre};
        list.append(line, QStringLiteral("版本 %1, 第 %2 行").arg(version).arg(i));
    }
    return list;
}

inline std::optional<long long> versionOf(const QByteArray &file)
{
    const MaterialListCsv::ReadResult read = MaterialListCsv::read(file);
    if (read.rows.isEmpty())
        return std::nullopt;
    const long long version = static_cast<long long>(read.rows.at(0).line.quantity);
    if (MaterialListCsv::write(listOf(version)) != file)
        return std::nullopt;
    return version;
}

} // namespace MaterialListVersions
