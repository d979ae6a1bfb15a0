#include "stream/pipeline.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "stream/batch_records.h"
#include "stream/inputs.h"

namespace morvek::stream {

namespace {

bool write_to_fd(void* target, const char* data, std::size_t size) {
    return write_whole(*static_cast<int*>(target), {data, size});
}

void write_to_fd_ignoring_errors(void* target, const char* data, std::size_t size) {
    (void)write_whole(*static_cast<int*>(target), {data, size});
}

void append_to_string(void* target, const char* data, std::size_t size) {
    static_cast<std::string*>(target)->append(data, size);
}

// Before the first line or row: the field names of a record of lines, or the
// promise that the first row is a header.
void start(BatchConverter& converter, const BatchOptions& options) {
    if (options.input == InputKind::lines) {
        if (options.header) converter.write_header();
    } else if (options.header || !options.column_name.empty()) {
        converter.expect_header_row();
    }
}

// The events of the inputs, given to one converter as they come.
class InOrder final : public InputReader {
public:
    InOrder(BatchConverter& converter, int notices) : converter_(converter), notices_(notices) {}
    void bytes(std::string_view block) override { converter_.feed(block); }
    void input_ended() override { converter_.finish_input(); }
    void cannot_read(std::string_view name, int error) override {
        (void)write_whole(notices_, "morvek: cannot read " + std::string(name) + ": " + std::strerror(error) + "\n");
        unreadable_ = true;
    }
    bool stopped() const override { return !converter_.problem().empty(); }
    bool unreadable() const { return unreadable_; }

private:
    BatchConverter& converter_;
    int notices_;
    bool unreadable_ = false;
};

}  // namespace

// ---- in order, on this thread -------------------------------------------------------

RunTotals convert_in_order(const BatchOptions& options, UtcClock clock, bool watched, const InputFeed& inputs,
                           StreamFiles files) {
    RecordOutput out({write_to_fd, &files.records}, batch_output_capacity(options), watched);
    BatchConverter converter(options, clock, out, {write_to_fd_ignoring_errors, &files.notices});
    start(converter, options);
    InOrder reader(converter, files.notices);
    inputs(reader);
    out.flush();
    return {converter.totals(), converter.problem(), reader.unreadable(), out.failed() ? out.error_number() : 0};
}

// ---- on several threads ---------------------------------------------------------------

namespace {

// Whole lines or rows: small enough that the chunks under way stay within a
// few megabytes, large enough that handing them over costs nothing.
constexpr std::size_t line_chunk_bytes = 32 * 1024;
constexpr std::size_t row_chunk_bytes = 2 * max_row_bytes;
// A chunk's records wait in its own buffer for the chunk's turn. A chunk
// whose records outgrow it (a report for each of thousands of blank lines)
// writes them itself, once every chunk before it is out.
constexpr std::size_t chunk_output_bytes = 2 * 1024 * 1024;

class Pipeline;
bool write_records_in_turn(void* chunk, const char* data, std::size_t size);

struct Chunk {
    Chunk(Pipeline& owner, std::size_t output_capacity)
        : pipeline(owner), output({write_records_in_turn, this}, output_capacity, false) {}
    Pipeline& pipeline;
    // What the reader gives.
    std::vector<char> input;
    std::size_t size = 0;
    std::uint64_t lines_before = 0;
    bool ends_input = false;  // the input's last bytes: a last line may lack its line end
    bool too_long = false;    // just one line (row) too long to be kept
    std::string told_after;   // a complaint about an input, after this chunk's own notices
    std::uint64_t sequence = 0;
    // What a worker makes.
    RecordOutput output;
    std::string notices;
    BatchTotals totals;
};

class Pipeline final : public InputReader {
public:
    Pipeline(const BatchOptions& options, UtcClock clock, unsigned jobs, StreamFiles files)
        : options_(options),
          clock_(clock),
          chunk_bytes_(options.input == InputKind::lines ? line_chunk_bytes : row_chunk_bytes),
          scanner_(options.input == InputKind::tsv ? Dialect::tsv : Dialect::csv),
          files_(files),
          first_output_({write_to_fd, &files_.records}, batch_output_capacity(options), false),
          first_converter_(options, clock, first_output_, {write_to_fd_ignoring_errors, &files_.notices}) {
        for (unsigned i = 0; i < 2 * jobs + 1; ++i) {
            auto chunk = std::make_unique<Chunk>(*this, std::max(chunk_output_bytes, batch_output_capacity(options)));
            chunk->input.resize(chunk_bytes_);
            free_.push_back(chunk.get());
            chunks_.push_back(std::move(chunk));
        }
        start(first_converter_, options);
        header_pending_ = !first_converter_.header_taken();
        if (!header_pending_) finish_header();
        current_ = take_free_chunk();
        for (unsigned i = 0; i < jobs; ++i) workers_.emplace_back([this] { work(); });
    }

    Pipeline(const Pipeline&) = delete;
    Pipeline& operator=(const Pipeline&) = delete;

