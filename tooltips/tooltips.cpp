#include "tooltips/tooltips.h"

#include <commctrl.h>

#include <cstddef>

#include "app/app_state.h"
#include "tooltips/tooltip_texts.h"
#include "win32/wide_text.h"

// Common controls 6 expect the record with its lParam and reserved members.
static_assert(sizeof(TOOLINFOW) == offsetof(TOOLINFOW, lpReserved) + sizeof(void*),
              "TOOLINFOW must be the full version 6 record");

namespace {
HWND tooltip_window = nullptr;
HHOOK mouse_hook = nullptr;
}  // namespace

BOOL CALLBACK register_control_tool(HWND child, LPARAM) {
    char class_name[64] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    if (lstrcmpA(class_name, "STATIC") == 0) return TRUE;

    // The tip text is asked for at show time, so a language switch needs no re-registering;
    // no subclassing: the hook below relays the mouse messages instead.
    // Wide: the tooltip then asks with TTN_GETDISPINFOW and shows UTF-16.
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = main_dialog_handle;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_window, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return TRUE;
}

LRESULT CALLBACK relay_mouse_message(int code, WPARAM removal, LPARAM message) {
    const MSG* msg = reinterpret_cast<const MSG*>(message);
    if (code >= 0 && msg && tooltip_window && IsChild(main_dialog_handle, msg->hwnd)) {
        switch (msg->message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: {
            MSG copy = *msg;
            SendMessageA(tooltip_window, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
            break;
        }
        default:
            break;
        }
    }
    return CallNextHookEx(mouse_hook, code, removal, message);
}

int create_tooltips() {
    tooltip_window = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main_dialog_handle,
                                     nullptr, instance_handle, nullptr);
    if (!tooltip_window) return 0;
    if (!EnumChildWindows(main_dialog_handle, register_control_tool, 0)) return 0;
    mouse_hook = SetWindowsHookExA(WH_GETMESSAGE, relay_mouse_message, nullptr, GetCurrentThreadId());
    return mouse_hook ? 1 : 0;
}

void answer_tooltip_text(NMHDR* header) {
    // Only our own tooltip may ask: any window can send the dialog a
    // WM_NOTIFY, and the answer is a pointer written into its record.
    if (!header || header->code != TTN_GETDISPINFOW || !tooltip_window || header->hwndFrom != tooltip_window) return;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    const char* text = tooltip_text(GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom)), language_flag);
    // The record's own 80 units hold the longest tip; the tooltip copies them.
    if (!text) return;
    widen_1252(text, info->szText, static_cast<int>(sizeof info->szText / sizeof info->szText[0]));
    info->lpszText = info->szText;
}

void remove_tooltips() {
    // The tooltip window is owned by the dialog and ends with it.
    main_dialog_handle = nullptr;
    tooltip_window = nullptr;
    if (mouse_hook) {
        UnhookWindowsHookEx(mouse_hook);
        mouse_hook = nullptr;
    }
}

bool tooltips_hook_installed() { return mouse_hook != nullptr; }
