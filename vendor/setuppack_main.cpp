// setuppack: builds a distribution from a source folder and its SETUP.inf
// onto a CD folder or a set of floppies (folders and FAT12 images made with
// mtools), then checks the result with setupcheck. See docs/setup-inf.md.
//
//   setuppack [--medium cd|720|1200|1440|2880] [--program SETUP.EXE]
//             [--checker PATH] [--no-check] SOURCE OUT
//
// An entry of kind Z whose stem names a folder of SOURCE (corvane.zip and
// corvane/) is packed from that folder; every other file is copied.
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "checker/floppy_media.h"
#include "vendor/zip_writer.h"

namespace {

struct Item {
    std::string name;                 // as on the disk
    std::vector<uint8_t> data;        // a plain file
    std::vector<PackedMember> members;  // an archive packed here
    bool packed = false;
};

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ReadWhole(const std::string& path, std::vector<uint8_t>& data) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    data.clear();
    uint8_t block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, f)) > 0) data.insert(data.end(), block, block + got);
    fclose(f);
    return true;
}

bool WriteWhole(const std::string& path, const std::vector<uint8_t>& data) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(data.data(), 1, data.size(), f) == data.size();
    return fclose(f) == 0 && ok;
}

std::string Trim(const std::string& text) {
    size_t a = text.find_first_not_of(" \t\r"), b = text.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : text.substr(a, b - a + 1);
}

// The files of every file list ([install] and the lettered ones) in the
// order SETUP.EXE reaches them: by key, each name once.
std::vector<std::pair<std::string, char>> FileList(const std::vector<uint8_t>& inf) {
    std::map<std::string, std::map<std::string, std::string>> sections;
    std::string section;
    std::string text(inf.begin(), inf.end());
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        std::string line = Trim(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? text.size() : end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            section = Lower(line.substr(1, line.find(']') - 1));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = Lower(Trim(line.substr(0, equals)));
        if (!sections[section].count(key)) sections[section][key] = Trim(line.substr(equals + 1));
    }
    std::vector<std::pair<std::string, char>> files;
    std::set<std::string> seen;
    for (int key = 1; key < 1000; ++key) {
        bool any = false;
        for (auto& named : sections) {
            if (named.first.compare(0, 7, "install") != 0 || named.first.size() > 8) continue;
            auto found = named.second.find(std::to_string(key));
            if (found == named.second.end() || found->second.empty()) continue;
            any = true;
            std::string value = found->second, file = value.substr(0, value.find(','));
            char kind = value.find(',') == std::string::npos ? ' ' : static_cast<char>(toupper(value[value.find(',') + 1]));
            if (seen.insert(Lower(file)).second) files.emplace_back(file, kind);
        }
        if (!any) break;
    }
    return files;
}

struct Disk {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
    int clusters = 0;
    int entries = 1;  // the volume label
};

struct Floppies {
    const FloppyMedium& medium;
    std::vector<Disk> disks;
    int ClustersOf(size_t bytes) const { return static_cast<int>(::ClustersOf(medium, static_cast<long long>(bytes))); }
    size_t Room() const {
        const Disk& disk = disks.back();
        return static_cast<size_t>(medium.clusters - disk.clusters) * static_cast<size_t>(medium.clusterBytes);
    }
    bool Fits(const std::string& name, size_t bytes) const {
        const Disk& disk = disks.back();
        return disk.clusters + ClustersOf(bytes) <= medium.clusters && disk.entries + RootEntriesOf(name) <= medium.rootEntries;
    }
    void Add(const std::string& name, std::vector<uint8_t> data) {
        Disk& disk = disks.back();
        disk.clusters += ClustersOf(data.size());
        disk.entries += RootEntriesOf(name);
        disk.files.emplace_back(name, std::move(data));
    }
};

