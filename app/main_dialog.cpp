#include "app/main_dialog.h"

#include <commctrl.h>

#include "app/about_box.h"
#include "app/app_state.h"
#include "app/control_ids.h"
#include "app/dialog_setup.h"
#include "win32/scoped_handles.h"
#include "calc/recalculate.h"
#include "print/print_output_box.h"
#include "tooltips/tooltips.h"

HINSTANCE instance_handle = nullptr;
HWND main_dialog_handle = nullptr;
unsigned long long program_start_seconds = 0;
int language_flag = 1;
int output_font_index = 1;
int colour_scheme_flag = 0;
int graphic_size_flag = 0;

namespace {
const COLORREF dialog_colour = 0x0078FAB4;       // light green
const COLORREF edit_colour = 0x00C84646;         // blue
const COLORREF edit_text_colour = 0x00E6E6E6;    // light grey
const COLORREF static_text_colour = 0x000A0AFA;  // red

HBRUSH dialog_brush = nullptr;
HBRUSH edit_brush = nullptr;

void end_main_dialog(HWND dialog) {
    EndDialog(dialog, 0);
    remove_tooltips();
}

void print_output(HWND dialog) { print_output_box(dialog, GetDlgItem(dialog, IDC_OUTPUT), "Farspan"); }

void on_command(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_CLOSE:
    case IDCANCEL:
        end_main_dialog(dialog);
        break;
    case IDC_LANGUAGE:
        language_flag = 1 - language_flag;
        apply_language_texts(dialog);
        recalculate(dialog);
        break;
    case IDC_FONT:
        output_font_index = output_font_index + 1;
        if (output_font_index > 3) output_font_index = 0;
        recalculate(dialog);
        break;
    case IDC_ABOUT:
        show_about_box(dialog);
        break;
    case IDC_PRINT:
        print_output(dialog);
        break;
    case IDC_HEIGHT:
    case IDC_DISTANCE:
    case IDC_RAMINFO:
        recalculate(dialog);
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

bool is_checked(HWND dialog, int control_id) {
    return SendDlgItemMessageA(dialog, control_id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void set_checked(HWND dialog, int control_id, int flag) {
    SendDlgItemMessageA(dialog, control_id, BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED, 0);
}

void hide_output_box(HWND dialog) { ShowWindow(GetDlgItem(dialog, IDC_OUTPUT), SW_HIDE); }

INT_PTR CALLBACK main_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        main_dialog_handle = dialog;
        set_up_main_dialog(dialog);
        create_tooltips();
        return TRUE;
    case WM_CLOSE:
        end_main_dialog(dialog);
        return FALSE;
    case WM_DESTROY:
        // The pictures and the big icon belong to the program, not to the controls.
        KillTimer(dialog, recalculation_timer_id);
        release_dialog_images(dialog);
        return FALSE;
    case WM_NOTIFY:
        answer_tooltip_text(reinterpret_cast<NMHDR*>(lparam));
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
            recalculate(dialog);
        }
        return FALSE;
    case WM_CTLCOLOREDIT:
        if (!colour_scheme_flag) return FALSE;
        SetTextColor(reinterpret_cast<HDC>(wparam), edit_text_colour);
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(edit_brush);
    case WM_CTLCOLORDLG:
        if (!colour_scheme_flag) return FALSE;
        return reinterpret_cast<INT_PTR>(dialog_brush);
    case WM_CTLCOLORSTATIC:
        if (!colour_scheme_flag) return FALSE;
        SetTextColor(reinterpret_cast<HDC>(wparam), static_text_colour);
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(dialog_brush);
    default:
        return FALSE;
    }
}

int run_farspan(HINSTANCE instance) {
    instance_handle = instance;
    InitCommonControls();
    // The 64-bit counter: the 32-bit one wraps after 49.7 days of uptime.
    program_start_seconds = GetTickCount64() / 1000;
    gdi_object dialog_brush_owner(CreateSolidBrush(dialog_colour));
    gdi_object edit_brush_owner(CreateSolidBrush(edit_colour));
    dialog_brush = static_cast<HBRUSH>(dialog_brush_owner.get());
    edit_brush = static_cast<HBRUSH>(edit_brush_owner.get());
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN_DIALOG), nullptr, main_dialog_procedure, 0);
    dialog_brush = nullptr;
    edit_brush = nullptr;
    return 0;
}
