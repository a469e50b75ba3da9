#pragma once
// Win32: small owners for the handles the system report opens, so every
// path out of a query releases what it acquired.
#include <windows.h>

struct owned_handle {
    HANDLE handle = nullptr;
    owned_handle() = default;
    explicit owned_handle(HANDLE h) : handle(h) {}
    owned_handle(const owned_handle&) = delete;
    owned_handle& operator=(const owned_handle&) = delete;
    ~owned_handle() { close(); }
    bool valid() const { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    // Closes now; true when there was nothing to close or the close worked.
    bool close() {
        if (!valid()) {
            handle = nullptr;
            return true;
        }
        const BOOL closed = CloseHandle(handle);
        handle = nullptr;
        return closed != FALSE;
    }
};

struct screen_dc {
    HDC dc = GetDC(nullptr);
    screen_dc() = default;
    screen_dc(const screen_dc&) = delete;
    screen_dc& operator=(const screen_dc&) = delete;
    ~screen_dc() {
        if (dc != nullptr) ReleaseDC(nullptr, dc);
    }
};

struct registry_key {
    HKEY key = nullptr;
    registry_key() = default;
    registry_key(const registry_key&) = delete;
    registry_key& operator=(const registry_key&) = delete;
    ~registry_key() {
        if (key != nullptr) RegCloseKey(key);
    }
};

struct loaded_library {
    HMODULE module;
    explicit loaded_library(const char* name) : module(LoadLibraryA(name)) {}
    loaded_library(const loaded_library&) = delete;
    loaded_library& operator=(const loaded_library&) = delete;
    ~loaded_library() {
        if (module != nullptr) FreeLibrary(module);
    }
};

// An entry point looked up at run time, as the function type the caller names.
template <typename Function>
Function find_entry(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    FARPROC entry = GetProcAddress(module, name);
    return reinterpret_cast<Function>(reinterpret_cast<void*>(entry));
}