    ~Pipeline() {
        {
            const std::lock_guard lock(mutex_);
            closing_ = true;
        }
        work_ready_.notify_all();
        for (std::thread& worker : workers_) worker.join();
    }

    // ---- the reader's events ----
    void bytes(std::string_view block) override {
        while (!block.empty() && problem_.empty()) {
            if (header_pending_) {
                block = take_header(block);
            } else if (skipping_) {
                block = skip_rest_of_line(block);
            } else {
                const std::size_t taken = std::min(block.size(), chunk_bytes_ - current_->size);
                std::memcpy(current_->input.data() + current_->size, block.data(), taken);
                scan(current_->size, current_->size + taken);
                current_->size += taken;
                block.remove_prefix(taken);
                if (current_->size == chunk_bytes_) cut();
            }
        }
    }

    void input_ended() override {
        if (header_pending_) {
            first_converter_.finish_input();
            // As on one thread, the header may yet come from the next input.
            if (!first_converter_.header_taken()) return;
            header_pending_ = false;
            finish_header();
            return;
        }
        if (skipping_) {
            skipping_ = false;  // the line too long to be kept ended with the input
        } else if (current_->size > 0) {
            const bool last_line = current_->size > last_end_;  // a last line without its line end
            Chunk* chunk = current_;
            current_ = take_free_chunk();
            hand_over(chunk, chunk->size, ends_ + (last_line ? 1 : 0), true);
        }
        ends_ = 0;
        last_end_ = 0;
        scanner_.reset();
    }

    void cannot_read(std::string_view name, int error) override {
        unreadable_ = true;
        Chunk* chunk = current_;
        current_ = take_free_chunk();
        chunk->told_after = "morvek: cannot read " + std::string(name) + ": " + std::strerror(error) + "\n";
        hand_over(chunk, 0, 0, false);
    }

    bool stopped() const override { return !problem_.empty(); }

    // A worker's records that outgrew its chunk's buffer: written when every
    // chunk before it is out, when nothing else is written.
    void write_records_in_turn(const Chunk& chunk, std::string_view records) {
        {
            std::unique_lock lock(mutex_);
            turn_.wait(lock, [&] { return written_ == chunk.sequence; });
        }
        write_records(records);
    }

    RunTotals finish() {
        {
            std::unique_lock lock(mutex_);
            while (written_ < dispatched_) write_ready_chunks(lock);
        }
        return {totals_, problem_, unreadable_, write_error_};
    }

private:
    // The line (row) ends among the new bytes [from, to) of the chunk being filled.
    void scan(std::size_t from, std::size_t to) {
        const char* data = current_->input.data();
        if (options_.input == InputKind::csv) {
            for (std::size_t i = from; i < to; ++i) {
                if (scanner_.ends_row(data[i])) {
                    ++ends_;
                    last_end_ = i + 1;
                }
            }
            return;
        }
        // Lines are short: one counting pass, which vectorises, beats a search per line.
        std::size_t ends = 0;
        for (std::size_t i = from; i < to; ++i) ends += data[i] == '\n' ? 1 : 0;
        if (ends == 0) return;
        ends_ += ends;
        std::size_t last_end = to;
        while (data[last_end - 1] != '\n') --last_end;
        last_end_ = last_end;
    }

    // A full chunk goes out up to its last line end; the rest, which holds
    // no line end, begins the next. A full chunk without one holds a line
    // too long to be kept: that goes alone, and the rest of the line is
    // skipped as it comes.
    void cut() {
        Chunk* full = current_;
        current_ = take_free_chunk();
        if (last_end_ == 0) {
            full->too_long = true;
            hand_over(full, 0, 1, false);
            skipping_ = true;
        } else {
            const std::size_t rest = full->size - last_end_;
            std::memcpy(current_->input.data(), full->input.data() + last_end_, rest);
            current_->size = rest;
            hand_over(full, last_end_, ends_, false);
        }
        ends_ = 0;
        last_end_ = 0;
    }

    // The rest of a line too long to be kept, up to and with its line end.
    std::string_view skip_rest_of_line(std::string_view block) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            const bool end = options_.input == InputKind::csv ? scanner_.ends_row(block[i]) : block[i] == '\n';
            if (end) {
                skipping_ = false;
                return block.substr(i + 1);
            }
        }
        return {};
    }

