// The inflate decoder on crafted and real streams: every accepted and
// rejected corner of the format with its result code, window flushing,
// truncation, cancel and write failure, and the fast loop checked against
// the careful bit reader on the observable state.
#include <gtest/gtest.h>

#include <functional>

#include "decoder_harness.h"
#include "deflate_writer.h"

namespace {

typedef std::vector<uint8_t> Bytes;

Bytes Repeat(uint8_t b, size_t n) { return Bytes(n, b); }

struct CraftedCase {
    const char* name;
    std::function<Bytes()> stream;
    int result;
    std::function<Bytes()> output;  // checked when the result is 0
};

Bytes FixedLiterals(const char* text, bool last = true) {
    DeflateWriter w;
    w.BlockHeader(last, 1);
    for (const char* p = text; *p; ++p) w.FixedSymbol(static_cast<uint8_t>(*p));
    w.FixedSymbol(256);
    return w.Finish();
}

// A dynamic block over all 288 literal/length and 32 distance symbols
// that writes "ab", one match, and then the given symbols.
Bytes FullAlphabetBlock(std::function<void(DynamicBlock&)> tail) {
    DeflateWriter w;
    DynamicBlock block(w, true, CompleteLengths(288), CompleteLengths(32));
    block.Symbol('a');
    block.Symbol('b');
    block.Match(4, 2);
    tail(block);
    block.Symbol(256);
    return w.Finish();
}

std::vector<int> LiteralsAndEnd() {
    // 'x' (length 1) and end of block (length 1): a complete code.
    std::vector<int> lengths(257, 0);
    lengths['x'] = 1;
    lengths[256] = 1;
    return lengths;
}

const CraftedCase kCases[] = {
    {"final stored block of length 0",
     [] {
         DeflateWriter w;
         w.StoredBlock(false, {'h', 'i'});
         w.BlockHeader(false, 1);
         w.FixedSymbol('!');
         w.FixedSymbol(256);
         w.StoredBlock(true, {});
         return w.Finish();
     },
     0, [] { return Bytes{'h', 'i', '!'}; }},
    {"stored NLEN not the complement",
     [] {
         DeflateWriter w;
         w.BlockHeader(true, 0);
         w.AlignToByte();
         w.Bits(3, 16);
         w.Bits(0xFFFD, 16);
         w.Bits(0x636261, 24);
         return w.Finish();
     },
     4, nullptr},
    {"block type 3",
     [] {
         DeflateWriter w;
         w.BlockHeader(true, 3);
         w.Bits(0, 30);
         return w.Finish();
     },
     4, nullptr},
    {"HLIT 288 and HDIST 32 accepted", [] { return FullAlphabetBlock([](DynamicBlock&) {}); }, 0,
     [] { return Bytes{'a', 'b', 'a', 'b', 'a', 'b'}; }},
    {"distance code 30 in the data", [] { return FullAlphabetBlock([](DynamicBlock& b) { b.Symbol(257); b.DistanceSymbol(30); }); },
     4, nullptr},
    {"distance code 31 in the data", [] { return FullAlphabetBlock([](DynamicBlock& b) { b.Symbol(257); b.DistanceSymbol(31); }); },
     4, nullptr},
    {"literal/length 286 in the data", [] { return FullAlphabetBlock([](DynamicBlock& b) { b.Symbol(286); }); }, 4, nullptr},
    {"literal/length 287 in the data", [] { return FullAlphabetBlock([](DynamicBlock& b) { b.Symbol(287); }); }, 4, nullptr},
    {"fixed literal/length 286",
     [] {
         DeflateWriter w;
         w.BlockHeader(true, 1);
         w.FixedSymbol(286);
         return w.Finish();
     },
     4, nullptr},
    {"fixed distance 30",
     [] {
         DeflateWriter w;
         w.BlockHeader(true, 1);
         w.FixedSymbol('q');
         w.FixedSymbol(257);
         w.FixedDistanceSymbol(30);
         return w.Finish();
     },
     4, nullptr},
    {"single distance code",
     [] {
         DeflateWriter w;
         std::vector<int> dist(1, 1);  // distance symbol 0 (distance 1), one code of length 1
         DynamicBlock b(w, true, CompleteLengths(265), dist);
         b.Symbol('z');
         b.Match(10, 1);
         b.Symbol(256);
         return w.Finish();
     },
     0, [] { return Repeat('z', 11); }},
    {"incomplete distance code",
     [] {
         DeflateWriter w;
         std::vector<int> dist(5, 0);
         dist[0] = 2;  // distance 1
         dist[4] = 3;  // distances 5-6; a quarter and an eighth of the code space
         DynamicBlock b(w, true, CompleteLengths(260), dist);
         for (char c : std::string("abcdef")) b.Symbol(static_cast<uint8_t>(c));
         b.Match(3, 6);
         b.Match(3, 1);
         b.Symbol(256);
         return w.Finish();
     },
     0, [] { return Bytes{'a', 'b', 'c', 'd', 'e', 'f', 'a', 'b', 'c', 'c', 'c', 'c'}; }},
    {"distance code of one 15-bit code",
     [] {
         DeflateWriter w;
         std::vector<int> dist(30, 0);
         dist[3] = 15;  // distance 4, a first level of 15 bits
         dist[29] = 15;
         DynamicBlock b(w, true, CompleteLengths(270), dist);
         for (char c : std::string("wxyz")) b.Symbol(static_cast<uint8_t>(c));
         b.Match(9, 4);
         b.Symbol(256);
         return w.Finish();
     },
     0, [] { return Bytes{'w', 'x', 'y', 'z', 'w', 'x', 'y', 'z', 'w', 'x', 'y', 'z', 'w'}; }},
    {"empty distance code used by a length",
     [] {
         DeflateWriter w;
         DynamicBlock b(w, true, CompleteLengths(258), std::vector<int>(1, 0));
         b.Symbol('k');
         b.Symbol(257);
         b.Symbol(256);
         return w.Finish();
     },
     4, nullptr},
    {"literal/length code with a single code of length 1",
     [] {
         DeflateWriter w;
         std::vector<int> lit(257, 0);
         lit[256] = 1;
         DynamicBlock b(w, true, lit, std::vector<int>(1, 0));
         b.Symbol(256);
         return w.Finish();
     },
     0, [] { return Bytes{}; }},
    {"incomplete literal/length code",
     [] {
         DeflateWriter w;
         std::vector<int> lit(257, 0);
         lit['a'] = 2;
         lit[256] = 2;
         DynamicBlock b(w, true, lit, std::vector<int>(1, 0));
         b.Symbol(256);
         return w.Finish();
     },
     4, nullptr},
    {"over-subscribed distance code",
     [] {
         DeflateWriter w;
         std::vector<int> lit = LiteralsAndEnd();
         std::vector<int> dist(3, 1);
         w.BlockHeader(true, 2);
         w.Bits(0, 5);
         w.Bits(2, 5);
         w.Bits(19 - 4, 4);
         // code-length code: 0 and 1 of length 1
         static const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
         for (int i = 0; i < 19; ++i) w.Bits(order[i] == 0 || order[i] == 1 ? 1 : 0, 3);
         for (int l : lit) w.Code(l, 1);  // symbol 0 is code 0, symbol 1 is code 1
         for (int l : dist) w.Code(l, 1);
         return w.Finish();
     },
     4, nullptr},
    {"first repeat code 16 repeats zero",
     [] {
         // Code-length code over 0, 1 and 16; a 16 first makes symbols 0..2 zero.
         DeflateWriter w;
         w.BlockHeader(true, 2);
         w.Bits(0, 5);  // 257 literal/length codes
         w.Bits(0, 5);  // 1 distance code
         w.Bits(19 - 4, 4);
         static const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
         // lengths: 16 -> 1 (code 0), 0 -> 2 (code 10), 1 -> 2 (code 11)
         for (int i = 0; i < 19; ++i) w.Bits(order[i] == 16 ? 1 : (order[i] == 0 || order[i] == 1) ? 2 : 0, 3);
         w.Code(0, 1);  // 16: repeat the previous length (none yet: 0) 3 times -> symbols 0,1,2
         w.Bits(0, 2);
         // symbols 3..255: 'a'(97) and 'c'(99) get length 1? Only one literal allowed with EOB; use 'c'.
         for (int s = 3; s < 257; ++s) {
             if (s == 'c' || s == 256) w.Code(3, 2);  // length 1
             else w.Code(2, 2);                        // length 0
         }
         w.Code(2, 2);  // distance code length 0
         w.Code(0, 1);  // 'c' is code 0
         w.Code(1, 1);  // end of block is code 1
         return w.Finish();
     },
     0, [] { return Bytes{'c'}; }},
    {"repeat code 16 past the end",
     [] {
         DeflateWriter w;
         w.BlockHeader(true, 2);
         w.Bits(0, 5);
         w.Bits(0, 5);
         w.Bits(19 - 4, 4);
         static const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
         for (int i = 0; i < 19; ++i) w.Bits(order[i] == 16 ? 1 : (order[i] == 0 || order[i] == 1) ? 2 : 0, 3);
         for (int s = 0; s < 256; ++s) w.Code(s == 'c' ? 3 : 2, 2);
         w.Code(3, 2);  // 256: length 1
         w.Code(0, 1);  // 16 with 6 repeats: one code length left
         w.Bits(3, 2);
         return w.Finish();
     },
     1, nullptr},
    {"zero run 18 past the end",
     [] {
         DeflateWriter w;
         w.BlockHeader(true, 2);
         w.Bits(0, 5);
         w.Bits(0, 5);
         w.Bits(19 - 4, 4);
         static const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
         for (int i = 0; i < 19; ++i) w.Bits(order[i] == 18 ? 1 : (order[i] == 0 || order[i] == 1) ? 2 : 0, 3);
         w.Code(0, 1);  // 18: 11 + 127 zeros
         w.Bits(127, 7);
         w.Code(0, 1);  // 138 more: past 258
         w.Bits(127, 7);
         return w.Finish();
     },
     4, nullptr},
    {"length 258 at distance 1",
     [] {
         DeflateWriter w;
         w.BlockHeader(true, 1);
         w.FixedSymbol('r');
         w.FixedMatch(258, 1);
         w.FixedSymbol(256);
         return w.Finish();
     },
     0, [] { return Repeat('r', 259); }},
    {"distance before the start reads zeros",
     [] {
         DeflateWriter w;
         w.BlockHeader(true, 1);
         w.FixedSymbol('s');
         w.FixedMatch(5, 3);
         w.FixedSymbol(256);
         return w.Finish();
     },
     0, [] { return Bytes{'s', 0, 0, 's', 0, 0}; }},
    {"code-length code all zero",
     [] {
         DeflateWriter w;
         w.BlockHeader(true, 2);
         w.Bits(0, 14);
         w.Bits(0, 12);
         return w.Finish();
     },
     4, nullptr},
};

TEST(Inflate, CraftedStreams) {
    for (const CraftedCase& c : kCases) {
        Bytes stream = c.stream();
        // Pad so that no case is decided by the end of the input.
        stream.resize(stream.size() + 64, 0);
        for (bool fast : {true, false}) {
            DecodeOptions options;
            options.fast = fast;
            DecodeRun run = RunInflate(stream, options);
            EXPECT_EQ(run.result, c.result) << c.name << (fast ? "" : " (careful)");
            if (c.result == 0 && c.output) {
                Bytes expected = c.output();
                EXPECT_EQ(run.output, expected) << c.name;
                EXPECT_EQ(run.crc, static_cast<uint32_t>(crc32(0, expected.data(), static_cast<uInt>(expected.size()))))
                    << c.name;
            }
        }
    }
}

// A stream of fixed blocks writing n bytes: literals and long matches.
Bytes FixedStreamOf(size_t n, Bytes* expected) {
    DeflateWriter w;
    w.BlockHeader(true, 1);
    expected->clear();
    while (expected->size() < n) {
        size_t left = n - expected->size();
        if (expected->size() >= 300 && left >= 3) {
            unsigned length = static_cast<unsigned>(left < 258 ? left : 258);
            unsigned distance = 300;
            w.FixedMatch(length, distance);
            for (unsigned i = 0; i < length; ++i) expected->push_back((*expected)[expected->size() - distance]);
        } else {
            uint8_t b = static_cast<uint8_t>(expected->size() * 7 + 1);
            w.FixedSymbol(b);
            expected->push_back(b);
        }
    }
    w.FixedSymbol(256);
    return w.Finish();
}

TEST(Inflate, ExactlyOneWindowFlushesFullThenEmpty) {
    Bytes expected;
    Bytes stream = FixedStreamOf(32768, &expected);
    DecodeRun run = RunInflate(stream);
    ASSERT_EQ(run.result, 0);
    EXPECT_EQ(run.writeSizes, (std::vector<int>{32768, 0}));
    EXPECT_EQ(run.output, expected);
}

TEST(Inflate, MatchAcrossTheWindowEndAndDistance32768) {
    // 32760 literals-and-matches, then a match of 20 that crosses the window
    // end, then a match at distance 32768.
    DeflateWriter w;
    w.BlockHeader(true, 1);
    Bytes expected;
    for (int i = 0; i < 32760; ++i) {
        uint8_t b = static_cast<uint8_t>((i * 131) >> 3);
        w.FixedSymbol(b);
        expected.push_back(b);
    }
    w.FixedMatch(20, 1000);
    for (int i = 0; i < 20; ++i) expected.push_back(expected[expected.size() - 1000]);
    w.FixedMatch(100, 32768);
    for (int i = 0; i < 100; ++i) expected.push_back(expected[expected.size() - 32768]);
    w.FixedMatch(258, 32768 - 3);
    for (int i = 0; i < 258; ++i) expected.push_back(expected[expected.size() - (32768 - 3)]);
    w.FixedSymbol(256);
    for (bool fast : {true, false}) {
        DecodeOptions options;
        options.fast = fast;
        DecodeRun run = RunInflate(w.Finish(), options);
        ASSERT_EQ(run.result, 0);
        EXPECT_EQ(run.output, expected);
        EXPECT_EQ(run.writeSizes, (std::vector<int>{32768, static_cast<int>(expected.size() - 32768)}));
    }
}

TEST(Inflate, CutShortEndsWithThreeWithoutHanging) {
    Bytes data = SampleData(70000, 3, 0);
    Bytes mixed = SampleData(20000, 4, 1);
    data.insert(data.end(), mixed.begin(), mixed.end());
    for (int level : {0, 1, 9}) {
        Bytes stream = ZlibDeflate(data, level);
        for (size_t cut = 0; cut < stream.size(); cut += 1 + cut / 7) {
            Bytes part(stream.begin(), stream.begin() + static_cast<long>(cut));
            DecodeRun run = RunInflate(part);
            if (run.result == 0) {
                EXPECT_EQ(run.output, data) << "level " << level << " cut " << cut;
            } else {
                EXPECT_EQ(run.result, 3) << "level " << level << " cut " << cut;
            }
        }
    }
}

TEST(Inflate, CompressedSizeBoundEndsTheInput) {
    // A member that claims fewer bytes than its stream ends a little after
    // the claimed size plus two.
    Bytes data = SampleData(200000, 5, 2);
    Bytes stream = ZlibDeflate(data, 1);
    DecodeOptions options;
    options.compressedSize = 100;
    options.readSize = 50;
    DecodeRun run = RunInflate(stream, options);
    EXPECT_EQ(run.result, 3);
    EXPECT_TRUE(run.endOfInput);
    EXPECT_EQ(run.reads, 3);  // 50, 100, 150 > 102
}

TEST(Inflate, ReadsGoToTheMemberEndAndNoFurther) {
    // The next member's bytes follow in the archive: a small member takes one
    // small read, a large one whole reads until its last, shorter one.
    for (size_t size : {size_t(300), size_t(40000)}) {
        Bytes data = SampleData(size, 11, 1);
        Bytes stream = ZlibDeflate(data, 6);
        const int32_t length = static_cast<int32_t>(stream.size());
        Bytes archive = stream;
        archive.insert(archive.end(), 20000, 0x55);
        DecodeOptions options;
        options.compressedSize = length;
        DecodeRun run = RunInflate(archive, options);
        EXPECT_EQ(run.result, 0) << size;
        EXPECT_TRUE(run.output == data) << size;
        EXPECT_GE(run.bytesRead, length) << size;
        EXPECT_LE(run.bytesRead, length + 64) << size;
        if (size == 300) EXPECT_EQ(run.reads, 1);
    }
}

TEST(Inflate, WriteFailureGivesTwo) {
    Bytes data = SampleData(100000, 6, 0);
    Bytes stream = ZlibDeflate(data, 6);
    for (long budget : {0L, 32767L, 32768L, 65536L, 99999L}) {
        DecodeOptions options;
        options.failWritesAfter = budget;
        int failures = 0;
        DecoderPorts ports = {};
        ports.context = &failures;
        ports.writeFailed = [](void* context) { ++*static_cast<int*>(context); };
        options.ports = &ports;
        DecodeRun run = RunInflate(stream, options);
        EXPECT_EQ(run.result, 2) << budget;
        EXPECT_EQ(failures, 1) << budget;
    }
}

TEST(Inflate, CancelStopsAtTheNextSymbol) {
    Bytes data = SampleData(300000, 7, 1);
    for (int level : {0, 6}) {
        Bytes stream = ZlibDeflate(data, level);
        // Every poll is answered with cancel.
        DecoderPorts ports = {};
        ports.report = [](void*, uint16_t, ProgressReportKind) { return kProgressCancel; };
        DecodeOptions options;
        options.readSize = 1000;
        options.ports = &ports;
        DecodeRun run = RunInflate(stream, options);
        EXPECT_EQ(run.result, 5) << level;
        // The first refill polls and cancels; decoding stops at the next
        // symbol, long before the second thousand bytes are needed.
        EXPECT_EQ(run.reads, 1) << level;
        EXPECT_TRUE(run.output.empty()) << level;
    }
}

// The fast loop hands back exactly what the careful bit reader holds: the
// same output, results, reads, writes and bit reader after the last block,
// for real streams and input buffers of many lengths.
TEST(Inflate, FastLoopMatchesTheCarefulReader) {
    struct Source {
        size_t size;
        unsigned seed;
        int kind;
    };
    const Source sources[] = {{1, 1, 0}, {1000, 2, 0}, {150000, 3, 0}, {150000, 4, 1}, {70000, 5, 2}};
    const int levels[] = {1, 6, 9};
    const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE};
    const unsigned readSizes[] = {0, 1, 2, 3, 5, 64, 777, 4095};
    for (const Source& s : sources) {
        Bytes data = SampleData(s.size, s.seed, s.kind);
        for (int level : levels)
            for (int strategy : strategies) {
                Bytes stream = ZlibDeflate(data, level, strategy);
                // A data descriptor follows, as in an archive.
                const uint8_t descriptor[16] = {'P', 'K', 7, 8, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
                stream.insert(stream.end(), descriptor, descriptor + 16);
                for (unsigned readSize : readSizes) {
                    DecodeOptions options;
                    options.readSize = readSize;
                    options.fast = false;
                    DecodeRun careful = RunInflate(stream, options);
                    SCOPED_TRACE(testing::Message() << "size " << s.size << " kind " << s.kind << " level " << level
                                                    << " strategy " << strategy << " reads of " << readSize);
                    ASSERT_EQ(careful.result, 0);
                    ASSERT_EQ(careful.output, data);
                    for (int kind = kFastLoopPlain; kind <= BestFastLoop(); ++kind) {
                        SCOPED_TRACE(testing::Message() << "fast loop kind " << kind);
                        options.fast = true;
                        options.fastLoop = static_cast<FastLoopKind>(kind);
                        DecodeRun fast = RunInflate(stream, options);
                        EXPECT_EQ(fast.result, careful.result);
                        EXPECT_EQ(fast.output, careful.output);
                        EXPECT_EQ(fast.crc, careful.crc);
                        EXPECT_EQ(fast.bitBuffer, careful.bitBuffer);
                        EXPECT_EQ(fast.bitCount, careful.bitCount);
                        EXPECT_EQ(fast.inputPosition, careful.inputPosition);
                        EXPECT_EQ(fast.inputEnd, careful.inputEnd);
                        EXPECT_EQ(fast.bytesRead, careful.bytesRead);
                        EXPECT_EQ(fast.reads, careful.reads);
                        EXPECT_EQ(fast.writeSizes, careful.writeSizes);
                    }
                }
            }
    }
}

// After the last block the bit reader gives the data descriptor: align,
// skip the signature in two 16-bit steps, the CRC in two halves.
TEST(Inflate, DataDescriptorThroughTheBitReader) {
    for (int level : {0, 1, 6, 9})
        for (size_t size : {size_t(0), size_t(1), size_t(5000), size_t(100000)}) {
            Bytes data = SampleData(size, static_cast<unsigned>(size), 0);
            Bytes stream = ZlibDeflate(data, level);
            uint32_t crc = static_cast<uint32_t>(crc32(0, data.data(), static_cast<uInt>(data.size())));
            const uint8_t descriptor[16] = {'P', 'K', 7, 8, static_cast<uint8_t>(crc), static_cast<uint8_t>(crc >> 8),
                                            static_cast<uint8_t>(crc >> 16), static_cast<uint8_t>(crc >> 24)};
            stream.insert(stream.end(), descriptor, descriptor + 16);
            uint32_t read = 0;
            static uint32_t* result;
            result = &read;
            DecodeRun run = RunInflate(stream, DecodeOptions(), [](DecoderState& state) {
                DecodeResult r = InflateMember(state);
                DropBits(state, state.bitCount % 8);
                NeedBits(state, 16);
                DropBits(state, 16);
                NeedBits(state, 16);
                DropBits(state, 16);
                NeedBits(state, 16);
                uint32_t low = state.bitBuffer & 0xFFFF;
                DropBits(state, 16);
                NeedBits(state, 16);
                *result = low | (state.bitBuffer & 0xFFFF) << 16;
                DropBits(state, 16);
                return r;
            });
            EXPECT_EQ(run.result, 0);
            EXPECT_EQ(run.crc, crc);
            EXPECT_EQ(read, crc) << "level " << level << " size " << size;
        }
}

// Random literals and matches of every kind (short and long, overlapping,
// distances 1 to 32768, reaching before the start and round the window)
// against a byte-by-byte expansion: the fast loop's wide copies must leave
// every byte of history they pass over as it was.
TEST(Inflate, RandomMatchesAgreeWithByteByByteCopy) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        uint32_t x = seed * 7919;
        auto next = [&x](uint32_t n) {
            x = x * 1103515245u + 12345u;
            return (x >> 8) % n;
        };
        DeflateWriter w;
        w.BlockHeader(true, 1);
        Bytes expected;
        while (expected.size() < 150000) {
            uint32_t pick = next(10);
            if (pick < 4) {
                uint8_t b = static_cast<uint8_t>(next(256));
                w.FixedSymbol(b);
                expected.push_back(b);
                continue;
            }
            unsigned length = pick < 8 ? 3 + next(14) : 3 + next(256);
            unsigned distance;
            switch (next(5)) {
            case 0: distance = 1 + next(16); break;
            case 1: distance = 32768 - next(48); break;
            case 2: distance = 1 + next(300); break;
            default: distance = 1 + next(32768); break;
            }
            w.FixedMatch(length, distance);
            for (unsigned i = 0; i < length; ++i) {
                size_t at = expected.size();
                expected.push_back(at >= distance ? expected[at - distance] : 0);
            }
        }
        w.FixedSymbol(256);
        Bytes stream = w.Finish();
        for (bool fast : {true, false}) {
            DecodeOptions options;
            options.fast = fast;
            DecodeRun run = RunInflate(stream, options);
            ASSERT_EQ(run.result, 0) << seed;
            ASSERT_EQ(run.output.size(), expected.size()) << seed;
            EXPECT_TRUE(run.output == expected) << "seed " << seed << (fast ? " fast" : " careful");
        }
    }
}

TEST(Crc32, AgreesWithZlib) {
    InitCrc32Table();
    for (size_t size : {0, 1, 7, 8, 9, 15, 16, 17, 63, 64, 65, 79, 80, 127, 128, 129, 1000, 32768, 65537}) {
        Bytes data = SampleData(size, 9, 2);
        uint32_t reg = kCrcStart;
        Crc32Update(data.data(), data.size(), reg);
        EXPECT_EQ(~reg, static_cast<uint32_t>(crc32(0, data.data(), static_cast<uInt>(size)))) << size;
        // The same bytes in uneven pieces give the same register.
        uint32_t pieces = kCrcStart;
        for (size_t at = 0, step = 1; at < size; at += step, step = step * 3 + 1) {
            size_t n = size - at < step ? size - at : step;
            Crc32Update(data.data() + at, n, pieces);
        }
        EXPECT_EQ(pieces, reg) << size;
    }
}

}  // namespace
