// libFuzzer target: arbitrary bytes as a setup information file, read the
// way the installation reads it (languages, the lettered lists with their
// fallback, every numbered list), and every decision made from it: file
// entries, archive members named in section [members] under each version
// mask and language, profile entries, group items and their execute text,
// running-program entries and their messages, backup names, the
// destination entry. Nothing is installed; the host file layer is only
// asked whether group items exist.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "install/data_backup.h"
#include "install/file_entry.h"
#include "install/member_plan.h"
#include "install/plan_descriptions.h"
#include "install/profile_entries.h"
#include "install/program_group.h"
#include "install/running_program_entry.h"
#include "setup/destination_entry.h"
#include "setup/language.h"
#include "setup/numbered_list.h"
#include "setup/setup_info.h"

namespace {

const int kMaxListEntries = 40;  // lists end earlier in practice; bounded for speed

std::string& InfPath() {
    static std::string path;
    if (path.empty()) {
        char pattern[] = "/tmp/setupfuzzXXXXXX";
        path = std::string(mkdtemp(pattern) ? pattern : "/tmp") + "/SETUP.inf";
    }
    return path;
}

typedef std::vector<std::string> List;

List ReadList(ListSource source, const char* section, int limit) {
    List list;
    char value[kMaxPath];
    for (int n = 1; n <= limit && ReadListEntry(source, section, n, value, kMaxPath); ++n) list.push_back(value);
    return list;
}

// The lists are read once per language (each read parses the file); the
// decisions are made under every version mask.
void PlanTheLists() {
    List entries = ReadList(kLocalizedList, Language().installSection, kMaxListEntries);
    List members = ReadList(kPlainList, "members", kMaxListEntries);
    List profile = ReadList(kLocalizedList, Language().iniSection, kLastProfileEntryKey);
    InstallPlaces places = {};
    CopyBounded(places.setupDirectory, "A:\\", kMaxPath);
    CopyBounded(places.destination, "C:\\CORVANE\\", kMaxPath);
    CopyBounded(places.windowsDirectory, "C:\\WINDOWS\\", kMaxPath);
    CopyBounded(places.systemDirectory, "C:\\WINDOWS\\SYSTEM\\", kMaxPath);
    CopyBounded(places.singleLanguage, Language().singleLanguageName, kMaxPath);
    ReadSetupString("LangName", "langdir", "", places.languageDirectory, kMaxPath);
    for (places.versionMask = 0; places.versionMask <= 3; ++places.versionMask) {
        for (const std::string& entry : entries) {
            FileEntryPlan plan;
            PlanFileEntry(entry.c_str(), places, plan);
            DescribeEntryAction(plan.action);
        }
        for (const std::string& name : members) {
            MemberPlan plan;
            PlanMember(name.c_str(), places.destination, places, plan);
            char text[kMaxPath];
            DescribeMemberPlan(plan, places, text, kMaxPath);
        }
    }
    for (const std::string& line : profile) {
        char copy[kMaxPath];
        CopyBounded(copy, line.c_str(), kMaxPath);
        ProfileEntryPlan plan;
        PlanProfileEntry(copy, plan);
    }
}

void CheckTheOtherLists() {
    char value[kMaxPath];
    for (int n = 1; n <= kMaxListEntries && ReadListEntry(kPlainList, "Not running", n, value, kMaxPath); ++n) {
        RunningProgramEntry entry;
        SplitRunningProgramEntry(value, entry);
        char message[kProgramMessageSize];
        FormatProgramMessage(message, "%s is running.", entry.displayName);
    }
    for (int n = 1; n <= kMaxListEntries && ReadListEntry(kPlainList, "Backup data", n, value, kMaxPath); ++n) {
        char path[kMaxPath];
        for (int digit = 0; digit <= 9; ++digit) BackupPathFor("C:\\CORVANE\\", value, digit, path);
    }
    ProgramItems items;
    CollectProgramItems(Language().groupSection, "C:\\CORVANE\\", items);
    char group[kGroupNameSize];
    LocalizedRead(Language().groupSection, "Groupname", "none", group, kGroupNameSize);
    std::vector<char> block(ExecuteTextSize(group, items));
    BuildExecuteText(block.data(), block.size(), group, items);
    char destination[kMaxPath];
    ReadSetupString("Destination", "Dir", "c:\\install", destination, kMaxPath);
    DestinationEntry entry;
    ReadDestinationEntry(entry, destination);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = InfPath();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
    SetSetupInfoPath(path.c_str());

    int count = ReadSetupInt("languages", "Count", 1);
    if (count < 1) count = 1;
    if (count > 4) count = 4;
    for (int language = 1; language <= count; ++language) {
        ResetLanguage();
        char entry[512];
        ReadListEntry(kPlainList, "languages", language, entry, sizeof entry);
        ApplyLanguageEntry(entry);
        Language().index = static_cast<unsigned short>(language);
        char key[2];
        LanguageNameKey(key);
        ReadSetupString("LangName", key, "", Language().singleLanguageName, kMaxPath);
        PlanTheLists();
    }
    CheckTheOtherLists();
    ResetLanguage();
    return 0;
}
