#include "app/input_fields_win32.h"

#include <commctrl.h>

#include "app/control_table.h"
#include "win32/wide_text.h"

namespace {
// The field's whole text decides (a paste can bring any text); false when it
// is no whole number. A text too long for the buffer is not one either.
bool read_field(HWND dialog, int control_id, int& value) {
    HWND field = GetDlgItem(dialog, control_id);
    wchar_t text[64];
    if (GetWindowTextLengthW(field) >= static_cast<int>(sizeof text / sizeof text[0])) return false;
    text[0] = L'\0';
    GetWindowTextW(field, text, sizeof text / sizeof text[0]);
    char bytes[sizeof text / sizeof text[0]];
    narrow_1252(text, bytes, sizeof bytes);
    return read_whole_number(bytes, value);
}
}  // namespace

void set_up_input_fields(HWND dialog) {
    for (const control_row& row : table_rows()) {
        if (row.kind != kind_field) continue;
        SendDlgItemMessageA(dialog, row.id, EM_LIMITTEXT, row.text_limit, 0);
        SendDlgItemMessageA(dialog, row.spin, UDM_SETRANGE, 0, MAKELPARAM(row.spin_maximum, 0));
    }
    for (const control_row& row : table_rows())
        if (row.kind == kind_field) SetDlgItemInt(dialog, row.id, row.start_value, FALSE);
}

bool read_inputs(HWND dialog, int (&values)[input_field_count], bool (&unreadable)[input_field_count]) {
    bool all_read = true;
    int i = 0;
    for (const control_row& row : table_rows()) {
        if (row.kind != kind_field || i == input_field_count) continue;
        values[i] = 0;
        unreadable[i] = !read_field(dialog, row.id, values[i]);
        if (unreadable[i]) all_read = false;
        ++i;
    }
    return all_read;
}
