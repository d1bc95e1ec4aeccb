// Copying a match inside the 32768-byte window. The result is always that
// of a byte-by-byte copy from front to back; the routines only choose
// wider moves where that gives the same bytes. The destination never runs
// past the window end (the caller splits or checks), and nothing is
// written beyond the match, because the bytes ahead of it are still the
// history of the window's previous round.
#pragma once

#include <cstdint>
#include <cstring>

#include "unzip/decoder_state.h"

namespace window_copy {

inline uint64_t Load64(const uint8_t* p) {
    uint64_t v;
    memcpy(&v, p, 8);
    return v;
}
inline void Store64(uint8_t* p, uint64_t v) { memcpy(p, &v, 8); }
inline uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    memcpy(&v, p, 4);
    return v;
}
inline void Store32(uint8_t* p, uint32_t v) { memcpy(p, &v, 4); }

}  // namespace window_copy

// Copies count bytes (count < 2^16) from src to dst, which do not overlap,
// always in the same pattern of moves for the same count: words, then 4,
// 2 and 1 bytes. A later copy that reads what this one wrote, at the same
// offsets, then reads each word exactly as it was stored, which the
// processor can hand over from its store buffer without waiting.
inline void CopyInPattern(uint8_t* dst, const uint8_t* src, unsigned count) {
    using namespace window_copy;
    unsigned i = 0;
    for (; i + 8 <= count; i += 8) Store64(dst + i, Load64(src + i));
    if (count & 4) {
        Store32(dst + i, Load32(src + i));
        i += 4;
    }
    if (count & 2) {
        uint16_t v;
        memcpy(&v, src + i, 2);
        memcpy(dst + i, &v, 2);
        i += 2;
    }
    if (count & 1) dst[i] = src[i];
}

// dst[i] = dst[i - distance] for i in 0..length-1, source entirely before dst.
inline void CopyBackReference(uint8_t* dst, unsigned distance, unsigned length) {
    using namespace window_copy;
    const uint8_t* src = dst - distance;
    if (distance >= length) {
        // No overlap: whole words front to back; the last word ends exactly
        // at the match end and rewrites a few bytes with the same values.
        if (length >= 8) {
            unsigned done = 0;
            for (; done + 8 < length; done += 8) Store64(dst + done, Load64(src + done));
            Store64(dst + length - 8, Load64(src + length - 8));
        } else if (length >= 4) {
            uint32_t head = Load32(src), tail = Load32(src + length - 4);
            Store32(dst, head);
            Store32(dst + length - 4, tail);
        } else {
            for (unsigned i = 0; i < length; ++i) dst[i] = src[i];
        }
        return;
    }
    if (distance == 1) {
        memset(dst, dst[-1], length);
        return;
    }
    // The match repeats its first period. Lay down one period of at least
    // eight bytes (a multiple of a short distance, by bytes), then repeat
    // it period by period, each copy reading the previous one.
    unsigned period = distance;
    if (period < 8) {
        while (period < 8) period += distance;
        unsigned lead = length < period ? length : period;
        for (unsigned i = 0; i < lead; ++i) dst[i] = src[i];
        if (length == lead) return;
    } else {
        CopyInPattern(dst, src, period);
    }
    unsigned done = period;
    for (; done + period <= length; done += period) CopyInPattern(dst + done, dst + done - period, period);
    if (done < length) CopyInPattern(dst + done, dst + done - period, length - done);
}

// The match at window position pos (pos + length <= kWindowSize); the
// source may wrap round the window end.
inline void CopyMatch(uint8_t* window, unsigned pos, unsigned distance, unsigned length) {
    if (distance <= pos) {
        CopyBackReference(window + pos, distance, length);
        return;
    }
    // The source starts in the previous round, ahead of pos: a forward move
    // reads it before this copy can reach it.
    unsigned src = pos + kWindowSize - distance;
    unsigned first = kWindowSize - src;
    if (first > length) first = length;
    if (src != pos) memmove(window + pos, window + src, first);
    if (length > first) CopyBackReference(window + pos + first, distance, length - first);
}

// Room the fast loop leaves after a match for CopyMatchWithRoom's words.
const unsigned kCopyOvershoot = 16;

