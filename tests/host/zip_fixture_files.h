// Where the archive tests find the archives made at build time, and a
// whole-file reader for them and for extracted files.
#pragma once

#include <cstdio>
#include <string>

namespace zip_fixtures {

inline std::string FixturePath(const std::string& name) {
    std::string path = std::string(ZIP_FIXTURE_DIR) + "/" + name;
#ifdef _WIN32
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
#endif
    return path;
}

inline std::string ReadText(const std::string& path) {
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return "<missing " + path + ">";
    char block[4096];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
    std::fclose(file);
    return text;
}

}  // namespace zip_fixtures
