#include "checker/choices.h"

#include <algorithm>
#include <cstring>

#include "fs/path_utils.h"
#include "setup/language.h"
#include "setup/numbered_list.h"
#include "setup/setup_info.h"

namespace {

const char kLanguages[] = "languages";
const char kLangName[] = "LangName";
const int kEntrySize = 512;  // a languages entry, as the choice reads it
const char* const kLetteredBases[] = {"install", "Group", "ini"};

struct LanguageLine {
    int key;           // the languages key it came from
    std::string name;  // before the first comma
};

std::string EntryOf(int key, int size) {
    char listKey[kListKeySize];
    ListKey(key, listKey);
    std::vector<char> value(static_cast<size_t>(size));
    ReadSetupString(kLanguages, listKey, "", value.data(), size);
    return value.data();
}

// The dialog's lines: each non-empty entry from 1 to Count, cut at its first comma.
std::vector<LanguageLine> DialogLines(int count) {
    std::vector<LanguageLine> lines;
    for (int key = 1; key <= count; ++key) {
        std::string entry = EntryOf(key, kSetupValueSize);
        if (entry.empty()) continue;
        lines.push_back(LanguageLine{key, entry.substr(0, entry.find(','))});
    }
    return lines;
}

char LetterOf(int index) {
    char entry[kEntrySize];
    CopyBounded(entry, EntryOf(index, kEntrySize).c_str(), kEntrySize);
    ApplyLanguageEntry(entry);
    return Language().letter;
}

std::string SingleLanguageName() {
    char key[2];
    LanguageNameKey(key);
    char name[kMaxPath];
    ReadSetupString(kLangName, key, "", name, kMaxPath);
    return name;
}

std::string MaskText(int mask) {
    switch (mask) {
    case 0: return "mask 0 (only members without 16\\ or 32\\)";
    case 1: return "16-bit (mask 1)";
    case 2: return "32-bit (mask 2)";
    case 3: return "16- and 32-bit (mask 3)";
    default: return "mask " + std::to_string(mask);
    }
}

std::string Label(const ChoiceFacts& c) {
    std::string label = "language " + std::to_string(c.languageIndex);
    if (!c.languageName.empty()) label += " " + c.languageName;
    if (!c.languageAsked) {
        label += " (no language question)";
    } else if (c.allLanguages) {
        label += ", all languages' files";
    } else {
        label += ", only its own language files (" + c.singleLanguage + ")";
    }
    label += c.versionAsked ? "; version " : "; no version question, version ";
    label += MaskText(c.versionMask);
    return label;
}

std::string LetterText(char letter) { return letter ? std::string(1, letter) : std::string(); }

// Without its LangName entry the single-language name stays empty, and an
// empty name lets every language's files through the language filter.
void CheckLanguageNames(const std::vector<LanguageLine>& lines, Findings& findings) {
    char languageDirectory[kMaxPath];
    ReadSetupString(kLangName, "langdir", "", languageDirectory, kMaxPath);
    if (languageDirectory[0] == '\0') return;
    for (size_t i = 0; i < lines.size(); ++i) {
        ResetLanguage();
        Language().index = static_cast<unsigned short>(i + 1);
        LetterOf(static_cast<int>(i) + 1);
        if (!SingleLanguageName().empty()) continue;
        char key[2];
        LanguageNameKey(key);
        findings.Add("language-name-missing", "language " + std::to_string(i + 1) + " (" + lines[i].name +
                                                  "): [LangName] has no key " + key + ", so answering \"only my "
                                                  "language\" installs the files of every language in " +
                                                  languageDirectory + "\\, as \"all languages\" does");
    }
}

}  // namespace

void ApplyChoiceLanguage(const ChoiceFacts& choice) {
    ResetLanguage();
    Language().index = static_cast<unsigned short>(choice.languageIndex);
    LetterOf(choice.languageIndex);
    CopyBounded(Language().singleLanguageName, choice.singleLanguage.c_str(), kMaxPath);
}

