// Runs the main dialog inside this test's own process (on a second thread)
// for what cannot be read across processes under Wine: the window menu, the
// pictures on the buttons, the dialog layout in dialog units, the web
// address each button chooses, and the tooltip hook after each way of closing.
//   main_dialog_inprocess            all of that
//   main_dialog_inprocess dpi N      texts and controls fit at N DPI (set in Wine beforehand)
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/dialog_state.h"
#include "app/dialog_setup.h"
#include "app/main_dialog.h"
#include "driver.h"
#include "tooltips/tooltips_win32.h"

using namespace e2e;

namespace {

std::vector<std::string> opened_addresses;
void record_address(HWND, const char* address) { opened_addresses.push_back(address); }

bool hook_left_after_close = false;
std::atomic<HHOOK> hook_before_close{nullptr};

DWORD WINAPI dialog_thread(LPVOID) {
    const int result = run_farspan(GetModuleHandleA(nullptr));
    // Asked on the dialog's thread, which still lives and would still have its hook.
    const HHOOK hook = hook_before_close.exchange(nullptr);
    hook_left_after_close = hook && UnhookWindowsHookEx(hook);
    return static_cast<DWORD>(result);
}

// The running program's main dialog, found on its thread once it holds its state.
HWND main_dialog_handle = nullptr;
const dialog_state& state() { return *state_of(main_dialog_handle); }

HWND find_main_dialog(DWORD thread_id) {
    HWND found = nullptr;
    EnumThreadWindows(thread_id, [](HWND window, LPARAM param) -> BOOL {
        if (GetDlgItem(window, 1000) && state_of(window)) *reinterpret_cast<HWND*>(param) = window;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND control(int id) { return GetDlgItem(main_dialog_handle, id); }
void press(int id) { SendMessageA(control(id), BM_CLICK, 0, 0); }

struct menu_item {
    UINT id;
    UINT type;
    std::string text;
};

std::vector<menu_item> window_menu() {
    std::vector<menu_item> items;
    HMENU menu = GetSystemMenu(main_dialog_handle, FALSE);
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back({info.wID, info.fType, text});
    }
    return items;
}

void check_window_menu(int system_items, bool german) {
    const std::vector<menu_item> items = window_menu();
    E2E_CHECK(static_cast<int>(items.size()) == system_items + 3);
    if (static_cast<int>(items.size()) != system_items + 3) return;
    int separators = 0;
    for (const menu_item& m : items) separators += (m.type & MFT_SEPARATOR) ? 1 : 0;
    const menu_item& separator = items[system_items];
    const menu_item& print = items[system_items + 1];
    const menu_item& about = items[system_items + 2];
    E2E_CHECK((separator.type & MFT_SEPARATOR) != 0);
    E2E_CHECK(print.id == 2);
    E2E_CHECK_TEXT(print.text, german ? "Drucken..." : "Print...");
    E2E_CHECK(about.id == 1);
    E2E_CHECK_TEXT(about.text, german ? "Über Farspan Calculation..." : "About Farspan Calculation...");
    // The program adds exactly one separator to the system's items.
    const int system_separators = separators - 1;
    static int first_count = -1;
    if (first_count < 0) first_count = system_separators;
    E2E_CHECK(system_separators == first_count);
}

SIZE bitmap_size(int button) {
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendMessageA(control(button), BM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

struct template_control {
    int id;
    const char* class_name;
    DWORD styles;  // besides WS_CHILD
    int x, y, w, h;
};

// The dialog template in tab order.
const template_control layout[] = {
    {1001, "Static", WS_VISIBLE | WS_GROUP | SS_LEFT, 7, 10, 44, 8},
    {18, "Edit", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL | ES_NUMBER, 57, 7, 38, 14},
    {19, "msctls_updown32",
     WS_VISIBLE | UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 95, 7,
     11, 14},
    {1002, "Static", WS_VISIBLE | WS_GROUP | SS_LEFT, 107, 10, 52, 8},
    {20, "Edit", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL | ES_NUMBER, 165, 7, 30, 14},
    {21, "msctls_updown32",
     WS_VISIBLE | UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 195, 7,
     11, 14},
    {1003, "Static", WS_VISIBLE | WS_GROUP | SS_LEFT, 207, 10, 44, 8},
    {1004, "Static", WS_VISIBLE | WS_GROUP | SS_LEFT, 7, 30, 44, 8},
    {22, "Edit", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL | ES_NUMBER, 65, 27, 30, 14},
    {23, "msctls_updown32",
     WS_VISIBLE | UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 95,
     27, 11, 14},
    {1005, "Static", WS_VISIBLE | WS_GROUP | SS_LEFT, 107, 30, 44, 8},
    {24, "Edit", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL | ES_NUMBER, 165, 27, 30, 14},
    {25, "msctls_updown32",
     WS_VISIBLE | UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 195,
     27, 11, 14},
    {1006, "Static", WS_VISIBLE | WS_GROUP | SS_LEFT, 207, 30, 44, 8},
    {15, "Button", WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON | BS_LEFTTEXT, 250, 10, 45, 10},
    {16, "Button", WS_VISIBLE | BS_AUTORADIOBUTTON | BS_LEFTTEXT, 310, 10, 55, 10},
    {30, "Button", WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 392, 8, 70, 14},
    {17, "Button", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFTTEXT, 250, 30, 95, 10},
    {1000, "Edit", WS_VSCROLL | WS_HSCROLL | WS_GROUP | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_WANTRETURN, 7, 48,
     357, 232},
    {27, "Button", WS_VISIBLE | WS_TABSTOP | BS_BITMAP, 372, 30, 111, 70},
    {26, "Button", WS_VISIBLE | WS_TABSTOP | BS_BITMAP, 372, 110, 111, 170},
    {1, "Button", WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 290, 50, 14},
    {10, "Button", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 78, 290, 50, 14},
    {11, "Button", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 149, 290, 50, 14},
    {13, "Button", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 220, 290, 50, 14},
    {28, "Button", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 291, 290, 50, 14},
    {29, "Button", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 362, 290, 50, 14},
    {12, "Button", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 433, 290, 50, 14},
};

// One control as the dialog resource describes it (extended template).
struct resource_control {
    int id;
    DWORD style;
    int x, y, w, h;
};

// The controls of dialog resource 100 of this executable, which carries the
// same template as farspan.exe. The live windows cannot show the initial
// WS_VISIBLE of the output box: the first report shows it anyway.
std::vector<resource_control> resource_controls() {
    std::vector<resource_control> controls;
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(100), MAKEINTRESOURCEA(5));
    if (!found) return controls;
    const BYTE* start = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    const std::size_t size = SizeofResource(nullptr, found);
    std::size_t at = 0;
    bool ok = start != nullptr;
    auto word = [&]() -> WORD {
        if (!ok || at + 2 > size) { ok = false; return 0; }
        const WORD w = static_cast<WORD>(start[at] | start[at + 1] << 8);
        at += 2;
        return w;
    };
    auto dword = [&]() -> DWORD { const DWORD low = word(); return low | static_cast<DWORD>(word()) << 16; };
    auto skip_name = [&]() {  // empty, an ordinal, or a NUL-terminated UTF-16 text
        const WORD first = word();
        if (first == 0xFFFF) word();
        else while (ok && first != 0 && word() != 0) {}
    };
    auto align = [&]() { at = (at + 3) & ~std::size_t{3}; };
    if (word() != 1 || word() != 0xFFFF) return controls;  // not an extended template
    dword();                                                // help id
    dword();                                                // extended style
    const DWORD dialog_style = dword();
    const int count = word();
    for (int i = 0; i < 4; ++i) word();  // position and size
    skip_name();                         // menu
    skip_name();                         // class
    skip_name();                         // caption
    if (dialog_style & DS_SETFONT) {
        word();  // points
        word();  // weight
        word();  // italic, character set
        skip_name();
    }
    for (int i = 0; i < count && ok; ++i) {
        align();
        dword();  // help id
        dword();  // extended style
        resource_control c{};
        c.style = dword();
        c.x = static_cast<short>(word());
        c.y = static_cast<short>(word());
        c.w = static_cast<short>(word());
        c.h = static_cast<short>(word());
        c.id = static_cast<int>(dword());
        skip_name();  // class
        skip_name();  // text
        at += word();  // creation data
        if (ok) controls.push_back(c);
    }
    return controls;
}

// The style bits that the template sets; controls add state bits of their own.
const DWORD template_bits = WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL | 0xFFFF;

void check_layout() {
    HWND dialog = main_dialog_handle;
    const DWORD dialog_style = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE));
    const DWORD wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER | DS_SETFONT;
    E2E_CHECK((dialog_style & wanted) == wanted);
    E2E_CHECK((dialog_style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);
    RECT size{0, 0, 490, 310};
    MapDialogRect(dialog, &size);
    RECT client;
    GetClientRect(dialog, &client);
    E2E_CHECK(client.right == size.right && client.bottom == size.bottom);

    // The resource itself, bit for bit: every control a child, all but the output box visible.
    const std::vector<resource_control> described = resource_controls();
    E2E_CHECK(described.size() == sizeof layout / sizeof layout[0]);
    for (std::size_t i = 0; i < described.size() && i < sizeof layout / sizeof layout[0]; ++i) {
        const resource_control& r = described[i];
        const template_control& t = layout[i];
        const bool same = r.id == t.id && r.style == (WS_CHILD | t.styles) && r.x == t.x && r.y == t.y &&
                          r.w == t.w && r.h == t.h;
        if (!same) {
            std::printf("  (resource control %d: style 0x%08lX at %d,%d size %dx%d; wanted %d: style 0x%08lX)\n", r.id,
                        r.style, r.x, r.y, r.w, r.h, t.id, WS_CHILD | t.styles);
        }
        E2E_CHECK(same);
    }

    HWND child = GetWindow(dialog, GW_CHILD);
    for (const template_control& t : layout) {
        // Skip windows the program adds itself (the tooltip is not a child).
        if (!child) {
            E2E_CHECK(child != nullptr);
            return;
        }
        const int id = GetDlgCtrlID(child);
        if (id != t.id) std::printf("  (template order: control %d where %d was expected)\n", id, t.id);
        E2E_CHECK(id == t.id);
        E2E_CHECK(lstrcmpiA(class_of(child).c_str(), t.class_name) == 0);
        DWORD style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
        const DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_EXSTYLE));
        if (t.id == 1000) style &= ~WS_VISIBLE;  // shown by the first report
        // An edit control turns its WS_BORDER into a client edge.
        if ((t.styles & WS_BORDER) && (ex_style & WS_EX_CLIENTEDGE)) style |= WS_BORDER;
        if ((style & template_bits) != t.styles) {
            std::printf("  (control %d: style 0x%08lX, template 0x%08lX)\n", t.id, style & template_bits, t.styles);
        }
        E2E_CHECK((style & template_bits) == t.styles);
        // Position and size in dialog units, each mapped on its own as the dialog does.
        RECT units{t.x, t.y, t.w, t.h};
        MapDialogRect(dialog, &units);
        RECT placed;
        GetWindowRect(child, &placed);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
        const LONG placed_w = placed.right - placed.left;
        const LONG placed_h = placed.bottom - placed.top;
        // An up-down control moves to its buddy's right edge and narrows the buddy by its own width.
        const bool spin = t.id >= 19 && t.id <= 25 && t.id % 2 == 1;
        const bool buddy = t.id >= 18 && t.id <= 24 && t.id % 2 == 0;
        bool ok;
        if (spin) {
            HWND field = GetDlgItem(dialog, t.id - 1);
            RECT field_rect;
            GetWindowRect(field, &field_rect);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&field_rect), 2);
            ok = placed.top == field_rect.top && placed_h == field_rect.bottom - field_rect.top;
        } else if (buddy) {
            ok = placed.left == units.left && placed.top == units.top && placed_h == units.bottom &&
                 placed_w < units.right;
        } else {
            ok = placed.left == units.left && placed.top == units.top && placed_w == units.right &&
                 placed_h == units.bottom;
        }
        if (!ok) {
            std::printf("  (control %d at %ld,%ld size %ldx%ld, template %ld,%ld size %ldx%ld)\n", t.id, placed.left,
                        placed.top, placed_w, placed_h, units.left, units.top, units.right, units.bottom);
        }
        E2E_CHECK(ok);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    E2E_CHECK((GetWindowLongPtrA(control(1000), GWL_EXSTYLE) & WS_EX_STATICEDGE) != 0);

