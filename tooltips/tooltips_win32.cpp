#include "tooltips/tooltips_win32.h"

#include <commctrl.h>

#include <cstddef>

#include "win32/wide_text.h"

// Common controls 6 expect the record with its lParam and reserved members.
static_assert(sizeof(TOOLINFOW) == offsetof(TOOLINFOW, lpReserved) + sizeof(void*),
              "TOOLINFOW must be the full version 6 record");

namespace {
// The tooltips' record of this thread, for the hook, which is given no
// context: a pointer in the thread's own storage, set while the tooltips are
// there. Not a property of the dialog, which any process on the desktop can
// set. Windows' own slot: C++'s thread_local would link MinGW's emulated
// storage, and winpthread with it.
INIT_ONCE slot_taken = INIT_ONCE_STATIC_INIT;
DWORD record_slot = TLS_OUT_OF_INDEXES;

BOOL CALLBACK take_slot(INIT_ONCE*, void*, void**) {
    record_slot = TlsAlloc();
    return TRUE;
}

// The slot, taken once for the process; TLS_OUT_OF_INDEXES if Windows has none left.
DWORD tooltip_slot() {
    InitOnceExecuteOnce(&slot_taken, take_slot, nullptr, nullptr);
    return record_slot;
}

// Callback of the child-window enumeration: registers one control as a tool.
BOOL CALLBACK register_control_tool(HWND child, LPARAM record) {
    const tooltip_record& tips = *reinterpret_cast<const tooltip_record*>(record);
    char class_name[64] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    if (lstrcmpA(class_name, "STATIC") == 0) return TRUE;

    // The tip text is asked for at show time, so a language switch needs no re-registering;
    // no subclassing: the hook below relays the mouse messages instead.
    // Wide: the tooltip then asks with TTN_GETDISPINFOW and shows UTF-16.
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = tips.dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tips.window, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return TRUE;
}

bool relayed(UINT message) {
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
           message == WM_RBUTTONDOWN || message == WM_RBUTTONUP;
}

// The record of the dialog whose child `window` is; nullptr for any other
// window, the dialog itself included.
const tooltip_record* record_over(HWND window) {
    const HWND dialog = GetAncestor(window, GA_ROOT);
    if (!dialog || dialog == window || tooltip_slot() == TLS_OUT_OF_INDEXES) return nullptr;
    const auto* tips = static_cast<const tooltip_record*>(TlsGetValue(tooltip_slot()));
    return tips && tips->dialog == dialog && tips->window ? tips : nullptr;
}

// WH_GETMESSAGE hook of the dialog's thread: relays mouse messages to the tooltip.
LRESULT CALLBACK relay_mouse_message(int code, WPARAM removal, LPARAM message) {
    const MSG* msg = reinterpret_cast<const MSG*>(message);
    if (code >= 0 && msg && relayed(msg->message)) {
        if (const tooltip_record* tips = record_over(msg->hwnd)) {
            MSG copy = *msg;
            SendMessageA(tips->window, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
        }
    }
    // The hook handle is documented as ignored here.
    return CallNextHookEx(nullptr, code, removal, message);
}
}  // namespace

int create_tooltips(tooltip_record& tips, HWND dialog, HINSTANCE instance) {
    remove_tooltips(tips);
    tips.dialog = dialog;
    tips.window = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, instance, nullptr);
    if (!tips.window) return 0;
    if (!EnumChildWindows(dialog, register_control_tool, reinterpret_cast<LPARAM>(&tips))) return 0;
    if (!TlsSetValue(tooltip_slot(), &tips)) return 0;
    tips.hook.reset(SetWindowsHookExA(WH_GETMESSAGE, relay_mouse_message, nullptr, GetCurrentThreadId()));
    return tips.hook.valid() ? 1 : 0;
}

void answer_tooltip_text(const tooltip_record& tips, NMHDR* header, tooltip_text_lookup text_of, int german) {
    // Only our own tooltip may ask: any window can send the dialog a
    // WM_NOTIFY, and the answer is a pointer written into its record.
    if (!header || header->code != TTN_GETDISPINFOW || !tips.window || header->hwndFrom != tips.window) return;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    const char* text = text_of(GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom)), german);
    // The record's own 80 units hold the longest tip; the tooltip copies them.
    if (!text) return;
    widen_1252(text, info->szText, static_cast<int>(sizeof info->szText / sizeof info->szText[0]));
    info->lpszText = info->szText;
}

void remove_tooltips(tooltip_record& tips) {
    tips.hook.reset();
    // The tooltip window is owned by the dialog and ends with it.
    const DWORD slot = tooltip_slot();
    if (slot != TLS_OUT_OF_INDEXES && TlsGetValue(slot) == &tips) TlsSetValue(slot, nullptr);
    tips.dialog = nullptr;
    tips.window = nullptr;
}
