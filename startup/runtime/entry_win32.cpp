// The process entry of a program that links no C runtime: gives WinMain
// what the runtime would (module, command line after the program's name,
// show state) and ends the process with its result. There is nothing to
// initialise: the program has no static constructors and no C library state.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

namespace {

// Skips the program's name, quoted or not, and the blanks after it.
char* ArgumentsOf(char* line) {
    if (*line == '"') {
        ++line;
        while (*line && *line != '"') ++line;
        if (*line == '"') ++line;
    } else {
        while (*line && *line != ' ' && *line != '\t') ++line;
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}

}  // namespace

// Windows calls the entry with the stack aligned to 4 bytes; the code below
// it may keep 16-byte values on the stack.
extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup() {
    STARTUPINFOA startup;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    ExitProcess(static_cast<UINT>(WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()), show)));
}
