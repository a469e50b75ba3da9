#include "app/window_placement_win32.h"

namespace {
#ifndef STARTF_USEMONITOR
#define STARTF_USEMONITOR 0x00000400
#endif

// The work area of the screen the program was started on: the monitor that
// the shell names in the start-up record (a start from a taskbar or the
// Start menu of another screen), else the one holding the mouse pointer.
RECT start_work_area() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    // The hint shares its field with the standard output handle.
    if ((startup.dwFlags & STARTF_USEMONITOR) && !(startup.dwFlags & STARTF_USESTDHANDLES) &&
        GetMonitorInfoW(reinterpret_cast<HMONITOR>(startup.hStdOutput), &info))
        return info.rcWork;
    POINT pointer{0, 0};
    GetCursorPos(&pointer);
    if (GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY), &info)) return info.rcWork;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return area;
}

// Centred over `from` to `to` and moved inside the area; a window larger
// than the area keeps its left or top edge on the area's.
int place(int from, int to, int size, int area_from, int area_to) {
    int at = from + (to - from - size) / 2;
    if (at + size > area_to) at = area_to - size;
    if (at < area_from) at = area_from;
    return at;
}
}  // namespace

void center_window(HWND window) {
    if (!window) return;
    HWND parent = GetParent(window);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    // Twice at most: under per-monitor awareness a move to a screen of
    // another scale resizes the window, which is then centred again.
    for (int pass = 0; pass < 2; ++pass) {
        RECT rect;
        if (!GetWindowRect(window, &rect)) return;
        RECT over;
        RECT area;
        if (parent && GetWindowRect(parent, &over) &&
            GetMonitorInfoW(MonitorFromWindow(parent, MONITOR_DEFAULTTONEAREST), &info)) {
            area = info.rcWork;
        } else {
            area = over = start_work_area();
        }
        const int w = rect.right - rect.left;
        const int h = rect.bottom - rect.top;
        const int x = place(over.left, over.right, w, area.left, area.right);
        const int y = place(over.top, over.bottom, h, area.top, area.bottom);
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
        RECT moved;
        if (!GetWindowRect(window, &moved) || (moved.right - moved.left == w && moved.bottom - moved.top == h)) return;
    }
}
