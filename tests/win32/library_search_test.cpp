// The loader's search after SETUP.EXE's first call: a library planted
// beside the program under a system library's name is what a bare-name
// load gets before the call, and the system's copy after it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fs/library_search.h"

namespace {

// Wine has this one in its System directory and loads a copy from the
// program's folder first; the build puts ours beside this test.
const char kPlantedName[] = "dwmapi.dll";
const char kPlantedMarker[] = "CorvanePlantedMarker";

std::string FolderOf(HMODULE module) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.rfind('\\'));
}

bool SameFolder(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

TEST(LibrarySearch, PlantedLibraryIsTakenOnlyBeforeTheRestriction) {
    // A library already loaded would answer every bare-name load.
    ASSERT_EQ(GetModuleHandleA(kPlantedName), nullptr);
    char systemDirectory[MAX_PATH];
    GetSystemDirectoryA(systemDirectory, MAX_PATH);

    HMODULE before = LoadLibraryA(kPlantedName);
    ASSERT_NE(before, nullptr);
    EXPECT_NE(GetProcAddress(before, kPlantedMarker), nullptr);
    EXPECT_TRUE(SameFolder(FolderOf(before), FolderOf(nullptr))) << FolderOf(before);
    FreeLibrary(before);
    ASSERT_EQ(GetModuleHandleA(kPlantedName), nullptr);

    RestrictLibrarySearch();
    HMODULE after = LoadLibraryA(kPlantedName);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(GetProcAddress(after, kPlantedMarker), nullptr);
    EXPECT_TRUE(SameFolder(FolderOf(after), systemDirectory)) << FolderOf(after);
    FreeLibrary(after);
}

}  // namespace
