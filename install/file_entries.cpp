#include "fs/file_search.h"
#include "install/archive_entries.h"
#include "install/file_entries.h"

namespace {

int32_t SizeOf(const char* path) {
    SearchRecord record;
    return FindEntry(path, record) ? static_cast<int32_t>(record.size) : 0;
}

}  // namespace

int32_t MeasureEntry(const FileEntryPlan& plan, const InstallPlaces& places) {
    if (!plan.sourceFits) return 0;
    if (plan.action == kUnpackArchive) return MeasureArchive(plan.source, 0, 0, places);
    if (plan.action == kUnpackNestedArchives) {
        return MeasureNestedArchive(plan.source, plan.hasMember ? plan.member : nullptr, places);
    }
    return SizeOf(plan.source);
}
