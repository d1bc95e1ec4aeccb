// Written for size, and compiled without the compiler's knowledge of these
// names (-ffreestanding -fno-builtin), or it would turn the loops below
// back into calls to themselves. The moves use the string instructions:
// short, and as fast as a loop on every processor since the Pentium Pro.
#include "startup/runtime/memory_routines.h"

extern "C" {

void* memcpy(void* destination, const void* source, size_t count) {
    void* d = destination;
    __asm__ volatile("rep movsb" : "+D"(d), "+S"(source), "+c"(count) : : "memory");
    return destination;
}

// Overlapping moves to a higher address go from the end down, with the
// direction flag set only for that one instruction.
void* memmove(void* destination, const void* source, size_t count) {
    unsigned char* d = static_cast<unsigned char*>(destination);
    const unsigned char* s = static_cast<const unsigned char*>(source);
    if (d <= s || d >= s + count) return memcpy(destination, source, count);
    d += count - 1;
    s += count - 1;
    __asm__ volatile("std\n\trep movsb\n\tcld" : "+D"(d), "+S"(s), "+c"(count) : : "memory");
    return destination;
}

void* memset(void* destination, int value, size_t count) {
    void* d = destination;
    __asm__ volatile("rep stosb" : "+D"(d), "+c"(count) : "a"(value) : "memory");
    return destination;
}

int memcmp(const void* a, const void* b, size_t count) {
    const unsigned char* x = static_cast<const unsigned char*>(a);
    const unsigned char* y = static_cast<const unsigned char*>(b);
    for (; count; --count, ++x, ++y) {
        if (*x != *y) return *x < *y ? -1 : 1;
    }
    return 0;
}

void* memchr(const void* text, int value, size_t count) {
    const unsigned char* p = static_cast<const unsigned char*>(text);
    for (; count; --count, ++p) {
        if (*p == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(p);
    }
    return nullptr;
}

size_t strlen(const char* text) {
    const char* end = text;
    while (*end) ++end;
    return static_cast<size_t>(end - text);
}

int strncmp(const char* a, const char* b, size_t count) {
    for (; count; --count, ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
        if (x != y) return x < y ? -1 : 1;
        if (!x) break;
    }
    return 0;
}

int strcmp(const char* a, const char* b) { return strncmp(a, b, static_cast<size_t>(-1)); }

char* strcpy(char* destination, const char* source) {
    return static_cast<char*>(memcpy(destination, source, strlen(source) + 1));
}

char* strcat(char* destination, const char* source) {
    strcpy(destination + strlen(destination), source);
    return destination;
}

// The terminator counts as part of the text, as the C library has it.
char* strchr(const char* text, int value) {
    for (;; ++text) {
        if (*text == static_cast<char>(value)) return const_cast<char*>(text);
        if (!*text) return nullptr;
    }
}

char* strrchr(const char* text, int value) {
    const char* found = nullptr;
    for (;; ++text) {
        if (*text == static_cast<char>(value)) found = text;
        if (!*text) return const_cast<char*>(found);
    }
}

char* strstr(const char* text, const char* part) {
    size_t length = strlen(part);
    for (; *text; ++text) {
        if (strncmp(text, part, length) == 0) return const_cast<char*>(text);
    }
    return length == 0 ? const_cast<char*>(text) : nullptr;
}

}  // extern "C"
