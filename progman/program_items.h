// The program group's contents: the items listed in the group section
// (keys 1, 2, ... through the localized lookup, up to the first empty
// one), each the destination's short form followed by the value, kept
// only when the file before the first double quote exists; at most 20.
// And the one execute text that creates the group with its items.
// Platform-neutral: the conversation lives in progman_conversation_win32.
#pragma once

#include <cstddef>

const int kMaxProgramItems = 20;
const int kItemLineSize = 128;   // an item line: 127 characters and the terminator
const int kGroupNameSize = 64;   // a group name: 63 characters and the terminator

struct ProgramItems {
    int count;
    char lines[kMaxProgramItems][kItemLineSize];
};

// base is the destination's short form with its backslash. A line longer
// than 127 characters is left out like a missing file: cut, it would name
// another file or lose the closing quote of its arguments.
void CollectProgramItems(const char* section, const char* base, ProgramItems& items);

// Bytes of the execute block: the text and its terminator. Group names
// longer than 63 characters count (and are written) cut to 63.
size_t ExecuteTextSize(const char* groupName, const ProgramItems& items);

// Writes [CreateGroup("name")] and one [AddItem("line")] per item into a
// block of size bytes (ExecuteTextSize); never beyond it.
void BuildExecuteText(char* block, size_t size, const char* groupName, const ProgramItems& items);
