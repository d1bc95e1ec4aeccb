#include "checker/member_names.h"

#include <cstring>
#include <vector>

namespace {

// The name's components; a trailing backslash (a folder) ends the last.
std::vector<std::string> Components(const char* name) {
    std::vector<std::string> parts;
    std::string part;
    for (const char* p = name; *p; ++p) {
        if (*p == '\\' || *p == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += *p;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

bool EndsWithSeparator(const char* name) {
    size_t length = strlen(name);
    return length > 0 && (name[length - 1] == '\\' || name[length - 1] == '/');
}

}  // namespace

std::string MistypedVersionFolder(const char* name) {
    std::vector<std::string> parts = Components(name);
    // The last component is the file itself unless the member is a folder.
    size_t folders = EndsWithSeparator(name) ? parts.size() : (parts.empty() ? 0 : parts.size() - 1);
    for (size_t i = 0; i < folders; ++i) {
        const std::string& part = parts[i];
        if (part == "16" || part == "32") continue;
        std::string digits;
        for (char c : part) {
            if (c >= '0' && c <= '9') digits += c;
        }
        if (digits == "16" || digits == "32") return part;
    }
    return std::string();
}

bool IsShortName(const std::string& component) {
    size_t dot = component.find('.');
    std::string base = component.substr(0, dot);
    std::string extension = dot == std::string::npos ? std::string() : component.substr(dot + 1);
    if (base.empty() || base.size() > 8 || extension.size() > 3) return false;
    if (extension.find('.') != std::string::npos) return false;
    for (char c : component) {
        if (c == ' ' || strchr("+,;=[]", c) != nullptr) return false;
    }
    return true;
}

std::string FirstLongComponent(const char* name) {
    for (const std::string& part : Components(name)) {
        if (!IsShortName(part)) return part;
    }
    return std::string();
}
