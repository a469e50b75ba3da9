// The tooltip code inside a small dialog of its own, run like the main
// dialog runs it: what the hook relays (and what not), the registered tools,
// the text answers in both languages, and the hook's removal and setting up
// again. These are only observable inside the process. Part of
// main_dialog_inprocess, whose main-dialog tests check that each way of
// closing the real dialog removes the hook.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <string>
#include <vector>

#include "app/control_table.h"
#include "driver.h"
#include "tests/expected/tooltip_texts.h"
#include "tooltips/tooltips_win32.h"
#include "tests/expected/control_ids.h"

namespace {
HWND open_dialog = nullptr;
int language = 1;  // the language the dialog answers in, as the program's dialog does
tooltip_record tips;  // kept with the dialog, as the program keeps it in its record
tooltip_record planted;  // another process's stand-in record: the hook must not take it

const UINT check_relays = WM_APP + 1;
const UINT check_removed = WM_APP + 2;
const LPARAM marker = MAKELPARAM(7, 5);  // tells posted test messages from real pointer moves

WNDPROC tooltip_procedure = nullptr;
HWND relay_target = nullptr;
std::vector<UINT> relayed;
bool relayed_copies_intact = true;
bool button_clicked = false;
std::atomic<bool> watchdog_closed{false};

LRESULT CALLBACK watch_tooltip(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == TTM_RELAYEVENT && lparam) {
        const MSG* relayed_message = reinterpret_cast<const MSG*>(lparam);
        if (relayed_message->lParam == marker) {
            relayed.push_back(relayed_message->message);
            if (relayed_message->hwnd != relay_target || relayed_message->wParam != 0x20) relayed_copies_intact = false;
        }
    }
    return CallWindowProcA(tooltip_procedure, window, message, wparam, lparam);
}

struct tooltip_search {
    HWND owner;
    HWND found;
};

BOOL CALLBACK find_tooltip(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<tooltip_search*>(param);
    if (e2e::class_of(window) == TOOLTIPS_CLASSA && GetWindow(window, GW_OWNER) == search->owner)
        search->found = window;
    return TRUE;  // the last one found is the newest
}

HWND tooltip_of(HWND dialog) {
    tooltip_search search{dialog, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), find_tooltip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void check_tools(HWND dialog, HWND tooltip) {
    const int count = static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_GE(count, 6);  // every control but the two labels, at least
    bool all_callbacks = true;
    bool field_registered = false;
    bool updown_registered = false;
    for (int i = 0; i < count; ++i) {
        char text[80] = {};
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        if (!SendMessageA(tooltip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool))) {
            all_callbacks = false;
            continue;
        }
        // Whole-window tools of the dialog, not subclassed, text asked for at show time.
        if (tool.uFlags != TTF_IDISHWND || tool.hwnd != dialog || tool.lpszText != LPSTR_TEXTCALLBACKA ||
            GetParent(reinterpret_cast<HWND>(tool.uId)) != dialog) {
            all_callbacks = false;
        }
        if (reinterpret_cast<HWND>(tool.uId) == GetDlgItem(dialog, ctl::kilometres)) field_registered = true;
        if (reinterpret_cast<HWND>(tool.uId) == GetDlgItem(dialog, ctl::kilometres_spin)) updown_registered = true;
    }
    EXPECT_TRUE(all_callbacks);
    EXPECT_TRUE(field_registered);
    EXPECT_TRUE(updown_registered);
}

void post_mouse_messages(HWND dialog) {
    relayed.clear();
    relay_target = GetDlgItem(dialog, ctl::print);
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONDOWN,
                         WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_XBUTTONDOWN, WM_XBUTTONUP, WM_MOUSEWHEEL,
                         WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN}) {
        PostMessageA(relay_target, message, 0x20, marker);
    }
    // Not a child of the dialog: never relayed.
    PostMessageA(dialog, WM_MOUSEMOVE, 0x20, marker);
}

// The answer as 1252 bytes, the table's own form; the program answers wide.
std::string answer_for(HWND dialog, int control_id, UINT code, int language, HWND sender = nullptr) {
    static wchar_t untouched[] = L"untouched";
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = sender ? sender : tooltip_of(dialog);
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, control_id));
    info.hdr.code = code;
    info.lpszText = untouched;
    ::language = language;
    SendMessageW(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    if (!info.lpszText) return "<null>";
    char text[256] = "";
    WideCharToMultiByte(1252, 0, info.lpszText, -1, text, sizeof text - 1, nullptr, nullptr);
    return text;
}

