#pragma once

#include "common/errorvalue.h"
#include "common/notice.h"

#include <QtGlobal>

#include <optional>

// What a step of the core ends in: its value or the error that stopped it, and the notices the
// window shows, in the order the user must see them. Neither value nor error means the input was
// refused before any work; a notice then says why.
template <typename T> struct Outcome
{
    std::optional<T> value;
    std::optional<ErrorValue> error;
    qsizetype errorPosition = -1; // where in the input text the error was found; -1 when unknown
    Notices notices;

    bool succeeded() const { return value.has_value(); }
};
