// Writing deflate streams bit by bit for tests: fixed-code symbols, stored
// blocks and dynamic headers with chosen code lengths, so that every corner
// of the format can be produced on purpose.
#pragma once

#include <cstdint>
#include <vector>

class DeflateWriter {
public:
    // count bits of value, least significant first.
    void Bits(uint32_t value, unsigned count) {
        for (unsigned i = 0; i < count; ++i) Bit((value >> i) & 1);
    }
    // A Huffman code: most significant bit first.
    void Code(uint32_t code, unsigned length) {
        for (unsigned i = length; i-- > 0;) Bit((code >> i) & 1);
    }
    void AlignToByte() {
        while (bitCount_ != 0) Bit(0);
    }
    void Byte(uint8_t b) { Bits(b, 8); }

    void BlockHeader(bool last, unsigned type) {
        Bits(last ? 1 : 0, 1);
        Bits(type, 2);
    }
    void StoredBlock(bool last, const std::vector<uint8_t>& data) {
        BlockHeader(last, 0);
        AlignToByte();
        Bits(static_cast<uint32_t>(data.size()), 16);
        Bits(static_cast<uint32_t>(~data.size()) & 0xFFFF, 16);
        for (uint8_t b : data) Byte(b);
    }

    // Fixed-code literal/length symbol 0..287 and distance symbol 0..31.
    void FixedSymbol(unsigned symbol) {
        if (symbol < 144) Code(0x30 + symbol, 8);
        else if (symbol < 256) Code(0x190 + symbol - 144, 9);
        else if (symbol < 280) Code(symbol - 256, 7);
        else Code(0xC0 + symbol - 280, 8);
    }
    void FixedDistanceSymbol(unsigned symbol) { Code(symbol, 5); }
    // A length 3..258 as symbol and extra bits, through emit(symbol).
    template <typename Emit>
    void Length(unsigned length, Emit emit) {
        static const uint16_t base[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                          31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static const uint8_t extra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                          2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        unsigned s = 28;
        while (base[s] > length) --s;
        emit(257 + s);
        Bits(length - base[s], extra[s]);
    }
    template <typename Emit>
    void Distance(unsigned distance, Emit emit) {
        static const uint16_t base[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                          33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                          1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
        static const uint8_t extra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                          6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
        unsigned s = 29;
        while (base[s] > distance) --s;
        emit(s);
        Bits(distance - base[s], extra[s]);
    }
    void FixedMatch(unsigned length, unsigned distance) {
        Length(length, [this](unsigned s) { FixedSymbol(s); });
        Distance(distance, [this](unsigned s) { FixedDistanceSymbol(s); });
    }

    std::vector<uint8_t> Finish() {
        AlignToByte();
        return bytes_;
    }

private:
    void Bit(unsigned b) {
        if (bitCount_ == 0) bytes_.push_back(0);
        bytes_.back() |= static_cast<uint8_t>(b << bitCount_);
        bitCount_ = (bitCount_ + 1) & 7;
    }
    std::vector<uint8_t> bytes_;
    unsigned bitCount_ = 0;
};

// Canonical codes for the given lengths (RFC 1951, 3.2.2).
inline std::vector<uint32_t> CanonicalCodes(const std::vector<int>& lengths) {
    int counts[16] = {};
    for (int l : lengths) counts[l]++;
    counts[0] = 0;
    uint32_t next[16] = {};
    uint32_t code = 0;
    for (int bits = 1; bits < 16; ++bits) {
        code = (code + counts[bits - 1]) << 1;
        next[bits] = code;
    }
    std::vector<uint32_t> codes(lengths.size());
    for (size_t s = 0; s < lengths.size(); ++s)
        if (lengths[s]) codes[s] = next[lengths[s]]++;
    return codes;
}

// A dynamic block whose header lists the code lengths one by one (no
// repeat codes) with a complete code-length code: symbols 0..12 of length
// 4, 13..18 of length 5.
class DynamicBlock {
public:
    DynamicBlock(DeflateWriter& w, bool last, const std::vector<int>& literalLengths, const std::vector<int>& distanceLengths)
        : w_(w), lit_(literalLengths), dist_(distanceLengths), litCodes_(CanonicalCodes(lit_)), distCodes_(CanonicalCodes(dist_)) {
        static const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
        std::vector<int> cl(19);
        for (int s = 0; s < 19; ++s) cl[s] = s <= 12 ? 4 : 5;
        std::vector<uint32_t> clCodes = CanonicalCodes(cl);
        w.BlockHeader(last, 2);
        w.Bits(static_cast<uint32_t>(lit_.size() - 257), 5);
        w.Bits(static_cast<uint32_t>(dist_.size() - 1), 5);
        w.Bits(19 - 4, 4);
        for (int i = 0; i < 19; ++i) w.Bits(static_cast<uint32_t>(cl[order[i]]), 3);
        for (int l : lit_) w.Code(clCodes[l], cl[l]);
        for (int l : dist_) w.Code(clCodes[l], cl[l]);
    }
    void Symbol(unsigned s) { w_.Code(litCodes_[s], lit_[s]); }
    void DistanceSymbol(unsigned s) { w_.Code(distCodes_[s], dist_[s]); }
    void Match(unsigned length, unsigned distance) {
        w_.Length(length, [this](unsigned s) { Symbol(s); });
        w_.Distance(distance, [this](unsigned s) { DistanceSymbol(s); });
    }

private:
    DeflateWriter& w_;
    std::vector<int> lit_, dist_;
    std::vector<uint32_t> litCodes_, distCodes_;
};

// Lengths of a complete literal/length code over n symbols (n >= 257):
// 2^k codes of the shortest possible lengths.
inline std::vector<int> CompleteLengths(unsigned n) {
    // n symbols: (2*2^k - n) of length k and (2n - 2^(k+1)) of length k+1, 2^k <= n < 2^(k+1).
    unsigned k = 0;
    while ((2u << k) <= n) ++k;
    unsigned shorter = (2u << k) - n;
    std::vector<int> lengths(n);
    for (unsigned s = 0; s < n; ++s) lengths[s] = s < shorter ? static_cast<int>(k) : static_cast<int>(k + 1);
    return lengths;
}
