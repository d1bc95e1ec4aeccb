// The checker's command line:
//   setupcheck [--language N|all] [--version 16|32|both|all] [--dest PATH]
//              [--disk DIR]... [--ignore CODE[,CODE...]] [--json] [--quiet] DIST_DIR
// and three more for odd cases: --other-languages yes|no|both (the answer
// to "install all other languages too?"), --windows PATH and --system PATH
// (the customer's Windows and System directories).
#pragma once

#include <string>
#include <vector>

struct CheckOptions {
    std::string distribution;
    std::vector<std::string> disks;     // disk 1, 2, ... after the distribution's own
    int language = 0;                   // 0: all
    int versionMask = -1;               // 1, 2, 3; -1: all
    int otherLanguages = -1;            // 1 yes, 0 no, -1 both where it matters
    std::string destination;            // empty: as SETUP.inf proposes
    std::string windowsDirectory = "C:\\WINDOWS";
    std::string systemDirectory = "C:\\WINDOWS\\SYSTEM";
    std::string diskSize;               // 720, 1200, 1440, 2880; empty: not checked
    std::vector<std::string> ignore;    // warnings and notes the vendor knows of
    bool json = false;
    bool quiet = false;
    bool help = false;
};

// False with a one-line reason when the arguments make no sense.
bool ParseOptions(int argc, char** argv, CheckOptions& options, std::string& error);

const char* UsageText();
