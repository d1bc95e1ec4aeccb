// The lists of the setup information file: keys 1, 2, 3, ... of a section,
// ending at the first empty (or missing) value. Plain lists are read from
// their section; localized ones from the lettered section with the base
// section standing in key by key.
#pragma once

enum ListSource { kPlainList, kLocalizedList };

// The key of entry number: its decimal digits.
const int kListKeySize = 12;
void ListKey(int number, char key[kListKeySize]);

// Entry number of the list into value (size bytes); false when it is empty,
// which ends the list.
bool ReadListEntry(ListSource source, const char* section, int number, char* value, int size);
