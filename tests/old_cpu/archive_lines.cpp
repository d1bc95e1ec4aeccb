#include "tests/old_cpu/archive_lines.h"

#include <cstring>

#include "fs/file_ops.h"
#include "fs/path_utils.h"
#include "unzip/crc32.h"
#include "unzip/extract_member.h"
#include "unzip/inflate_codes.h"
#include "unzip/zip_directory.h"

namespace {

const int kUsage = 2;
const uint16_t kReadChunk = 32768;

// One output line, bounded: a member name is at most 259 characters.
struct Line {
    char text[3 * kMaxPath];
    unsigned length;
};

void Append(Line& line, const char* text) {
    for (; *text && line.length < sizeof line.text - 1; ++text) line.text[line.length++] = *text;
}

void AppendNumber(Line& line, long value) {
    char digits[16];
    int count = 0;
    unsigned long magnitude = value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0) Append(line, "-");
    char reversed[16];
    for (int i = 0; i < count; ++i) reversed[i] = digits[count - 1 - i];
    reversed[count] = '\0';
    Append(line, reversed);
}

void AppendHex(Line& line, uint32_t value) {
    char hex[9];
    for (int i = 7; i >= 0; --i, value >>= 4) hex[i] = "0123456789abcdef"[value & 15];
    hex[8] = '\0';
    Append(line, hex);
}

void Finish(Line& line) {
    line.text[line.length++] = '\n';
    WriteText(line.text, line.length);
}

long ParseNumber(const char* text) {
    long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + (*text - '0');
    return value;
}

void PrintKinds() {
    static const char* const kLoops[] = {"off", "plain", "wide"};
    static const char* const kCrcs[] = {"tables", "clmul"};
    Line line = {};
    Append(line, "fast loop ");
    Append(line, kLoops[BestFastLoop()]);
    Append(line, ", crc ");
    Append(line, kCrcs[BestCrc32Path()]);
    Finish(line);
}

// The CRC-32 of a file's bytes, read back through the file layer.
bool FileCrc(const char* path, uint32_t& crc) {
    static uint8_t buffer[kReadChunk];
    FileHandle file = OpenExistingFile(path, kModeRead | kShareDenyNone);
    if (file == kInvalidFile) return false;
    uint32_t c = kCrcStart;
    uint16_t got = 0;
    do {
        ReadBlock(file, buffer, kReadChunk, &got);
        Crc32Update(buffer, got, c);
    } while (got == kReadChunk);
    const bool read = FileErrorCode() == 0;
    CloseFileHandle(file);
    crc = ~c;
    return read;
}

// Names that could leave the scratch folder are extracted by number.
bool StaysBelow(const char* name) {
    if (name[0] == '\\' || std::strchr(name, ':')) return false;
    for (const char* p = name; *p; ++p) {
        if (p[0] == '.' && p[1] == '.' && (p == name || p[-1] == '\\')) return false;
    }
    return true;
}

void ExtractEach(const char* scratch, int index, const char* archive, uint32_t base, int32_t length) {
    const char* shown = NamePart(archive, '/');
    ZipDirectory listing;
    int result = OpenZipDirectory(archive, listing, base, length);
    for (int member = 0; result == kListingEntry; result = NextZipEntry(listing), ++member) {
        const ZipEntry& entry = listing.entry;
        // Room for a path past 259 characters: the extraction refuses it.
        Line output = {};
        Append(output, scratch);
        Append(output, "\\");
        AppendNumber(output, index);
        Append(output, "\\");
        if (StaysBelow(entry.name)) {
            Append(output, entry.name);
        } else {
            AppendNumber(output, member);
        }
        const ExtractResult extracted =
            ExtractZipMember(archive, output.text, entry.attributes, base + entry.headerOffset, kQuietPorts);
        Line line = {};
        Append(line, shown);
        Append(line, "\t");
        Append(line, entry.name);
        Append(line, "\t");
        AppendNumber(line, extracted);
        Append(line, "\t");
        uint32_t crc = 0;
        const bool isFile = !EndsWithBackslash(output.text) && !(entry.attributes & kAttributeDirectory);
        if (extracted == kExtractOk && isFile && FileCrc(output.text, crc)) {
            AppendHex(line, crc);
        } else {
            Append(line, "-");
        }
        Finish(line);
    }
    CloseZipDirectory(listing);
    Line line = {};
    Append(line, shown);
    Append(line, "\t*\tlisting ");
    AppendNumber(line, result);
    Finish(line);
}

}  // namespace

int RunArchiveLines(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--kinds") == 0) {
        PrintKinds();
        return 0;
    }
    if (argc < 2 || (argc - 2) % 3 != 0) return kUsage;
    InitCrc32Table();
    for (int i = 2; i < argc; i += 3) {
        ExtractEach(argv[1], (i - 2) / 3, argv[i], static_cast<uint32_t>(ParseNumber(argv[i + 1])),
                    static_cast<int32_t>(ParseNumber(argv[i + 2])));
    }
    return 0;
}
