#pragma once
// The one crossing between the program's Windows-1252 texts and the UTF-16
// that the wide Windows calls take. The ANSI calls would read the bytes in
// the system's code page, which breaks every umlaut outside 1252.
#include <windows.h>

// `text` as UTF-16 in `out` (capacity in wchar_t, terminator included),
// cut to fit. Each 1252 byte is one UTF-16 unit, so cutting the bytes first
// bounds the result.
inline void widen_1252(const char* text, wchar_t* out, int capacity) {
    if (capacity <= 0) return;
    int length = 0;
    while (text && text[length] && length < capacity - 1) ++length;
    const int written = length > 0 ? MultiByteToWideChar(1252, 0, text, length, out, capacity - 1) : 0;
    out[written > 0 ? written : 0] = L'\0';
}

// `text` as 1252 bytes in `out` (capacity in bytes, terminator included),
// cut to fit; what 1252 cannot hold becomes "?", never a look-alike.
inline void narrow_1252(const wchar_t* text, char* out, int capacity) {
    if (capacity <= 0) return;
    int length = 0;
    while (text && text[length] && length < capacity - 1) ++length;
    const int written = length > 0 ? WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, text, length, out,
                                                         capacity - 1, "?", nullptr)
                                   : 0;
    out[written > 0 ? written : 0] = '\0';
}

// A 1252 text held as UTF-16 for one call: SetWindowTextW(w, wide<64>(text)).
template <int N>
struct wide {
    wchar_t text[N];
    explicit wide(const char* bytes) { widen_1252(bytes, text, N); }
    operator const wchar_t*() const { return text; }
};
