#include "app/dialog_setup_win32.h"

#include "app/app_texts.h"
#include "app/control_ids.h"
#include "app/control_table.h"
#include "app/dialog_icons_win32.h"
#include "app/dialog_pictures_win32.h"
#include "app/dialog_scale.h"
#include "app/input_fields_win32.h"
#include "app/window_menu_win32.h"
#include "app/window_placement_win32.h"
#include "win32/check_box.h"
#include "win32/scoped_handles.h"
#include "win32/wide_text.h"

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

// The list's items in the language, the chosen one kept (at first its start value).
void fill_list(HWND dialog, const control_row& row, int german) {
    const LRESULT chosen = SendDlgItemMessageW(dialog, row.id, CB_GETCURSEL, 0, 0);
    SendDlgItemMessageW(dialog, row.id, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < row.item_count; ++i)
        SendDlgItemMessageW(dialog, row.id, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(wide<32>(list_item_text(row.id, i, german)))));
    SendDlgItemMessageW(dialog, row.id, CB_SETCURSEL, chosen == CB_ERR ? row.start_value : chosen, 0);
}
}  // namespace

void apply_language_texts(HWND dialog, int german) {
    SetWindowTextW(dialog, wide<64>(caption_text(german)));
    for (const control_row& row : table_rows()) {
        if (row.caption.german) SetDlgItemTextW(dialog, row.id, wide<64>(in_language(row.caption, german)));
        if (row.kind == kind_list) fill_list(dialog, row, german);
    }
    build_window_menu(dialog, german);
}

void set_up_main_dialog(HWND dialog, dialog_state& state) {
    center_window(dialog);
    state.dpi = dialog_scale(dialog);
    set_small_icon(dialog, state.dpi);
    set_up_input_fields(dialog);
    set_dialog_pictures(dialog, state.dpi, state.choices.large_diagram);
    state.choices.language = start_language(GetUserDefaultLangID());
    apply_language_texts(dialog, german_flag(state.choices.language));
    set_dialog_icons(dialog);
    set_checked(dialog, state.choices.mode == mode_distance ? IDC_DISTANCE : IDC_HEIGHT, true);
}
