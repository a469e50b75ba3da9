#pragma once
// Win32: where a helper program is started from, by full path only.

#include <cstddef>

#include "win32/scoped_handles.h"

enum {
    tool_path_capacity = 32768,  // the longest path Windows takes (32,767 characters) and its NUL
};

// Room for one such path, zeroed, on the process heap: 64 KiB would weigh on
// the stack of the dialog's thread. Check valid() before taking path().
class tool_path_buffer {
public:
    bool valid() const { return memory_.valid(); }
    wchar_t (&path())[tool_path_capacity] { return *static_cast<wchar_t(*)[tool_path_capacity]>(memory_.get()); }

private:
    heap_memory memory_{HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(wchar_t) * tool_path_capacity)};
};

// Appends `count` characters of `piece` to the `length` characters in
// `path`; false, with `path` left as it was, when they would not fit
// together with the terminating NUL. No path is ever cut short.
bool append_to_path(wchar_t (&path)[tool_path_capacity], int& length, const wchar_t* piece, std::size_t count);

// Where the tool `file_name` is started from: beside this program, else the
// system folders, else a full path on PATH; never the working folder. False,
// with `path` empty, when there is none.
bool find_frequency_tool(const wchar_t* file_name, wchar_t (&path)[tool_path_capacity]);
