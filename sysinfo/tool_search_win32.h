#pragma once
// Win32: where a helper program is started from, by full path only.

#include <cstddef>

enum {
    tool_path_capacity = 32768,  // the longest path Windows takes (32,767 characters) and its NUL
};

// Appends `count` characters of `piece` to the `length` characters in
// `path`; false, with `path` left as it was, when they would not fit
// together with the terminating NUL. No path is ever cut short.
bool append_to_path(wchar_t (&path)[tool_path_capacity], int& length, const wchar_t* piece, std::size_t count);

// Where the tool `file_name` is started from: beside this program, else the
// system folders, else a full path on PATH; never the working folder. False,
// with `path` empty, when there is none.
bool find_frequency_tool(const wchar_t* file_name, wchar_t (&path)[tool_path_capacity]);
