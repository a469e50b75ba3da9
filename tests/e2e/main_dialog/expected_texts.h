#pragma once
// The main dialog's expected texts live once, in tests/expected/.
#include "tests/expected/main_dialog_texts.h"
#include "tests/expected/start_report.h"
