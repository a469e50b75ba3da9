#include "app/output_box_win32.h"

#include "calc/curvature.h"
#include "calc/curvature_report.h"
#include "app/dialog_choices.h"
#include "app/input_fields_win32.h"
#include "calc/text.h"
#include "sysinfo/system_report_win32.h"
#include "app/control_ids.h"
#include "win32/scoped_handles.h"
#include "win32/wide_text.h"

namespace {
// The stock font's cell height; gives the system's DPI.
int describe_stock_font(HGDIOBJ stock, int& cell_height) {
    cell_height = 0;
    const window_dc screen = get_window_dc(nullptr);
    if (!screen.get()) return 0;
    const HGDIOBJ previous = SelectObject(screen.get(), stock);
    TEXTMETRICW metrics;
    if (GetTextMetricsW(screen.get(), &metrics)) cell_height = metrics.tmHeight;
    SelectObject(screen.get(), previous);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

// The font the choice names, made anew (nullptr for the stock font itself).
HFONT make_output_font(HGDIOBJ stock, const output_font_choice& choice, int system_dpi, int dialog_dpi) {
    LOGFONTW face;
    if (choice.kind == output_font_stock || GetObjectW(stock, sizeof face, &face) != sizeof face) return nullptr;
    if (choice.kind == output_font_scaled_copy) {
        face.lfHeight = MulDiv(face.lfHeight, dialog_dpi, system_dpi);
        face.lfWidth = MulDiv(face.lfWidth, dialog_dpi, system_dpi);
    } else {
        face.lfHeight = choice.height;  // positive: the cell height, as the stock font's
        face.lfWidth = 0;
        face.lfOutPrecision = OUT_TT_PRECIS;
        face.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        widen_1252(choice.face, face.lfFaceName, LF_FACESIZE);
    }
    return CreateFontIndirectW(&face);
}

// The height a made font was asked for (0 for none).
LONG asked_height(const gdi_object& font) {
    LOGFONTW face;
    return font.valid() && GetObjectW(font.get(), sizeof face, &face) == sizeof face ? face.lfHeight : 0;
}
}  // namespace

void hide_output_box(HWND dialog) { ShowWindow(GetDlgItem(dialog, IDC_OUTPUT), SW_HIDE); }

void set_output_font(HWND dialog, dialog_state& state) {
    output_font_cache& cache = state.output_font;
    const HGDIOBJ stock = GetStockObject(output_font_stock_object(state.choices.output_font_index));
    // The system's scale and a stock font's metrics hold for the whole run:
    // the screen is asked once per stock font, not at every report.
    if (stock != cache.described) {
        cache.system_dpi = describe_stock_font(stock, cache.cell_height);
        cache.described = stock;
    }
    RECT box{};
    GetClientRect(GetDlgItem(dialog, IDC_OUTPUT), &box);
    const output_font_choice choice =
        choose_output_font(state.choices.output_font_index, cache.cell_height, cache.system_dpi, state.dpi, box.bottom);
    HGDIOBJ font = stock;
    gdi_object made;  // made now, in place of the one made before
    // Every report sets the font: the one made for this stock font, scale and
    // box height (after a scale change the box may take its new size later) serves again.
    if (choice.kind != output_font_stock && cache.made.valid() && cache.made_from == stock &&
        cache.made_at == state.dpi && (choice.kind != output_font_stand_in || asked_height(cache.made) == choice.height)) {
        font = cache.made.get();
    } else {
        made.reset(make_output_font(stock, choice, cache.system_dpi, state.dpi));
        if (made.valid()) font = made.get();
    }
    // The box lays its text out anew for every font it is given (about 20 ms
    // under Wine, as long as setting the text): only a changed font is given.
    if (reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(dialog, IDC_OUTPUT, WM_GETFONT, 0, 0)) == font) return;
    SendDlgItemMessageW(dialog, IDC_OUTPUT, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    if (font == cache.made.get()) return;
    // The box now holds the new font: the one made before is out of use.
    cache.made = std::move(made);
    cache.made_from = stock;
    cache.made_at = state.dpi;
}

void recalculate(HWND dialog, dialog_state& state) {
    int values[input_field_count];
    bool unreadable[input_field_count];
    const bool all_read = read_inputs(dialog, values, unreadable);

    char report[report_buffer_size];

    const measure_mode mode = state.choices.mode;
    const int german = german_flag(state.choices.language);
    SetDlgItemTextW(dialog, IDC_LENGTH_LABEL, wide<32>(length_label_text(mode, german)));

    if (state.choices.ram_info) {
        compose_system_report(report, sizeof report, german, state.program_start_seconds);
        append_text(report, "\r\n");
    } else if (!all_read) {
        compose_unreadable_report(unreadable, german, report, sizeof report);
    } else {
        const curvature_result result = compute_curvature(values[0], values[1], values[2], values[3], mode,
                                                          sight_conditions{values[4], state.choices.refraction});
        compose_curvature_report(result, german, report, sizeof report);
    }

    ShowWindow(GetDlgItem(dialog, IDC_OUTPUT), SW_HIDE);
    set_output_font(dialog, state);
    SetDlgItemTextW(dialog, IDC_OUTPUT, wide<report_buffer_size>(report));
    ShowWindow(GetDlgItem(dialog, IDC_OUTPUT), SW_SHOW);
}
