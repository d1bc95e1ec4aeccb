#include <windows.h>

#include "startup/startup_flags.h"

void RecordStartupFlags() {
    StartupFlags flags = GetStartupFlags();
    flags.dbcs = GetSystemMetrics(SM_DBCSENABLED) != 0;
    ApplyVersionValue(flags, GetVersion());
    SetStartupFlags(flags);
}
