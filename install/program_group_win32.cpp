#include "install/program_group.h"

#include "fs/path_utils.h"
#include "fs/short_path.h"
#include "progman/progman_request.h"

void CreateProgramGroup(const char* groupName, const char* groupSection, const char* destination) {
    // Short form: the item lines must fit 127 characters.
    char base[kMaxPath + 1];
    ShortPathForm(destination, base);
    AddBackslash(base);
    ProgramItems items;
    CollectProgramItems(groupSection, base, items);
    if (items.count == 0) return;
    if (!PostExecuteRequest(groupName, items)) WarnGroupNotCreated();
}
