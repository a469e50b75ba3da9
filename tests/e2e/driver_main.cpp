// The entry of every end-to-end driver: GoogleTest takes its own flags, the
// rest are the driver's arguments.
#include "driver.h"

namespace e2e {
namespace {
std::vector<std::string>& leftover() {
    static std::vector<std::string> words;
    return words;
}
}  // namespace

const std::vector<std::string>& arguments() { return leftover(); }

std::string argument(std::size_t i, const char* fallback) {
    return i < leftover().size() ? leftover()[i] : std::string(fallback);
}
}  // namespace e2e

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) e2e::leftover().push_back(argv[i]);
    const int status = RUN_ALL_TESTS();
    // A CTest entry whose filter matches nothing must not pass unseen.
    if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::printf("no test matched the filter\n");
        return 1;
    }
    return status;
}
