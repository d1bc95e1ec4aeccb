// Raw deflate (no zlib header) by zlib, for the decoder's tests and benchmark.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <vector>

inline std::vector<uint8_t> ZlibDeflate(const std::vector<uint8_t>& data, int level, int strategy = Z_DEFAULT_STRATEGY,
                                        int memLevel = 8) {
    z_stream z = {};
    deflateInit2(&z, level, Z_DEFLATED, -15, memLevel, strategy);
    std::vector<uint8_t> out(deflateBound(&z, data.size()) + 16);
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}
