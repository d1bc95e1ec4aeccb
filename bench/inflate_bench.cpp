// Decoding speed of our inflate against zlib and libdeflate on the same raw
// deflate streams, interleaved in one process, median of several rounds.
//
// Native: inflate_bench [--write CORPUS] builds the corpus from files every
// build machine has (Wine's 32-bit DLLs and EXEs, the C++ standard
// headers, one repetitive and one incompressible stream), compresses each
// file with zlib at levels 1, 6 and 9, and measures; --write also saves the
// streams so that the i686 build can measure the very same ones under Wine
// (inflate_bench --read CORPUS).
//
// Our decoder runs as in an extraction: a fresh state per member, input
// through RefillInput, output through FlushWindow (with its CRC) into memory,
// with quiet ports (no message pump: under Wine each PeekMessage is a round
// trip to the wine server).
#include <zlib.h>
#ifdef HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif
#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#include <time.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/memory_files.h"
#include "bench/zlib_deflate.h"
#include "unzip/crc32.h"
#include "unzip/inflate.h"
#include "unzip/inflate_codes.h"

namespace {

typedef std::vector<uint8_t> Bytes;

struct Member {
    Bytes original;
    Bytes compressed;
};

struct Part {
    std::string name;
    std::vector<Member> members;
    size_t originalBytes = 0, compressedBytes = 0;
};

int kRounds = 7;  // --rounds N for profiling
const size_t kBinaryBudget = 12u << 20;
const size_t kTextBudget = 6u << 20;

#ifndef _WIN32
bool ReadWhole(const std::string& path, Bytes& data) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    data.clear();
    uint8_t chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
    fclose(f);
    return true;
}

// Regular files below dir (recursively), sorted by path.
void ListFiles(const std::string& dir, std::vector<std::string>& out) {
    DIR* d = opendir(dir.c_str());
    if (!d) return;
    std::vector<std::string> names;
    while (dirent* e = readdir(d))
        if (e->d_name[0] != '.') names.push_back(e->d_name);
    closedir(d);
    std::sort(names.begin(), names.end());
    for (const std::string& n : names) {
        std::string path = dir + "/" + n;
        struct stat st;
        if (stat(path.c_str(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode)) ListFiles(path, out);
        else if (S_ISREG(st.st_mode)) out.push_back(path);
    }
}

// Files of the folders in path order, every stride-th one up to 1 MB each, until the budget.
std::vector<Bytes> PickFiles(const std::vector<std::string>& dirs, const char* suffix1, const char* suffix2,
                             size_t stride, size_t budget, size_t* count) {
    std::vector<std::string> paths;
    for (const std::string& d : dirs) ListFiles(d, paths);
    std::vector<Bytes> picked;
    size_t total = 0, index = 0;
    for (const std::string& p : paths) {
        if (suffix1) {
            bool match = false;
            for (const char* s : {suffix1, suffix2})
                if (s && p.size() > strlen(s) && p.compare(p.size() - strlen(s), strlen(s), s) == 0) match = true;
            if (!match) continue;
        }
        if (index++ % stride != 0) continue;
        Bytes data;
        if (!ReadWhole(p, data) || data.empty() || data.size() > (1u << 20)) continue;
        total += data.size();
        picked.push_back(data);
        if (total >= budget) break;
    }
    *count = picked.size();
    return picked;
}

std::vector<Part> BuildCorpus() {
    std::vector<Part> parts;
    size_t binaryFiles = 0, textFiles = 0;
    std::vector<Bytes> binary = PickFiles({"/usr/lib/i386-linux-gnu/wine/i386-windows", "/usr/lib/wine/i386-windows"},
                                          ".dll", ".exe", 5, kBinaryBudget, &binaryFiles);
    std::vector<std::string> headerDirs;
    for (int v = 20; v >= 8; --v) {
        std::string d = "/usr/include/c++/" + std::to_string(v);
        DIR* probe = opendir(d.c_str());
        if (probe) {
            closedir(probe);
            headerDirs.push_back(d);
            break;
        }
    }
    std::vector<Bytes> text = PickFiles(headerDirs, nullptr, nullptr, 1, kTextBudget, &textFiles);
    for (int level : {1, 6, 9}) {
        Part p;
        p.name = "binary (Wine i386 DLL/EXE, " + std::to_string(binaryFiles) + " files) -" + std::to_string(level);
        for (const Bytes& b : binary) p.members.push_back({b, ZlibDeflate(b, level)});
        parts.push_back(p);
    }
    for (int level : {1, 6, 9}) {
        Part p;
        p.name = "text (C++ headers " + (headerDirs.empty() ? std::string("?") : headerDirs[0]) + ", " +
                 std::to_string(textFiles) + " files) -" + std::to_string(level);
        for (const Bytes& b : text) p.members.push_back({b, ZlibDeflate(b, level)});
        parts.push_back(p);
    }
    {
        Part p;
        p.name = "repetitive (8 MB, short varied pattern) -6";
        Bytes b;
        const char* pattern = "Corvane Setup 4.2 ";
        for (uint32_t i = 0; b.size() < (8u << 20); ++i) {
            b.insert(b.end(), pattern, pattern + strlen(pattern));
            if (i % 97 == 0) b.push_back(static_cast<uint8_t>('0' + i % 10));
        }
        p.members.push_back({b, ZlibDeflate(b, 6)});
        parts.push_back(p);
    }
    {
        Part p;
        p.name = "incompressible (4 MB random) -6";
        Bytes b(4u << 20);
        uint64_t x = 88172645463325252ull;
        for (uint8_t& c : b) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            c = static_cast<uint8_t>(x >> 32);
        }
        p.members.push_back({b, ZlibDeflate(b, 6)});
        parts.push_back(p);
    }
    return parts;
}
#endif

