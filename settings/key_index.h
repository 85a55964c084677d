#pragma once
// Where the first entry of each key is among KEY=VALUE lines. A key is the text before a line's
// first "="; keys match with their ASCII letters in either case.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A table, because every lookup folds every character of its key.
inline constexpr std::array<char, 256> kUpperAscii = [] {
    std::array<char, 256> upper{};
    for (std::size_t c = 0; c < upper.size(); ++c)
        upper[c] = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return upper;
}();

// The letter in upper case when c is an ASCII letter, else c itself.
inline char UpperAscii(char c) {
    return kUpperAscii[static_cast<unsigned char>(c)];
}

// An open-addressing table of line numbers: a settings file read from elsewhere may hold
// thousands of lines, a start looks up every key, and the table costs one allocation.
class KeyIndex {
public:
    // Every entry of lines; of entries with the same key, the first.
    void Build(const std::vector<std::string>& lines);
    // The line of key's first entry in the lines the table was made for.
    std::optional<std::size_t> Find(const std::vector<std::string>& lines,
                                    std::string_view key) const;
    // The last of lines was just appended and holds a key the table does not have yet.
    void AddLast(const std::vector<std::string>& lines);

private:
    // The slot of key's entry, or the empty slot where it would go.
    std::size_t Probe(const std::vector<std::string>& lines, std::string_view key,
                      std::size_t hash) const;
    // Puts line (its number) into an empty slot or, when its key has one already, leaves it.
    void Add(const std::vector<std::string>& lines, std::size_t line);

    struct Slot {
        std::size_t line = 0;  // line number + 1; 0 marks an empty slot
        std::size_t hash = 0;  // of the line's key, so that most other keys are passed by
    };
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};
