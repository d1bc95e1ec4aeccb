// Which sections and keys SETUP.inf holds, in file order: the checker's own
// look at the text, only to find what the installer's readers would never
// ask for (keys after a gap, lettered sections of no language). Every
// value the plan uses is read through the installer's own readers.
#pragma once

#include <string>
#include <vector>

struct OutlineSection {
    std::string name;
    std::vector<std::string> keys;
};

class InfOutline {
public:
    // False when the file cannot be read.
    bool Load(const std::string& path);

    const std::vector<OutlineSection>& Sections() const { return sections_; }
    // Case does not matter, as for the profile functions; null when absent.
    const OutlineSection* Find(const std::string& name) const;
    bool HasKey(const std::string& section, const std::string& key) const;
    // The decimal keys (1, 2, ...) of the section above number.
    std::vector<int> NumberedKeysAbove(const std::string& section, int number) const;

private:
    std::vector<OutlineSection> sections_;
};

bool SameNameIgnoringCase(const std::string& a, const std::string& b);
