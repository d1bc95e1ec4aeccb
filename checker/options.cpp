#include "checker/options.h"

#include <cstdlib>
#include <cstring>

#include "checker/check_codes.h"
#include "checker/floppy_media.h"

namespace {

bool ParseNumber(const char* text, int& value) {
    if (!*text) return false;
    char* end = nullptr;
    long number = strtol(text, &end, 10);
    if (*end || number < 1 || number > 1000) return false;
    value = static_cast<int>(number);
    return true;
}

bool ParseVersion(const std::string& text, int& mask) {
    if (text == "16") mask = 1;
    else if (text == "32") mask = 2;
    else if (text == "both") mask = 3;
    else if (text == "all") mask = -1;
    else return false;
    return true;
}

bool ParseAnswer(const std::string& text, int& answer) {
    if (text == "yes") answer = 1;
    else if (text == "no") answer = 0;
    else if (text == "both") answer = -1;
    else return false;
    return true;
}

}  // namespace

const char* UsageText() {
    return "usage: setupcheck [--language N|all] [--version 16|32|both|all] [--dest PATH]\n"
           "                  [--disk DIR]... [--other-languages yes|no|both]\n"
           "                  [--windows PATH] [--system PATH] [--ignore CODE[,CODE...]]\n"
           "                  [--disk-size 720|1200|1440|2880]\n"
           "                  [--json] [--quiet] DIST_DIR\n"
           "Prints what SETUP.EXE in DIST_DIR will install for each language and version\n"
           "choice, and checks SETUP.inf and the archives. Exit status: 0 no errors,\n"
           "1 errors found, 2 could not run.\n";
}

bool ParseOptions(int argc, char** argv, CheckOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        bool takesValue = arg == "--language" || arg == "--version" || arg == "--dest" || arg == "--disk" ||
                          arg == "--other-languages" || arg == "--windows" || arg == "--system" ||
                          arg == "--ignore" || arg == "--disk-size";
        size_t equals = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg = arg.substr(0, equals);
            takesValue = true;
        } else if (takesValue) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        if (arg == "--language") {
            if (value == "all") options.language = 0;
            else if (!ParseNumber(value.c_str(), options.language)) error = "--language takes a number or all";
        } else if (arg == "--version") {
            if (!ParseVersion(value, options.versionMask)) error = "--version takes 16, 32, both or all";
        } else if (arg == "--other-languages") {
            if (!ParseAnswer(value, options.otherLanguages)) error = "--other-languages takes yes, no or both";
        } else if (arg == "--dest") {
            options.destination = value;
        } else if (arg == "--disk") {
            options.disks.push_back(value);
        } else if (arg == "--windows") {
            options.windowsDirectory = value;
        } else if (arg == "--system") {
            options.systemDirectory = value;
        } else if (arg == "--disk-size") {
            options.diskSize = value;
            if (!FindFloppyMedium(value)) error = "--disk-size takes 720, 1200, 1440 or 2880";
        } else if (arg == "--ignore") {
            // Only what may be acknowledged: an error is never hidden.
            size_t at = 0;
            while (error.empty() && at <= value.size()) {
                size_t comma = value.find(',', at);
                std::string code = value.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
                const CheckCode* known = FindCheckCode(code);
                if (!known) error = "--ignore: unknown check code " + code;
                else if (known->severity == kSeverityError) error = "--ignore: " + code + " is an error and cannot be ignored";
                else options.ignore.push_back(code);
                at = comma == std::string::npos ? value.size() + 1 : comma + 1;
            }
        } else if (arg == "--json" && !takesValue) {
            options.json = true;
        } else if (arg == "--quiet" && !takesValue) {
            options.quiet = true;
        } else if ((arg == "--help" || arg == "-h") && !takesValue) {
            options.help = true;
            return true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
        } else if (options.distribution.empty()) {
            options.distribution = arg;
        } else {
            error = "more than one distribution folder: " + arg;
        }
        if (!error.empty()) return false;
    }
    if (options.distribution.empty()) {
        error = "no distribution folder given";
        return false;
    }
    if (options.destination.size() > 259 || options.windowsDirectory.size() > 255 ||
        options.systemDirectory.size() > 255) {
        error = "a directory given is longer than a path may be";
        return false;
    }
    return true;
}
