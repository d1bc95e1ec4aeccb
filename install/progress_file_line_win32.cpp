#include "install/progress_file_line.h"

#include <windows.h>

#include "base/window_context.h"
#include "fs/path_utils.h"
#include "resources/resource.h"

void ShowProgressFile(const char* path) {
    char line[kMaxPath + 1] = "\r";
    CopyBounded(line + 1, path, kMaxPath);
    HWND dialog = ProgressDialogHandle();
    if (dialog) SetDlgItemTextA(dialog, IDC_PROGRESS_FILE, line);
}