bool ListChoices(const CheckOptions& options, std::vector<ChoiceFacts>& choices, std::string& error) {
    const int count = ReadSetupInt(kLanguages, "Count", 1);
    const bool asked = count >= 2;
    std::vector<int> indices;
    std::vector<std::string> names;
    if (asked) {
        std::vector<LanguageLine> lines = DialogLines(count);
        for (size_t i = 0; i < lines.size(); ++i) {
            if (options.language != 0 && options.language != static_cast<int>(i) + 1) continue;
            indices.push_back(static_cast<int>(i) + 1);
            names.push_back(lines[i].name);
        }
        if (indices.empty()) {
            error = "--language " + std::to_string(options.language) + ": the language dialog has " +
                    std::to_string(lines.size()) + " lines";
            return false;
        }
    } else {
        int index = ReadSetupInt(kLanguages, "Default", 1);
        std::string entry = EntryOf(index, kSetupValueSize);
        indices.push_back(index);
        names.push_back(entry.substr(0, entry.find(',')));
    }
    const int vernum = ReadSetupInt("VersionCheck", "Vernum", 0);
    std::vector<int> masks;
    if (vernum == 4) {
        if (options.versionMask > 0) masks.push_back(options.versionMask);
        else masks = {1, 2, 3};
    } else {
        masks.push_back(vernum);
    }
    char languageDirectory[kMaxPath];
    ReadSetupString(kLangName, "langdir", "", languageDirectory, kMaxPath);
    for (size_t i = 0; i < indices.size(); ++i) {
        ChoiceFacts base;
        base.languageIndex = indices[i];
        base.languageName = names[i];
        base.languageAsked = asked;
        ResetLanguage();
        Language().index = static_cast<unsigned short>(base.languageIndex);
        base.letter = LetterOf(base.languageIndex);
        std::string single = asked ? SingleLanguageName() : std::string();
        // The answer changes nothing without a language folder or a name.
        bool answerMatters = asked && languageDirectory[0] != '\0' && !single.empty();
        std::vector<bool> answers;
        if (!answerMatters || options.otherLanguages != 0) answers.push_back(true);
        if (answerMatters && options.otherLanguages != 1) answers.push_back(false);
        if (answers.empty()) answers.push_back(true);
        for (bool all : answers) {
            for (int mask : masks) {
                ChoiceFacts choice = base;
                choice.allLanguages = all;
                choice.singleLanguage = all ? std::string() : single;
                choice.versionMask = mask;
                choice.versionAsked = vernum == 4;
                choice.label = Label(choice);
                choices.push_back(choice);
            }
        }
    }
    ResetLanguage();
    return true;
}

