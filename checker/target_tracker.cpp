#include "checker/target_tracker.h"

#include <cstring>

#include "fs/path_utils.h"
#include "fs/upper_case.h"

namespace {

// 2^23 bits: with 4 probes, under one false hit in a million below 100,000
// paths; a false hit only makes a needless candidate.
const size_t kFilterBits = size_t(1) << 23;
const int kProbes = 4;

uint64_t Hash(const std::string& key, uint64_t seed) {
    uint64_t hash = 1469598103934665603ull ^ seed;
    for (unsigned char c : key) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash ^ (hash >> 29);
}

}  // namespace

TargetTracker::TargetTracker() : bits_(kFilterBits / 64) {}

std::string TargetTracker::KeyOf(const std::string& path) {
    char upper[kMaxPath * 2];
    CopyBounded(upper, path.c_str(), sizeof upper);
    UpperCaseText(upper);
    return upper;
}

bool TargetTracker::FilterHas(const std::string& key) const {
    uint64_t a = Hash(key, 0), b = Hash(key, 0x9E3779B97F4A7C15ull) | 1;
    for (int i = 0; i < kProbes; ++i) {
        size_t bit = static_cast<size_t>((a + static_cast<uint64_t>(i) * b) % kFilterBits);
        if (!(bits_[bit / 64] & (uint64_t(1) << (bit % 64)))) return false;
    }
    return true;
}

void TargetTracker::FilterAdd(const std::string& key) {
    uint64_t a = Hash(key, 0), b = Hash(key, 0x9E3779B97F4A7C15ull) | 1;
    for (int i = 0; i < kProbes; ++i) {
        size_t bit = static_cast<size_t>((a + static_cast<uint64_t>(i) * b) % kFilterBits);
        bits_[bit / 64] |= uint64_t(1) << (bit % 64);
    }
}

void TargetTracker::BeginFirstPass() {
    secondPass_ = false;
    std::fill(bits_.begin(), bits_.end(), 0);
    candidates_.clear();
    known_.clear();
    watched_.clear();
}

void TargetTracker::BeginSecondPass(const std::vector<std::string>& watchedPaths) {
    secondPass_ = true;
    known_.clear();
    watched_.clear();
    for (const std::string& path : watchedPaths) {
        std::string key = KeyOf(path);
        known_[key];
        if (!key.empty() && key.back() != '\\') key += '\\';
        watched_.push_back(key);
    }
    for (const std::string& key : candidates_) known_[key];
}

bool TargetTracker::Exists(const std::string& path) {
    std::string key = KeyOf(path);
    if (!secondPass_) {
        bool maybe = FilterHas(key);
        if (maybe) candidates_.insert(key);
        return maybe;
    }
    auto found = known_.find(key);
    return found != known_.end() && found->second.exists;
}

void TargetTracker::MakeAncestors(const std::string& key) {
    for (size_t at = key.find('\\'); at != std::string::npos && at + 1 < key.size(); at = key.find('\\', at + 1)) {
        std::string folder = key.substr(0, at + 1);
        if (!secondPass_) {
            FilterAdd(folder);
            continue;
        }
        auto found = known_.find(folder);
        if (found != known_.end()) found->second.exists = true;
    }
}

bool TargetTracker::FolderExists(const std::string& folder) {
    std::string key = KeyOf(folder);
    if (key.empty() || key.back() != '\\') key += '\\';
    return Exists(key);
}

void TargetTracker::MakeFolder(const std::string& folder) {
    std::string key = KeyOf(folder);
    if (key.empty() || key.back() != '\\') key += '\\';
    MakeAncestors(key + "x");
}

std::string TargetTracker::Write(const std::string& path, const std::string& writer) {
    std::string key = KeyOf(path);
    MakeAncestors(key);
    if (!secondPass_) {
        if (FilterHas(key)) candidates_.insert(key);
        FilterAdd(key);
        return std::string();
    }
    // A file below a watched folder makes the folder exist.
    for (const std::string& folder : watched_) {
        if (key.size() > folder.size() && key.compare(0, folder.size(), folder) == 0) {
            known_[folder.substr(0, folder.size() - 1)].exists = true;
        }
    }
    auto found = known_.find(key);
    if (found == known_.end()) return std::string();
    std::string earlier = found->second.exists ? found->second.writer : std::string();
    if (!found->second.exists) {
        found->second.exists = true;
        found->second.writer = writer;
    }
    return earlier;
}

bool TargetTracker::WatchedExists(const std::string& path) const {
    auto found = known_.find(KeyOf(path));
    return found != known_.end() && found->second.exists;
}
