#include "checker/disk_capacity.h"

#include <sys/stat.h>

#include "checker/floppy_media.h"
#include "checker/platform.h"

namespace {

// A subfolder takes its entry and at least a cluster, plus what lies in it.
void Measure(const FloppyMedium& medium, const std::string& folder, long long& clusters, int& entries) {
    for (const std::string& name : FolderNames(folder)) {
        if (name == "." || name == "..") continue;
        std::string path = JoinNative(folder, name);
        struct stat info;
        if (stat(path.c_str(), &info) != 0) continue;
        entries += RootEntriesOf(name);
        if (S_ISDIR(info.st_mode)) {
            int inner = 2;  // . and ..
            long long below = 0;
            Measure(medium, path, below, inner);
            clusters += below + ClustersOf(medium, 32LL * inner);
        } else {
            clusters += ClustersOf(medium, static_cast<long long>(info.st_size));
        }
    }
}

}  // namespace

void CheckDiskCapacity(const std::vector<std::string>& folders, const std::string& mediumName, Findings& findings) {
    const FloppyMedium* medium = FindFloppyMedium(mediumName);
    if (!medium) return;
    for (size_t disk = 0; disk < folders.size(); ++disk) {
        long long clusters = 0;
        int entries = 1;  // the volume label
        Measure(*medium, folders[disk], clusters, entries);
        // Entries of subfolders count inside them, not in the root.
        int root = 1;
        for (const std::string& name : FolderNames(folders[disk])) {
            if (name != "." && name != "..") root += RootEntriesOf(name);
        }
        if (clusters > medium->clusters || root > medium->rootEntries) {
            findings.Add("disk-full", "disk " + std::to_string(disk) + " (" + folders[disk] + ") takes " +
                                          std::to_string(clusters) + " of " + std::to_string(medium->clusters) +
                                          " clusters and " + std::to_string(root) + " of " +
                                          std::to_string(medium->rootEntries) + " root entries of a " + medium->name +
                                          " KB floppy");
        }
    }
}
