// Holds farspan.exe's dialog open for take_screenshots.sh, in the look asked
// for; not a test.
//   main_dialog_pose [plain|colours|system|mountain]
#include <windows.h>

#include <string>

#include "driver.h"
#include "tests/expected/control_ids.h"

using namespace e2e;

int main(int argc, char** argv) {
    const std::string look = argc > 1 ? argv[1] : "plain";
    app a;
    if (!start_app(a, "farspan.exe")) return 1;
    if (!wait_output_shown(a, 5000)) {
        stop_app(a);
        return 1;
    }
    if (look == "colours") click(item(a, ctl::colour));
    if (look == "system") click(item(a, ctl::ram_info));
    if (look == "mountain") {  // 4,800 m at 1 degree: the passes miss, the exact figures come first
        set_text(item(a, ctl::kilometres), "4");
        set_text(item(a, ctl::metres), "800");
        set_text(item(a, ctl::degrees), "1");
        wait_output_shown(a, 5000);
    }
    Sleep(8000);
    return stop_app(a) == 0 ? 0 : 1;
}
