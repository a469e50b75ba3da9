// Reading the clock tool's answer: chunked reads, last read wins, the
// deadline, number conversion.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "sysinfo/frequency_answer.h"

namespace {

// Plays a tool's output as a pipe delivers it: each write arrives as its own
// read, and a read of `size` takes at most `size` bytes of what is pending.
// Each read takes `ms_per_read` on the pipe's own clock.
struct scripted_pipe {
    std::vector<std::string> writes;
    std::size_t next = 0;
    std::size_t offset = 0;
    int reads = 0;
    int largest_request = 0;
    unsigned long long now = 0;
    unsigned long long ms_per_read = 0;
};

unsigned long long pipe_clock(void* context) { return static_cast<scripted_pipe*>(context)->now; }

int read_scripted(void* context, char* into, int size) {
    scripted_pipe& pipe = *static_cast<scripted_pipe*>(context);
    ++pipe.reads;
    pipe.now += pipe.ms_per_read;
    if (size > pipe.largest_request) pipe.largest_request = size;
    while (pipe.next < pipe.writes.size() && pipe.offset == pipe.writes[pipe.next].size()) {
        ++pipe.next;
        pipe.offset = 0;
    }
    if (pipe.next == pipe.writes.size()) return 0;  // the tool closed its end
    const std::string& w = pipe.writes[pipe.next];
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(size), w.size() - pipe.offset);
    std::memcpy(into, w.data() + pipe.offset, n);
    pipe.offset += n;
    return static_cast<int>(n);
}

int probe_with(const std::vector<std::string>& writes, std::string* answer_out = nullptr) {
    scripted_pipe pipe;
    pipe.writes = writes;
    char answer[61];
    std::memset(answer, 'x', sizeof answer);
    EXPECT_EQ(read_answer_chunks(answer, sizeof answer, 60, {read_scripted, pipe_clock, &pipe}, ULLONG_MAX), 1);
    if (answer_out != nullptr) *answer_out = answer;
    EXPECT_LE(pipe.largest_request, 60);
    return frequency_from_answer(answer);
}

int read_over_reporting(void* context, char* into, int size) {
    int& calls = *static_cast<int*>(context);
    if (calls++ > 0) return 0;
    std::memset(into, '7', static_cast<std::size_t>(size));
    return size + 50;  // claims more than it was allowed to give
}

int read_failing(void*, char*, int) { return -1; }

unsigned long long clock_at_zero(void*) { return 0; }

// A tool that never stops writing: every read delivers a full chunk. Stops
// by itself after a million reads so that a loop ignoring the deadline fails
// instead of hanging.
struct endless_writer {
    unsigned long long now = 0;
    long reads = 0;
};

unsigned long long writer_clock(void* context) { return static_cast<endless_writer*>(context)->now; }

int read_endless(void* context, char* into, int size) {
    endless_writer& writer = *static_cast<endless_writer*>(context);
    if (++writer.reads > 1000000) return 0;
    writer.now += 1;
    std::memset(into, '9', static_cast<std::size_t>(size));
    return size;
}

}  // namespace

TEST(FrequencyAnswer, PlainAndPaddedAnswers) {
    EXPECT_EQ(probe_with({"2904\r\n"}), 2904);
    EXPECT_EQ(probe_with({"   \t 1234 MHz\n"}), 1234);
    EXPECT_EQ(probe_with({"-42\r\n"}), -42);
    EXPECT_EQ(probe_with({"+17"}), 17);
}

TEST(FrequencyAnswer, NothingOrNoNumberGivesZero) {
    std::string answer = "unchanged";
    EXPECT_EQ(probe_with({}, &answer), 0);
    EXPECT_EQ(answer, "");
    EXPECT_EQ(probe_with({"MHz 2904"}), 0);
    EXPECT_EQ(probe_with({"\r\n"}), 0);
}

TEST(FrequencyAnswer, LastReadWins) {
    std::string answer;
    EXPECT_EQ(probe_with({"2904", "\r\n"}, &answer), 0);  // line break alone converted
    EXPECT_EQ(answer, "\r\n");
    EXPECT_EQ(probe_with({"1500", "2500\r\n"}), 2500);
    // Longer than one chunk: the first 60 bytes are replaced by the rest.
    const std::string first = "1000" + std::string(56, ' ');
    EXPECT_EQ(probe_with({first + "777 MHz\r\n"}, &answer), 777);
    EXPECT_EQ(answer, "777 MHz\r\n");
    // Exactly 60 bytes fit one read and are converted whole.
    EXPECT_EQ(probe_with({std::string(56, ' ') + "3100"}, &answer), 3100);
    EXPECT_EQ(answer.size(), 60u);
}

