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

bool ValueTable::RemoveValue(int i) {
    if (i < 0 || i >= count) return false;
    std::copy(values.begin() + i + 1, values.end(), values.begin() + i);
    values[Capacity - 1] = ErrorValue;
    --count;
    return true;
}
