#pragma once

// The window's exclusive menu choices that the core is handed. Each enumerator's value is the
// index of its menu item, which is also what the settings file and the menus' action data hold.

// The five precision modes of the result box (menu 精度).
enum class PrecisionMode : int {
    SmartLow = 0,
    SmartHigh = 1,
    FixedFour = 2,
    ExponentFour = 3,
    Unprocessed = 4
};
inline constexpr int PrecisionModeCount = 5;

// The angle unit of the trigonometric functions (menu 角度单位).
enum class AngleUnit : int { Degrees = 0, Radians = 1 };

// The material of the weight calculator (menu 材质); all built-in weights are for steel.
enum class Material : int { Steel = 0, Copper = 1, Aluminium = 2, Custom = 3 };
inline constexpr int MaterialCount = 4;