    // Tab runs along the layout, once round; of the two radios only the checked one is a stop.
    E2E_CHECK(wait_until([] { return IsWindowVisible(control(1000)) != FALSE; }, 5000));
    for (int radio : {16, 15}) {
        SendMessageA(control(radio), BM_CLICK, 0, 0);
        std::string walked;
        for (HWND at = control(18); walked.size() < 80; at = GetNextDlgTabItem(dialog, at, FALSE))
            walked += std::to_string(GetDlgCtrlID(at)) + " ";
        E2E_CHECK_TEXT(walked.substr(0, 55),
                       "18 20 22 24 " + std::to_string(radio) + " 30 17 1000 27 26 1 10 11 13 28 29 12 18 ");
    }
    // The arrow keys keep to the two radios.
    E2E_CHECK(GetNextDlgGroupItem(dialog, control(16), FALSE) == control(15));
    E2E_CHECK(GetNextDlgGroupItem(dialog, control(15), TRUE) == control(16));
}

void check_web_links() {
    state_of(main_dialog_handle)->open_link = record_address;
    const bool german = state().german != 0;
    for (int round = 0; round < 2; ++round) {
        opened_addresses.clear();
        press(29);
        press(26);
        press(27);
        press(28);  // the diagram button keeps its link in either picture size
        press(27);
        press(28);
        const bool de = (round == 0) == german;
        const std::vector<std::string> wanted =
            de ? std::vector<std::string>{"http://www.example.org/farspan/de/index.html",
                                          "http://de.wikipedia.org/wiki/Pythagoras",
                                          "http://de.wikipedia.org/wiki/Satz_des_Pythagoras",
                                          "http://de.wikipedia.org/wiki/Satz_des_Pythagoras"}
               : std::vector<std::string>{"http://www.example.org/farspan/en/index.html",
                                          "http://en.wikipedia.org/wiki/Pythagoras",
                                          "http://en.wikipedia.org/wiki/Pythagorean_theorem",
                                          "http://en.wikipedia.org/wiki/Pythagorean_theorem"};
        E2E_CHECK(opened_addresses.size() == wanted.size());
        for (std::size_t i = 0; i < wanted.size() && i < opened_addresses.size(); ++i) {
            E2E_CHECK_TEXT(opened_addresses[i], wanted[i]);
        }
        press(10);
    }
}

