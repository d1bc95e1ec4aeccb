#include "vendor/try_compare.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <set>

#include "testlib/distribution.h"
#include "testlib/shell_group.h"

namespace {

bool StartsWith(const std::string& text, const std::string& start) {
    return text.size() >= start.size() && UpperName(text.substr(0, start.size())) == UpperName(start);
}

std::string Hex(uint32_t value) {
    char text[16];
    sprintf(text, "%08X", static_cast<unsigned>(value));
    return text;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The link Wine's shell makes for a group item line: the file's name
// without its extension.
std::string LinkName(const std::string& line) {
    std::string path = line.substr(0, line.find('"'));
    std::string name = path.substr(path.rfind('\\') + 1);
    return UpperName(name.substr(0, name.rfind('.')) + ".lnk");
}

void CompareOne(const std::string& path, const PlannedFile& planned, uint32_t size,
                std::vector<std::string>& differences) {
    if (size != planned.size) {
        differences.push_back(path + ": " + std::to_string(size) + " bytes, the plan " + std::to_string(planned.size));
        return;
    }
    uint32_t crc = 0;
    if (!FileCrc(path, crc)) differences.push_back(path + ": cannot be read");
    else if (crc != planned.crc) differences.push_back(path + ": CRC " + Hex(crc) + ", the plan " + Hex(planned.crc));
}

}  // namespace

std::string ProfilePath(const std::string& file, const std::string& windowsDirectory) {
    if (file.find('\\') != std::string::npos) return file;
    return windowsDirectory + "\\" + file;
}

std::vector<std::string> CompareFiles(const TryPlan& plan) {
    std::vector<std::string> differences;
    const std::string prefix = UpperName(plan.destination + "\\");
    std::map<std::string, PlannedFile> planned;  // relative to the destination
    for (const auto& file : plan.files) {
        if (StartsWith(file.first, prefix)) {
            planned[file.first.substr(prefix.size())] = file.second;
            continue;
        }
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(file.first.c_str(), GetFileExInfoStandard, &data)) {
            differences.push_back(file.first + ": missing, the plan installs it");
        } else {
            CompareOne(file.first, file.second, data.nFileSizeLow, differences);
        }
    }
    std::map<std::string, uint32_t> installed;
    for (const auto& file : FilesBelow(plan.destination)) installed[UpperName(file.first)] = file.second;
    for (const auto& file : installed) {
        auto found = planned.find(file.first);
        const std::string path = plan.destination + "\\" + file.first;
        if (found == planned.end()) differences.push_back(path + ": installed, not in the plan");
        else CompareOne(path, found->second, file.second, differences);
    }
    for (const auto& file : planned) {
        if (!installed.count(file.first)) differences.push_back(plan.destination + "\\" + file.first + ": missing, the plan installs it");
    }
    return differences;
}

std::vector<std::string> CompareProfiles(const TryPlan& plan, const std::string& listedProfile,
                                         const std::string& windowsDirectory) {
    std::vector<std::string> differences;
    struct Expected {
        std::string file, section, name, value;
        bool written;
    };
    std::map<std::string, Expected> expected;  // the last action on a value counts
    for (const ProfileFacts& p : plan.profiles) {
        if (p.action == "nothing") continue;
        expected[UpperName(p.file + "|" + p.section + "|" + p.name)] = Expected{p.file, p.section, p.name, p.value,
                                                                                 p.action == "write"};
    }
    if (expected.empty() && !listedProfile.empty()) {
        std::vector<std::string> parts;
        for (size_t at = 0; parts.size() < 3; at = listedProfile.find(',', at) + 1) {
            parts.push_back(listedProfile.substr(at, listedProfile.find(',', at) - at));
            if (listedProfile.find(',', at) == std::string::npos) break;
        }
        if (parts.size() == 3) expected["listed"] = Expected{parts[0], parts[1], parts[2], "", false};
    }
    for (const auto& entry : expected) {
        const Expected& e = entry.second;
        char value[1024];
        GetPrivateProfileStringA(e.section.c_str(), e.name.c_str(), "<absent>", value, sizeof value,
                                 ProfilePath(e.file, windowsDirectory).c_str());
        const std::string want = e.written ? e.value : "<absent>";
        if (want != value) {
            differences.push_back(e.file + " [" + e.section + "] " + e.name + ": " + Quoted(value) + ", the plan " +
                                  Quoted(want));
        }
    }
    return differences;
}

std::vector<std::string> CompareGroup(const TryPlan& plan, const std::string& listedGroup) {
    std::vector<std::string> differences;
    const std::string name = plan.group.offered ? plan.group.name : listedGroup;
    if (name.empty() || name == "none") return differences;
    const std::string folder = ProgramsFolder() + "\\" + name;
    std::set<std::string> planned;
    if (plan.group.offered) {
        for (const auto& item : plan.group.items) {
            if (item.second) planned.insert(LinkName(item.first));
        }
    }
    CloseGroupWindows(name, planned.empty() ? 0 : 5000);
    std::set<std::string> links;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do links.insert(UpperName(data.cFileName));
        while (FindNextFileA(search, &data));
        FindClose(search);
    }
    for (const std::string& link : links) {
        if (!planned.count(link)) differences.push_back(folder + "\\" + link + ": created, not in the plan");
    }
    for (const std::string& link : planned) {
        if (!links.count(link)) differences.push_back(folder + "\\" + link + ": missing, the plan creates it");
    }
    return differences;
}
