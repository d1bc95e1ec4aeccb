// One line of section "Not running" taken apart, and the bounded message
// texts that name the program. Platform-neutral: the check itself lives in
// running_programs_win32.cpp.
#pragma once

struct RunningProgramEntry {
    const char* className;    // class of the program's top-level window
    const char* displayName;  // shown in the messages; the class when none is given
    const char* title;        // the window's title, or null: any title
};

// Splits value (class, display name, title) in place at commas, blanks
// kept; the entry points into value, which must outlive it. An empty
// display name counts as none: the messages show the class instead.
void SplitRunningProgramEntry(char* value, RunningProgramEntry& entry);

// The messages' buffer: 255 characters and the terminator.
const int kProgramMessageSize = 256;

// Formats format (one %s) with the display name into buffer, which holds
// kProgramMessageSize characters. A name too long for the text to fit is
// cut at a character boundary and ends in "...", so the text always fits.
void FormatProgramMessage(char* buffer, const char* format, const char* displayName);
