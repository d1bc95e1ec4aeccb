// Stand-ins for the steps of the run whose modules are not in yet.
#include "install/profile_entries.h"
#include "install/running_programs.h"
#include "progman/progman.h"

bool CheckRunningPrograms() { return true; }
void WriteProfileEntries() {}
void StartProgmanConversation() {}
void CreateProgramGroup(const char*) {}
