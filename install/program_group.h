// The program group of the run: which items it gets, and its creation
// through the DDE conversation (progman/).
#pragma once

#include "progman/program_items.h"

// The group section's list (keys 1, 2, ... through the localized lookup,
// up to the first empty one), each the destination's short form followed
// by the value, kept only when the file before the first double quote
// exists; at most 20. base is the destination's short form with its
// backslash. A line longer than 127 characters is left out like a missing
// file: cut, it would name another file or lose the closing quote of its
// arguments.
void CollectProgramItems(const char* section, const char* base, ProgramItems& items);

// The same with another judge of which files exist: the vendor's checker
// asks its plan, which knows what the installation will have written.
typedef bool (*ItemFileExists)(const char* path, void* context);
void CollectProgramItems(const char* section, const char* base, ProgramItems& items, ItemFileExists exists,
                         void* context);

// Posts one execute request that creates the group (name: at most 63
// characters) with the existing items. Nothing happens without items; a
// request that cannot be sent is warned about.
// The items come from groupSection, their files from the destination.
void CreateProgramGroup(const char* groupName, const char* groupSection, const char* destination);
