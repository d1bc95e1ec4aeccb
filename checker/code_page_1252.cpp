#include "checker/code_page_1252.h"

#if !defined(_WIN32)
#include <langinfo.h>
#include <locale.h>
#include <strings.h>
#endif

namespace {

const unsigned short k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

#if !defined(_WIN32)
ssize_t WriteConverted(void*, const char* buffer, size_t size) {
    std::string text;
    for (size_t i = 0; i < size; ++i) Append1252AsUtf8(text, static_cast<unsigned char>(buffer[i]));
    if (fwrite(text.data(), 1, text.size(), stdout) != text.size()) return -1;
    return static_cast<ssize_t>(size);
}
int FlushOnClose(void*) { return fflush(stdout); }
#endif

}  // namespace

void Append1252AsUtf8(std::string& out, unsigned char c) {
    AppendUtf8(out, c >= 0x80 && c < 0xA0 ? k1252High[c - 0x80] : c);
}

FILE* TerminalTextStream() {
#if !defined(_WIN32)
    setlocale(LC_CTYPE, "");
    const char* codeset = nl_langinfo(CODESET);
    if (codeset && (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0)) {
        cookie_io_functions_t functions = {nullptr, WriteConverted, nullptr, FlushOnClose};
        if (FILE* stream = fopencookie(nullptr, "w", functions)) return stream;
    }
#endif
    return stdout;
}
