#include "install/system_files.h"

#include <windows.h>

#include "base/window_context.h"
#include "fs/file_ops.h"
#include "fs/file_search.h"
#include "fs/format_text.h"
#include "fs/short_path.h"
#include "install/run_texts.h"
#include "install/version_info.h"
#include "progress/progress_dialog.h"
#include "setup/language.h"

namespace {

const LanguageTexts kWindowsDirectoryFailure = {
    "Could not install the file %s to your Windows directory!",
    "Die Datei %s konnte nicht korrekt ins Windows-Directory installiert werden!",
    "Le fichier %s ne pouvait pas \xEAtre install\xE9 dans le r\xE9pertoire Windows!",
};

const LanguageTexts kSystemDirectoryFailure = {
    "Could not install the file %s to your Windows System directory!",
    "Die Datei %s konnt nicht korrekt ins Windows-System-Directory installiert werden!",
    "Le fichier %s ne pouvait pas \xEAtre install\xE9 dans le r\xE9pertoire System!",
};

const LanguageTexts kCopyByHandHint = {
    "\rPlease leave Windows after the installation and copy the file by hand to that directory (the big binary "
    "files are packed with pkzip)!",
    "\rVerlassen Sie nach Abschluss der Installation Windows und kopieren Sie die Datei von Hand dorthin (die "
    "grossen Bin\xE4rdateien sind mit pkzip gepackt)!",
    "\rS.v.p. quittez windows apr\xE8s l'installation et copiez le fichier par main dans ce r\xE9pertoire (les "
    "fichiers binaires sont compact\xE9s avec pkzip)!",
};

}  // namespace

void ChosenSystemDirectory(char* path) {
    char system[kMaxPath] = "";
    UINT length = GetSystemDirectoryA(system, kMaxPath - 1);
    if (length >= kMaxPath) system[0] = '\0';
    char root[4] = {system[0], ':', '\\', '\0'};
    if (GetDriveTypeA(root) == DRIVE_REMOTE) {
        length = GetWindowsDirectoryA(system, kMaxPath - 1);
        if (length >= kMaxPath) system[0] = '\0';
    }
    CopyBounded(path, system, kMaxPath);
}

int CompareVersions(const char* newPath, const char* existingPath) {
    char newShort[kMaxPath];
    char existingShort[kMaxPath];
    ShortPathForm(newPath, newShort);
    ShortPathForm(existingPath, existingShort);
    if (!PathExists(existingShort)) return kNoExistingFile;
    uint32_t newSize = VersionResourceSize(newShort);
    if (newSize == 0) return kKeepExisting;
    uint32_t existingSize = VersionResourceSize(existingShort);
    if (existingSize == 0) return kNewIsNewer;
    FileVersion newVersion;
    FileVersion existingVersion;
    if (!ReadFileVersion(newShort, newSize, newVersion)) return kKeepExisting;
    if (!ReadFileVersion(existingShort, existingSize, existingVersion)) return kNewIsNewer;
    if (newVersion.mostSignificant > existingVersion.mostSignificant) return kNewIsNewer;
    if (newVersion.mostSignificant == existingVersion.mostSignificant &&
        newVersion.leastSignificant > existingVersion.leastSignificant) {
        return kNewIsNewer;
    }
    return kKeepExisting;
}

bool VersionGate(const char* sourcePath, const char* targetPath) {
    return CompareVersions(sourcePath, targetPath) != kKeepExisting;
}

bool ReplaceByNewer(const char* temporaryPath, const char* existingPath, const char* caption) {
    bool replaced = false;
    if (CompareVersions(temporaryPath, existingPath) == kNewIsNewer) {
        RemoveFile(existingPath);
        if (FileErrorCode() != 0) {
            ShowSystemFileFailure('S', existingPath, caption);
        } else {
            MoveFileTo(temporaryPath, existingPath);
            if (FileErrorCode() != 0) {
                // The old file is gone and the new one could not take its
                // place: keep the new version under its temporary name, so
                // the user can copy it by hand as the message asks.
                ShowSystemFileFailure('S', existingPath, caption);
                return false;
            }
            replaced = true;
        }
    }
    RemoveFile(temporaryPath);
    return replaced;
}

void ShowSystemFileFailure(char kind, const char* text, const char* caption) {
    ShowWaitingProgressFile();
    char message[kMessageSize];
    if (kind == 'W') {
        FormatBounded(message, sizeof message, Localized(kWindowsDirectoryFailure), text);
    } else {
        int length = FormatBounded(message, sizeof message, Localized(kSystemDirectoryFailure), text);
        CopyBounded(message + length, Localized(kCopyByHandHint), kMessageSize - length);
    }
    MessageBoxA(MessageOwner(), message, caption, MB_OK | MB_ICONWARNING);
}
