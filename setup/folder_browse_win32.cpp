#include "setup/folder_browse.h"

#include <shlobj.h>

#include "fs/path_utils.h"
#include "setup/product_directory.h"
#include "setup/setup_info.h"

namespace {

// Item lists come from the shell's allocator and go back to it.
void FreeItemList(LPITEMIDLIST list) {
    IMalloc* allocator = nullptr;
    if (!list || FAILED(SHGetMalloc(&allocator))) return;
    allocator->Free(list);
    allocator->Release();
}

// The path the user picks below root, or false.
bool PickFolder(HWND dialog, LPITEMIDLIST root, const char* prompt, char* path) {
    char displayName[kMaxPath];
    BROWSEINFOA browse = {};
    browse.hwndOwner = dialog;
    browse.pidlRoot = root;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = prompt;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST picked = SHBrowseForFolderA(&browse);
    if (!picked) return false;
    bool found = SHGetPathFromIDListA(picked, path) != FALSE;
    FreeItemList(picked);
    return found;
}

}  // namespace

void BrowseForDestination(HWND dialog, HWND edit) {
    LPITEMIDLIST root = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(dialog, CSIDL_DRIVES, &root)) || !root) return;
    char dir[kSetupValueSize];
    ReadSetupString("Destination", "Dir", "c:\\install", dir, kSetupValueSize);
    const char* name = ProductDirectoryName(dir);
    char prompt[kMaxPath];
    FormatBrowsePrompt(prompt, name);
    char path[kMaxPath];
    bool picked = PickFolder(dialog, root, prompt, path);
    FreeItemList(root);
    if (picked && AppendProductDirectory(path, name)) SetWindowTextA(edit, path);
}
