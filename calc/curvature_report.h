#pragma once
// The text of the curvature report and the choices that go with it.

#include "calc/curvature.h"

enum { report_buffer_size = 4096 };

// Writes the whole curvature report into buffer: the opening CR LF blank,
// head, flat and curved sections, closing section and the trailing CR LF.
// german selects the German texts (and the decimal comma).
void compose_curvature_report(const curvature_result& result, int german, char* buffer, int capacity);
