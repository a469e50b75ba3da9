#pragma once
// Win32: the main dialog and the program's run from entry to exit.
#include <windows.h>

// Everything the program entry does: common controls, start time, the two
// brushes, the modal main dialog. Returns the process exit code (0).
int run_farspan(HINSTANCE instance);

// Identifier and period of the one-shot recalculation timer.
enum { recalculation_timer_id = 1, recalculation_delay_ms = 50 };
// The set-up nobody notices in the first moments (tooltips, annotations) runs
// on this one-shot timer after the first report: a timer message comes only
// when no paint is pending, so the report is on the screen first.
enum { late_setup_timer_id = 2, late_setup_delay_ms = USER_TIMER_MINIMUM };
