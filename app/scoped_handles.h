#pragma once
// Win32: small owners for the handles the program opens, so every path out
// of an operation releases what it acquired.
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

// A window's device context (the whole screen's for no window), released on every path.
class window_dc {
public:
    explicit window_dc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~window_dc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    window_dc(const window_dc&) = delete;
    window_dc& operator=(const window_dc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
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

// A GDI object (brush, font, bitmap) deleted when it goes out of scope.
class gdi_object {
public:
    explicit gdi_object(HGDIOBJ object) : object_(object) {}
    ~gdi_object() {
        if (object_) DeleteObject(object_);
    }
    gdi_object(const gdi_object&) = delete;
    gdi_object& operator=(const gdi_object&) = delete;
    HGDIOBJ get() const { return object_; }

private:
    HGDIOBJ object_;
};

// A device context made with CreateDC or handed out by the print dialog.
class owned_dc {
public:
    explicit owned_dc(HDC dc) : dc_(dc) {}
    ~owned_dc() {
        if (dc_) DeleteDC(dc_);
    }
    owned_dc(const owned_dc&) = delete;
    owned_dc& operator=(const owned_dc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Movable global memory, such as the printer setting handles.
class global_memory {
public:
    explicit global_memory(HGLOBAL handle) : handle_(handle) {}
    ~global_memory() {
        if (handle_) GlobalFree(handle_);
    }
    global_memory(const global_memory&) = delete;
    global_memory& operator=(const global_memory&) = delete;

private:
    HGLOBAL handle_;
};
