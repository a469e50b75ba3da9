#pragma once
// Win32: the module a window was created from, whose resources it shows.
#include <windows.h>

inline HINSTANCE module_of(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}
