// Entry of the static i386 Linux program: no C library, so its own
// _start takes the arguments from the initial stack, aligns the stack as
// the i386 ABI wants it at a call, and ends the process with the result.
#include "tests/old_cpu/archive_lines.h"
#include "tests/old_cpu/linux_calls.h"

extern "C" [[noreturn]] void StartProgram(long* stack) {
    const int count = static_cast<int>(stack[0]);
    char** arguments = reinterpret_cast<char**>(stack + 1);
    const int result = RunArchiveLines(count, arguments);
    for (;;) LinuxCall(__NR_exit_group, result);
}

__asm__(".text\n"
        ".globl _start\n"
        "_start:\n"
        "  xorl %ebp, %ebp\n"
        "  movl %esp, %eax\n"
        "  andl $-16, %esp\n"
        "  subl $12, %esp\n"
        "  pushl %eax\n"
        "  call StartProgram\n"
        "  hlt\n");

void WriteText(const char* text, unsigned length) {
    while (length > 0) {
        const long written = LinuxCall(__NR_write, 1, reinterpret_cast<long>(text), length);
        if (LinuxFailed(written) || written == 0) return;
        text += written;
        length -= static_cast<unsigned>(written);
    }
}
