#include "expr/value_table.h"

#include <algorithm>

void ValueTable::ClearValues() {
    count = 0;
    values.fill(ErrorValue);
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
