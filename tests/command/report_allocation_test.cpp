// A run of the command takes no memory from the heap: every form, from the
// argument texts to the last byte of the report, the usage text or a
// message, works in fixed buffers. This program replaces the global
// operator new and counts its calls while a run is under watch; the output
// goes to a BufferSink, so the only allocations counted are the run's own.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "morvek/command.h"
#include "morvek/command_text.h"
#include "morvek/text.h"

namespace {

bool watching = false;
std::size_t allocations_seen = 0;

void* counted_allocation(std::size_t size, std::size_t alignment) {
    if (watching) ++allocations_seen;
    if (size == 0) size = 1;
    void* memory = alignment <= alignof(std::max_align_t)
                       ? std::malloc(size)
                       : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
    return memory;
}

void* counted_allocation_or_throw(std::size_t size, std::size_t alignment) {
    void* memory = counted_allocation(size, alignment);
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
}

}  // namespace

// The replaceable global allocation functions, all forms.
void* operator new(std::size_t size) { return counted_allocation_or_throw(size, 0); }
void* operator new[](std::size_t size) { return counted_allocation_or_throw(size, 0); }
void* operator new(std::size_t size, std::align_val_t alignment) {
    return counted_allocation_or_throw(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return counted_allocation_or_throw(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return counted_allocation(size, 0); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return counted_allocation(size, 0); }
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return counted_allocation(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return counted_allocation(size, static_cast<std::size_t>(alignment));
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept { std::free(memory); }

namespace {

const auto fixed_reading = [] { return morvek::DateTime{{2024, 3, 15}, 12, 34, 56, 0}; };

struct WatchedRun {
    std::size_t allocations = 0;
    std::string output;
};

// Runs the command as main() would, with the heap under watch; the output is
// copied out only after the watch has ended.
WatchedRun run_watched(std::vector<const char*> arguments, morvek::TextSink sink, const morvek::BufferSink& buffer) {
    arguments.insert(arguments.begin(), "morvek");
    allocations_seen = 0;
    watching = true;
    const morvek::UtcClock clock = morvek::utc_clock_from(fixed_reading);
    morvek::write_command_output(morvek::run_command(static_cast<int>(arguments.size()), arguments.data(), clock),
                                 sink);
    watching = false;
    EXPECT_FALSE(buffer.truncated);
    return {allocations_seen, std::string(buffer.view())};
}

struct Form {
    const char* name;
    std::vector<const char*> arguments;
    std::string_view expected_piece;  // shows that the run took the intended path
};

void PrintTo(const Form& form, std::ostream* out) { *out << form.name; }

class RunAllocatesNothing : public testing::TestWithParam<Form> {};

TEST_P(RunAllocatesNothing, InAnyForm) {
    const Form& form = GetParam();
    char bytes[4096];
    morvek::BufferSink buffer{bytes, sizeof bytes};
    const WatchedRun run = run_watched(form.arguments, buffer.sink(), buffer);
    EXPECT_NE(run.output.find(form.expected_piece), std::string::npos) << run.output;
    EXPECT_EQ(run.allocations, 0U) << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    EveryForm, RunAllocatesNothing,
    testing::Values(
        Form{"date", {"01.01.2017"}, "RD Gregorian:\t 736330 \n"},
        Form{"date_before_the_era", {"31.12.-1"}, "ED:              -1              Sunday\n"},
        Form{"date_and_time", {"31.12.2016", "23:59:60"}, "Leap Seconds:\t          27\n"},
        Form{"julian_date_and_time", {"01.01.2000", "12:00:00", "/J"}, "Date: \t\t 14.01.2000  12:00:00 \n"},
        Form{"gregorian_date_and_time", {"01.01.1500", "12:00:00", "/G"}, "Date: \t\t 23.12.1499  12:00:00 \n"},
        Form{"julian_date", {"01.01.2000", "/J"}, "Date: \t\t 14.01.2000  00:00:00 \n"},
        Form{"current_time", {"/C"}, "15.03.2024  12:34:56  (UTC)\n"},
        Form{"bare_e0", {"63618825627"}, "E0 time:         63618825627 "},
        Form{"era_day", {"736330", "/D"}, "ED:              736330 "},
        Form{"e0", {"-1", "/E0"}, "0xFFFFFFFFFFFFFFFF\n"},
        Form{"e3", {"63618825627123", "/E3"}, "E3 time:         63618825627123 "},
        Form{"e6", {"9223372036854775807", "/E6"}, "0x7FFFFFFFFFFFFFFF\n"},
        Form{"unix", {"1483228800", "/U"}, "Unix time:       1483228800 "},
        Form{"file_time", {"131277024001234567", "/F"}, "FILE time:       131277024001234567 "},
        Form{"rd_julian", {"736330", "/J"}, "Julian Date: \t "},
        Form{"rd_gregorian", {"500000", "/G"}, "Gregorian Date:\t "},
        Form{"usage", {}, "\nUsage:\n"},
        Form{"too_big", {"9223372036855"}, "\nToo big number..\n"},
        Form{"too_big_unix", {"9223372036854775807", "/U"}, "\nToo big number..\n"},
        Form{"era_day_zero", {"0", "/D"}, "Era Day:  0 - non-existent date."},
        Form{"nonexistent_date", {"31.02.2000"}, "31.02.2000 00:00:00 - non-existent date\n"},
        Form{"nonexistent_time", {"01.01.2000", "23:59:60"}, "01.01.2000 23:59:60 - non-existent time\n"}),
    [](const testing::TestParamInfo<Form>& info) { return std::string(info.param.name); });

// The watch itself sees allocations made inside a run: the same run written
// to a string that must grow does allocate.
TEST(RunAllocatesNothing, WatchSeesAnAllocationInsideARun) {
    std::string grown;
    const morvek::BufferSink unused;
    const WatchedRun run = run_watched({}, morvek::string_sink(grown), unused);
    EXPECT_NE(grown.find("\nUsage:\n"), std::string::npos);
    EXPECT_GE(run.allocations, 1U);
}

}  // namespace
