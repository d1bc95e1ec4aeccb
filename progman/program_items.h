// The program group's items (which ones: install/group_items.h) and the
// one execute text that creates the group with them. Platform-neutral:
// the conversation lives in progman_conversation_win32.
#pragma once

#include <cstddef>

const int kMaxProgramItems = 20;
const int kItemLineSize = 128;   // an item line: 127 characters and the terminator
const int kGroupNameSize = 64;   // a group name: 63 characters and the terminator

struct ProgramItems {
    int count;
    char lines[kMaxProgramItems][kItemLineSize];
};

// Bytes of the execute block: the text and its terminator. Group names
// longer than 63 characters count (and are written) cut to 63.
size_t ExecuteTextSize(const char* groupName, const ProgramItems& items);

// Writes [CreateGroup("name")] and one [AddItem("line")] per item into a
// block of size bytes (ExecuteTextSize); never beyond it.
void BuildExecuteText(char* block, size_t size, const char* groupName, const ProgramItems& items);
