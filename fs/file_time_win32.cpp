#include "fs/file_time_win32.h"

PackedStamp FileTimeToStamp(const FILETIME& utc) {
    FILETIME local = {0, 0};
    SYSTEMTIME parts;
    ZeroMemory(&parts, sizeof parts);
    // A failed conversion leaves zeros; the stamp then says so.
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &parts);
    StampFields fields = {parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute, parts.wSecond};
    return PackStamp(fields);
}

FILETIME StampToFileTime(PackedStamp stamp) {
    const StampFields fields = UnpackStamp(stamp);
    SYSTEMTIME parts;
    ZeroMemory(&parts, sizeof parts);
    parts.wYear = fields.year;
    parts.wMonth = fields.month;
    parts.wDay = fields.day;
    parts.wHour = fields.hour;
    parts.wMinute = fields.minute;
    parts.wSecond = fields.second;
    FILETIME local = {0, 0};
    FILETIME utc = {0, 0};
    // The stamp is local time; the file system keeps UTC.
    SystemTimeToFileTime(&parts, &local);
    LocalFileTimeToFileTime(&local, &utc);
    return utc;
}
