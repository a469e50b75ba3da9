#include <windows.h>

#include "app/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return run_farspan(instance); }