    // A header row goes through this thread's own converter, which writes it
    // before any record and finds the column.
    std::string_view take_header(std::string_view block) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            if (scanner_.ends_row(block[i])) {
                first_converter_.feed(block.substr(0, i + 1));
                header_pending_ = false;
                finish_header();
                return block.substr(i + 1);
            }
        }
        first_converter_.feed(block);
        return {};
    }

    void finish_header() {
        first_output_.flush();
        if (first_output_.failed()) write_error_ = first_output_.error_number();
        problem_ = first_converter_.problem();
        totals_ = first_converter_.totals();
        lines_before_ = totals_.lines;
        column_ = first_converter_.column();
    }

    // Hands the chunk's first `size` bytes, holding `lines` lines, to the workers.
    void hand_over(Chunk* chunk, std::size_t size, std::uint64_t lines, bool ends_input) {
        chunk->size = size;
        chunk->lines_before = lines_before_;
        chunk->ends_input = ends_input;
        lines_before_ += lines;
        {
            const std::lock_guard lock(mutex_);
            chunk->sequence = dispatched_++;
            queued_.push_back(chunk);
        }
        work_ready_.notify_one();
    }

    Chunk* take_free_chunk() {
        std::unique_lock lock(mutex_);
        while (free_.empty()) write_ready_chunks(lock);
        Chunk* chunk = free_.back();
        free_.pop_back();
        chunk->size = 0;
        chunk->too_long = false;
        chunk->told_after.clear();
        return chunk;
    }

    // Writes the next chunk in order if it is done, else waits for a worker
    // to finish one. Called with the lock held.
    void write_ready_chunks(std::unique_lock<std::mutex>& lock) {
        const auto next = std::find_if(done_.begin(), done_.end(), [&](const Chunk* c) { return c->sequence == written_; });
        if (next == done_.end()) {
            chunk_done_.wait(lock);
            return;
        }
        Chunk* chunk = *next;
        done_.erase(next);
        lock.unlock();
        write_chunk(*chunk);
        lock.lock();
        ++written_;
        free_.push_back(chunk);
        turn_.notify_all();
    }

    void write_records(std::string_view records) {
        if (write_error_ == 0 && !records.empty() && !write_whole(files_.records, records)) {
            write_error_ = errno != 0 ? errno : EIO;
        }
    }

    void write_chunk(Chunk& chunk) {
        write_records(chunk.output.gathered());
        chunk.output.clear();
        (void)write_whole(files_.notices, chunk.notices);
        (void)write_whole(files_.notices, chunk.told_after);
        totals_.lines = std::max(totals_.lines, chunk.totals.lines);
        totals_.failed += chunk.totals.failed;
        if (totals_.first_failed == 0) totals_.first_failed = chunk.totals.first_failed;
    }

    // ---- a worker ----
    void work() {
        while (true) {
            Chunk* chunk = nullptr;
            {
                std::unique_lock lock(mutex_);
                work_ready_.wait(lock, [&] { return closing_ || !queued_.empty(); });
                if (queued_.empty()) return;
                chunk = queued_.front();
                queued_.pop_front();
            }
            chunk->output.clear();
            chunk->notices.clear();
            BatchConverter converter(options_, clock_, chunk->output, {append_to_string, &chunk->notices});
            converter.continue_after(chunk->lines_before);
            converter.convert_column(column_);
            if (chunk->too_long) {
                converter.too_long();
            } else {
                converter.feed({chunk->input.data(), chunk->size});
                if (chunk->ends_input) converter.finish_input();
            }
            chunk->totals = converter.totals();
            {
                const std::lock_guard lock(mutex_);
                done_.push_back(chunk);
            }
            chunk_done_.notify_all();
        }
    }

    const BatchOptions& options_;
    UtcClock clock_;
    std::size_t chunk_bytes_;
    RowScanner scanner_;
    StreamFiles files_;
    // The field names or the header row, and a first row too long for a header.
    RecordOutput first_output_;
    BatchConverter first_converter_;
    bool header_pending_ = false;
    std::size_t column_ = 0;
    std::string_view problem_;

    std::vector<std::unique_ptr<Chunk>> chunks_;
    Chunk* current_ = nullptr;
    std::size_t ends_ = 0;      // line ends in the chunk being filled
    std::size_t last_end_ = 0;  // just after the last of them
    bool skipping_ = false;
    std::uint64_t lines_before_ = 0;
    bool unreadable_ = false;

    std::mutex mutex_;
    std::condition_variable work_ready_;
    std::condition_variable chunk_done_;
    std::condition_variable turn_;  // written_ has grown
    std::vector<Chunk*> free_;
    std::deque<Chunk*> queued_;
    std::vector<Chunk*> done_;
    std::uint64_t dispatched_ = 0;
    std::uint64_t written_ = 0;
    bool closing_ = false;

    BatchTotals totals_;
    int write_error_ = 0;
    std::vector<std::thread> workers_;
};

bool write_records_in_turn(void* chunk, const char* data, std::size_t size) {
    const Chunk& records_of = *static_cast<const Chunk*>(chunk);
    records_of.pipeline.write_records_in_turn(records_of, {data, size});
    return true;  // a failed write is the pipeline's to report
}

}  // namespace

RunTotals convert_on_threads(const BatchOptions& options, UtcClock clock, unsigned jobs, const InputFeed& inputs,
                             StreamFiles files) {
    Pipeline pipeline(options, clock, jobs, files);
    inputs(pipeline);
    return pipeline.finish();
}

}  // namespace morvek::stream