// Version resource, manifest and icon, read from this executable, which
// carries the same resources as farspan.exe.
void check_resources() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    E2E_CHECK(size > 0);
    std::vector<char> data(size ? size : 1);
    if (size && GetFileVersionInfoA(path, 0, size, data.data())) {
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        E2E_CHECK(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed);
        if (fixed) {
            E2E_CHECK(fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0);
            E2E_CHECK(fixed->dwProductVersionMS == 0x00010000 && fixed->dwProductVersionLS == 0);
            E2E_CHECK(fixed->dwFileType == VFT_APP);
            E2E_CHECK(fixed->dwFileOS == VOS__WINDOWS32);
        }
        for (const char* key : {"\\StringFileInfo\\040904B0\\FileVersion", "\\StringFileInfo\\040904B0\\ProductVersion"}) {
            char* value = nullptr;
            E2E_CHECK(VerQueryValueA(data.data(), key, reinterpret_cast<void**>(&value), &length) && value);
            if (value) E2E_CHECK_TEXT(value, "1.0");
        }
    }
    HRSRC manifest = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    E2E_CHECK(manifest != nullptr);
    if (manifest) {
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, manifest)));
        const std::string text(bytes, SizeofResource(nullptr, manifest));
        for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                                 "publicKeyToken=\"6595b64144ccf1df\"", ">true</dpiAware>",
                                 "level=\"asInvoker\" uiAccess=\"false\"", "version=\"1.0.0.0\" processorArchitecture=\"AMD64\""}) {
            if (text.find(part) == std::string::npos) std::printf("  (manifest lacks %s)\n", part);
            E2E_CHECK(text.find(part) != std::string::npos);
        }
    }
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101), IMAGE_ICON, 48, 48, 0));
    E2E_CHECK(icon != nullptr);
    ICONINFO info{};
    if (icon && GetIconInfo(icon, &info)) {
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        E2E_CHECK(colour.bmWidth == 48 && colour.bmHeight == 48);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    if (icon) DestroyIcon(icon);
    // The window's big icon is the program's own.
    E2E_CHECK(SendMessageA(main_dialog_handle, WM_GETICON, ICON_BIG, 0) != 0);
}

