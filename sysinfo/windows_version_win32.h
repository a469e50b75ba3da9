#pragma once
// Win32: queries the Windows version and describes it (see windows_version.h).

// Writes the description over `description` (capacity bytes), stores the
// version figures and returns how many of the two version queries answered.
int describe_windows_version(char* description, int capacity, int* major, int* minor, int* build);
