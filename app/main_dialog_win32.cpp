#include "app/main_dialog_win32.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/about_box_win32.h"
#include "app/web_links_win32.h"
#include "app/accessibility_win32.h"
#include "app/dialog_state_win32.h"
#include "app/dialog_choices.h"
#include "app/dialog_scale.h"
#include "app/colour_scheme.h"
#include "app/control_ids.h"
#include "app/control_table.h"
#include "app/dialog_icons_win32.h"
#include "app/dialog_pictures_win32.h"
#include "app/dialog_setup_win32.h"
#include "win32/check_box.h"
#include "win32/scoped_handles.h"
#include "win32/window_module.h"
#include "app/output_box_win32.h"
#include "print/print_output_box_win32.h"
#include "tooltips/tooltips_win32.h"

namespace {
// COM for the rest of the dialog's life, which the annotation service and the
// shell's links need: ole32 is loaded here, after the first report, not by
// the loader before it.
void start_com(dialog_state& state) {
    const auto initialize = system_entry<decltype(&CoInitializeEx)>(state.com, L"ole32.dll", "CoInitializeEx");
    state.com_started = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

void stop_com(dialog_state& state) {
    const auto uninitialize = system_entry<decltype(&CoUninitialize)>(state.com, L"ole32.dll", "CoUninitialize");
    if (state.com_started && uninitialize) uninitialize();
    state.com_started = false;
}

int high_contrast_on() {
    HIGHCONTRASTW setting = {};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The report, then word to screen readers that it changed; after the first,
// whichever way it came, the rest of the set-up.
void report(HWND dialog, dialog_state& state) {
    recalculate(dialog, state);
    announce_report(dialog, state.annotations);
    if (state.late_setup_pending) SetTimer(dialog, late_setup_timer_id, late_setup_delay_ms, nullptr);
}

void finish_setup(HWND dialog, dialog_state& state) {
    KillTimer(dialog, late_setup_timer_id);
    state.late_setup_pending = false;
    create_tooltips(state.tooltips, dialog, module_of(dialog));
    start_com(state);
    annotate_controls(dialog, state.choices, state.annotations);
}

// A push button, picture buttons included: Enter on it presses it.
bool is_push_button(HWND control) {
    wchar_t kind[16] = L"";
    GetClassNameW(control, kind, 16);
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(kind, L"Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// Enter comes as the default button's command, Close's, just like a click on
// Close, also where a clicked button has not become the default (a Wine
// virtual desktop); where the focus is tells them apart. Enter in a field
// brings the report at once; in the output box, on the radios or on the check
// box it does nothing; on another push button it presses that one; a click
// on Close, or Enter with the focus on it, closes.
void on_close_or_enter(HWND dialog, dialog_state& state) {
    HWND focus = GetFocus();
    const int focused = focus && GetParent(focus) == dialog ? GetDlgCtrlID(focus) : 0;
    if (focused != IDC_CLOSE && focused != 0 && is_push_button(focus)) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(focused, BN_CLICKED), reinterpret_cast<LPARAM>(focus));
        return;
    }
    switch (focused) {
    case IDC_KILOMETRES:
    case IDC_METRES:
    case IDC_DEGREES:
    case IDC_MINUTES:
    case IDC_EYE_HEIGHT:
        KillTimer(dialog, recalculation_timer_id);
        report(dialog, state);
        break;
    case IDC_REFRACTION:
    case IDC_OUTPUT:
    case IDC_HEIGHT:
    case IDC_DISTANCE:
    case IDC_RAMINFO:
        break;
    default:
        EndDialog(dialog, 0);
        break;
    }
}

void print_output(HWND dialog, dialog_state& state) {
    print_output_box(dialog, GetDlgItem(dialog, IDC_OUTPUT), "Farspan", state.common_dialogs);
}

// A click on a radio or on RAM-Info: the record takes what the boxes now
// show, and the report follows; the names follow the measure mode.
void on_choice(HWND dialog, dialog_state& state, int id) {
    state.choices.mode = is_checked(dialog, IDC_DISTANCE) ? mode_distance : mode_height;
    state.choices.ram_info = is_checked(dialog, IDC_RAMINFO);
    report(dialog, state);
    if (id != IDC_RAMINFO) name_controls(dialog, state.choices, state.annotations);
}

// A new item in the refraction list: the record takes it, the report follows at once.
void on_refraction(HWND dialog, dialog_state& state) {
    const LRESULT item = SendDlgItemMessageW(dialog, IDC_REFRACTION, CB_GETCURSEL, 0, 0);
    if (item < 0 || item >= refraction_choice_count) return;
    state.choices.refraction = static_cast<refraction_choice>(item);
    report(dialog, state);
}

void on_command(HWND dialog, dialog_state& state, int id, int code) {
    switch (id) {
    case IDC_CLOSE:
        on_close_or_enter(dialog, state);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_LANGUAGE:
        state.choices = after_press(state.choices, press_language);
        apply_language_texts(dialog, german_flag(state.choices.language));
        report(dialog, state);
        name_controls(dialog, state.choices, state.annotations);
        break;
    case IDC_FONT:
        state.choices = after_press(state.choices, press_font);
        report(dialog, state);
        break;
    case IDC_ABOUT:
        show_about_box(dialog, german_flag(state.choices.language));
        break;
    case IDC_PRINT:
        print_output(dialog, state);
        break;
    case IDC_HEIGHT:
    case IDC_DISTANCE:
    case IDC_RAMINFO:
        on_choice(dialog, state, id);
        break;
    case IDC_KILOMETRES:
    case IDC_METRES:
    case IDC_DEGREES:
    case IDC_MINUTES:
    case IDC_EYE_HEIGHT:
        if (code == EN_CHANGE) {
            KillTimer(dialog, recalculation_timer_id);
            SetTimer(dialog, recalculation_timer_id, recalculation_delay_ms, nullptr);
            hide_output_box(dialog);
        }
        break;
    case IDC_REFRACTION:
        if (code == CBN_SELCHANGE) on_refraction(dialog, state);
        break;
    case IDC_PORTRAIT:
    case IDC_DIAGRAM:
    case IDC_WWW:
        open_web_link(dialog, state.links, state.choices.language, id);
        break;
    case IDC_GRAPHIC:
        state.choices = after_press(state.choices, press_graphic);
        set_dialog_pictures(dialog, state.dpi, state.choices.large_diagram, IDC_DIAGRAM);
        break;
    case IDC_COLOUR:
        state.choices = after_press(state.choices, press_colour);
        InvalidateRect(dialog, nullptr, TRUE);
        break;
    default:
        break;
    }
}

// Moved to a screen of another scale (per-monitor awareness): the system
// rescales the template's font and controls; the suggested rectangle is
// taken, and the output box's font, the small icon and the pictures, which
// are ours, are made again for the new scale. A DPI Windows never gives is
// ignored: any program on the desktop can send the message.
void on_scale_change(HWND dialog, dialog_state& state, int dpi, const RECT* suggested) {
    if (!windows_gives_dpi(dpi)) return;
    state.dpi = dpi;
    if (suggested) {
        SetWindowPos(dialog, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    set_output_font(dialog, state);
    set_small_icon(dialog, state.dpi);
    set_dialog_pictures(dialog, state.dpi, state.choices.large_diagram);
}

// The brush and text colour of the scheme for a field (edit) or the rest;
// FALSE where the system's colours hold.
INT_PTR colour_control(const dialog_state& state, HDC dc, bool edit) {
    const scheme_colours colours = dialog_colours(state.choices.colour_scheme, state.high_contrast);
    if (!colours.own) return FALSE;
    if (!dc) return reinterpret_cast<INT_PTR>(state.dialog_brush.get());
    SetTextColor(dc, edit ? colours.edit_text : colours.static_text);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(edit ? state.edit_brush.get() : state.dialog_brush.get());
}

void on_timer(HWND dialog, dialog_state& state, WPARAM timer) {
    if (timer == recalculation_timer_id) {
        KillTimer(dialog, recalculation_timer_id);
        report(dialog, state);
    }
    if (timer == late_setup_timer_id) finish_setup(dialog, state);
}

BOOL on_init(HWND dialog, dialog_state& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    set_up_main_dialog(dialog, state);
    state.late_setup_pending = true;
    state.high_contrast = high_contrast_on();
    name_controls(dialog, state.choices, state.annotations);
    return TRUE;
}

void on_destroy(HWND dialog, dialog_state& state) {
    KillTimer(dialog, recalculation_timer_id);
    KillTimer(dialog, late_setup_timer_id);
    state.late_setup_pending = false;
    // However the dialog ends, its tooltip hook goes with it.
    remove_tooltips(state.tooltips);
    // The pictures and the icons belong to the program, not to the controls.
    release_dialog_pictures(dialog);
    release_dialog_icons(dialog);
    release_control_names(dialog, state.annotations);
}

INT_PTR CALLBACK main_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) return on_init(dialog, *reinterpret_cast<dialog_state*>(lparam));
    dialog_state* state = state_of(dialog);
    if (!state) return FALSE;
    switch (message) {
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return FALSE;
    case WM_DESTROY:
        on_destroy(dialog, *state);
        return FALSE;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // High Contrast switched on or off: the colour scheme yields to it or comes back.
        state->high_contrast = high_contrast_on();
        InvalidateRect(dialog, nullptr, TRUE);
        return FALSE;
    case WM_NOTIFY:
        answer_tooltip_text(state->tooltips, reinterpret_cast<NMHDR*>(lparam), tooltip_text, german_flag(state->choices.language));
        return FALSE;
    case WM_COMMAND:
        on_command(dialog, *state, LOWORD(wparam), HIWORD(wparam));
        return FALSE;
    case WM_SYSCOMMAND:
        if (wparam == SC_FARSPAN_ABOUT) show_about_box(dialog, german_flag(state->choices.language));
        if (wparam == SC_FARSPAN_PRINT) print_output(dialog, *state);
        return FALSE;
    case WM_TIMER:
        on_timer(dialog, *state, wparam);
        return FALSE;
    case WM_DPICHANGED:
        on_scale_change(dialog, *state, HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
        return FALSE;
    case WM_CTLCOLOREDIT:
        // The refraction list asks as an edit where it draws on a face of its
        // own (Wine, visual styles): the labels' red stays readable there.
        return colour_control(*state, reinterpret_cast<HDC>(wparam),
                              GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) != IDC_REFRACTION);
    case WM_CTLCOLORSTATIC:
        return colour_control(*state, reinterpret_cast<HDC>(wparam), false);
    case WM_CTLCOLORDLG:
        return colour_control(*state, nullptr, false);
    default:
        return FALSE;
    }
}
}  // namespace

int run_farspan(HINSTANCE instance) {
    InitCommonControls();
    dialog_state state;
    // The 64-bit counter: the 32-bit one wraps after 49.7 days of uptime.
    state.program_start_seconds = GetTickCount64() / 1000;
    const scheme_colours scheme = dialog_colours(1, 0);
    state.dialog_brush.reset(CreateSolidBrush(scheme.dialog_background));
    state.edit_brush.reset(CreateSolidBrush(scheme.edit_background));
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN_DIALOG), nullptr, main_dialog_procedure,
                    reinterpret_cast<LPARAM>(&state));
    stop_com(state);
    return 0;
}
