// Which files the installation will have written, without keeping every
// path: the first pass of a choice sends each path through a fixed-size
// filter, and only paths the filter may have met before (a second write,
// or a question about a written file) are kept as candidates. The second
// pass knows those candidates, and the group items, exactly; every other
// path is written at most once. Memory stays the filter's, however many
// members the archives hold.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TargetTracker {
public:
    TargetTracker();

    // First pass: the filter from empty.
    void BeginFirstPass();
    // Second pass: exact answers for the candidates of the first and for
    // these paths (group items), which count as existing also when a
    // written file lies below them.
    void BeginSecondPass(const std::vector<std::string>& watchedPaths);

    // Whether path will exist when the installation comes here.
    bool Exists(const std::string& path);
    // path is written by writer; returns the earlier writer's name when
    // the second pass knows one, else empty.
    std::string Write(const std::string& path, const std::string& writer);

    // A folder (path ending in a backslash) exists: made by a folder member
    // or by writing a file below it.
    bool FolderExists(const std::string& folder);
    void MakeFolder(const std::string& folder);

    // Second pass: whether a watched path exists after the installation.
    bool WatchedExists(const std::string& path) const;

private:
    static std::string KeyOf(const std::string& path);
    // The folders above key, each with its backslash, become existing.
    void MakeAncestors(const std::string& key);
    bool FilterHas(const std::string& key) const;
    void FilterAdd(const std::string& key);

    bool secondPass_ = false;
    std::vector<uint64_t> bits_;
    std::unordered_set<std::string> candidates_;
    struct Known {
        bool exists = false;
        std::string writer;
    };
    std::unordered_map<std::string, Known> known_;
    std::vector<std::string> watched_;  // keys with a trailing backslash, for folders
};
