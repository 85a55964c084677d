#pragma once
// A fixed table of 100 extended values: the work values of one evaluation, the operands of one
// flat expression, and the values of the sheet's lines.

#include <array>
#include <cstdint>

#include "expr/extended.h"

struct ValueTable {
    static constexpr int Capacity = 100;

    std::int32_t count = 0;
    std::array<Extended, Capacity> values;

    ValueTable() { ClearValues(); }

    // count := 0 and every entry := ErrorValue.
    void ClearValues();
    // count := 0 and the entries below count := ErrorValue: the same as ClearValues for a table
    // filled only by StoreValue since its last clear, at a fraction of the cost.
    void ClearStoredValues();
    // Appends v and returns its index; returns -1 (storing nothing) when the table is full.
    int StoreValue(Extended v);
};
