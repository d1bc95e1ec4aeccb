// Small ZIP archives made byte by byte for the checker's tests: stored
// members with chosen names, methods, flags and CRCs, the directory and
// its end record, and the first disk of a spanned archive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestMember {
    std::string name;          // raw bytes, '/' as separator
    std::string data;          // stored as is
    uint16_t method = 0;       // written into both headers
    uint16_t flags = 0;
    bool badCrc = false;
    uint16_t time = 0x5000;    // 10:00:00
    uint16_t disk = 0;         // the disk its local header starts on
};

inline uint32_t TestCrc(const std::string& data) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : data) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

class ZipBuilder {
public:
    // Appends a member's local header and data; returns its offset.
    uint32_t Local(const TestMember& m) {
        uint32_t offset = static_cast<uint32_t>(bytes_.size());
        Put32(0x04034b50); Put16(20); Put16(m.flags); Put16(m.method); Put16(m.time); Put16(0x2AB1);
        Put32(Crc(m)); Put32(Size(m)); Put32(Size(m)); Put16(static_cast<uint16_t>(m.name.size())); Put16(0);
        bytes_ += m.name + m.data;
        records_.push_back(Record(m, offset));
        return offset;
    }
    // The directory and end record, here; entriesClaimed overrides the count.
    void Directory(int entriesClaimed = -1) {
        uint32_t at = static_cast<uint32_t>(bytes_.size());
        for (const std::string& r : records_) bytes_ += r;
        uint16_t count = static_cast<uint16_t>(entriesClaimed < 0 ? records_.size() : entriesClaimed);
        Put32(0x06054b50); Put16(0); Put16(0); Put16(count); Put16(count);
        Put32(static_cast<uint32_t>(bytes_.size()) - at); Put32(at); Put16(0);
    }
    // Writes the directory and end record over the zeros reserved at at.
    void FillDirectory(size_t at) {
        std::string saved;
        saved.swap(bytes_);
        Directory();
        std::string directory;
        directory.swap(bytes_);
        saved.swap(bytes_);
        // The end record's offset: where the directory really lies.
        uint32_t offset = static_cast<uint32_t>(at);
        for (int i = 0; i < 4; ++i) directory[directory.size() - 6 + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
        bytes_.replace(at, directory.size(), directory);
    }
    // Spoils the signature of the directory record number index.
    void DamageRecord(size_t index) { records_[index][0] = 'X'; }
    void Raw(const std::string& bytes) { bytes_ += bytes; }
    // Members added from now on are counted from this byte: the start of
    // the next disk's file of a spanned archive.
    void DiskStartsAt(size_t at) { diskStart_ = static_cast<uint32_t>(at); }
    const std::string& Bytes() const { return bytes_; }

    // A whole archive of these members.
    static std::string Of(const std::vector<TestMember>& members) {
        ZipBuilder zip;
        for (const TestMember& m : members) zip.Local(m);
        zip.Directory();
        return zip.Bytes();
    }

private:
    static uint32_t Crc(const TestMember& m) { return TestCrc(m.data) ^ (m.badCrc ? 1u : 0u); }
    static uint32_t Size(const TestMember& m) { return static_cast<uint32_t>(m.data.size()); }
    std::string Record(const TestMember& m, uint32_t offset) {
        std::string saved;
        saved.swap(bytes_);
        Put32(0x02014b50); Put16(20); Put16(20); Put16(m.flags); Put16(m.method); Put16(m.time); Put16(0x2AB1);
        Put32(Crc(m)); Put32(Size(m)); Put32(Size(m)); Put16(static_cast<uint16_t>(m.name.size())); Put16(0);
        Put16(0); Put16(m.disk); Put16(0); Put32(0x20); Put32(offset - diskStart_);
        bytes_ += m.name;
        saved.swap(bytes_);
        return saved;
    }
    void Put16(uint16_t v) { bytes_ += static_cast<char>(v & 0xFF); bytes_ += static_cast<char>(v >> 8); }
    void Put32(uint32_t v) { Put16(static_cast<uint16_t>(v & 0xFFFF)); Put16(static_cast<uint16_t>(v >> 16)); }

    std::string bytes_;
    std::vector<std::string> records_;
    uint32_t diskStart_ = 0;
};

// A member spanning two disks as SETUP.EXE reads it: the first disk holds a
// small member, the directory and the start of the spanning member (its
// header and firstPart bytes of data); the second disk the rest.
inline void SpannedArchive(const std::string& head, const std::string& big, size_t firstPart, std::string& disk0,
                           std::string& disk1) {
    const TestMember small{"HEAD.TXT", head};
    const TestMember spanning{"BIG.DAT", big};
    ZipBuilder zip;
    zip.Local(small);
    size_t directoryAt = zip.Bytes().size();
    zip.Raw(std::string(2 * 46 + small.name.size() + spanning.name.size() + 22, '\0'));
    size_t bigAt = zip.Local(spanning);
    zip.FillDirectory(directoryAt);
    size_t cut = bigAt + 30 + spanning.name.size() + firstPart;
    disk0 = zip.Bytes().substr(0, cut);
    disk1 = zip.Bytes().substr(cut);
}

// Three disks: HEAD.TXT, the directory and the start of ONE.DAT on the
// first; the rest of ONE.DAT and the start of TWO.DAT (a member of disk 1)
// on the second; the rest of TWO.DAT and THREE.TXT (disk 2) on the third.
inline std::vector<std::string> ThreeDiskArchive() {
    const TestMember head{"HEAD.TXT", "head"};
    const TestMember one{"ONE.DAT", std::string(3000, '1')};
    const TestMember two{"TWO.DAT", std::string(3000, '2'), 0, 0, false, 0x5000, 1};
    const TestMember three{"THREE.TXT", "three", 0, 0, false, 0x5000, 2};
    ZipBuilder zip;
    zip.Local(head);
    size_t directoryAt = zip.Bytes().size();
    zip.Raw(std::string(4 * 46 + head.name.size() + one.name.size() + two.name.size() + three.name.size() + 22, '\0'));
    size_t firstCut = zip.Local(one) + 30 + one.name.size() + 1000;
    zip.DiskStartsAt(firstCut);
    size_t secondCut = zip.Local(two) + 30 + two.name.size() + 1000;
    zip.DiskStartsAt(secondCut);
    zip.Local(three);
    zip.FillDirectory(directoryAt);
    const std::string& bytes = zip.Bytes();
    return {bytes.substr(0, firstCut), bytes.substr(firstCut, secondCut - firstCut), bytes.substr(secondCut)};
}