void CheckLanguageSections(const InfOutline& outline, Findings& findings) {
    const int count = ReadSetupInt(kLanguages, "Count", 1);
    const int defaultIndex = ReadSetupInt(kLanguages, "Default", 1);
    std::vector<char> letters;  // by language index - 1
    int firstIndex = 1;
    if (count >= 2) {
        std::vector<LanguageLine> lines = DialogLines(count);
        if (lines.size() < 2) {
            findings.Add("language-count", "[languages] Count=" + std::to_string(count) + " but the dialog shows " +
                                               std::to_string(lines.size()) + " line(s)");
        }
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].key != static_cast<int>(i) + 1) {
                findings.Add("language-gap", "[languages] key " + std::to_string(i + 1) +
                                                 " is empty: the dialog's line " + std::to_string(i + 1) + " (" +
                                                 lines[i].name + ") reads its letter from key " +
                                                 std::to_string(i + 1) + ", not from key " +
                                                 std::to_string(lines[i].key));
            }
        }
        if (defaultIndex < 1 || defaultIndex > static_cast<int>(lines.size())) {
            findings.Add("language-default", "[languages] Default=" + std::to_string(defaultIndex) +
                                                 " names no line of the dialog: nothing is preselected, and OK "
                                                 "without a choice ends SETUP.EXE");
        }
        for (size_t i = 0; i < lines.size(); ++i) letters.push_back(LetterOf(static_cast<int>(i) + 1));
        CheckLanguageNames(lines, findings);
    } else {
        if (defaultIndex < 1 || defaultIndex > 3) {
            findings.Add("language-default", "[languages] Default=" + std::to_string(defaultIndex) +
                                                 " is no language index (1 English, 2 German, 3 French): "
                                                 "messages are in English");
        }
        letters.push_back(LetterOf(defaultIndex));
        firstIndex = defaultIndex;
    }
    std::vector<int> past = outline.NumberedKeysAbove(kLanguages, count < 1 ? 0 : count);
    if (!past.empty()) {
        findings.Add("language-count", "[languages] key " + std::to_string(past.front()) + " lies past Count=" +
                                           std::to_string(count) + " and is never read");
    }
    const int vernum = ReadSetupInt("VersionCheck", "Vernum", 0);
    if (vernum < 0 || vernum > 4) {
        findings.Add("version-mask", "[VersionCheck] Vernum=" + std::to_string(vernum) +
                                         " is taken as the version mask itself (1 16-bit, 2 32-bit, 3 both)");
    }
    // Lettered sections: each must belong to a language; a language's
    // sections take missing keys from the base section.
    for (const OutlineSection& section : outline.Sections()) {
        for (const char* base : kLetteredBases) {
            size_t length = strlen(base);
            if (section.name.size() != length + 1 || !SameNameIgnoringCase(section.name.substr(0, length), base)) {
                continue;
            }
            char letter = section.name[length];
            bool owned = false;
            for (char known : letters) owned = owned || (known && SameNameIgnoringCase(std::string(1, known), std::string(1, letter)));
            if (!owned) {
                findings.Add("lettered-orphan", "[" + section.name + "] belongs to no language: no languages entry "
                                                "has the letter " + std::string(1, letter));
            }
        }
    }
    for (size_t i = 0; i < letters.size(); ++i) {
        if (!letters[i]) continue;
        for (const char* base : kLetteredBases) {
            const std::string lettered = std::string(base) + LetterText(letters[i]);
            const OutlineSection* baseSection = outline.Find(base);
            if (!baseSection) continue;
            std::string missing;
            for (const std::string& key : baseSection->keys) {
                if (!outline.HasKey(lettered, key)) missing += (missing.empty() ? "" : ", ") + key;
            }
            if (missing.empty()) continue;
            // English never falls back: a key missing there takes the default.
            bool english = firstIndex + static_cast<int>(i) == 1;
            if (!outline.Find(lettered)) {
                findings.Add("lettered-fallback", "language with letter " + LetterText(letters[i]) + ": no [" +
                                                      lettered + "]" +
                                                      (english ? "; English does not fall back to [" + std::string(base) + "]"
                                                               : "; [" + std::string(base) + "] stands in"));
                continue;
            }
            findings.Add("lettered-fallback", "language with letter " + LetterText(letters[i]) + ": [" + lettered +
                                                  "] lacks " + missing +
                                                  (english ? "; English does not fall back, so these keys are absent"
                                                           : "; [" + std::string(base) + "] stands in"));
        }
    }
    ResetLanguage();
}

void CheckVersionChoices(const std::vector<ChoiceFacts>& choices, const std::vector<ChoiceTotals>& totals,
                         Findings& findings) {
    for (size_t i = 0; i < choices.size(); ++i) {
        if (!choices[i].versionAsked) continue;
        std::vector<std::string> first = totals[i].written;
        std::sort(first.begin(), first.end());
        for (size_t j = i + 1; j < choices.size(); ++j) {
            const ChoiceFacts& other = choices[j];
            if (other.languageIndex != choices[i].languageIndex || other.allLanguages != choices[i].allLanguages) continue;
            std::vector<std::string> second = totals[j].written;
            std::sort(second.begin(), second.end());
            if (first != second) continue;
            findings.Add("versions-same", "language " + std::to_string(other.languageIndex) + ": the versions " +
                                              MaskText(choices[i].versionMask) + " and " + MaskText(other.versionMask) +
                                              " install the same files; the version question changes nothing "
                                              "between them");
        }
    }
}
