#pragma once
// Portable table of the control tooltips in both languages.

// The tip of the control with this identifier: German when `language_flag`
// is not 0, English when it is 0. Null for controls without a tip (the
// output box, the labels, anything unknown).
const char* tooltip_text(int control_id, int language_flag);
