#include "app/dialog_icons_win32.h"

#include "app/control_ids.h"
#include "win32/scoped_handles.h"
#include "win32/window_module.h"

void set_small_icon(HWND dialog, int dpi) {
    int size = GetSystemMetrics(SM_CXSMICON);
    typedef int(WINAPI * metrics_for_dpi_fn)(int, UINT);
    const auto metrics_for_dpi = find_entry<metrics_for_dpi_fn>(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi");
    if (metrics_for_dpi && dpi > 0) size = metrics_for_dpi(SM_CXSMICON, static_cast<UINT>(dpi));
    // The icon's own image of that size, not the big one shrunk.
    HANDLE icon = LoadImageW(module_of(dialog), MAKEINTRESOURCEW(IDI_FARSPAN), IMAGE_ICON, size, size, 0);
    HANDLE previous = reinterpret_cast<HANDLE>(SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    if (previous && previous != icon) DestroyIcon(static_cast<HICON>(previous));
}

void set_dialog_icons(HWND dialog) {
    const HINSTANCE instance = module_of(dialog);
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_FARSPAN))));
    HANDLE big_icon = LoadImageA(instance, MAKEINTRESOURCEA(IDI_FARSPAN), IMAGE_ICON, 48, 48, LR_DEFAULTSIZE);
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon));
}

void release_dialog_icons(HWND dialog) {
    HICON big_icon = reinterpret_cast<HICON>(SendMessageA(dialog, WM_SETICON, ICON_BIG, 0));
    if (big_icon) DestroyIcon(big_icon);
    HICON small_icon = reinterpret_cast<HICON>(SendMessageW(dialog, WM_SETICON, ICON_SMALL, 0));
    if (small_icon) DestroyIcon(small_icon);
}
