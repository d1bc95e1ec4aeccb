#include "setup/destination_dialog.h"

#include "base/startup_flags.h"
#include "resources/resource.h"
#include "setup/dialog_centre.h"
#include "setup/folder_browse.h"

namespace {

const DestinationRequest& RequestOf(HWND dialog) {
    return *reinterpret_cast<const DestinationRequest*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// WM_INITDIALOG: texts from the request; no browsing without the new shell.
BOOL OnInitDestinationDialog(HWND dialog, const DestinationRequest* request) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(request));
    if (!GetStartupFlags().newShell) ShowWindow(GetDlgItem(dialog, IDC_INPUT_BROWSE), SW_HIDE);
    SetWindowTextA(dialog, request->caption);
    SetDlgItemTextA(dialog, IDC_INPUT_PROMPT, request->prompt);
    SetDlgItemTextA(dialog, IDC_INPUT_EDIT, request->buffer);
    SendDlgItemMessageA(dialog, IDC_INPUT_EDIT, EM_LIMITTEXT, static_cast<WPARAM>(request->size - 1), 0);
    CentreOverOwner(dialog, GetWindow(dialog, GW_OWNER));
    return TRUE;
}

// OK: the text as it stands, empty or not; checking it is the run's job.
void OnDestinationOk(HWND dialog) {
    const DestinationRequest& request = RequestOf(dialog);
    GetDlgItemTextA(dialog, IDC_INPUT_EDIT, request.buffer, request.size);
    EndDialog(dialog, kDestinationOk);
}

// Browse: only reachable where the button is shown.
void OnBrowse(HWND dialog) {
    if (GetStartupFlags().newShell) BrowseForDestination(dialog, GetDlgItem(dialog, IDC_INPUT_EDIT));
}

INT_PTR CALLBACK DestinationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDestinationDialog(dialog, reinterpret_cast<const DestinationRequest*>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: OnDestinationOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, kDestinationCancel); return TRUE;
        case IDC_INPUT_BROWSE: OnBrowse(dialog); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

int RunDestinationDialog(HWND owner, const DestinationRequest& request) {
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), IDD_MYINPUTDIALOG, owner, DestinationDialogProc,
                                     reinterpret_cast<LPARAM>(&request));
    return result == IDOK ? kDestinationOk : kDestinationCancel;
}