void PutU32(FILE* f, uint32_t v) { fwrite(&v, 4, 1, f); }
uint32_t GetU32(FILE* f) {
    uint32_t v = 0;
    if (fread(&v, 4, 1, f) != 1) exit(2);
    return v;
}

void WriteCorpus(const std::vector<Part>& parts, const char* path) {
    FILE* f = fopen(path, "wb");
    if (!f) return;
    PutU32(f, static_cast<uint32_t>(parts.size()));
    for (const Part& p : parts) {
        PutU32(f, static_cast<uint32_t>(p.name.size()));
        fwrite(p.name.data(), 1, p.name.size(), f);
        PutU32(f, static_cast<uint32_t>(p.members.size()));
        for (const Member& m : p.members) {
            PutU32(f, static_cast<uint32_t>(m.original.size()));
            fwrite(m.original.data(), 1, m.original.size(), f);
            PutU32(f, static_cast<uint32_t>(m.compressed.size()));
            fwrite(m.compressed.data(), 1, m.compressed.size(), f);
        }
    }
    fclose(f);
}

std::vector<Part> ReadCorpus(const char* path) {
    std::vector<Part> parts;
    FILE* f = fopen(path, "rb");
    if (!f) {
        fprintf(stderr, "cannot read %s\n", path);
        exit(2);
    }
    uint32_t count = GetU32(f);
    for (uint32_t i = 0; i < count; ++i) {
        Part p;
        p.name.resize(GetU32(f));
        if (fread(&p.name[0], 1, p.name.size(), f) != p.name.size()) exit(2);
        uint32_t members = GetU32(f);
        for (uint32_t k = 0; k < members; ++k) {
            Member m;
            m.original.resize(GetU32(f));
            if (fread(m.original.data(), 1, m.original.size(), f) != m.original.size()) exit(2);
            m.compressed.resize(GetU32(f));
            if (fread(m.compressed.data(), 1, m.compressed.size(), f) != m.compressed.size()) exit(2);
            p.members.push_back(m);
        }
        parts.push_back(p);
    }
    fclose(f);
    return parts;
}

// ---- the decoders ----

DecoderState* state;

bool DecodeOurs(const Member& m, Bytes& out) {
    memory_files::Reset();
    memset(state, 0, offsetof(DecoderState, inputBuffer));
    state->archiveFile = memory_files::OpenInput(m.compressed.data(), m.compressed.size());
    state->outputFile = memory_files::OpenOutput(&out);
    state->compressedSize = static_cast<int32_t>(m.compressed.size());
    state->crc = kCrcStart;
    state->lastReportTime = kNoReportYet;
    state->ports = &kQuietPorts;
    state->bitBuffer = 0;
    state->bitCount = 0;
    if (!AllocateDecoderWindow(*state)) return false;
    int result = InflateMember(*state);
    ReleaseDecoderWindow(*state);
    return result == 0;
}

