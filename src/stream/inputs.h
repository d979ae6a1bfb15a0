#pragma once
// The stream mode's files: its inputs read in blocks, its output and its
// notices written whole.

#include <initializer_list>
#include <string_view>

#include "stream/batch_options.h"

namespace morvek::stream {

inline constexpr std::size_t read_block = 256 * 1024;

// Standard output, whole; false when it cannot be written.
bool write_whole(int fd, std::string_view text);
bool write_whole(std::string_view text);

// "morvek: " and the parts, a line on standard error.
void complain(std::initializer_list<std::string_view> parts);

// The CPUs this process may run on (sched_getaffinity), at least 1.
unsigned usable_cpu_count();

// The events of reading the inputs, in order.
class InputReader {
public:
    virtual void bytes(std::string_view block) = 0;  // the next bytes of the current input
    virtual void input_ended() = 0;                  // the current input ended (a last line may lack its end)
    virtual void cannot_read(std::string_view name, int error) = 0;
    virtual bool stopped() const = 0;                // nothing more to read
protected:
    ~InputReader() = default;
};

// read_inputs: each file in turn, or standard input when there is none or
// the name is "-"; an input whose read fails ends there (its error told),
// so that a line it began is not glued to the next input's first line.
void read_inputs(const BatchOptions& options, InputReader& reader);

}  // namespace morvek::stream
