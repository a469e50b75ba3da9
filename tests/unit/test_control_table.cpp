#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/control_table.h"

namespace {

std::string file_text(const std::string& relative) {
    std::ifstream in(std::string(FARSPAN_SOURCE_DIR) + "/" + relative);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The values app/control_ids.h gives the IDC_ names.
std::map<std::string, int> control_ids() {
    std::map<std::string, int> ids;
    const std::string text = file_text("app/control_ids.h");
    const std::regex define(R"(#define\s+(IDC_\w+)\s+(\d+))");
    for (std::sregex_iterator it(text.begin(), text.end(), define), end; it != end; ++it)
        ids[(*it)[1]] = std::stoi((*it)[2]);
    return ids;
}

// The IDC_ name of every control statement of the main dialog's template, in
// whatever form it is written (CONTROL, PUSHBUTTON, AUTOCHECKBOX, ...).
std::vector<std::string> template_controls() {
    std::vector<std::string> names;
    std::istringstream lines(file_text("resources/farspan.rc"));
    std::string line;
    bool inside = false;
    const std::regex name(R"(\b(IDC_\w+)\b)");
    while (std::getline(lines, line)) {
        if (line.find("IDD_MAIN_DIALOG") == 0) inside = true;
        if (!inside || line.find("//") != std::string::npos) continue;
        if (line == "END") break;
        std::smatch match;
        if (std::regex_search(line, match, name)) names.push_back(match[1]);
    }
    return names;
}

}  // namespace

// A control added to the template without its row, or a row whose control
// went, would miss its texts, tip, names or limits.
TEST(ControlTable, EveryTemplateControlHasOneRowAndEveryRowAControl) {
    const std::map<std::string, int> ids = control_ids();
    const std::vector<std::string> names = template_controls();
    ASSERT_GT(names.size(), 20u);
    std::multiset<int> in_template;
    for (const std::string& name : names) {
        ASSERT_EQ(ids.count(name), 1u) << name << " has no value in control_ids.h";
        in_template.insert(ids.at(name));
    }
    for (const std::string& name : names) {
        int rows = 0;
        for (int i = 0; i < control_row_count; ++i) rows += control_rows[i].id == ids.at(name) ? 1 : 0;
        EXPECT_EQ(rows, 1) << name << " in the template";
    }
    for (int i = 0; i < control_row_count; ++i)
        EXPECT_EQ(in_template.count(control_rows[i].id), 1u) << "row of control " << control_rows[i].id;
}
