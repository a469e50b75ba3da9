#include "print/pagination.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// Courier New 12 pt on a 300 dpi A4 page as Wine's PostScript driver reports it.
const int a4_width = 2479;
const int a4_height = 3508;

TEST(PrintLayout, FontSizeDropsTenthsOfAPoint) {
    EXPECT_EQ(print_size_points(105), 10);
    EXPECT_EQ(print_size_points(120), 12);
    EXPECT_EQ(print_size_points(99), 9);
    EXPECT_EQ(print_size_points(5), 0);
}

TEST(PrintLayout, TypicalPageFromFontMetrics) {
    print_layout layout{};
    ASSERT_EQ(compute_print_layout(40, 56, 2, 30, a4_width, a4_height, &layout), 1);
    EXPECT_EQ(layout.line_height, 58);        // height plus external leading
    EXPECT_EQ(layout.chars_per_line, 82);     // 2479 / 30, truncated
    EXPECT_EQ(layout.lines_per_page, 60);     // 3508 / 58, truncated
    EXPECT_EQ(layout.page_count, 1);
}

TEST(PrintLayout, PageCountRoundsUpButAddsNoBlankPageOnExactMultiple) {
    print_layout layout{};
    // 100 / 20 = 5 lines per page.
    ASSERT_EQ(compute_print_layout(10, 20, 0, 10, 100, 100, &layout), 1);
    EXPECT_EQ(layout.lines_per_page, 5);
    EXPECT_EQ(layout.page_count, 2);
    ASSERT_EQ(compute_print_layout(11, 20, 0, 10, 100, 100, &layout), 1);
    EXPECT_EQ(layout.page_count, 3);
    ASSERT_EQ(compute_print_layout(9, 20, 0, 10, 100, 100, &layout), 1);
    EXPECT_EQ(layout.page_count, 2);
}

TEST(PrintLayout, EmptyBoxStillHasOnePage) {
    // An empty edit control answers one line to EM_GETLINECOUNT.
    print_layout layout{};
    ASSERT_EQ(compute_print_layout(1, 50, 0, 30, a4_width, a4_height, &layout), 1);
    EXPECT_EQ(layout.page_count, 1);
    EXPECT_EQ(page_line_count(0, layout.lines_per_page, 1), 1);
}

TEST(PrintLayout, FontTooLargeForThePageIsAFailureNotADivisionByZero) {
    print_layout layout{1, 1, 1, 1};
    // Not one line fits the page height.
    EXPECT_EQ(compute_print_layout(10, a4_height + 1, 0, 30, a4_width, a4_height, &layout), 0);
    EXPECT_EQ(layout.lines_per_page, 0);
    EXPECT_EQ(layout.page_count, 0);
    EXPECT_EQ(layout.line_height, 0);
    // The external leading alone pushes the line past the page.
    EXPECT_EQ(compute_print_layout(10, a4_height, 1, 30, a4_width, a4_height, &layout), 0);
    // Not one character fits the page width.
    EXPECT_EQ(compute_print_layout(10, 50, 0, a4_width + 1, a4_width, a4_height, &layout), 0);
    EXPECT_EQ(layout.chars_per_line, 0);
    // Exactly one line and one character still print.
    ASSERT_EQ(compute_print_layout(3, a4_height, 0, a4_width, a4_width, a4_height, &layout), 1);
    EXPECT_EQ(layout.lines_per_page, 1);
    EXPECT_EQ(layout.chars_per_line, 1);
    EXPECT_EQ(layout.page_count, 3);
}

TEST(PrintLayout, NonsenseMetricsAreRefused) {
    print_layout layout{};
    EXPECT_EQ(compute_print_layout(10, 0, 0, 30, a4_width, a4_height, &layout), 0);
    EXPECT_EQ(compute_print_layout(10, 50, -50, 30, a4_width, a4_height, &layout), 0);
    EXPECT_EQ(compute_print_layout(10, 50, 0, 0, a4_width, a4_height, &layout), 0);
    EXPECT_EQ(compute_print_layout(10, 50, 0, -3, a4_width, a4_height, &layout), 0);
    EXPECT_EQ(compute_print_layout(10, 50, 0, 30, 0, a4_height, &layout), 0);
    EXPECT_EQ(compute_print_layout(10, 50, 0, 30, a4_width, 0, &layout), 0);
    EXPECT_EQ(compute_print_layout(-1, 50, 0, 30, a4_width, a4_height, &layout), 0);
    // Smallest sensible figures: no lines (no pages), a line one unit high.
    EXPECT_EQ(compute_print_layout(0, 50, 0, 30, a4_width, a4_height, &layout), 1);
    EXPECT_EQ(layout.page_count, 0);
    EXPECT_EQ(compute_print_layout(10, 1, 0, 1, 10, 10, &layout), 1);
    // A leading that would wrap a 32-bit sum around to a small height.
    EXPECT_EQ(compute_print_layout(10, INT_MAX, INT_MAX, 30, a4_width, a4_height, &layout), 0);
}

TEST(PrintLayout, HugeLineCountDoesNotOverflowThePageCount) {
    print_layout layout{};
    ASSERT_EQ(compute_print_layout(INT_MAX, 20, 0, 10, 100, 100, &layout), 1);
    EXPECT_EQ(layout.page_count, INT_MAX / 5 + 1);
}

