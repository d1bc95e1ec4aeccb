// The destination as the run uses it: which final backslashes go, with
// single-byte text and with double-byte characters whose second byte has
// the backslash's code (code page 932 on the host).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/dbcs_mode.h"
#include "install/run_installation.h"

namespace {

std::string Normalised(const char* destination) {
    char buffer[260];
    strcpy(buffer, destination);
    NormaliseDestination(buffer);
    return buffer;
}

struct NormaliseCase {
    const char* destination;
    const char* expected;
};

// Either mode: nothing here has a lead byte.
const NormaliseCase kPlainCases[] = {
    {"C:\\APPS\\", "C:\\APPS"},
    {"C:\\APPS\\\\", "C:\\APPS"},  // a doubled final backslash goes completely
    {"C:\\APPS", "C:\\APPS"},
    {"C:\\", "C:\\"},              // a drive root keeps its backslash
    {"C:\\\\", "C:\\"},
    {"C:", "C:"},
    {"\\\\", "\\\\"},
    {"\\", "\\"},
    {"", ""},
};

// Hyo (95 5C) and So (83 5C): the second byte is no backslash.
const NormaliseCase kDoubleByteCases[] = {
    {"C:\\DATA\\\x95\x5C", "C:\\DATA\\\x95\x5C"},
    {"C:\\DATA\\\x83\x5C\\", "C:\\DATA\\\x83\x5C"},
    {"C:\\DATA\\\x83\x5C\\\\", "C:\\DATA\\\x83\x5C"},
    {"C:\\\x95\x5C", "C:\\\x95\x5C"},
    {"C:\\\x95\x5C\\", "C:\\\x95\x5C"},
    {"\x95\x5C\\", "\x95\x5C"},
    {"\x95\x5C", "\x95\x5C"},
};

TEST(NormaliseDestination, FinalBackslashes) {
    for (bool dbcs : {false, true}) {
        DbcsMode mode(dbcs);
        for (const NormaliseCase& c : kPlainCases) EXPECT_EQ(Normalised(c.destination), c.expected) << c.destination;
    }
}

TEST(NormaliseDestination, DoubleByteCharacterEndingInTheBackslashCodeIsKept) {
    DbcsMode mode(true);
    for (const NormaliseCase& c : kDoubleByteCases) EXPECT_EQ(Normalised(c.destination), c.expected) << c.destination;
}

}  // namespace
