#include "expr/value_table.h"

#include <algorithm>

namespace {

// Copying a ready table is one block move; filling entry by entry stalls on every 80-bit store.
constexpr std::array<Extended, ValueTable::Capacity> EmptyValues() {
    std::array<Extended, ValueTable::Capacity> values{};
    for (Extended& v : values)
        v = ErrorValue;
    return values;
}

constexpr std::array<Extended, ValueTable::Capacity> kEmptyValues = EmptyValues();

}  // namespace

void ValueTable::ClearValues() {
    count = 0;
    values = kEmptyValues;
}

void ValueTable::ClearStoredValues() {
    std::fill_n(values.begin(), count, ErrorValue);
    count = 0;
}

int ValueTable::StoreValue(Extended v) {
    if (count >= Capacity) return -1;
    values[count] = v;
    return count++;
}
