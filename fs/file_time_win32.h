// Conversions between the system's file times (UTC) and packed date-times
// (local time). Product only: the host build has no FILETIME.
#pragma once

#include <windows.h>

#include "fs/file_ops.h"

// Local time of a UTC file time, packed; day of week and milliseconds drop.
PackedStamp FileTimeToStamp(const FILETIME& utc);

// The UTC file time of a packed local date-time.
FILETIME StampToFileTime(PackedStamp stamp);