// What the dialog's own thread did with an input change and the output box,
// stamped on that thread's clock, so the order and the gaps do not depend on
// how quickly this test gets to look.
struct dialog_event {
    char kind;  // 'c' kilometre field changed, 't' report text set, 's' box shown, 'h' box hidden
    double at_ms;
    std::string text;
};
std::vector<dialog_event> dialog_events;
std::mutex dialog_events_lock;
HHOOK event_hook = nullptr;

void record(char kind, const char* text = "") {
    const std::lock_guard<std::mutex> hold(dialog_events_lock);
    dialog_events.push_back({kind, now_ms(), text});
}

LRESULT CALLBACK record_dialog_event(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION) {
        const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(l);
        if (message->hwnd == main_dialog_handle && message->message == WM_COMMAND &&
            LOWORD(message->wParam) == 18 && HIWORD(message->wParam) == EN_CHANGE) {
            record('c');
        } else if (message->hwnd == control(1000) && message->message == WM_SETTEXT && message->lParam) {
            // The program sets its texts wide; the report is compared as 1252 bytes.
            char text[4096] = "";
            WideCharToMultiByte(1252, 0, reinterpret_cast<const wchar_t*>(message->lParam), -1, text, sizeof text - 1,
                                nullptr, nullptr);
            record('t', text);
        } else if (message->hwnd == control(1000) && message->message == WM_SHOWWINDOW) {
            record(message->wParam ? 's' : 'h');
        }
    }
    return CallNextHookEx(event_hook, code, w, l);
}

