// The smallest dialog program built like farspan.exe (static, manifest,
// common controls, the same stack guard and load configuration): the
// yardstick for farspan's start-up time.
#include <windows.h>
#include <commctrl.h>

namespace {
INT_PTR CALLBACK minimal_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, 100, "ready");
        return TRUE;
    }
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, minimal_procedure, 0);
    return 0;
}
