#include "sysinfo/tool_search_win32.h"

#include <windows.h>

#include <cwchar>

bool append_to_path(wchar_t (&path)[tool_path_capacity], int& length, const wchar_t* piece, std::size_t count) {
    if (count > static_cast<std::size_t>(tool_path_capacity - 1 - length)) return false;
    for (std::size_t i = 0; i < count; ++i) path[length + i] = piece[i];
    length += static_cast<int>(count);
    path[length] = L'\0';
    return true;
}

namespace {

// Whether `path` names a file (not a folder).
bool is_file(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Only a full path ("C:\..." or "\\server\..."): a relative PATH entry
// such as "." would lead back to the working folder.
bool is_absolute(const wchar_t* folder, int length) {
    return (length >= 3 && folder[1] == L':' && (folder[2] == L'\\' || folder[2] == L'/')) ||
           (length >= 2 && folder[0] == L'\\' && folder[1] == L'\\');
}

// Builds folder + file name in `path` (the folder's quotes dropped) and
// says whether that is a file; only a full folder path is tried.
bool in_folder(const wchar_t* folder, std::size_t folder_length, const wchar_t* file_name,
               wchar_t (&path)[tool_path_capacity]) {
    int length = 0;
    path[0] = L'\0';
    for (std::size_t i = 0; i < folder_length; ++i) {
        if (folder[i] != L'"' && !append_to_path(path, length, &folder[i], 1)) return false;
    }
    if (!is_absolute(path, length)) return false;
    if (path[length - 1] != L'\\' && path[length - 1] != L'/' && !append_to_path(path, length, L"\\", 1)) return false;
    return append_to_path(path, length, file_name, std::wcslen(file_name)) && is_file(path);
}

}  // namespace

bool find_frequency_tool(const wchar_t* file_name, wchar_t (&path)[tool_path_capacity]) {
    // Beside the program first, by the full path it was loaded from.
    const DWORD loaded = GetModuleFileNameW(nullptr, path, tool_path_capacity);
    if (loaded == 0 || loaded >= static_cast<DWORD>(tool_path_capacity)) {
        path[0] = L'\0';
        return false;
    }
    const wchar_t* last_separator = std::wcsrchr(path, L'\\');
    int length = last_separator ? static_cast<int>(last_separator - path) + 1 : 0;
    path[length] = L'\0';
    if (append_to_path(path, length, file_name, std::wcslen(file_name)) && is_file(path)) return true;

    // Then the standard search without the working folder: the system
    // folders, then each full path on PATH. Done here rather than left to
    // the system, which takes the working folder out only for a process-wide
    // environment variable that every child would inherit.
    UINT(WINAPI * const system_folders[])(LPWSTR, UINT) = {GetSystemDirectoryW, GetWindowsDirectoryW};
    for (auto query : system_folders) {
        wchar_t folder[MAX_PATH];
        const UINT folder_length = query(folder, MAX_PATH);
        if (folder_length > 0 && folder_length < MAX_PATH && in_folder(folder, folder_length, file_name, path))
            return true;
    }
    // Room for the longest value an environment variable can hold, with its NUL.
    tool_path_buffer buffer;
    const DWORD path_length = buffer.valid() ? GetEnvironmentVariableW(L"PATH", buffer.path(), tool_path_capacity) : 0;
    if (path_length > 0 && path_length < static_cast<DWORD>(tool_path_capacity)) {
        const wchar_t* search_path = buffer.path();
        for (DWORD from = 0; from <= path_length;) {
            DWORD end = from;
            while (end < path_length && search_path[end] != L';') ++end;
            if (in_folder(search_path + from, end - from, file_name, path)) return true;
            from = end + 1;
        }
    }
    path[0] = L'\0';
    return false;
}
