#include <cstring>

#include "fs/path_utils.h"
#include "fs/text_compare.h"
#include "fs/upper_case.h"

// Names longer than a path differ from anything the program compares them with.
bool SameTextIgnoringCase(const char* a, const char* b) {
    if (strlen(a) >= static_cast<size_t>(kMaxPath) || strlen(b) >= static_cast<size_t>(kMaxPath)) {
        return strcmp(a, b) == 0;
    }
    char upperA[kMaxPath];
    char upperB[kMaxPath];
    CopyBounded(upperA, a, kMaxPath);
    CopyBounded(upperB, b, kMaxPath);
    UpperCaseText(upperA);
    UpperCaseText(upperB);
    return strcmp(upperA, upperB) == 0;
}
