#pragma once
// Win32: what screen readers learn of the main dialog beyond the controls'
// own texts.
#include <windows.h>

// Names every control that its own text or the label before it would name
// wrongly, and gives each control its tooltip text as description, in the
// current language and measure mode. Call again after either changes.
void name_controls(HWND dialog);
// Tells screen readers that the output box holds a new report.
void announce_report(HWND dialog);
// Takes the annotations off again and lets go of the annotation service.
void release_control_names(HWND dialog);
