#include "startup/shell_window.h"

HWND MessageOwner() {
    HWND progress = ProgressDialogHandle();
    return progress ? progress : ShellWindow();
}
