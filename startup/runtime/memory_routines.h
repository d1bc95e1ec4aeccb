// The few C library routines SETUP.EXE needs, for a program that links no
// C runtime: the compiler emits calls to the memory ones for structure
// copies and clears, and the portable code calls the string ones. Declared
// by the standard headers; this header only says which ones we provide.
#pragma once

#include <cstddef>

extern "C" {
void* memcpy(void* destination, const void* source, size_t count);
void* memmove(void* destination, const void* source, size_t count);
void* memset(void* destination, int value, size_t count);
int memcmp(const void* a, const void* b, size_t count);
void* memchr(const void* text, int value, size_t count);
size_t strlen(const char* text);
int strcmp(const char* a, const char* b);
int strncmp(const char* a, const char* b, size_t count);
char* strcpy(char* destination, const char* source);
char* strcat(char* destination, const char* source);
char* strchr(const char* text, int value);
char* strrchr(const char* text, int value);
char* strstr(const char* text, const char* part);
}
