#include "app/input_fields_win32.h"

#include <commctrl.h>

#include "app/control_ids.h"
#include "win32/wide_text.h"

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
    for (const field_limit& limit : field_limits) {
        SendDlgItemMessageA(dialog, limit.field, EM_LIMITTEXT, limit.characters, 0);
        SendDlgItemMessageA(dialog, limit.spin, UDM_SETRANGE, 0, MAKELPARAM(limit.maximum, 0));
    }
    SetDlgItemInt(dialog, IDC_KILOMETRES, 85, FALSE);
    SetDlgItemInt(dialog, IDC_METRES, 0, FALSE);
    SetDlgItemInt(dialog, IDC_DEGREES, 15, FALSE);
    SetDlgItemInt(dialog, IDC_MINUTES, 0, FALSE);
}

bool read_inputs(HWND dialog, int (&values)[input_field_count], bool (&unreadable)[input_field_count]) {
    const int fields[input_field_count] = {IDC_KILOMETRES, IDC_METRES, IDC_DEGREES, IDC_MINUTES};
    bool all_read = true;
    for (int i = 0; i < input_field_count; ++i) {
        values[i] = 0;
        unreadable[i] = !read_field(dialog, fields[i], values[i]);
        if (unreadable[i]) all_read = false;
    }
    return all_read;
}
