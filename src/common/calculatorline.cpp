#include "common/calculatorline.h"

#include <charconv>

double unitWeightOfSingle(float unitWeight)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, unitWeight);
    if (result.ec != std::errc())
        return static_cast<double>(unitWeight);
    return QString::fromLatin1(buffer, result.ptr - buffer).toDouble();
}
