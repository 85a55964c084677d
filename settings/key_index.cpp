#include "settings/key_index.h"

#include <algorithm>
#include <bit>

namespace {

// FNV-1a of the key with its ASCII letters in upper case.
std::size_t FoldedHash(std::string_view key) {
    std::size_t hash = 14695981039346656037u;
    for (char c : key)
        hash = (hash ^ static_cast<unsigned char>(UpperAscii(c))) * 1099511628211u;
    return hash;
}

bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a == b) return true;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    }
    return true;
}

std::string_view KeyOf(std::string_view line) {
    return line.substr(0, line.find('='));
}

}  // namespace

void KeyIndex::Build(const std::vector<std::string>& lines) {
    // At most half the slots in use, so that a probe ends soon.
    slots_.assign(std::bit_ceil(std::max<std::size_t>(16, 2 * lines.size())), Slot{});
    count_ = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find('=') != std::string::npos) Add(lines, i);
    }
}

std::optional<std::size_t> KeyIndex::Find(const std::vector<std::string>& lines,
                                          std::string_view key) const {
    if (slots_.empty()) return std::nullopt;
    const Slot& slot = slots_[Probe(lines, key, FoldedHash(key))];
    if (slot.line == 0) return std::nullopt;
    return slot.line - 1;
}

void KeyIndex::AddLast(const std::vector<std::string>& lines) {
    if (2 * (count_ + 1) > slots_.size()) {
        Build(lines);
    } else {
        Add(lines, lines.size() - 1);
    }
}

void KeyIndex::Add(const std::vector<std::string>& lines, std::size_t line) {
    const std::string_view key = KeyOf(lines[line]);
    const std::size_t hash = FoldedHash(key);
    Slot& slot = slots_[Probe(lines, key, hash)];
    if (slot.line != 0) return;
    slot = {line + 1, hash};
    ++count_;
}

std::size_t KeyIndex::Probe(const std::vector<std::string>& lines, std::string_view key,
                            std::size_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.line == 0) return i;
        if (slot.hash == hash && SameKey(KeyOf(lines[slot.line - 1]), key)) return i;
    }
}