void check_answers(HWND dialog) {
    EXPECT_PRED_FORMAT2(e2e::same_bytes, answer_for(dialog, ctl::print, TTN_GETDISPINFOW, 0), expected_tip_text(ctl::print, false));
    EXPECT_PRED_FORMAT2(e2e::same_bytes, answer_for(dialog, ctl::print, TTN_GETDISPINFOW, 1), expected_tip_text(ctl::print, true));
    EXPECT_PRED_FORMAT2(e2e::same_bytes, answer_for(dialog, ctl::kilometres_spin, TTN_GETDISPINFOW, 1), expected_tip_text(ctl::kilometres_spin, true));
    EXPECT_PRED_FORMAT2(e2e::same_bytes, answer_for(dialog, ctl::height, TTN_GETDISPINFOW, 1), expected_tip_text(ctl::height, true));
    // No row: the notification stays as the tooltip sent it, so no tip shows.
    EXPECT_PRED_FORMAT2(e2e::same_bytes, answer_for(dialog, ctl::output, TTN_GETDISPINFOW, 0), "untouched");
    EXPECT_PRED_FORMAT2(e2e::same_bytes, answer_for(dialog, ctl::length_label, TTN_GETDISPINFOW, 1), "untouched");
    // Other notifications are not answered (the tooltip asks wide).
    EXPECT_PRED_FORMAT2(e2e::same_bytes, answer_for(dialog, ctl::print, TTN_GETDISPINFOA, 0), "untouched");
    EXPECT_PRED_FORMAT2(e2e::same_bytes, answer_for(dialog, ctl::print, TTN_SHOW, 0), "untouched");
    // Nor any window but the program's own tooltip.
    EXPECT_PRED_FORMAT2(e2e::same_bytes, answer_for(dialog, ctl::print, TTN_GETDISPINFOW, 0, GetDlgItem(dialog, ctl::print)), "untouched");
    ::language = 0;
}

void end_dialog(HWND dialog) {
    RemovePropW(dialog, L"Farspan.Tooltips");
    EndDialog(dialog, 0);
    remove_tooltips(tips);
    open_dialog = nullptr;
}

INT_PTR CALLBACK test_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: {
        open_dialog = dialog;
        EXPECT_EQ(create_tooltips(tips, dialog, GetModuleHandleA(nullptr)), 1);
        EXPECT_TRUE(tips.hook.valid());
        HWND tooltip = tooltip_of(dialog);
        EXPECT_NE(tooltip, nullptr);
        if (!tooltip) {
            end_dialog(dialog);
            return TRUE;
        }
        check_tools(dialog, tooltip);
        planted.dialog = dialog, planted.window = GetDlgItem(dialog, ctl::print);  // a tooltip not ours
        SetPropW(dialog, L"Farspan.Tooltips", &planted);  // as any process could, where the record once was
        tooltip_procedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(tooltip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watch_tooltip)));
        post_mouse_messages(dialog);
        PostMessageA(dialog, check_relays, 0, 0);
        return TRUE;
    }
    case check_relays:
        // Moves and plain left/right presses on a child, copied whole (to ours, not the planted
        // one); no double-click, middle or extra button, wheel, non-client message, nor the dialog's own.
        EXPECT_EQ(relayed, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONUP,
                                              WM_RBUTTONDOWN, WM_RBUTTONUP}));
        EXPECT_TRUE(relayed_copies_intact);
        // Passed on unchanged: the button saw its press and release and reported the click.
        EXPECT_TRUE(button_clicked);
        check_answers(dialog);

        // Removed, nothing is relayed any more; removing twice is harmless.
        remove_tooltips(tips);
        EXPECT_FALSE(tips.hook.valid());
        remove_tooltips(tips);
        post_mouse_messages(dialog);
        PostMessageA(dialog, check_removed, 0, 0);
        return TRUE;
    case check_removed:
        EXPECT_TRUE(relayed.empty()) << relayed.size() << " messages relayed after the removal";
        // Set up again, then closed.
        open_dialog = dialog;
        EXPECT_EQ(create_tooltips(tips, dialog, GetModuleHandleA(nullptr)), 1);
        EXPECT_TRUE(tips.hook.valid());
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        return TRUE;
    case WM_NOTIFY:
        answer_tooltip_text(tips, reinterpret_cast<NMHDR*>(lparam), tooltip_text, language);
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == ctl::print && HIWORD(wparam) == BN_CLICKED) button_clicked = true;
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) end_dialog(dialog);
        return TRUE;
    case WM_CLOSE:
        end_dialog(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

TEST(TooltipHook, RelaysPointerMessagesAnswersTextsAndIsRemoved) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    button_clicked = false;
    // Bounded: if the dialog never closes itself, a watchdog thread closes it.
    HANDLE closed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE guard = CreateThread(nullptr, 0, [](LPVOID event) -> DWORD {
        if (WaitForSingleObject(event, 30000) == WAIT_TIMEOUT) {
            if (HWND open = open_dialog) {
                watchdog_closed = true;
                PostMessageA(open, WM_CLOSE, 0, 0);
            }
        }
        return 0;
    }, closed, 0, nullptr);
    // The dialog ends itself once every stage has run (0), or by the watchdog.
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200), nullptr, test_dialog, 0), 0);
    EXPECT_FALSE(watchdog_closed) << "the dialog did not run through its stages within 30 s";
    SetEvent(closed);
    WaitForSingleObject(guard, 5000);
    CloseHandle(guard);
    CloseHandle(closed);
}
