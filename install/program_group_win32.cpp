#include "install/program_group.h"

#include "fs/path_utils.h"
#include "fs/short_path.h"
#include "progman/progman_request.h"
#include "setup/language.h"
#include "setup/prepared_state.h"

void CreateProgramGroup(const char* groupName) {
    // Short form: the item lines must fit 127 characters.
    char base[kMaxPath + 1];
    ShortPathForm(Prepared().destination, base);
    AddBackslash(base);
    ProgramItems items;
    CollectProgramItems(Language().groupSection, base, items);
    if (items.count == 0) return;
    if (!PostExecuteRequest(groupName, items)) WarnGroupNotCreated();
}
