#include "install/profile_entries.h"

#include "fs/path_utils.h"
#include "setup/numbered_list.h"
#include "setup/profile.h"

void PlanProfileEntry(char* line, ProfileEntryPlan& plan) {
    plan.file = NextToken(line, ',');
    plan.section = NextToken(nullptr, ',');
    plan.key = NextToken(nullptr, ',');
    plan.value = NextToken(nullptr, ',');
    plan.valueCut = plan.value && NextToken(nullptr, ',') != nullptr;
    if (!plan.key) {
        plan.action = kProfileNothing;
    } else {
        plan.action = plan.value ? kProfileWrite : kProfileDelete;
    }
}

void WriteProfileEntries(const char* iniSection) {
    char line[kMaxPath];
    for (int number = 1; number <= kLastProfileEntryKey; ++number) {
        if (!ReadListEntry(kLocalizedList, iniSection, number, line, kMaxPath)) return;
        ProfileEntryPlan plan;
        PlanProfileEntry(line, plan);
        if (plan.action != kProfileNothing) WriteProfileEntry(plan.section, plan.key, plan.value, plan.file);
    }
}
