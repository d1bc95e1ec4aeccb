// The installation's decisions in words, for the vendor's checker. Kept
// apart from the decisions themselves: SETUP.EXE never shows them, and
// apart they stay out of its image.
#pragma once

#include "install/file_entry.h"
#include "install/member_plan.h"

// One line for the vendor: what the entry will do, e.g.
// "copy to the System directory, version-checked".
const char* DescribeEntryAction(EntryAction action);

// One line for the vendor, e.g. "skipped: 16-bit member, version mask 2".
void DescribeMemberPlan(const MemberPlan& plan, int versionMask, char* text, int size);
