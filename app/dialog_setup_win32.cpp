#include "app/dialog_setup_win32.h"

#include <commctrl.h>

#include "app/app_state_win32.h"
#include "app/dialog_state_win32.h"
#include "win32/check_box.h"
#include "app/app_texts.h"
#include "app/control_ids.h"
#include "app/dialog_pictures_win32.h"
#include "app/dialog_scale.h"
#include "win32/scoped_handles.h"
#include "win32/wide_text.h"
#include "calc/text.h"

namespace {

struct field_limit {
    int field;
    int characters;
    int spin;
    int maximum;
};

const field_limit field_limits[] = {
    {IDC_KILOMETRES, 5, IDC_KILOMETRES_SPIN, 32000},
    {IDC_METRES, 3, IDC_METRES_SPIN, 999},
    {IDC_DEGREES, 2, IDC_DEGREES_SPIN, 89},
    {IDC_MINUTES, 2, IDC_MINUTES_SPIN, 59},
};
}  // namespace

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

namespace {
// The scale the dialog opened at where Windows tells the window's (10 1607
// and later); Windows 7 and 8.1 have one scale, the system's (0).
int dialog_scale(HWND dialog) {
    const HMODULE user = GetModuleHandleW(L"user32.dll");
    typedef UINT(WINAPI * dpi_for_window_fn)(HWND);
    const auto dpi_for_window = find_entry<dpi_for_window_fn>(user, "GetDpiForWindow");
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    const window_dc screen = get_window_dc(nullptr);
    const int system_dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    const int dpi = dialog_layout_dpi(font.lfHeight, DIALOG_FONT_POINTS,
                                      dpi_for_window ? static_cast<int>(dpi_for_window(dialog)) : 0, system_dpi);
    // The output box's font is the program's: when the scale changes, the
    // system leaves it to the dialog (10 1703 and later).
    typedef BOOL(WINAPI * control_scaling_fn)(HWND, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS,
                                              DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS);
    const auto control_scaling = find_entry<control_scaling_fn>(user, "SetDialogControlDpiChangeBehavior");
    if (control_scaling)
        control_scaling(GetDlgItem(dialog, IDC_OUTPUT), DCDC_DISABLE_FONT_UPDATE, DCDC_DISABLE_FONT_UPDATE);
    return dpi;
}
}  // namespace

void set_small_icon(HWND dialog, int dpi) {
    int size = GetSystemMetrics(SM_CXSMICON);
    typedef int(WINAPI * metrics_for_dpi_fn)(int, UINT);
    const auto metrics_for_dpi = find_entry<metrics_for_dpi_fn>(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi");
    if (metrics_for_dpi && dpi > 0) size = metrics_for_dpi(SM_CXSMICON, static_cast<UINT>(dpi));
    // The icon's own image of that size, not the big one shrunk.
    HANDLE icon = LoadImageW(instance_handle, MAKEINTRESOURCEW(IDI_FARSPAN), IMAGE_ICON, size, size, 0);
    HANDLE previous = reinterpret_cast<HANDLE>(SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    if (previous && previous != icon) DestroyIcon(static_cast<HICON>(previous));
}

namespace {
// Reverts the window menu to the system's and appends the program's two items.
void build_system_menu(HWND dialog, int german) {
    GetSystemMenu(dialog, TRUE);
    HMENU menu = GetSystemMenu(dialog, FALSE);
    if (!menu) return;
    char about[64];
    compose_menu_about_text(about, sizeof about, german);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, SC_FARSPAN_PRINT, wide<64>(menu_print_text(german)));
    AppendMenuW(menu, MF_STRING, SC_FARSPAN_ABOUT, wide<64>(about));
}
}  // namespace

void apply_language_texts(HWND dialog, int german) {
    SetWindowTextW(dialog, wide<64>(caption_text(german)));
    for (int i = 0; i < language_text_count; ++i) {
        const control_text& row = language_texts[i];
        SetDlgItemTextW(dialog, row.control_id, wide<64>(german ? row.german : row.english));
    }
    build_system_menu(dialog, german);
}

void set_up_main_dialog(HWND dialog, dialog_state& state) {
    center_window(dialog);
    state.dpi = dialog_scale(dialog);
    set_small_icon(dialog, state.dpi);

    for (const field_limit& limit : field_limits) {
        SendDlgItemMessageA(dialog, limit.field, EM_LIMITTEXT, limit.characters, 0);
        SendDlgItemMessageA(dialog, limit.spin, UDM_SETRANGE, 0, MAKELPARAM(limit.maximum, 0));
    }

    set_dialog_pictures(dialog, state.dpi, state.large_diagram);

    // Each of these sends EN_CHANGE, which starts the timer of the first report.
    SetDlgItemInt(dialog, IDC_KILOMETRES, 85, FALSE);
    SetDlgItemInt(dialog, IDC_METRES, 0, FALSE);
    SetDlgItemInt(dialog, IDC_DEGREES, 15, FALSE);
    SetDlgItemInt(dialog, IDC_MINUTES, 0, FALSE);

    state.german = german_for_language_id(GetUserDefaultLangID());
    apply_language_texts(dialog, state.german);

    SetClassLongPtrA(dialog, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(instance_handle, MAKEINTRESOURCEA(IDI_FARSPAN))));
    HANDLE big_icon = LoadImageA(instance_handle, MAKEINTRESOURCEA(IDI_FARSPAN), IMAGE_ICON, 48, 48, LR_DEFAULTSIZE);
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon));

    set_checked(dialog, state.mode == mode_distance ? IDC_DISTANCE : IDC_HEIGHT, true);
}

void release_dialog_images(HWND dialog) {
    set_button_bitmap(dialog, IDC_PORTRAIT, nullptr);
    set_button_bitmap(dialog, IDC_DIAGRAM, nullptr);
    HICON big_icon = reinterpret_cast<HICON>(SendMessageA(dialog, WM_SETICON, ICON_BIG, 0));
    if (big_icon) DestroyIcon(big_icon);
    HICON small_icon = reinterpret_cast<HICON>(SendMessageW(dialog, WM_SETICON, ICON_SMALL, 0));
    if (small_icon) DestroyIcon(small_icon);
}
