#include <windows.h>

#include "base/startup_flags.h"

void RecordStartupFlags() {
    StartupFlags flags = GetStartupFlags();
    flags.dbcs = GetSystemMetrics(SM_DBCSENABLED) != 0;
    ApplyVersionValue(flags, GetVersion());
    SetStartupFlags(flags);
}
