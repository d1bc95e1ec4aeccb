// The installation's decisions in words, for the vendor's checker. Kept
// apart from the decisions themselves: SETUP.EXE never shows them, and
// apart they stay out of its image.
#pragma once

#include "install/file_entry.h"
#include "install/member_plan.h"

// One line for the vendor: what the entry will do, e.g.
// "copy to the System directory, version-checked".
const char* DescribeEntryAction(EntryAction action);

// One line for the vendor that states the rule applied, e.g. "skipped:
// 16\ member (16-bit), and the version mask 2 (32-bit) has no bit of it".
void DescribeMemberPlan(const MemberPlan& plan, const InstallPlaces& places, char* text, int size);
