#include "print/print_output_box.h"

// Placeholder until printing is built.
int print_output_box(HWND, HWND, const char*) { return 0; }
