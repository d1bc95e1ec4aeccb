// Packing and unpacking MS-DOS date-times. Fields are added, not masked:
// a field out of range spills into its neighbour, and each 16-bit half
// wraps on its own, exactly as the values stored in ZIP entries do.
#include "fs/file_ops.h"

StampFields UnpackStamp(PackedStamp stamp) {
    const unsigned date = (stamp >> 16) & 0xFFFF;
    const unsigned time = stamp & 0xFFFF;
    StampFields fields;
    fields.year = static_cast<uint16_t>((date >> 9) + 1980);
    fields.month = static_cast<uint16_t>((date >> 5) & 15);
    fields.day = static_cast<uint16_t>(date & 31);
    fields.hour = static_cast<uint16_t>(time >> 11);
    fields.minute = static_cast<uint16_t>((time >> 5) & 63);
    fields.second = static_cast<uint16_t>((time & 31) * 2);
    return fields;
}

PackedStamp PackStamp(const StampFields& fields) {
    const uint16_t date = static_cast<uint16_t>((fields.year - 1980u) * 512u + fields.month * 32u + fields.day);
    const uint16_t time = static_cast<uint16_t>(fields.hour * 2048u + fields.minute * 32u + fields.second / 2u);
    return (static_cast<PackedStamp>(date) << 16) | time;
}
