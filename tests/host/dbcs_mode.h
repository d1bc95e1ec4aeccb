// Sets the DBCS start-up flag for a test's scope (code page 932 on the
// host) and restores the previous flags afterwards.
#pragma once

#include "base/startup_flags.h"

class DbcsMode {
public:
    explicit DbcsMode(bool on) : saved_(GetStartupFlags()) {
        StartupFlags flags = saved_;
        flags.dbcs = on;
        SetStartupFlags(flags);
    }
    ~DbcsMode() { SetStartupFlags(saved_); }
    DbcsMode(const DbcsMode&) = delete;
    DbcsMode& operator=(const DbcsMode&) = delete;

private:
    StartupFlags saved_;
};
