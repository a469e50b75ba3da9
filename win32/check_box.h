#pragma once
// Win32: the check state of a dialog's check box or radio button.
#include <windows.h>

inline bool is_checked(HWND dialog, int control_id) {
    return SendDlgItemMessageA(dialog, control_id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

inline void set_checked(HWND dialog, int control_id, bool checked) {
    SendDlgItemMessageA(dialog, control_id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
