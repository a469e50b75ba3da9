#include "app/dialog_setup.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "app/app_texts.h"
#include "app/control_ids.h"
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

// Puts a picture on a button and frees the one it showed before: the button
// does not own its bitmaps.
void set_button_bitmap(HWND dialog, int button, HBITMAP bitmap) {
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
        SendDlgItemMessageA(dialog, button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous && previous != bitmap) DeleteObject(previous);
}
}  // namespace

void center_window(HWND window) {
    if (!window) return;
    RECT rect;
    GetWindowRect(window, &rect);
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    HWND parent = GetParent(window);
    if (!parent) parent = GetDesktopWindow();
    RECT parent_rect;
    GetWindowRect(parent, &parent_rect);
    const int pw = parent_rect.right - parent_rect.left;
    const int ph = parent_rect.bottom - parent_rect.top;
    int screen_width = 0;
    int screen_height = 0;
    {
        const window_dc dc = get_window_dc(window);
        if (dc.get()) {
            screen_width = GetDeviceCaps(dc.get(), HORZRES);
            screen_height = GetDeviceCaps(dc.get(), VERTRES);
        }
    }
    int x = parent_rect.left + (pw - w) / 2;
    if (x < 0) x = 0;
    else if (x + w > screen_width) x = screen_width - w;
    int y = parent_rect.top + (ph - h) / 2;
    if (y < 0) y = 0;
    else if (y + h > screen_height) y = screen_height - h;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

void build_system_menu(HWND dialog) {
    GetSystemMenu(dialog, TRUE);
    HMENU menu = GetSystemMenu(dialog, FALSE);
    if (!menu) return;
    char about[64];
    compose_menu_about_text(about, sizeof about, language_flag);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, SC_FARSPAN_PRINT, wide<64>(menu_print_text(language_flag)));
    AppendMenuW(menu, MF_STRING, SC_FARSPAN_ABOUT, wide<64>(about));
}

void apply_language_texts(HWND dialog) {
    SetWindowTextW(dialog, wide<64>(caption_text(language_flag)));
    for (int i = 0; i < language_text_count; ++i) {
        const control_text& row = language_texts[i];
        SetDlgItemTextW(dialog, row.control_id, wide<64>(language_flag ? row.german : row.english));
    }
    build_system_menu(dialog);
}

void set_up_main_dialog(HWND dialog) {
    center_window(dialog);

    for (const field_limit& limit : field_limits) {
        SendDlgItemMessageA(dialog, limit.field, EM_LIMITTEXT, limit.characters, 0);
        SendDlgItemMessageA(dialog, limit.spin, UDM_SETRANGE, 0, MAKELPARAM(limit.maximum, 0));
    }

    set_button_bitmap(dialog, IDC_PORTRAIT, LoadBitmapA(instance_handle, MAKEINTRESOURCEA(IDB_PORTRAIT)));
    set_button_bitmap(dialog, IDC_DIAGRAM, LoadBitmapA(instance_handle, MAKEINTRESOURCEA(IDB_DIAGRAM_SMALL)));

    // Each of these sends EN_CHANGE, which starts the timer of the first report.
    SetDlgItemInt(dialog, IDC_KILOMETRES, 85, FALSE);
    SetDlgItemInt(dialog, IDC_METRES, 0, FALSE);
    SetDlgItemInt(dialog, IDC_DEGREES, 15, FALSE);
    SetDlgItemInt(dialog, IDC_MINUTES, 0, FALSE);

    language_flag = german_for_language_id(GetUserDefaultLangID());
    apply_language_texts(dialog);

    SetClassLongPtrA(dialog, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(instance_handle, MAKEINTRESOURCEA(IDI_FARSPAN))));
    HANDLE big_icon = LoadImageA(instance_handle, MAKEINTRESOURCEA(IDI_FARSPAN), IMAGE_ICON, 48, 48, LR_DEFAULTSIZE);
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon));

    set_checked(dialog, IDC_HEIGHT, 1);
}

void switch_diagram_bitmap(HWND dialog) {
    const int resource = graphic_size_flag ? IDB_DIAGRAM_LARGE : IDB_DIAGRAM_SMALL;
    set_button_bitmap(dialog, IDC_DIAGRAM, LoadBitmapA(instance_handle, MAKEINTRESOURCEA(resource)));
}

void release_dialog_images(HWND dialog) {
    set_button_bitmap(dialog, IDC_PORTRAIT, nullptr);
    set_button_bitmap(dialog, IDC_DIAGRAM, nullptr);
    HICON big_icon = reinterpret_cast<HICON>(SendMessageA(dialog, WM_SETICON, ICON_BIG, 0));
    if (big_icon) DestroyIcon(big_icon);
}
