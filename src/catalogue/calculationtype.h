#pragma once

// The calculation types in the order of the type list, the 计算类型 menu and the toolbar. The
// underlying value is the index the window and the settings file use.
enum class CalculationType {
    Expression,
    AnchorBolt,
    HexBolt,
    HexNut,
    Washer,
    SpringWasher,
    BevelWasher,
    IBeam,
    Channel,
    RoundBar,
    Plate,
    Angle,
    Pipe,
    HBeam,
    HollowSection,
    UnequalAngle,
    FlatBar,
    SquareBar,
    HexagonBar,
    LimitsAndFits,
    MetricThread,
};

constexpr int typeIndex(CalculationType type)
{
    return static_cast<int>(type);
}
