#include "calc/recalculate.h"

#include "app/app_state.h"
#include "app/control_ids.h"
#include "calc/curvature.h"
#include "calc/curvature_report.h"
#include "calc/text.h"
#include "sysinfo/system_report_win32.h"
#include "win32/wide_text.h"

namespace {
// An empty field is not read and counts as 0.
int read_field(HWND dialog, int control_id) {
    if (GetWindowTextLengthA(GetDlgItem(dialog, control_id)) <= 0) return 0;
    // Unsigned reading, taken as signed: huge values turn negative and the
    // calculation's clamps catch them.
    return static_cast<int>(GetDlgItemInt(dialog, control_id, nullptr, FALSE));
}
}  // namespace

void read_inputs(HWND dialog, int& kilometres, int& metres, int& degrees, int& minutes) {
    kilometres = read_field(dialog, IDC_KILOMETRES);
    metres = read_field(dialog, IDC_METRES);
    degrees = read_field(dialog, IDC_DEGREES);
    minutes = read_field(dialog, IDC_MINUTES);
}

void recalculate(HWND dialog) {
    int kilometres = 0, metres = 0, degrees = 0, minutes = 0;
    read_inputs(dialog, kilometres, metres, degrees, minutes);

    char report[report_buffer_size];
    copy_text(report, "\r\n ");

    const measure_mode mode = is_checked(dialog, IDC_DISTANCE) ? mode_distance : mode_height;
    SetDlgItemTextW(dialog, IDC_LENGTH_LABEL, wide<32>(length_label_text(mode, language_flag)));

    if (is_checked(dialog, IDC_RAMINFO)) {
        compose_system_report(report, sizeof report, language_flag);
        append_text(report, "\r\n");
    } else {
        const curvature_result result = compute_curvature(kilometres, metres, degrees, minutes, mode);
        compose_curvature_report(result, language_flag, report, sizeof report);
    }

    HGDIOBJ font = GetStockObject(output_font_stock_object(output_font_index));
    SendDlgItemMessageA(dialog, IDC_OUTPUT, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    SetDlgItemTextW(dialog, IDC_OUTPUT, wide<report_buffer_size>(report));
    ShowWindow(GetDlgItem(dialog, IDC_OUTPUT), SW_SHOW);
}
