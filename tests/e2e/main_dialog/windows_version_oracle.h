#pragma once
// What the system report must say of the Windows this driver runs on,
// worked out by the test itself: a table of the Windows versions the test
// prefix is set to, and the driver's own version queries for the build, the
// edition and the service pack.
#include <string>

struct expected_windows {
    std::string lines;    // the operating-system lines of the English system report
    std::string found;    // what the driver's queries answered, for a failure message
    std::string problem;  // why no lines could be worked out ("" when they could)
};

// `name` as the test script gives it: "7", "8.1", "10" or "11".
expected_windows expected_windows_for(const std::string& name);