z_stream zlibStream;

bool DecodeZlib(const Member& m, Bytes& out) {
    out.resize(m.original.size());
    inflateReset(&zlibStream);
    zlibStream.next_in = const_cast<Bytef*>(m.compressed.data());
    zlibStream.avail_in = static_cast<uInt>(m.compressed.size());
    zlibStream.next_out = out.data();
    zlibStream.avail_out = static_cast<uInt>(out.size());
    return inflate(&zlibStream, Z_FINISH) == Z_STREAM_END;
}

// An extraction also needs the CRC-32 of what it decoded: each library
// with its own CRC routine.
volatile uint32_t crcSink;

bool DecodeZlibWithCrc(const Member& m, Bytes& out) {
    if (!DecodeZlib(m, out)) return false;
    crcSink = static_cast<uint32_t>(crc32(0, out.data(), static_cast<uInt>(out.size())));
    return true;
}

#ifdef HAVE_LIBDEFLATE
libdeflate_decompressor* libdeflateDecoder;

bool DecodeLibdeflate(const Member& m, Bytes& out) {
    out.resize(m.original.size());
    size_t actual = 0;
    return libdeflate_deflate_decompress(libdeflateDecoder, m.compressed.data(), m.compressed.size(), out.data(),
                                         out.size(), &actual) == LIBDEFLATE_SUCCESS &&
           actual == out.size();
}

bool DecodeLibdeflateWithCrc(const Member& m, Bytes& out) {
    if (!DecodeLibdeflate(m, out)) return false;
    crcSink = libdeflate_crc32(0, out.data(), out.size());
    return true;
}
#endif

struct Decoder {
    const char* name;
    bool (*decode)(const Member&, Bytes&);
};

// Native: the thread's CPU time, so that other work on a shared machine
// does not count; Windows: the wall clock.
double Seconds() {
#ifdef _WIN32
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#else
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
#endif
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    InitCrc32Table();
    state = static_cast<DecoderState*>(calloc(1, sizeof(DecoderState)));
    inflateInit2(&zlibStream, -15);
#ifdef HAVE_LIBDEFLATE
    libdeflateDecoder = libdeflate_alloc_decompressor();
#endif
    std::vector<Part> parts;
    const char* writePath = nullptr;
    bool careful = false;
    const char* onlyParts = nullptr;    // digits: the parts to measure
    const char* onlyDecoder = nullptr;  // profiling one decoder
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--read") && i + 1 < argc) parts = ReadCorpus(argv[++i]);
        else if (!strcmp(argv[i], "--write") && i + 1 < argc) writePath = argv[++i];
        else if (!strcmp(argv[i], "--careful")) careful = true;
        else if (!strcmp(argv[i], "--parts") && i + 1 < argc) onlyParts = argv[++i];
        else if (!strcmp(argv[i], "--only") && i + 1 < argc) onlyDecoder = argv[++i];
        else if (!strcmp(argv[i], "--rounds") && i + 1 < argc) kRounds = atoi(argv[++i]) > 0 ? atoi(argv[i]) : 1;
    }
#ifndef _WIN32
    if (parts.empty()) parts = BuildCorpus();
#endif
    if (parts.empty()) {
        fprintf(stderr,
                "usage: inflate_bench [--write CORPUS | --read CORPUS] [--careful] [--parts DIGITS] [--only DECODER] "
                "[--rounds N]\n");
        return 2;
    }
    if (writePath) WriteCorpus(parts, writePath);
    if (onlyParts) {
        std::vector<Part> chosen;
        for (const char* c = onlyParts; *c; ++c)
            if (*c >= '0' && *c - '0' < static_cast<int>(parts.size())) chosen.push_back(parts[*c - '0']);
        parts = chosen;
    }

    // Ours always folds the CRC into its window flushes; the libraries are
    // measured with their CRC routine (what an extraction costs) and alone.
    std::vector<Decoder> decoders = {{"ours", DecodeOurs}, {"zlib+crc", DecodeZlibWithCrc}};
#ifdef HAVE_LIBDEFLATE
    decoders.push_back({"ldfl+crc", DecodeLibdeflateWithCrc});