// A burst of three typed digits gives exactly one report, for all three, and
// not before 50 ms after the last one (a little less allowed for the timer's grain).
void check_debounce(DWORD dialog_thread_id) {
    HWND km = control(18);
    SetWindowTextA(km, "");
    E2E_CHECK(wait_until([] { return IsWindowVisible(control(1000)) != FALSE; }, 5000));
    // The box shows before that report is announced, in the same message: the
    // dialog's thread answers this only once it is done with it.
    SendMessageW(main_dialog_handle, WM_NULL, 0, 0);
    event_hook = SetWindowsHookExA(WH_CALLWNDPROC, record_dialog_event, nullptr, dialog_thread_id);
    E2E_CHECK(event_hook != nullptr);
    if (!event_hook) return;
    // Screen readers hear of each new report (l): the event of a changed live region.
    HWINEVENTHOOK live_hook = SetWinEventHook(
        EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, GetModuleHandleA(nullptr),
        [](HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
            if (window == control(1000) && object == OBJID_CLIENT && child == CHILDID_SELF) record('l');
        },
        GetCurrentProcessId(), dialog_thread_id, WINEVENT_INCONTEXT);
    E2E_CHECK(live_hook != nullptr);
    for (char digit : std::string("123")) PostMessageA(km, WM_CHAR, static_cast<unsigned char>(digit), 1);
    auto shown = [] {
        const std::lock_guard<std::mutex> hold(dialog_events_lock);
        for (const dialog_event& e : dialog_events)
            if (e.kind == 's') return true;
        return false;
    };
    E2E_CHECK(wait_until(shown, 5000));
    Sleep(200);  // room for a wrong second report to show up
    UnhookWindowsHookEx(event_hook);
    if (live_hook) UnhookWinEvent(live_hook);
    const std::lock_guard<std::mutex> hold(dialog_events_lock);
    event_hook = nullptr;

    std::string order;
    double last_change = 0, shown_at = 0;
    std::string report;
    for (const dialog_event& e : dialog_events) {
        order += e.kind;
        if (e.kind == 'c') last_change = e.at_ms;
        if (e.kind == 't') report = e.text;
        if (e.kind == 's' && shown_at == 0) shown_at = e.at_ms;
    }
    std::printf("debounce: events %s, report shown %.1f ms after the last change\n", order.c_str(),
                shown_at - last_change);
    // Three changes (the first hides the box), then one report, one show and its announcement.
    E2E_CHECK_TEXT(order, "chcctsl");
    // All three digits reached the report (a decimal comma in German).
    E2E_CHECK(report.find(state().german ? " 123,000 Kilometer " : " 123.000 Kilometres ") != std::string::npos);
    E2E_CHECK(shown_at - last_change >= 45.0);
    SetWindowTextA(km, "85");
    E2E_CHECK(wait_until([] { return IsWindowVisible(control(1000)) != FALSE; }, 5000));
}

struct running_dialog {
    HANDLE thread = nullptr;
    DWORD thread_id = 0;
};

HWND tooltip_window_of(const running_dialog& d);

std::atomic<int> announcements{0};

// Runs the program's dialog on a thread of its own; true once its first
// report shows and the set-up that follows it is done: the tooltips with
// their hook, the annotations (oleacc loaded), and the first report
// announced to screen readers once, not again when the live setting comes.
bool open_dialog(running_dialog& d) {
    hook_left_after_close = false;
    d.thread = CreateThread(nullptr, 0, dialog_thread, nullptr, CREATE_SUSPENDED, &d.thread_id);
    if (!d.thread) return false;
    announcements = 0;
    HWINEVENTHOOK live_hook = SetWinEventHook(
        EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, GetModuleHandleA(nullptr),
        [](HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
            if (window == control(1000)) ++announcements;
        },
        GetCurrentProcessId(), d.thread_id, WINEVENT_INCONTEXT);
    ResumeThread(d.thread);
    const bool opened = wait_until([&] { return (main_dialog_handle = find_main_dialog(d.thread_id)) != nullptr; }, 20000, 10);
    E2E_CHECK(opened);
    if (!opened) return false;
    E2E_CHECK(wait_until([] { return IsWindowVisible(control(1000)) != FALSE; }, 5000));
    E2E_CHECK(wait_until([&] {
        return tooltip_window_of(d) && state().tooltips.hook.valid() && GetModuleHandleW(L"oleacc.dll");
    }, 5000));
    Sleep(100);  // room for a second announcement
    if (announcements != 1) std::printf("  (the first report was announced %d times)\n", announcements.load());
    E2E_CHECK(live_hook != nullptr && announcements == 1);
    if (live_hook) UnhookWinEvent(live_hook);
    return true;
}

