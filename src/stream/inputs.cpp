#include "stream/inputs.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace morvek::stream {

bool write_whole(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool write_whole(std::string_view text) { return write_whole(STDOUT_FILENO, text); }

void complain(std::initializer_list<std::string_view> parts) {
    (void)write_whole(STDERR_FILENO, "morvek: ");
    for (const std::string_view part : parts) (void)write_whole(STDERR_FILENO, part);
    (void)write_whole(STDERR_FILENO, "\n");
}

unsigned usable_cpu_count() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    const int count = CPU_COUNT(&set);
    return count > 0 ? static_cast<unsigned>(count) : 1;
}

namespace {

// One input to its end, or to a read that fails: 0, or that errno.
int read_input(int fd, char* buffer, InputReader& reader) {
    int error = 0;
    while (!reader.stopped()) {
        const ssize_t got = ::read(fd, buffer, read_block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = errno;
        if (got <= 0) break;
        reader.bytes({buffer, static_cast<std::size_t>(got)});
    }
    reader.input_ended();
    return error;
}

}  // namespace

void read_inputs(const BatchOptions& options, InputReader& reader) {
    const std::unique_ptr<char[]> buffer(new char[read_block]);
    const auto read_named = [&](const char* name) {
        const std::string_view path = name;
        if (path == "-") {
            if (const int error = read_input(STDIN_FILENO, buffer.get(), reader)) reader.cannot_read("standard input", error);
            return;
        }
        const int fd = ::open(name, O_RDONLY | O_CLOEXEC);
        const int error = fd < 0 ? errno : read_input(fd, buffer.get(), reader);
        if (error != 0) reader.cannot_read(path, error);
        if (fd >= 0) ::close(fd);
    };
    if (options.files.empty()) return read_named("-");
    for (const char* name : options.files) {
        if (reader.stopped()) return;
        read_named(name);
    }
}

}  // namespace morvek::stream
