#include "app/accessibility_win32.h"

#include <objbase.h>
#include <oleacc.h>

#include "app/control_ids.h"
#include "app/control_table.h"
#include "win32/scoped_handles.h"
#include "win32/wide_text.h"

namespace {
// Defined here rather than taken from oleacc's import library, which the
// program does not link: oleacc is loaded at run time from System32.
const CLSID clsid_acc_prop_services = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
const IID iid_acc_prop_services = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
const GUID prop_name = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
const GUID prop_description = {0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};
// UI Automation's LiveSetting, which the annotation service carries as well.
const GUID prop_live_setting = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
const int live_polite = 1;

// The annotation service from oleacc in System32, through the library's own
// class factory: no registry look-up decides which file is loaded.
IAccPropServices* annotation_service(annotation_state& annotations) {
    IAccPropServices*& services = annotations.services;
    if (services) return services;
    if (!annotations.oleacc.get()) annotations.oleacc = load_system_library(L"oleacc.dll");
    typedef HRESULT(WINAPI * get_class_fn)(REFCLSID, REFIID, void**);
    const auto get_class = find_entry<get_class_fn>(annotations.oleacc.get(), "DllGetClassObject");
    IClassFactory* factory = nullptr;
    if (!get_class || FAILED(get_class(clsid_acc_prop_services, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
        return nullptr;
    void* made = nullptr;
    if (SUCCEEDED(factory->CreateInstance(nullptr, iid_acc_prop_services, &made)))
        services = static_cast<IAccPropServices*>(made);
    factory->Release();
    return services;
}

void annotate(IAccPropServices* services, HWND control, const GUID& property, const char* text) {
    if (!text) return;
    services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, property, wide<96>(text));
}
}  // namespace

void name_controls(HWND dialog, const dialog_choices& choices, annotation_state& annotations) {
    const int german = german_flag(choices.language);
    const int distance = choices.mode == mode_distance ? 1 : 0;
    // Pictures and up-down controls show no text of their own: their window
    // text is their name, which every accessibility layer reads.
    for (const control_row& row : table_rows()) {
        if (row.kind == kind_spin || row.kind == kind_picture_button)
            SetDlgItemTextW(dialog, row.id, wide<96>(accessible_name(row.id, distance, german)));
    }
    // The fields and the output box would take the label before them.
    IAccPropServices* services = annotations.on ? annotation_service(annotations) : nullptr;
    if (!services) return;
    for (const control_row& row : table_rows()) {
        if (!row.annotated) continue;
        HWND control = GetDlgItem(dialog, row.id);
        annotate(services, control, prop_name, accessible_name(row.id, distance, german));
        annotate(services, control, prop_description, tooltip_text(row.id, german));
    }
}

void annotate_controls(HWND dialog, const dialog_choices& choices, annotation_state& annotations) {
    annotations.on = true;
    name_controls(dialog, choices, annotations);
    HWND output = GetDlgItem(dialog, IDC_OUTPUT);
    if (IAccPropServices* services = annotations.services) {
        VARIANT polite = {};
        polite.vt = VT_I4;
        polite.lVal = live_polite;
        services->SetHwndProp(output, OBJID_CLIENT, CHILDID_SELF, prop_live_setting, polite);
    }
    // The report on show was not announced: this is its one announcement.
    if (IsWindowVisible(output)) announce_report(dialog, annotations);
}

void announce_report(HWND dialog, const annotation_state& annotations) {
    if (!annotations.on) return;
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, GetDlgItem(dialog, IDC_OUTPUT), OBJID_CLIENT, CHILDID_SELF);
}

void release_control_names(HWND dialog, annotation_state& annotations) {
    annotations.on = false;
    IAccPropServices*& services = annotations.services;
    if (!services) return;
    const MSAAPROPID properties[] = {prop_name, prop_description, prop_live_setting};
    for (const control_row& row : table_rows()) {
        if (row.annotated) services->ClearHwndProps(GetDlgItem(dialog, row.id), OBJID_CLIENT, CHILDID_SELF, properties, 3);
    }
    services->Release();
    services = nullptr;
}