TEST(PageLines, LastPageIsPartlyFilledAndNothingLiesBeyond) {
    EXPECT_EQ(page_line_count(0, 5, 12), 5);
    EXPECT_EQ(page_line_count(1, 5, 12), 5);
    EXPECT_EQ(page_line_count(2, 5, 12), 2);
    EXPECT_EQ(page_line_count(3, 5, 12), 0);
    EXPECT_EQ(page_line_count(1, 5, 10), 5);
    EXPECT_EQ(page_line_count(2, 5, 10), 0);
    EXPECT_EQ(page_line_count(-1, 5, 10), 0);
    EXPECT_EQ(page_line_count(0, 0, 10), 0);
    EXPECT_EQ(page_line_count(9, 1, 10), 1);
    EXPECT_EQ(page_line_count(INT_MAX, INT_MAX, INT_MAX), 0);
}

TEST(PageLines, EveryLineIsPrintedOnceInOrderAcrossThePages) {
    for (int line_count = 1; line_count <= 40; ++line_count) {
        for (int text_height = 7; text_height <= 40; text_height += 11) {
            print_layout layout{};
            ASSERT_EQ(compute_print_layout(line_count, text_height, 1, 8, 100, 100, &layout), 1);
            std::vector<int> printed;
            for (int page = 0; page < layout.page_count; ++page) {
                int on_page = page_line_count(page, layout.lines_per_page, line_count);
                EXPECT_GT(on_page, 0) << "blank page " << page << " of " << layout.page_count;
                for (int l = 0; l < on_page; ++l) printed.push_back(page * layout.lines_per_page + l);
            }
            ASSERT_EQ(static_cast<int>(printed.size()), line_count);
            for (int i = 0; i < line_count; ++i) EXPECT_EQ(printed[i], i);
        }
    }
}

TEST(LineBuffer, AlwaysHoldsTheCapacityWordAndOneLine) {
    EXPECT_EQ(line_buffer_size(82), 83);
    EXPECT_EQ(line_buffer_size(2), 3);
    EXPECT_GE(line_buffer_size(1), 2);
    EXPECT_GE(line_buffer_size(0), 2);
    EXPECT_GE(line_buffer_size(-5), 2);
}

TEST(LineBuffer, CapacityWordNeverClaimsMoreThanTheBufferHolds) {
    EXPECT_EQ(line_request_capacity(82), 82);
    EXPECT_EQ(line_request_capacity(1), 1);
    EXPECT_EQ(line_request_capacity(0), 0);
    EXPECT_EQ(line_request_capacity(-1), 0);
    EXPECT_EQ(line_request_capacity(65535), 65535);
    EXPECT_EQ(line_request_capacity(70000), 65535);
    EXPECT_EQ(line_request_capacity(65536), 65535);
    for (int cpl : {1, 2, 3, 100, 65535, 70000})
        EXPECT_LT(static_cast<int>(line_request_capacity(cpl)), line_buffer_size(cpl));
}

struct page_log {
    std::vector<int> pages;
    int refuse_at = -1;  // index of the call that is refused, -1 for none
};

int record_page(int page, void* context) {
    auto* log = static_cast<page_log*>(context);
    if (static_cast<int>(log->pages.size()) == log->refuse_at) return 0;
    log->pages.push_back(page);
    return 1;
}

TEST(PageOrder, CollatedCopiesRepeatTheWholeSequence) {
    page_log log;
    EXPECT_EQ(send_page_sequence(3, 2, 1, record_page, &log), 1);
    EXPECT_EQ(log.pages, (std::vector<int>{0, 1, 2, 0, 1, 2}));
}

TEST(PageOrder, UncollatedCopiesRepeatEachPageInARow) {
    page_log log;
    EXPECT_EQ(send_page_sequence(3, 2, 0, record_page, &log), 1);
    EXPECT_EQ(log.pages, (std::vector<int>{0, 0, 1, 1, 2, 2}));
}

TEST(PageOrder, OneCopyIsTheSameEitherWay) {
    page_log collated, uncollated;
    send_page_sequence(4, 1, 1, record_page, &collated);
    send_page_sequence(4, 1, 0, record_page, &uncollated);
    EXPECT_EQ(collated.pages, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(uncollated.pages, collated.pages);
}

TEST(PageOrder, NoCopiesSendNoPageAndSucceed) {
    page_log log;
    EXPECT_EQ(send_page_sequence(3, 0, 1, record_page, &log), 1);
    EXPECT_EQ(send_page_sequence(3, 0, 0, record_page, &log), 1);
    EXPECT_TRUE(log.pages.empty());
}

TEST(PageOrder, ARefusedPageStopsEveryLaterPageAndCopy) {
    page_log collated;
    collated.refuse_at = 4;  // the second page of the second copy
    EXPECT_EQ(send_page_sequence(3, 2, 1, record_page, &collated), 0);
    EXPECT_EQ(collated.pages, (std::vector<int>{0, 1, 2, 0}));

    page_log uncollated;
    uncollated.refuse_at = 1;  // the second copy of the first page
    EXPECT_EQ(send_page_sequence(3, 2, 0, record_page, &uncollated), 0);
    EXPECT_EQ(uncollated.pages, (std::vector<int>{0}));
}

}  // namespace