// The fast loop's copies are inlined into each of its kinds, so that each
// moves with the widest registers it has.
#define WINDOW_COPY_INLINE __attribute__((always_inline)) inline

WINDOW_COPY_INLINE void Copy16(uint8_t* dst, const uint8_t* src) {
    uint8_t piece[16];
    memcpy(piece, src, 16);
    memcpy(dst, piece, 16);
}

// A match that repeats the distance bytes before it (1 < distance <
// length), with at least 16 bytes of room after it that the caller keeps.
// Every repetition is copied from those bytes themselves, never from the
// repetition just written, so that no move waits for the one before it.
WINDOW_COPY_INLINE void CopyRepeatsWithRoom(uint8_t* dst, unsigned distance, unsigned length) {
    const uint8_t* const src = dst - distance;
    uint8_t* const end = dst + length;
    if (distance >= 16 && distance < 32) {
        // Two pieces held in registers: the first 16 bytes and the 16 that
        // end the repetition; then the rest, rounded up to whole pieces.
        uint8_t head[16], tail[16];
        memcpy(head, src, 16);
        memcpy(tail, src + distance - 16, 16);
        for (; dst + distance <= end; dst += distance) {
            memcpy(dst, head, 16);
            memcpy(dst + distance - 16, tail, 16);
        }
        if (dst < end) memcpy(dst, head, 16);
        if (dst + 16 < end) Copy16(dst + 16, src + 16);
        return;
    }
    if (distance >= 32) {
        // Whole repetitions in 16-byte pieces, the last piece ending at the
        // repetition's end; then the rest, rounded up to whole pieces.
        const unsigned last = distance - 16;
        for (; dst + distance <= end; dst += distance) {
            for (unsigned i = 0; i < last; i += 16) Copy16(dst + i, src + i);
            Copy16(dst + last, src + last);
        }
        for (unsigned i = 0; dst + i < end; i += 16) Copy16(dst + i, src + i);
        return;
    }
    // Sixteen bytes of the pattern, stored every step bytes: from 8 on, the
    // bytes after the first distance are rewritten by the next store (or
    // lie behind the match); below 8, the pattern is laid out whole and the
    // step is the multiple of the distance that fits.
    uint8_t pattern[16];
    unsigned step = distance;
    if (distance >= 8) {
        memcpy(pattern, src, 16);
    } else {
        for (unsigned i = 0, k = 0; i < 16; ++i) {
            pattern[i] = src[k];
            if (++k == distance) k = 0;
        }
        step = 16 - 16 % distance;
    }
    for (; dst < end; dst += step) memcpy(dst, pattern, 16);
}

// The fast loop's copy, where at least kCopyOvershoot bytes of window
// follow the match. It moves 16 bytes per step without testing the length
// byte by byte: the 16 bytes behind the match are saved first and put back
// after, so the history there stays as it was. Qualify: a match apart from
// its source, whose words (16 bytes past its end at most) stay inside the
// window, also when the source lies in the previous round ahead of the
// match, read before any write reaches it; and a match that repeats the
// bytes before it (distance below its length, source not round the window
// end). Any other goes by CopyMatch.
WINDOW_COPY_INLINE void CopyMatchWithRoom(uint8_t* window, unsigned pos, unsigned distance, unsigned length) {
    using namespace window_copy;
    unsigned from = (pos - distance) & (kWindowSize - 1);
    bool apart = distance >= length && from + length + kCopyOvershoot <= kWindowSize;
    bool repeats = distance < length && distance <= pos;
    if (!apart && !repeats) {
        CopyMatch(window, pos, distance, length);
        return;
    }
    uint8_t* dst = window + pos;
    uint8_t* const end = dst + length;
    uint64_t keep0 = Load64(end), keep1 = Load64(end + 8);
    if (apart) {
        const uint8_t* src = window + from;
        for (;; dst += 16, src += 16) {
            Copy16(dst, src);
            if (dst + 16 >= end) break;
        }
    } else if (distance == 1) {
        memset(dst, dst[-1], length);
    } else {
        CopyRepeatsWithRoom(dst, distance, length);
    }
    Store64(end, keep0);
    Store64(end + 8, keep1);
}
