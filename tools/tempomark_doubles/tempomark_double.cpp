// One stand-in behaviour of the clock tool per build (DOUBLE_<kind>).
#include <windows.h>

namespace {

[[maybe_unused]] void write_piece(const char* text, DWORD length) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, length, &written, nullptr);
}

template <DWORD N>
[[maybe_unused]] void write_piece(const char (&text)[N]) {
    write_piece(text, N - 1);
}

}  // namespace

int main() {
#if defined(DOUBLE_plain)
    write_piece("2904\r\n");
#elif defined(DOUBLE_blanks)
    write_piece("     1234\r\n");
#elif defined(DOUBLE_two_writes)
    // Apart long enough to arrive as two reads: only "2500" may count.
    write_piece("1500");
    Sleep(400);
    write_piece("2500\r\n");
#elif defined(DOUBLE_long)
    // 69 bytes in one write: read as 60 bytes, then the last 9.
    write_piece("1000                                                        777 MHz\r\n");
#elif defined(DOUBLE_silent)
    // Exits without a word.
#elif defined(DOUBLE_negative)
    write_piece("-42\r\n");
#elif defined(DOUBLE_hang)
    // Answers, but keeps its output open far beyond any sensible wait.
    write_piece("3000\r\n");
    Sleep(60000);
#else
#error "choose a DOUBLE_<kind>"
#endif
    return 0;
}