struct tooltip_search {
    HWND owner;
    HWND found;
};

HWND tooltip_window_of(const running_dialog& d) {
    tooltip_search search{main_dialog_handle, nullptr};
    EnumThreadWindows(d.thread_id, [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<tooltip_search*>(param);
        if (class_of(window) == TOOLTIPS_CLASSA && GetWindow(window, GW_OWNER) == s->owner) s->found = window;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

enum class close_way { close_box, close_button, escape };

// Ends the dialog as a user would; the entry returns 0 and the tooltips go
// with the dialog: hook removed on the dialog's thread, tooltip window gone.
void close_dialog(running_dialog& d, close_way way) {
    const char* name = way == close_way::close_box      ? "close box"
                       : way == close_way::close_button ? "Close button"
                                                        : "Esc key";
    const HWND tooltip = tooltip_window_of(d);
    E2E_CHECK(tooltip != nullptr);
    hook_before_close = state().tooltips.hook.get();
    E2E_CHECK(hook_before_close != nullptr);
    if (way == close_way::close_box)
        PostMessageA(main_dialog_handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    else if (way == close_way::close_button)
        PostMessageA(control(1), BM_CLICK, 0, 0);
    else  // the key goes through the dialog's own message loop, as typed into the focused field
        PostMessageA(control(18), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    const bool ended = WaitForSingleObject(d.thread, 10000) == WAIT_OBJECT_0;
    if (!ended) std::printf("  (the %s did not end the dialog)\n", name);
    E2E_CHECK(ended);
    DWORD code = 99;
    GetExitCodeThread(d.thread, &code);
    E2E_CHECK(code == 0);
    if (hook_left_after_close || IsWindow(main_dialog_handle) || IsWindow(tooltip))
        std::printf("  (closed by the %s: hook %s, dialog handle %p, tooltip window %s)\n", name,
                    hook_left_after_close ? "left" : "removed", static_cast<void*>(main_dialog_handle),
                    IsWindow(tooltip) ? "left" : "gone");
    E2E_CHECK(!hook_left_after_close);
    E2E_CHECK(!IsWindow(main_dialog_handle));
    main_dialog_handle = nullptr;
    E2E_CHECK(!IsWindow(tooltip));
    CloseHandle(d.thread);
    d.thread = nullptr;
}

LONG font_height(HGDIOBJ font) {
    LOGFONTW face{};
    return GetObjectW(font, sizeof face, &face) == sizeof face ? face.lfHeight : 0;
}

// Moved to a screen of another scale (sent as Windows sends it; Wine has one
// scale for all screens): the dialog takes the suggested rectangle, and the
// output box's stock font is made again at the new scale, also by the next
// report; back at the system's scale the stock font returns and the made one is freed.
void check_scale_change() {
    HWND dialog = main_dialog_handle;
    HDC screen = GetDC(nullptr);
    const int system_dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const int dpi = system_dpi == 144 ? 192 : 144;
    RECT before;
    GetWindowRect(dialog, &before);
    RECT suggested{before.left + 40, before.top + 30, before.left + 40 + (before.right - before.left) * dpi / system_dpi,
                   before.top + 30 + (before.bottom - before.top) * dpi / system_dpi};
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT taken;
    GetWindowRect(dialog, &taken);
    if (!EqualRect(&taken, &suggested))
        std::printf("  (at %d DPI the dialog is at %ld,%ld-%ld,%ld, suggested %ld,%ld-%ld,%ld)\n", dpi, taken.left,
                    taken.top, taken.right, taken.bottom, suggested.left, suggested.top, suggested.right, suggested.bottom);
    E2E_CHECK(EqualRect(&taken, &suggested));
    HGDIOBJ made = nullptr;
    for (int font : {ANSI_FIXED_FONT, DEFAULT_GUI_FONT}) {
        made = reinterpret_cast<HGDIOBJ>(SendMessageW(control(1000), WM_GETFONT, 0, 0));
        const LONG wanted = MulDiv(font_height(GetStockObject(font)), dpi, system_dpi);
        if (font_height(made) != wanted)
            std::printf("  (at %d DPI the output font is %ld high, wanted %ld)\n", dpi, font_height(made), wanted);
        E2E_CHECK(font_height(made) == wanted && made != GetStockObject(font));
        press(11);
    }
    for (int i = 0; i < 2; ++i) press(11);  // the index back at 1
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(system_dpi, system_dpi), reinterpret_cast<LPARAM>(&before));
    GetWindowRect(dialog, &taken);
    E2E_CHECK(EqualRect(&taken, &before));
    E2E_CHECK(reinterpret_cast<HGDIOBJ>(SendMessageW(control(1000), WM_GETFONT, 0, 0)) == GetStockObject(ANSI_FIXED_FONT));
    E2E_CHECK(GetObjectType(made) == 0);
}

// At the DPI this process runs at: every control lies inside the dialog's
// client area, and every text the user reads fits its control in the
// control's own font. The output box is left out: its stock fonts do not
// scale, and it scrolls.
void check_fit(const char* when) {
    HWND dialog = main_dialog_handle;
    RECT client;
    GetClientRect(dialog, &client);
    int texts = 0;
    LONG least_room = LONG_MAX;
    std::string tightest;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        RECT placed;
        GetWindowRect(child, &placed);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
        const bool inside = placed.left >= 0 && placed.top >= 0 && placed.right <= client.right &&
                            placed.bottom <= client.bottom;
        if (!inside) {
            std::printf("  (%s: control %d at %ld,%ld-%ld,%ld, client area %ldx%ld)\n", when, id, placed.left,
                        placed.top, placed.right, placed.bottom, client.right, client.bottom);
        }
        E2E_CHECK(inside);

        const std::string text = text_of(child);
        const std::string kind = class_of(child);
        // Up-down controls and picture buttons do not draw their text: it names them for screen readers.
        if (id == 1000 || text.empty() || lstrcmpiA(kind.c_str(), UPDOWN_CLASSA) == 0 ||
            (lstrcmpiA(kind.c_str(), "Button") == 0 && (GetWindowLongPtrA(child, GWL_STYLE) & BS_BITMAP) != 0))
            continue;
        HDC dc = GetDC(child);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0));
        HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
        SIZE extent{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, previous);
        ReleaseDC(child, dc);
        RECT inner;
        GetClientRect(child, &inner);
        LONG room = inner.right;
        // A check box or radio button draws its box beside the text.
        const LONG_PTR type = GetWindowLongPtrA(child, GWL_STYLE) & BS_TYPEMASK;
        if (lstrcmpiA(kind.c_str(), "Button") == 0 && (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON))
            room -= GetSystemMetrics(SM_CXMENUCHECK);
        char line[160];
        std::snprintf(line, sizeof line, "control %d \"%s\" %ldx%ld px in %ldx%ld", id, visible(text).c_str(),
                      extent.cx, extent.cy, room, inner.bottom);
        const bool fits = extent.cx <= room && extent.cy <= inner.bottom;
        if (!fits) std::printf("  (%s: %s does not fit)\n", when, line);
        E2E_CHECK(fits);
        if (room - extent.cx < least_room) {
            least_room = room - extent.cx;
            tightest = line;
        }
        ++texts;
    }
    std::printf("  %s: %d texts, tightest %s\n", when, texts, tightest.c_str());
    E2E_CHECK(texts >= 20);
}

LONG line_height(HWND window) {
    HDC dc = GetDC(window);
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return metrics.tmHeight;
}

// The dialog at the DPI Wine was set to before this process started, in
// both languages and both measure modes (the length label changes with it).
int check_dpi(int dpi) {
    running_dialog d;
    if (!open_dialog(d)) return finish() + 1;
    HDC screen = GetDC(nullptr);
    const int running_dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT client;
    GetClientRect(main_dialog_handle, &client);
    std::printf("%d DPI: dialog client area %ldx%ld\n", running_dpi, client.right, client.bottom);
    E2E_CHECK(running_dpi == dpi);
    // The report's lines grow with the scale as the labels' do (within a quarter).
    const LONG report_line = line_height(control(1000)), label_line = line_height(control(1001));
    std::printf("  report lines %ld px, labels %ld px\n", report_line, label_line);
    E2E_CHECK(report_line * 4 >= label_line * 3 && report_line * 4 <= label_line * 5);
    // The portrait grows with the scale; each diagram shows whole in its button.
    for (int id : {26, 27, 27}) {
        BITMAP picture{};
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(control(id), BM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof picture,
                   &picture);
        RECT room;
        GetClientRect(control(id), &room);
        std::printf("  picture %d: %ldx%ld px in %ldx%ld\n", id, picture.bmWidth, picture.bmHeight, room.right,
                    room.bottom);
        if (id == 26) E2E_CHECK(std::abs(picture.bmWidth * 96 - 217 * dpi) <= 96);
        if (id == 27) E2E_CHECK(picture.bmWidth > 0 && picture.bmWidth <= room.right && picture.bmHeight <= room.bottom);
        if (id == 27) press(28);
    }
    for (int round = 0; round < 2; ++round) {
        const std::string language = state().german ? "German" : "English";
        check_fit((language + ", Height").c_str());
        press(16);
        check_fit((language + ", Distance").c_str());
        press(15);
        press(10);
    }
    close_dialog(d, close_way::close_box);
    return finish();
}

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc >= 3 && std::string(argv[1]) == "dpi") return check_dpi(std::atoi(argv[2]));

    running_dialog d;
    if (!open_dialog(d)) return finish() + 1;

    check_layout();
    check_resources();
    check_debounce(d.thread_id);

    // Window menu: the system's items, one separator and the two program items,
    // also after the language has been switched back and forth.
    const int system_items = GetMenuItemCount(GetSystemMenu(main_dialog_handle, FALSE)) - 3;
    const bool german_start = state().german != 0;
    E2E_CHECK(system_items >= 1);
    check_window_menu(system_items, german_start);
    press(10);
    check_window_menu(system_items, !german_start);
    press(10);
    check_window_menu(system_items, german_start);
    press(10);
    press(10);
    check_window_menu(system_items, german_start);

    // Pictures: the portrait, and the diagram in its two sizes.
    SIZE portrait = bitmap_size(26);
    E2E_CHECK(portrait.cx == 217 && portrait.cy == 332);
    SIZE diagram = bitmap_size(27);
    E2E_CHECK(diagram.cx == 160 && diagram.cy == 102);
    press(28);
    E2E_CHECK(state().large_diagram == 1);
    diagram = bitmap_size(27);  // the large one shrunk to show whole in the button
    RECT room;
    GetClientRect(control(27), &room);
    E2E_CHECK(diagram.cx > 0 && diagram.cx <= room.right && diagram.cy <= room.bottom);
    press(28);
    diagram = bitmap_size(27);
    E2E_CHECK(diagram.cx == 160 && diagram.cy == 102);
    // A replaced picture is freed, not left behind at every switch.
    for (int i = 0; i < 4; ++i) {
        HGDIOBJ shown = reinterpret_cast<HGDIOBJ>(SendMessageA(control(27), BM_GETIMAGE, IMAGE_BITMAP, 0));
        E2E_CHECK(GetObjectType(shown) == OBJ_BITMAP);
        press(28);
        E2E_CHECK(GetObjectType(shown) == 0);
    }

    // Font button: the index walks 1, 2, 3, 0, 1 and the output box takes the
    // stock font of each.
    auto output_font = [] { return reinterpret_cast<HGDIOBJ>(SendMessageA(control(1000), WM_GETFONT, 0, 0)); };
    E2E_CHECK(state().output_font_index == 1);
    E2E_CHECK(output_font() == GetStockObject(ANSI_FIXED_FONT));
    const int walk[][2] = {{2, DEFAULT_GUI_FONT}, {3, SYSTEM_FIXED_FONT}, {0, SYSTEM_FONT}, {1, ANSI_FIXED_FONT}};
    for (const auto& step : walk) {
        press(11);
        E2E_CHECK(state().output_font_index == step[0]);
        if (output_font() != GetStockObject(step[1])) {
            std::printf("  (font index %d: output font %p, stock font %d is %p)\n", step[0],
                        static_cast<void*>(output_font()), step[1], static_cast<void*>(GetStockObject(step[1])));
        }
        E2E_CHECK(output_font() == GetStockObject(step[1]));
    }

    check_scale_change();
    check_web_links();

    // A window wider than the screen, centred over an owner near the right
    // edge, keeps its left edge, and so its caption, on the work area.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, work.right - 200, work.top + 100, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    HWND wide = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, work.right - work.left + 300, 100, owner,
                                nullptr, nullptr, nullptr);
    center_window(wide);
    RECT placed{};
    GetWindowRect(wide, &placed);
    if (placed.left != work.left) std::printf("  (a window wider than the screen placed at x %ld)\n", placed.left);
    E2E_CHECK(owner && wide && placed.left == work.left);
    DestroyWindow(wide);
    DestroyWindow(owner);

    // The window-menu commands 1 and 2 act, other system commands go on to the
    // default handling: a restore on a window that is not minimised changes nothing.
    SendMessageA(main_dialog_handle, WM_SYSCOMMAND, SC_RESTORE, 0);
    E2E_CHECK(IsWindowVisible(main_dialog_handle) != FALSE);

    // Each way of closing ends the dialog and removes the tooltip hook.
    close_dialog(d, close_way::close_box);
    for (close_way way : {close_way::close_button, close_way::escape}) {
        if (open_dialog(d)) close_dialog(d, way);
    }
    return finish();
}
