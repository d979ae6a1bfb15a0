#pragma once
// The stream mode's output: records gathered in a large buffer and written
// in blocks, or line by line when a person is watching.

#include <cstddef>
#include <memory>
#include <string_view>

#include "text/text_builder.h"

namespace morvek::stream {

// Where full blocks go; false when they could not be written.
struct BlockSink {
    bool (*write)(void* target, const char* data, std::size_t size) = nullptr;
    void* target = nullptr;
};

class RecordOutput {
public:
    RecordOutput(BlockSink sink, std::size_t capacity, bool flush_every_record);

    // A builder over room for a record of at most `most` bytes; writes out
    // what is gathered first when it would not fit.
    detail::TextBuilder begin_record(std::size_t most);
    void end_record(const detail::TextBuilder& record);
    void flush();
    // What is gathered and not yet written; clear() drops it.
    std::string_view gathered() const { return {buffer_.get(), size_}; }
    void clear() { size_ = 0; }
    bool failed() const { return failed_; }
    int error_number() const { return error_number_; }  // errno of the failed write

private:
    BlockSink sink_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_;
    std::size_t size_ = 0;
    bool flush_every_record_;
    bool failed_ = false;
    int error_number_ = 0;
};

}  // namespace morvek::stream
