#include "app/dialog_pictures_win32.h"

#include "app/control_ids.h"
#include "app/picture_drawing.h"
#include "win32/scoped_handles.h"
#include "win32/window_module.h"

namespace {
int screen_dpi(int dialog_dpi) {
    if (dialog_dpi > 0) return dialog_dpi;
    const window_dc screen = get_window_dc(nullptr);
    return screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

// The picture drawn at size in a bitmap of its own; nullptr on failure,
// and for a size not drawn before any memory is taken for it.
HBITMAP drawn_picture(picture_id id, picture_size size) {
    if (!picture_size_drawable(size)) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;  // rows top first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    gdi_object bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap.valid() || !bits) return nullptr;
    const int scratch_pixels = picture_scratch_pixels(id, size);
    heap_memory scratch(scratch_pixels > 0 ? HeapAlloc(GetProcessHeap(), 0, scratch_pixels * sizeof(unsigned))
                                           : nullptr);
    if (scratch_pixels > 0 && !scratch.valid()) return nullptr;
    if (!draw_picture(id, size, static_cast<unsigned*>(bits), static_cast<unsigned*>(scratch.get()))) return nullptr;
    GdiFlush();
    return static_cast<HBITMAP>(bitmap.release());
}

// At 96 DPI the bitmap resource itself; at other scales the picture drawn
// for the scale and the button's width, never stretched. The button centres
// it and cuts what does not fit, as it does the large diagram at 96 DPI.
HBITMAP picture_for(HWND dialog, int dialog_dpi, int button, picture_id id, int resource) {
    RECT room{};
    GetClientRect(GetDlgItem(dialog, button), &room);
    const picture_size size = picture_size_in(id, screen_dpi(dialog_dpi), room.right);
    const picture_size natural = natural_picture_size(id);
    if (size.width == natural.width && size.height == natural.height)
        return LoadBitmapW(module_of(dialog), MAKEINTRESOURCEW(resource));
    return drawn_picture(id, size);
}

// Puts a picture on a button and frees the one it showed before: the button
// does not own its bitmaps.
void set_button_bitmap(HWND dialog, int button, HBITMAP bitmap) {
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
        SendDlgItemMessageW(dialog, button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous && previous != bitmap) DeleteObject(previous);
}
}  // namespace

void set_dialog_pictures(HWND dialog, int dpi, int large_diagram, int button) {
    if (button == 0 || button == IDC_PORTRAIT)
        set_button_bitmap(dialog, IDC_PORTRAIT, picture_for(dialog, dpi, IDC_PORTRAIT, picture_portrait, IDB_PORTRAIT));
    if (button == 0 || button == IDC_DIAGRAM) {
        const bool large = large_diagram != 0;
        set_button_bitmap(dialog, IDC_DIAGRAM,
                          picture_for(dialog, dpi, IDC_DIAGRAM, large ? picture_diagram_large : picture_diagram_small,
                                      large ? IDB_DIAGRAM_LARGE : IDB_DIAGRAM_SMALL));
    }
}

void release_dialog_pictures(HWND dialog) {
    set_button_bitmap(dialog, IDC_PORTRAIT, nullptr);
    set_button_bitmap(dialog, IDC_DIAGRAM, nullptr);
}
