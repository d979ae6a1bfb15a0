#include "stream/batch_output.h"

#include <cerrno>

namespace morvek::stream {

RecordOutput::RecordOutput(BlockSink sink, std::size_t capacity, bool flush_every_record)
    : sink_(sink), buffer_(new char[capacity]), capacity_(capacity), flush_every_record_(flush_every_record) {}

detail::TextBuilder RecordOutput::begin_record(std::size_t most) {
    if (capacity_ - size_ < most) flush();
    return detail::TextBuilder(buffer_.get() + size_, capacity_ - size_);
}

void RecordOutput::end_record(const detail::TextBuilder& record) {
    size_ += record.size();
    if (flush_every_record_) flush();
}

void RecordOutput::flush() {
    // After a failed write the rest is dropped: the run ends with status 2.
    if (size_ > 0 && !failed_ && !sink_.write(sink_.target, buffer_.get(), size_)) {
        failed_ = true;
        error_number_ = errno;
    }
    size_ = 0;
}

}  // namespace morvek::stream
