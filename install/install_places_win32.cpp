#include <windows.h>

#include "install/install_places.h"
#include "install/system_files.h"
#include "setup/language.h"
#include "setup/prepared_state.h"
#include "setup/setup_info.h"

namespace {

// With its backslash; empty when the system's answer does not fit.
void WindowsDirectory(char* path) {
    UINT length = GetWindowsDirectoryA(path, kMaxPath - 1);
    if (length >= kMaxPath) path[0] = '\0';
    AddBackslash(path);
}

}  // namespace

void GatherInstallPlaces(InstallPlaces& places) {
    ProgramDirectory(places.setupDirectory, kMaxPath - 1);
    AddBackslash(places.setupDirectory);
    PlaceDestination(places, Prepared().destination);
    WindowsDirectory(places.windowsDirectory);
    ChosenSystemDirectory(places.systemDirectory);
    AddBackslash(places.systemDirectory);
    places.versionMask = Prepared().versionMask;
    ReadSetupString("LangName", "langdir", "", places.languageDirectory, kMaxPath);
    PlaceLanguage(places, Language());
    CopyBounded(places.windowCaption, Prepared().windowCaption, kMaxPath);
}
