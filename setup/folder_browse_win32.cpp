#include "setup/folder_browse.h"

#include <shlobj.h>

#include "fs/path_utils.h"
#include "fs/system_library.h"
#include "setup/product_directory.h"
#include "setup/setup_info.h"

namespace {

// The shell's functions, loaded when the user first browses: most runs
// never do, and loading the shell with its own libraries at start-up costs
// every run its time.
struct ShellFunctions {
    HRESULT(WINAPI* getMalloc)(IMalloc**);
    HRESULT(WINAPI* getSpecialFolderLocation)(HWND, int, LPITEMIDLIST*);
    LPITEMIDLIST(WINAPI* browseForFolder)(LPBROWSEINFOA);
    BOOL(WINAPI* getPathFromIdList)(LPCITEMIDLIST, LPSTR);
};

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(LibraryFunction(library, name));
    return function != nullptr;
}

// All four, or false.
bool LoadShell(ShellFunctions& shell) {
    void* library = LoadSystemLibrary("SHELL32.DLL");
    return Find(library, "SHGetMalloc", shell.getMalloc) &&
           Find(library, "SHGetSpecialFolderLocation", shell.getSpecialFolderLocation) &&
           Find(library, "SHBrowseForFolderA", shell.browseForFolder) &&
           Find(library, "SHGetPathFromIDListA", shell.getPathFromIdList);
}

ShellFunctions g_shell;

// Item lists come from the shell's allocator and go back to it.
void FreeItemList(LPITEMIDLIST list) {
    IMalloc* allocator = nullptr;
    if (!list || FAILED(g_shell.getMalloc(&allocator))) return;
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
    LPITEMIDLIST picked = g_shell.browseForFolder(&browse);
    if (!picked) return false;
    bool found = g_shell.getPathFromIdList(picked, path) != FALSE;
    FreeItemList(picked);
    return found;
}

}  // namespace

void BrowseForDestination(HWND dialog, HWND edit) {
    LPITEMIDLIST root = nullptr;
    if (!LoadShell(g_shell) || FAILED(g_shell.getSpecialFolderLocation(dialog, CSIDL_DRIVES, &root)) || !root)
        return;
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
