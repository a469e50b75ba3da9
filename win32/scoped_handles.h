#pragma once
// Win32: small owners for the handles the program opens, so every path out
// of an operation releases what it acquired. All share one shape: built from
// the raw handle, released by the destructor, movable but never copied, with
// get(), release() and reset().
#include <windows.h>

#include <utility>

template <typename Traits>
class scoped_handle {
public:
    using handle_type = typename Traits::handle_type;

    scoped_handle() = default;
    explicit scoped_handle(handle_type handle, Traits traits = Traits{}) : handle_(handle), traits_(traits) {}
    ~scoped_handle() { reset(); }
    scoped_handle(const scoped_handle&) = delete;
    scoped_handle& operator=(const scoped_handle&) = delete;
    scoped_handle(scoped_handle&& other) noexcept : handle_(other.release()), traits_(other.traits_) {}
    scoped_handle& operator=(scoped_handle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
            traits_ = other.traits_;
        }
        return *this;
    }

    handle_type get() const { return handle_; }
    bool valid() const { return Traits::valid(handle_); }
    // Gives the handle up without releasing it.
    handle_type release() { return std::exchange(handle_, Traits::empty()); }
    // Releases what is held (if anything) and takes `handle`; false when the
    // release itself failed.
    bool reset(handle_type handle = Traits::empty()) {
        bool released = true;
        if (valid()) released = traits_.free(handle_);
        handle_ = handle;
        return released;
    }

private:
    handle_type handle_ = Traits::empty();
    Traits traits_{};
};

// The traits: what "empty" means for each kind and how it is released.
template <typename Handle>
struct null_is_empty {
    using handle_type = Handle;
    static Handle empty() { return nullptr; }
    static bool valid(Handle handle) { return handle != nullptr; }
};

struct kernel_handle_traits {
    using handle_type = HANDLE;
    static HANDLE empty() { return nullptr; }
    static bool valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    bool free(HANDLE handle) const { return CloseHandle(handle) != FALSE; }
};

// GetDC's context goes back to the window it came from (the screen's for none).
struct window_dc_traits : null_is_empty<HDC> {
    HWND window = nullptr;
    bool free(HDC dc) const { return ReleaseDC(window, dc) != 0; }
};

struct registry_key_traits : null_is_empty<HKEY> {
    bool free(HKEY key) const { return RegCloseKey(key) == ERROR_SUCCESS; }
};

struct library_traits : null_is_empty<HMODULE> {
    bool free(HMODULE module) const { return FreeLibrary(module) != FALSE; }
};

// Brushes, fonts, bitmaps.
struct gdi_object_traits : null_is_empty<HGDIOBJ> {
    bool free(HGDIOBJ object) const { return DeleteObject(object) != FALSE; }
};

// A context made with CreateDC or handed out by the print dialog.
struct owned_dc_traits : null_is_empty<HDC> {
    bool free(HDC dc) const { return DeleteDC(dc) != FALSE; }
};

// Movable global memory, such as the printer setting handles.
struct global_memory_traits : null_is_empty<HGLOBAL> {
    bool free(HGLOBAL memory) const { return GlobalFree(memory) == nullptr; }
};

// The attribute list of one process start, in memory of its own.
struct attribute_list_traits : null_is_empty<LPPROC_THREAD_ATTRIBUTE_LIST> {
    bool free(LPPROC_THREAD_ATTRIBUTE_LIST list) const {
        DeleteProcThreadAttributeList(list);
        return HeapFree(GetProcessHeap(), 0, list) != FALSE;
    }
};

// Memory from the process heap.
struct heap_memory_traits : null_is_empty<void*> {
    bool free(void* memory) const { return HeapFree(GetProcessHeap(), 0, memory) != FALSE; }
};

// A hook set with SetWindowsHookEx.
struct windows_hook_traits : null_is_empty<HHOOK> {
    bool free(HHOOK hook) const { return UnhookWindowsHookEx(hook) != FALSE; }
};

using owned_handle = scoped_handle<kernel_handle_traits>;
using registry_key = scoped_handle<registry_key_traits>;
using loaded_library = scoped_handle<library_traits>;
using gdi_object = scoped_handle<gdi_object_traits>;
using owned_dc = scoped_handle<owned_dc_traits>;
using global_memory = scoped_handle<global_memory_traits>;
using window_dc = scoped_handle<window_dc_traits>;
using attribute_list = scoped_handle<attribute_list_traits>;
using heap_memory = scoped_handle<heap_memory_traits>;
using windows_hook = scoped_handle<windows_hook_traits>;

// The device context of a window, or of the whole screen for no window.
inline window_dc get_window_dc(HWND window) {
    window_dc_traits traits;
    traits.window = window;
    return window_dc(GetDC(window), traits);
}

// A registry key opened with `access`; an empty owner when it cannot be.
inline registry_key open_registry_key(HKEY root, const char* path, REGSAM access) {
    HKEY key = nullptr;
    return registry_key(RegOpenKeyExA(root, path, 0, access, &key) == ERROR_SUCCESS ? key : nullptr);
}

// An entry point looked up at run time, as the function type the caller names.
template <typename Function>
Function find_entry(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    FARPROC entry = GetProcAddress(module, name);
    return reinterpret_cast<Function>(reinterpret_cast<void*>(entry));
}

// An attribute list with room for `count` attributes; an empty owner when
// there is none.
inline attribute_list make_attribute_list(DWORD count) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, count, 0, &size);
    void* memory = size > 0 ? HeapAlloc(GetProcessHeap(), 0, size) : nullptr;
    if (memory == nullptr) return attribute_list();
    auto* list = static_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(memory);
    if (!InitializeProcThreadAttributeList(list, count, 0, &size)) {
        HeapFree(GetProcessHeap(), 0, memory);
        return attribute_list();
    }
    return attribute_list(list);
}

// A system library by name, from the system folder only, never from the
// program's folder, the working folder or PATH. Windows 7 without
// KB2533623 rejects the search flag (ERROR_INVALID_PARAMETER); there the
// library is loaded by its full path in the system folder.
// Not inlined: one copy serves every caller.
__attribute__((noinline)) inline loaded_library load_system_library(const wchar_t* name) {
    HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return loaded_library(module);
    wchar_t path[MAX_PATH];
    const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
    const int length = lstrlenW(name);
    if (folder == 0 || folder + 1 + length >= MAX_PATH) return loaded_library();
    path[folder] = L'\\';
    for (int i = 0; i <= length; ++i) path[folder + 1 + i] = name[i];
    return loaded_library(LoadLibraryExW(path, nullptr, 0));
}

// An entry point of a system library that is loaded at its first use, from
// the system folder only, and kept by `library` from then on; null when
// either cannot be had.
__attribute__((noinline)) inline FARPROC system_entry_address(loaded_library& library, const wchar_t* name,
                                                             const char* entry) {
    if (!library.get()) library = load_system_library(name);
    return library.get() ? GetProcAddress(library.get(), entry) : nullptr;
}

template <typename Function>
Function system_entry(loaded_library& library, const wchar_t* name, const char* entry) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(system_entry_address(library, name, entry)));
}
