#include "checker/inf_outline.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Keys the lists read: decimal digits without leading zeros.
int ListNumberOf(const std::string& key) {
    if (key.empty() || key.size() > 9 || key[0] == '0') return 0;
    for (char c : key) {
        if (c < '0' || c > '9') return 0;
    }
    return atoi(key.c_str());
}

}  // namespace

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

bool InfOutline::Load(const std::string& path) {
    sections_.clear();
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return false;
    std::string text;
    char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
    fclose(file);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::string line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string name = Trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            sections_.push_back(OutlineSection{name, {}});
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos || sections_.empty()) continue;
        sections_.back().keys.push_back(Trimmed(line.substr(0, equals)));
    }
    return true;
}

const OutlineSection* InfOutline::Find(const std::string& name) const {
    for (const OutlineSection& section : sections_) {
        if (SameNameIgnoringCase(section.name, name)) return &section;
    }
    return nullptr;
}

bool InfOutline::HasKey(const std::string& section, const std::string& key) const {
    for (const OutlineSection& candidate : sections_) {
        if (!SameNameIgnoringCase(candidate.name, section)) continue;
        for (const std::string& known : candidate.keys) {
            if (SameNameIgnoringCase(known, key)) return true;
        }
    }
    return false;
}

std::vector<int> InfOutline::NumberedKeysAbove(const std::string& section, int number) const {
    std::vector<int> numbers;
    for (const OutlineSection& candidate : sections_) {
        if (!SameNameIgnoringCase(candidate.name, section)) continue;
        for (const std::string& key : candidate.keys) {
            int n = ListNumberOf(key);
            if (n > number) numbers.push_back(n);
        }
    }
    return numbers;
}
