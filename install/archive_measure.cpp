#include "install/archive_entries.h"

#include "fs/text_compare.h"
#include "install/member_plan.h"
#include "unzip/nested_archive.h"
#include "unzip/zip_probe.h"

bool IsChosenInnerArchive(const ZipEntry& entry, const char* member) {
    return entry.method == 0 && (!member || SameTextIgnoringCase(entry.name, member));
}

int32_t MeasureArchive(const char* archivePath, uint32_t baseOffset, int32_t length, const InstallPlaces& places) {
    if (!IsZipArchive(archivePath)) return 0;
    int32_t total = 0;
    ZipDirectory listing;
    for (int r = OpenZipDirectory(archivePath, listing, baseOffset, length); r == kListingEntry;
         r = NextZipEntry(listing)) {
        MemberPlan plan;
        PlanMember(listing.entry.name, places.destination, places, plan);
        if (MemberWanted(plan)) total = AddByteCount(total, listing.entry.size);
    }
    CloseZipDirectory(listing);
    return total;
}

int32_t MeasureNestedArchive(const char* archivePath, const char* member, const InstallPlaces& places) {
    int32_t total = 0;
    ZipDirectory listing;
    for (int r = OpenZipDirectory(archivePath, listing, 0, 0); r == kListingEntry; r = NextZipEntry(listing)) {
        uint32_t start = 0;
        if (!IsChosenInnerArchive(listing.entry, member) ||
            !InnerArchiveStart(archivePath, listing.entry.headerOffset, start)) {
            continue;
        }
        int32_t inner = MeasureArchive(archivePath, start, static_cast<int32_t>(listing.entry.packedSize), places);
        total = AddByteCount(total, static_cast<uint32_t>(inner));
    }
    CloseZipDirectory(listing);
    return total;
}
