#pragma once
// The functions a formula can call, in the order the function list and the keypad offer them.
// The evaluator, the function list and the keypad all read this one table.

#include <array>
#include <optional>
#include <string_view>

enum class Function { Sin, Cos, Tan, Asin, Acos, Atan, Log, Log10, Sqrt };

struct FunctionEntry {
    Function function;
    std::string_view name;  // as a formula calls it, upper case
};

inline constexpr std::array<FunctionEntry, 9> kFunctions = {{
    {Function::Sin, "SIN"},
    {Function::Cos, "COS"},
    {Function::Tan, "TAN"},
    {Function::Asin, "ASIN"},
    {Function::Acos, "ACOS"},
    {Function::Atan, "ATAN"},
    {Function::Log, "LOG"},
    {Function::Log10, "LOG10"},
    {Function::Sqrt, "SQRT"},
}};

// The function a formula's name calls; nullopt for a name that is none.
constexpr std::optional<Function> FindFunction(std::string_view name) {
    for (const FunctionEntry& entry : kFunctions)
        if (entry.name == name) return entry.function;
    return std::nullopt;
}
