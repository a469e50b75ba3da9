#include "calc/recalculate.h"

#include "app/app_state.h"
#include "app/control_ids.h"
#include "calc/curvature.h"
#include "calc/curvature_report.h"
#include "calc/text.h"
#include "sysinfo/system_report_win32.h"
#include "win32/scoped_handles.h"
#include "win32/wide_text.h"

namespace {
// The output box's font made at a scale other than the system's, kept while
// the box shows it (stock fonts are never freed), with what it was made from.
gdi_object output_font_made;
HGDIOBJ output_font_made_from = nullptr;
int output_font_made_at = 0;

// An empty field is not read and counts as 0.
int read_field(HWND dialog, int control_id) {
    if (GetWindowTextLengthA(GetDlgItem(dialog, control_id)) <= 0) return 0;
    // Unsigned reading, taken as signed: huge values turn negative and the
    // calculation's clamps catch them.
    return static_cast<int>(GetDlgItemInt(dialog, control_id, nullptr, FALSE));
}
}  // namespace

void set_output_font(HWND dialog) {
    const HGDIOBJ stock = GetStockObject(output_font_stock_object(output_font_index));
    HGDIOBJ font = stock;
    gdi_object scaled;  // made now, in place of the one made before
    int system_dpi = 0;
    if (dialog_dpi > 0) {
        const window_dc screen = get_window_dc(nullptr);
        if (screen.get()) system_dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    if (system_dpi > 0 && dialog_dpi != system_dpi) {
        LOGFONTW face;
        // Every report sets the font: the one made for this stock font and scale serves again.
        if (output_font_made.valid() && output_font_made_from == stock && output_font_made_at == dialog_dpi) {
            font = output_font_made.get();
        } else if (GetObjectW(stock, sizeof face, &face) == sizeof face) {
            face.lfHeight = MulDiv(face.lfHeight, dialog_dpi, system_dpi);
            face.lfWidth = MulDiv(face.lfWidth, dialog_dpi, system_dpi);
            scaled.reset(CreateFontIndirectW(&face));
            if (scaled.valid()) font = scaled.get();
        }
    }
    // The box lays its text out anew for every font it is given (about 20 ms
    // under Wine, as long as setting the text): only a changed font is given.
    if (reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(dialog, IDC_OUTPUT, WM_GETFONT, 0, 0)) == font) return;
    SendDlgItemMessageW(dialog, IDC_OUTPUT, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    if (font == output_font_made.get()) return;
    // The box now holds the new font: the one made before is out of use.
    output_font_made = std::move(scaled);
    output_font_made_from = stock;
    output_font_made_at = dialog_dpi;
}

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

    ShowWindow(GetDlgItem(dialog, IDC_OUTPUT), SW_HIDE);
    set_output_font(dialog);
    SetDlgItemTextW(dialog, IDC_OUTPUT, wide<report_buffer_size>(report));
    ShowWindow(GetDlgItem(dialog, IDC_OUTPUT), SW_SHOW);
}
