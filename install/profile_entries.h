// The profile entries of the lettered section ini?: after a successful
// installation, keys 1 to 101 (read through the localized lookup, up to
// the first empty one) each name a profile file, a section, a key and a
// value: file,section,key[,value]. No value deletes the key; no key does
// nothing. The value is the fourth comma-separated token: anything after
// a fifth comma is not written. Refused writes are ignored.
#pragma once

// The last key read: 101 entries, never more.
const int kLastProfileEntryKey = 101;

enum ProfileAction { kProfileNothing, kProfileDelete, kProfileWrite };

struct ProfileEntryPlan {
    ProfileAction action;
    const char* file;     // into the line given; null when absent
    const char* section;
    const char* key;
    const char* value;    // kProfileWrite only
    bool valueCut;        // the line went on after the value: a comma in the value?
};

// Splits line in place; plan points into it.
void PlanProfileEntry(char* line, ProfileEntryPlan& plan);

void WriteProfileEntries(const char* iniSection);
