// libFuzzer target: the distribution checker's whole run over a fuzzed
// distribution. The input is SETUP.inf's text, then files, each after a
// line "--- NAME": NAME is a path under the distribution folder, or
// diskN/PATH (N 1 to 3) for a further disk. Names outside a small safe
// alphabet are skipped, so no input can write outside the scratch folder.
// SETUP.inf may start with a comment line "; check L V A" that narrows
// the walk as the options would: L the language (0 all), V the version
// mask (0 all), A the other-languages answer (y, n, b both); without it
// every choice is walked, which is slow on large files. The report (JSON
// for inputs of odd length, text for even) goes nowhere.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "checker/distribution_check.h"
#include "checker/reports.h"
#include "unzip/crc32.h"

namespace {

const char kFileMarker[] = "\n--- ";
const size_t kMaxFiles = 12;
const int kMaxDisks = 3;

const std::string& ScratchRoot() {
    static std::string root;
    if (root.empty()) {
        char pattern[] = "/tmp/checkfuzzXXXXXX";
        root = mkdtemp(pattern) ? pattern : "/tmp/checkfuzz";
        InitCrc32Table();
    }
    return root;
}

void RemoveTree(const std::string& path) {
    if (DIR* dir = opendir(path.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            std::string child = path + "/" + name;
            struct stat info;
            if (lstat(child.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
                RemoveTree(child);
            } else {
                unlink(child.c_str());
            }
        }
        closedir(dir);
    }
    rmdir(path.c_str());
}

// Letters, digits, '.', '_', '-' and '/' between non-empty parts that are
// not "." or ".."; at most 40 characters.
bool SafeName(const std::string& name) {
    if (name.empty() || name.size() > 40 || name[0] == '/' || name.back() == '/') return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        for (char c : part) {
            bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                         c == '_' || c == '-';
            if (!plain) return false;
        }
        start = end + 1;
    }
    return true;
}

void WriteFile(const std::string& root, const std::string& name, const uint8_t* data, size_t size) {
    std::string path = root;
    size_t start = 0;
    for (size_t slash; (slash = name.find('/', start)) != std::string::npos; start = slash + 1) {
        path += "/" + name.substr(start, slash - start);
        mkdir(path.c_str(), 0700);
    }
    path += "/" + name.substr(start);
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
}

// Lays the input out under root: dist/ with SETUP.EXE and SETUP.inf, and
// diskN/ folders. Returns how many further disks there are.
int LayOut(const std::string& root, const uint8_t* data, size_t size) {
    const std::string dist = root + "/dist";
    mkdir(dist.c_str(), 0700);
    WriteFile(dist, "SETUP.EXE", nullptr, 0);
    const uint8_t* end = data + size;
    const size_t markerSize = sizeof kFileMarker - 1;
    auto nextMarker = [&](const uint8_t* from) {
        const uint8_t* at = static_cast<const uint8_t*>(memmem(from, end - from, kFileMarker, markerSize));
        return at ? at : end;
    };
    const uint8_t* marker = nextMarker(data);
    WriteFile(dist, "SETUP.inf", data, marker - data);
    int disks = 0;
    for (size_t files = 0; marker < end && files < kMaxFiles; ++files) {
        const uint8_t* nameStart = marker + markerSize;
        const uint8_t* nameEnd = static_cast<const uint8_t*>(memchr(nameStart, '\n', end - nameStart));
        if (!nameEnd) break;
        const uint8_t* contentEnd = nextMarker(nameEnd + 1);
        std::string name(reinterpret_cast<const char*>(nameStart), nameEnd - nameStart);
        marker = contentEnd;
        if (!SafeName(name)) continue;
        std::string folder = dist;
        if (name.size() > 6 && name.compare(0, 4, "disk") == 0 && name[4] >= '1' && name[4] < '1' + kMaxDisks &&
            name[5] == '/') {
            int disk = name[4] - '0';
            if (disk > disks) disks = disk;
            folder = root + "/disk" + name[4];
            mkdir(folder.c_str(), 0700);
            name = name.substr(6);
        }
        WriteFile(folder, name, nameEnd + 1, contentEnd - (nameEnd + 1));
    }
    for (int disk = 1; disk <= disks; ++disk) mkdir((root + "/disk" + std::to_string(disk)).c_str(), 0700);
    return disks;
}

void NarrowTheWalk(const uint8_t* data, size_t size, CheckOptions& options) {
    static const char kLine[] = "; check ";
    const size_t start = sizeof kLine - 1;
    if (size < start + 5 || memcmp(data, kLine, start) != 0) return;
    const char* choice = reinterpret_cast<const char*>(data + start);
    if (choice[0] >= '0' && choice[0] <= '9') options.language = choice[0] - '0';
    if (choice[2] >= '1' && choice[2] <= '3') options.versionMask = choice[2] - '0';
    if (choice[4] == 'y' || choice[4] == 'n') options.otherLanguages = choice[4] == 'y';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string root = ScratchRoot() + "/run";
    RemoveTree(root);
    mkdir(root.c_str(), 0700);
    CheckOptions options;
    options.distribution = root + "/dist";
    int disks = LayOut(root, data, size);
    for (int disk = 1; disk <= disks; ++disk) options.disks.push_back(root + "/disk" + std::to_string(disk));
    NarrowTheWalk(data, size, options);

    FILE* nowhere = std::fopen("/dev/null", "wb");
    if (!nowhere) return 0;
    {
        std::unique_ptr<Report> report = size % 2 ? MakeJsonReport(nowhere, false) : MakeTextReport(nowhere, false);
        Findings findings;
        std::string failure;
        bool ran = CheckDistribution(options, *report, findings, failure);
        ExitStatusOf(ran, findings);
    }
    std::fclose(nowhere);
    RemoveTree(root);
    return 0;
}
