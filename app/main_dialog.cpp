#include "app/main_dialog.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/about_box.h"
#include "app/accessibility.h"
#include "app/app_state.h"
#include "dialog/colour_scheme.h"
#include "dialog/control_ids.h"
#include "app/dialog_pictures.h"
#include "app/dialog_setup.h"
#include "win32/scoped_handles.h"
#include "app/output_box.h"
#include "print/print_output_box_win32.h"
#include "tooltips/tooltips_win32.h"

HINSTANCE instance_handle = nullptr;
HWND main_dialog_handle = nullptr;
unsigned long long program_start_seconds = 0;
int language_flag = 1;
int output_font_index = 1;
int colour_scheme_flag = 0;
int graphic_size_flag = 0;
int dialog_dpi = 0;

namespace {
HBRUSH dialog_brush = nullptr;
HBRUSH edit_brush = nullptr;
int high_contrast = 0;
bool late_setup_pending = false;
loaded_library com_library;
bool com_started = false;

// COM for the rest of the dialog's life, which the annotation service and the
// shell's links need: ole32 is loaded here, after the first report, not by
// the loader before it.
void start_com() {
    const auto initialize = system_entry<decltype(&CoInitializeEx)>(com_library, L"ole32.dll", "CoInitializeEx");
    com_started = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

void stop_com() {
    const auto uninitialize = system_entry<decltype(&CoUninitialize)>(com_library, L"ole32.dll", "CoUninitialize");
    if (com_started && uninitialize) uninitialize();
    com_started = false;
}

int high_contrast_on() {
    HIGHCONTRASTW setting = {};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void end_main_dialog(HWND dialog) {
    EndDialog(dialog, 0);
    remove_tooltips();
    main_dialog_handle = nullptr;
}

// The report, then word to screen readers that it changed; after the first,
// whichever way it came, the rest of the set-up.
void report(HWND dialog) {
    recalculate(dialog);
    announce_report(dialog);
    if (late_setup_pending) SetTimer(dialog, late_setup_timer_id, late_setup_delay_ms, nullptr);
}

void finish_setup(HWND dialog) {
    KillTimer(dialog, late_setup_timer_id);
    late_setup_pending = false;
    create_tooltips(dialog, instance_handle);
    start_com();
    annotate_controls(dialog);
}

// Enter comes as the default button's command, Close's, just like a click on
// Close; where the focus is tells them apart. Enter in a field brings the
// report at once; in the output box, on the radios or on the check box it
// does nothing; a click on Close, or Enter with the focus on it, closes.
void on_close_or_enter(HWND dialog) {
    HWND focus = GetFocus();
    const int focused = focus && GetParent(focus) == dialog ? GetDlgCtrlID(focus) : 0;
    switch (focused) {
    case IDC_KILOMETRES:
    case IDC_METRES:
    case IDC_DEGREES:
    case IDC_MINUTES:
        KillTimer(dialog, recalculation_timer_id);
        report(dialog);
        break;
    case IDC_OUTPUT:
    case IDC_HEIGHT:
    case IDC_DISTANCE:
    case IDC_RAMINFO:
        break;
    default:
        end_main_dialog(dialog);
        break;
    }
}

void print_output(HWND dialog) { print_output_box(dialog, GetDlgItem(dialog, IDC_OUTPUT), "Farspan"); }

void on_command(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_CLOSE:
        on_close_or_enter(dialog);
        break;
    case IDCANCEL:
        end_main_dialog(dialog);
        break;
    case IDC_LANGUAGE:
        language_flag = 1 - language_flag;
        apply_language_texts(dialog);
        report(dialog);
        name_controls(dialog);
        break;
    case IDC_FONT:
        output_font_index = output_font_index + 1;
        if (output_font_index > 3) output_font_index = 0;
        report(dialog);
        break;
    case IDC_ABOUT:
        show_about_box(dialog);
        break;
    case IDC_PRINT:
        print_output(dialog);
        break;
    case IDC_HEIGHT:
    case IDC_DISTANCE:
        report(dialog);
        name_controls(dialog);
        break;
    case IDC_RAMINFO:
        report(dialog);
        break;
    case IDC_KILOMETRES:
    case IDC_METRES:
    case IDC_DEGREES:
    case IDC_MINUTES:
        if (code == EN_CHANGE) {
            KillTimer(dialog, recalculation_timer_id);
            SetTimer(dialog, recalculation_timer_id, recalculation_delay_ms, nullptr);
            hide_output_box(dialog);
        }
        break;
    case IDC_PORTRAIT:
    case IDC_DIAGRAM:
    case IDC_WWW:
        open_web_link(dialog, id);
        break;
    case IDC_GRAPHIC:
        graphic_size_flag = 1 - graphic_size_flag;
        switch_diagram_bitmap(dialog);
        break;
    case IDC_COLOUR:
        colour_scheme_flag = 1 - colour_scheme_flag;
        InvalidateRect(dialog, nullptr, TRUE);
        break;
    default:
        break;
    }
}
}  // namespace

INT_PTR CALLBACK main_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        main_dialog_handle = dialog;
        set_up_main_dialog(dialog);
        late_setup_pending = true;
        high_contrast = high_contrast_on();
        name_controls(dialog);
        return TRUE;
    case WM_CLOSE:
        end_main_dialog(dialog);
        return FALSE;
    case WM_DESTROY:
        // The pictures and the big icon belong to the program, not to the controls.
        KillTimer(dialog, recalculation_timer_id);
        KillTimer(dialog, late_setup_timer_id);
        late_setup_pending = false;
        release_dialog_images(dialog);
        release_control_names(dialog);
        return FALSE;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // High Contrast switched on or off: the colour scheme yields to it or comes back.
        high_contrast = high_contrast_on();
        InvalidateRect(dialog, nullptr, TRUE);
        return FALSE;
    case WM_NOTIFY:
        answer_tooltip_text(reinterpret_cast<NMHDR*>(lparam), language_flag);
        return FALSE;
    case WM_COMMAND:
        on_command(dialog, LOWORD(wparam), HIWORD(wparam));
        return FALSE;
    case WM_SYSCOMMAND:
        if (wparam == SC_FARSPAN_ABOUT) show_about_box(dialog);
        if (wparam == SC_FARSPAN_PRINT) print_output(dialog);
        return FALSE;
    case WM_TIMER:
        if (wparam == recalculation_timer_id) {
            KillTimer(dialog, recalculation_timer_id);
            report(dialog);
        }
        if (wparam == late_setup_timer_id) finish_setup(dialog);
        return FALSE;
    case WM_DPICHANGED:
        // Moved to a screen of another scale (per-monitor awareness): the
        // system rescales the template's font and controls; the suggested
        // rectangle is taken, and the output box's font, the small icon and the pictures,
        // which are ours, are made again for the new scale.
        dialog_dpi = HIWORD(wparam);
        if (const RECT* suggested = reinterpret_cast<const RECT*>(lparam)) {
            SetWindowPos(dialog, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        set_output_font(dialog);
        set_small_icon(dialog);
        set_dialog_pictures(dialog);
        return FALSE;
    case WM_CTLCOLOREDIT: {
        const scheme_colours colours = dialog_colours(colour_scheme_flag, high_contrast);
        if (!colours.own) return FALSE;
        SetTextColor(reinterpret_cast<HDC>(wparam), colours.edit_text);
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(edit_brush);
    }
    case WM_CTLCOLORDLG:
        if (!dialog_colours(colour_scheme_flag, high_contrast).own) return FALSE;
        return reinterpret_cast<INT_PTR>(dialog_brush);
    case WM_CTLCOLORSTATIC: {
        const scheme_colours colours = dialog_colours(colour_scheme_flag, high_contrast);
        if (!colours.own) return FALSE;
        SetTextColor(reinterpret_cast<HDC>(wparam), colours.static_text);
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(dialog_brush);
    }
    default:
        return FALSE;
    }
}

int run_farspan(HINSTANCE instance) {
    instance_handle = instance;
    InitCommonControls();
    // The 64-bit counter: the 32-bit one wraps after 49.7 days of uptime.
    program_start_seconds = GetTickCount64() / 1000;
    const scheme_colours scheme = dialog_colours(1, 0);
    gdi_object dialog_brush_owner(CreateSolidBrush(scheme.dialog_background));
    gdi_object edit_brush_owner(CreateSolidBrush(scheme.edit_background));
    dialog_brush = static_cast<HBRUSH>(dialog_brush_owner.get());
    edit_brush = static_cast<HBRUSH>(edit_brush_owner.get());
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN_DIALOG), nullptr, main_dialog_procedure, 0);
    stop_com();
    dialog_brush = nullptr;
    edit_brush = nullptr;
    return 0;
}
