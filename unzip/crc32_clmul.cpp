#include "unzip/crc32_clmul.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>

namespace {

// Folding constants of the reflected polynomial 0x104C11DB7: x^(d+32) and
// x^(d-32) mod P, reflected and shifted left by one, for fold distances d
// of 2048, 512, 384, 256 and 128 bits; the 64-bit and 32-bit reductions;
// and the Barrett constants (P' and u').
const uint64_t kFold2048Low = 0x11542778aull, kFold2048High = 0x1322d1430ull;
const uint64_t kFold4Low = 0x154442bd4ull, kFold4High = 0x1c6e41596ull;
const uint64_t kFold3Low = 0x03db1ecdcull, kFold3High = 0x174359406ull;
const uint64_t kFold2Low = 0x0f1da05aaull, kFold2High = 0x15a546366ull;
const uint64_t kFold1Low = 0x1751997d0ull, kFold1High = 0x0ccaa009eull;
const uint64_t kFold64 = 0x163cd6124ull;
const uint64_t kPoly = 0x1db710641ull, kMu = 0x1f7011641ull;

__attribute__((target("pclmul,sse2"))) inline __m128i Fold(__m128i x, __m128i k) {
    return _mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11));
}

__attribute__((target("pclmul,sse2"))) inline __m128i Load(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

__attribute__((target("pclmul,sse2"))) inline __m128i Pair(uint64_t low, uint64_t high) {
    return _mm_set_epi32(static_cast<int>(high >> 32), static_cast<int>(high), static_cast<int>(low >> 32),
                         static_cast<int>(low));
}

// The rest in 16-byte steps, then 128 bits to 64, 64 to 32, and Barrett
// reduction to the register.
__attribute__((target("pclmul,sse2"))) inline uint32_t FinishFold(__m128i x0, const uint8_t* p, size_t count) {
    const __m128i k = Pair(kFold1Low, kFold1High);
    for (; count >= 16; count -= 16, p += 16) x0 = _mm_xor_si128(Fold(x0, k), Load(p));
    const __m128i mask32 = _mm_set_epi32(0, 0, 0, -1);
    x0 = _mm_xor_si128(_mm_clmulepi64_si128(x0, k, 0x10), _mm_srli_si128(x0, 8));
    __m128i t = _mm_and_si128(x0, mask32);
    x0 = _mm_srli_si128(x0, 4);
    x0 = _mm_xor_si128(x0, _mm_clmulepi64_si128(t, Pair(kFold64, 0), 0x00));
    __m128i pm = Pair(kPoly, kMu);
    t = _mm_and_si128(x0, mask32);
    t = _mm_clmulepi64_si128(t, pm, 0x10);
    t = _mm_and_si128(t, mask32);
    t = _mm_clmulepi64_si128(t, pm, 0x00);
    x0 = _mm_xor_si128(x0, t);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(x0, 4)));
}

}  // namespace

__attribute__((target("pclmul,sse2"))) uint32_t Crc32FoldClmul(uint32_t crc, const uint8_t* p, size_t count) {
    __m128i x0 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i x1 = Load(p + 16), x2 = Load(p + 32), x3 = Load(p + 48);
    p += 64;
    count -= 64;
    __m128i k = Pair(kFold4Low, kFold4High);
    for (; count >= 64; count -= 64, p += 64) {
        x0 = _mm_xor_si128(Fold(x0, k), Load(p));
        x1 = _mm_xor_si128(Fold(x1, k), Load(p + 16));
        x2 = _mm_xor_si128(Fold(x2, k), Load(p + 32));
        x3 = _mm_xor_si128(Fold(x3, k), Load(p + 48));
    }
    k = Pair(kFold1Low, kFold1High);
    x0 = _mm_xor_si128(Fold(x0, k), x1);
    x0 = _mm_xor_si128(Fold(x0, k), x2);
    x0 = _mm_xor_si128(Fold(x0, k), x3);
    return FinishFold(x0, p, count);
}

#else

uint32_t Crc32FoldClmul(uint32_t crc, const uint8_t*, size_t) { return crc; }

#endif