int Run(const std::string& command) {
    int status = system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

int Fail(const std::string& message) {
    fprintf(stderr, "setuppack: %s\n", message.c_str());
    return 2;
}

const char kUsage[] =
    "usage: setuppack [--medium cd|720|1200|1440|2880] [--program SETUP.EXE] [--checker PATH] [--no-check]\n"
    "                 SOURCE OUT\n"
    "Packs the archives of SOURCE/SETUP.inf (an entry NAME.zip,Z from the folder SOURCE/NAME), lays the\n"
    "distribution out in OUT (cd: one folder; floppies: OUT/diskN folders, OUT/diskN.img, OUT/labels.txt)\n"
    "and runs setupcheck on it. Exit status: 0 built and clean, 1 built with errors, 2 not built.\n";

}  // namespace

int main(int argc, char** argv) {
    std::string medium = "1440", program, checker, source, out;
    bool check = true;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--medium" || arg == "--program" || arg == "--checker") && i + 1 < argc) {
            (arg == "--medium" ? medium : arg == "--program" ? program : checker) = argv[++i];
        } else if (arg == "--no-check") {
            check = false;
        } else if (arg == "--help" || arg == "-h") {
            fputs(kUsage, stdout);
            return 0;
        } else if (arg[0] != '-' && source.empty()) {
            source = arg;
        } else if (arg[0] != '-' && out.empty()) {
            out = arg;
        } else {
            fprintf(stderr, "setuppack: unexpected argument %s\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (source.empty() || out.empty()) {
        fputs(kUsage, stderr);
        return 2;
    }
    const FloppyMedium* floppy = FindFloppyMedium(medium);
    if (!floppy && medium != "cd") return Fail("--medium takes cd, 720, 1200, 1440 or 2880");
    if (program.empty()) program = source + "/SETUP.EXE";
    if (checker.empty()) {
        std::string self = argv[0];
        size_t slash = self.rfind('/');
        checker = (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) + "/setupcheck";
    }

    std::vector<uint8_t> setupProgram, setupInfo;
    if (!ReadWhole(program, setupProgram)) return Fail("cannot read " + program);
    if (!ReadWhole(source + "/SETUP.inf", setupInfo)) return Fail("cannot read " + source + "/SETUP.inf");
    std::vector<Item> items;
    for (const auto& entry : FileList(setupInfo)) {
        Item item;
        item.name = entry.first;
        std::string stem = entry.first.substr(0, entry.first.rfind('.'));
        std::string error;
        if (entry.second == 'Z' && IsFolder(source + "/" + stem)) {
            if (!PackFolder(source + "/" + stem, item.members, error)) return Fail(error);
            item.packed = true;
            if (DirectorySize(item.members) >= 64000)
                return Fail(item.name + ": a directory of 64000 bytes or more is not read whole from the first disk");
        } else if (!ReadWhole(source + "/" + entry.first, item.data)) {
            return Fail("cannot read " + source + "/" + entry.first + " (an entry of the file list)");
        }
        items.push_back(std::move(item));
    }
    if (Run("mkdir -p " + Quote(out)) != 0) return Fail("cannot make " + out);

    std::vector<std::string> folders;
    if (!floppy) {
        std::string folder = out + "/cd";
        Run("rm -rf " + Quote(folder) + " && mkdir -p " + Quote(folder));
        bool ok = WriteWhole(folder + "/SETUP.EXE", setupProgram) && WriteWhole(folder + "/SETUP.inf", setupInfo);
        for (const Item& item : items) {
            std::vector<uint8_t> data = item.data;
            if (item.packed) {
                std::vector<ArchivePiece> pieces;
                std::string error;
                if (!LayArchive(item.members, 0, 0, pieces, error)) return Fail(item.name + ": " + error);
                data = pieces[0].bytes;
            }
            ok = ok && WriteWhole(folder + "/" + item.name, data);
        }
        if (!ok) return Fail("cannot write into " + folder);
        printf("%s: SETUP.EXE, SETUP.inf and %zu files\n", folder.c_str(), items.size());
        folders.push_back(folder);
    } else {
        Floppies set{*floppy, {Disk()}};
        set.Add("SETUP.EXE", setupProgram);
        set.Add("SETUP.inf", setupInfo);
        for (const Item& item : items) {
            size_t whole = item.packed ? 0 : item.data.size();
            if (item.packed) {
                std::vector<ArchivePiece> pieces;
                std::string error;
                LayArchive(item.members, 0, 0, pieces, error);
                whole = pieces[0].bytes.size();
            }
            if (set.Fits(item.name, whole)) {
                std::vector<ArchivePiece> pieces;
                std::string error;
                if (item.packed && !LayArchive(item.members, 0, 0, pieces, error)) return Fail(item.name + ": " + error);
                set.Add(item.name, item.packed ? pieces[0].bytes : item.data);
                continue;
            }
            if (!item.packed) {
                return Fail(item.name + " (" + std::to_string(item.data.size()) + " bytes) does not fit on disk " +
                            std::to_string(set.disks.size() - 1) +
                            ": only an archive packed here can continue on the next disk; pack the file into one");
            }
            if (set.disks.back().entries + RootEntriesOf(item.name) > floppy->rootEntries)
                return Fail("disk " + std::to_string(set.disks.size() - 1) + " has no root entry left for " + item.name);
            // Later disks carry SETUP.inf: SETUP.EXE reads the rest of it
            // from the disk in the drive after a disk change.
            size_t later = static_cast<size_t>(floppy->clusters - set.ClustersOf(setupInfo.size())) *
                           static_cast<size_t>(floppy->clusterBytes);
            std::vector<ArchivePiece> pieces;
            std::string error;
            if (!LayArchive(item.members, set.Room(), later, pieces, error)) return Fail(item.name + ": " + error);
            for (size_t piece = 0; piece < pieces.size(); ++piece) {
                if (piece > 0) {
                    set.disks.emplace_back();
                    set.Add("SETUP.inf", setupInfo);
                }
                set.Add(item.name, pieces[piece].bytes);
            }
        }
        std::string labels;
        for (size_t n = 0; n < set.disks.size(); ++n) {
            std::string folder = out + "/disk" + std::to_string(n), image = folder + ".img";
            Run("rm -rf " + Quote(folder) + " " + Quote(image) + " && mkdir -p " + Quote(folder));
            for (const auto& file : set.disks[n].files) {
                if (!WriteWhole(folder + "/" + file.first, file.second)) return Fail("cannot write into " + folder);
            }
            // The prompt counts the disk SETUP.EXE starts from as disk 0 and
            // asks for "disk number 1" next: the labels say the same.
            std::string volume = n == 0 ? "SETUP" : "DISK" + std::to_string(n);
            if (Run("mformat -C -i " + Quote(image) + " -f " + floppy->name + " -v " + volume + " ::") != 0 ||
                Run("mcopy -i " + Quote(image) + " " + Quote(folder) + "/* ::") != 0)
                return Fail("mtools could not make " + image);
            std::string label = "disk " + std::to_string(n) + (n == 0 ? " (setup disk: start SETUP.EXE here)"
                                                                       : " (asked for as \"disk number " + std::to_string(n) + "\")");
            labels += label + "\n";
            printf("%s, %s: %s, %d of %d clusters, %d of %d root entries, %zu files\n", folder.c_str(), image.c_str(),
                   label.c_str(), set.disks[n].clusters, floppy->clusters, set.disks[n].entries, floppy->rootEntries,
                   set.disks[n].files.size());
            folders.push_back(folder);
        }
        std::vector<uint8_t> text(labels.begin(), labels.end());
        WriteWhole(out + "/labels.txt", text);
    }
    if (!check) return 0;
    std::string command = Quote(checker) + " --quiet" + (floppy ? std::string(" --disk-size ") + floppy->name : std::string());
    for (size_t n = 1; n < folders.size(); ++n) command += " --disk " + Quote(folders[n]);
    command += " " + Quote(folders[0]);
    printf("$ setupcheck --quiet%s%s", floppy ? " --disk-size " : "", floppy ? floppy->name : "");
    for (size_t n = 1; n < folders.size(); ++n) printf(" --disk %s", folders[n].c_str());
    printf(" %s\n", folders[0].c_str());
    fflush(stdout);
    int status = Run(command);
    return status == 0 ? 0 : status == 1 ? 1 : 2;
}
