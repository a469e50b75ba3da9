#pragma once
// Win32: what screen readers learn of the main dialog beyond the controls'
// own texts.
#include <windows.h>

#include "app/dialog_choices.h"
#include "win32/scoped_handles.h"

struct IAccPropServices;

// The screen-reader annotations: the service from oleacc, and whether they
// are on (from after the first report).
struct annotation_state {
    loaded_library oleacc;
    IAccPropServices* services = nullptr;
    bool on = false;
};

// Names every control that its own text or the label before it would name
// wrongly, and (once annotate_controls has run) gives each control its
// tooltip text as description, in the current language and measure mode.
// Call again after either changes.
void name_controls(HWND dialog, const dialog_choices& choices, annotation_state& annotations);
// The annotations (names, descriptions, the output box as a polite live
// region), set once the first report is painted: loading oleacc before would
// delay it. Announces the report on show, which was not announced before.
void annotate_controls(HWND dialog, const dialog_choices& choices, annotation_state& annotations);
// Tells screen readers that the output box holds a new report (from
// annotate_controls on).
void announce_report(HWND dialog, const annotation_state& annotations);
// Takes the annotations off again and lets go of the annotation service.
void release_control_names(HWND dialog, annotation_state& annotations);