#endif
    decoders.push_back({"zlib", DecodeZlib});
#ifdef HAVE_LIBDEFLATE
    decoders.push_back({"libdeflate", DecodeLibdeflate});
#endif
    if (careful) EnableFastDecoding(false);
    if (onlyDecoder) {
        std::vector<Decoder> one;
        for (const Decoder& d : decoders)
            if (!strcmp(d.name, onlyDecoder)) one.push_back(d);
        decoders = one;
        if (decoders.empty()) return 2;
        decoders.push_back(decoders[0]);  // the table wants two columns
    }

    // Check every decoder once on every member.
    Bytes out;
    out.reserve(1u << 24);
    for (Part& p : parts)
        for (const Member& m : p.members) {
            p.originalBytes += m.original.size();
            p.compressedBytes += m.compressed.size();
            for (const Decoder& d : decoders)
                if (!d.decode(m, out) || out != m.original) {
                    fprintf(stderr, "%s decoded a member of %s wrongly\n", d.name, p.name.c_str());
                    if (!getenv("BENCH_NOCHECK")) return 1;
                }
        }

    // seconds[part][decoder][round]
    std::vector<std::vector<std::vector<double>>> seconds(parts.size(),
                                                          std::vector<std::vector<double>>(decoders.size()));
    for (int round = 0; round < kRounds; ++round)
        for (size_t pi = 0; pi < parts.size(); ++pi)
            for (size_t di = 0; di < decoders.size(); ++di) {
                double start = Seconds();
                for (const Member& m : parts[pi].members) decoders[di].decode(m, out);
                seconds[pi][di].push_back(Seconds() - start);
            }

    printf(
        "inflate benchmark (%s, %d-bit, %s loop, CRC-32 by %s), median of %d rounds, MB/s of output (MB = 10^6 bytes, "
        "%s)\n",
#ifdef _WIN32
        "i686 Windows build",
#else
        "native build",
#endif
        static_cast<int>(sizeof(void*) * 8),
        careful                           ? "careful"
        : BestFastLoop() == kFastLoopWide ? "fast (SSE2)"
                                          : "fast (plain)",
        BestCrc32Path() == kCrcClmul ? "carry-less multiply" : "tables",
        kRounds,
#ifdef _WIN32
        "wall clock");
#else
        "thread CPU time");
#endif
    printf(
        "columns: throughput of each decoder, then ours divided by each (/zlib+crc is ours/zlib for an extraction)\n");
    printf("%-62s %9s %9s", "corpus part (level)", "in MB", "out MB");
    for (const Decoder& d : decoders) printf(" %10s", d.name);
    for (size_t di = 1; di < decoders.size(); ++di) printf(" %10s", (std::string("/") + decoders[di].name).c_str());
    printf("\n");
    size_t totalOut = 0, totalIn = 0;
    std::vector<std::vector<double>> wholeRounds(decoders.size(), std::vector<double>(kRounds, 0.0));
    auto row = [&](const std::string& name, size_t in, size_t outBytes, const std::vector<double>& medianSeconds) {
        printf("%-62s %9.2f %9.2f", name.c_str(), in / 1e6, outBytes / 1e6);
        std::vector<double> speed;
        for (double s : medianSeconds) speed.push_back(outBytes / 1e6 / s);
        for (double v : speed) printf(" %10.1f", v);
        for (size_t di = 1; di < speed.size(); ++di) printf(" %10.2f", speed[0] / speed[di]);
        printf("\n");
    };
    for (size_t pi = 0; pi < parts.size(); ++pi) {
        std::vector<double> med;
        for (size_t di = 0; di < decoders.size(); ++di) {
            med.push_back(Median(seconds[pi][di]));
            for (int r = 0; r < kRounds; ++r) wholeRounds[di][r] += seconds[pi][di][r];
        }
        row(parts[pi].name, parts[pi].compressedBytes, parts[pi].originalBytes, med);
        totalOut += parts[pi].originalBytes;
        totalIn += parts[pi].compressedBytes;
    }
    std::vector<double> med;
    for (size_t di = 0; di < decoders.size(); ++di) med.push_back(Median(wholeRounds[di]));
    row("whole corpus", totalIn, totalOut, med);
    return 0;
}