TEST(FrequencyAnswer, BoundedReads) {
    // A chunk size beyond the buffer is cut to what fits with the terminator.
    scripted_pipe pipe;
    pipe.writes = {std::string(100, '5')};
    char answer[11];
    read_answer_chunks(answer, sizeof answer, 60, {read_scripted, pipe_clock, &pipe}, ULLONG_MAX);
    EXPECT_EQ(pipe.largest_request, 10);
    EXPECT_EQ(std::string(answer), std::string(10, '5'));

    for (int chunk : {9, 11}) {  // the chunk is held to the room as well
        scripted_pipe cut;
        cut.writes = {std::string(100, '5')};
        read_answer_chunks(answer, sizeof answer, chunk, {read_scripted, pipe_clock, &cut}, ULLONG_MAX);
        EXPECT_EQ(cut.largest_request, chunk < 10 ? chunk : 10);
    }
    // Room for the terminator only, or for one byte more.
    scripted_pipe one;
    one.writes = {"5"};
    EXPECT_EQ(read_answer_chunks(answer, 1, 60, {read_scripted, pipe_clock, &one}, ULLONG_MAX), 0);
    EXPECT_EQ(answer[0], '\0');
    EXPECT_EQ(read_answer_chunks(answer, 2, 60, {read_scripted, pipe_clock, &one}, ULLONG_MAX), 1);
    EXPECT_EQ(std::string(answer), "5");
    // No answer buffer or no reader: nothing read.
    EXPECT_EQ(read_answer_chunks(nullptr, 61, 60, {read_scripted, pipe_clock, &one}, ULLONG_MAX), 0);
    EXPECT_EQ(read_answer_chunks(answer, 11, 60, {nullptr, clock_at_zero, nullptr}, ULLONG_MAX), 0);
    EXPECT_EQ(read_answer_chunks(answer, 11, 60, {read_failing, nullptr, nullptr}, ULLONG_MAX), 0);

    int calls = 0;
    char small[64];  // room for 8 given, the rest must stay untouched
    std::memset(small, '#', sizeof small);
    read_answer_chunks(small, 8, 60, {read_over_reporting, clock_at_zero, &calls}, ULLONG_MAX);
    EXPECT_EQ(std::string(small), "7777777");
    EXPECT_EQ(std::string(small + 8, 56), std::string(56, '#'));

    char failed[61] = "old text";
    read_answer_chunks(failed, sizeof failed, 60, {read_failing, clock_at_zero, nullptr}, ULLONG_MAX);
    EXPECT_EQ(std::string(failed), "");
}

TEST(FrequencyAnswer, DeadlineHoldsWhateverTheToolDoes) {
    // Never stops writing: cut at the deadline, nothing kept.
    endless_writer writer;
    char answer[61] = "old text";
    EXPECT_EQ(read_answer_chunks(answer, sizeof answer, 60, {read_endless, writer_clock, &writer}, 2000), 0);
    EXPECT_EQ(writer.reads, 2000);
    EXPECT_EQ(std::string(answer), "");

    // Answers at once, then keeps the pipe busy past the deadline.
    scripted_pipe busy;
    busy.writes = {"2904\r\n", std::string(100000, 'x')};
    busy.ms_per_read = 10;
    EXPECT_EQ(read_answer_chunks(answer, sizeof answer, 60, {read_scripted, pipe_clock, &busy}, 2000), 0);
    EXPECT_EQ(frequency_from_answer(answer), 0);
    EXPECT_EQ(busy.reads, 200);

    // Answer and end both before the deadline: kept.
    scripted_pipe in_time;
    in_time.writes = {"1515\r\n"};
    in_time.ms_per_read = 700;  // answer read at 700 ms, end seen at 1400 ms
    EXPECT_EQ(read_answer_chunks(answer, sizeof answer, 60, {read_scripted, pipe_clock, &in_time}, 2000), 1);
    EXPECT_EQ(frequency_from_answer(answer), 1515);

    // The end is seen only after the deadline (the reader waited it out): dropped.
    scripted_pipe late;
    late.writes = {"2525\r\n"};
    late.ms_per_read = 1200;  // answer read at 1200 ms, end at 2400 ms
    EXPECT_EQ(read_answer_chunks(answer, sizeof answer, 60, {read_scripted, pipe_clock, &late}, 2000), 0);
    EXPECT_EQ(std::string(answer), "");
    scripted_pipe at_deadline;  // the end seen at 2000 ms on the dot is late too
    at_deadline.writes = {"2525\r\n"};
    at_deadline.ms_per_read = 1000;
    EXPECT_EQ(read_answer_chunks(answer, sizeof answer, 60, {read_scripted, pipe_clock, &at_deadline}, 2000), 0);
}

TEST(FrequencyAnswer, HugeNumbersClampInsteadOfOverflowing) {
    EXPECT_EQ(frequency_from_answer("99999999999999999999"), 2147483647);
    EXPECT_EQ(frequency_from_answer("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(frequency_from_answer("2147483647"), 2147483647);
    EXPECT_EQ(frequency_from_answer(nullptr), 0);
}
