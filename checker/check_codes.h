// The checks a distribution gets: each a stable code, a severity and what
// it means. Errors: the installation will fail or lose something.
// Warnings: probably not what the vendor meant. Notes: worth knowing.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

enum Severity { kSeverityError, kSeverityWarning, kSeverityNote };

struct CheckCode {
    const char* code;
    Severity severity;
    const char* meaning;
};

// Every code, in the order the guide lists them.
const std::vector<CheckCode>& AllCheckCodes();

// The code's entry; null for an unknown code.
const CheckCode* FindCheckCode(const std::string& code);

const char* SeverityName(Severity severity);

struct Finding {
    std::string code;
    Severity severity;
    std::string message;  // one line naming the file, section or key
    std::string choice;   // the first choice that meets it; empty: the distribution's
    int choices = 0;      // how many choices meet it
};

// Findings of a whole check, each kept once however many choices meet it.
class Findings {
public:
    void Add(const std::string& code, const std::string& message);
    // The choice whose walk adds the findings that follow; empty for none.
    void SetChoice(const std::string& label);
    const std::vector<Finding>& All() const { return findings_; }
    int Count(Severity severity) const;
    // Drops the findings of these codes; returns how many there were.
    int Remove(const std::vector<std::string>& codes);

private:
    std::vector<Finding> findings_;
    std::unordered_map<std::string, size_t> index_;  // code and message to the finding
    std::unordered_set<std::string> counted_;        // and the choice, once counted
    std::string choice_;
};
