// Inside the program-group module: posting the execute request over the
// open conversation, and the two warnings the user may see.
#pragma once

#include "progman/program_items.h"

// False when no server is kept, a request is still pending, or the block
// cannot be allocated or posted (then it is freed again).
bool PostExecuteRequest(const char* groupName, const ProgramItems& items);

void WarnNoAnswer();
void WarnGroupNotCreated();
