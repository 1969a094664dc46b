// Block input and buffered output on the standard streams.
//
// Reading and writing go through the descriptor calls, which hand over
// whatever a pipe or terminal has ready instead of waiting for a full block.
// On a system whose text streams map line ends these calls honour the
// stream's text mode, so the mapping is the system's business, not ours.
#include "stream/stream.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#define kaz_read _read
#define kaz_write _write
#define kaz_close _close
#define kaz_fstat _fstat
#define kaz_stat_buffer _stat
#define KAZ_FILE_TYPE_MASK _S_IFMT
#define KAZ_REGULAR_FILE _S_IFREG
#else
#include <unistd.h>
#define kaz_read read
#define kaz_write write
#define kaz_close close
#define kaz_fstat fstat
#define kaz_stat_buffer stat
#define KAZ_FILE_TYPE_MASK S_IFMT
#define KAZ_REGULAR_FILE S_IFREG
#endif

#include "stream/exit_status.h"

namespace kaz {

namespace {

constexpr int INPUT_DESCRIPTOR = 0;
constexpr int OUTPUT_DESCRIPTOR = 1;
constexpr int ERROR_DESCRIPTOR = 2;

// Set once a read has reported the end of the input; no later read is made.
bool input_ended = false;

// Whether a read of standard input may have to wait (a pipe, a terminal),
// settled at the first read.  Before such a read the output is flushed.
enum class input_kind { unknown, file, may_wait };
input_kind standard_input_kind = input_kind::unknown;

// Set once anything has reached standard output, so that finish knows
// whether closing it can report a late write error.
bool output_written = false;

// Writes a message to standard error.  A failure here cannot be reported
// anywhere; the result is tested only because the compiler insists.
void write_to_standard_error(const char* message, std::size_t size) {
    if (kaz_write(ERROR_DESCRIPTOR, message, static_cast<unsigned>(size)) < 0) return;
}

// Writes "kaz: <what>: <reason>" to standard error.
void report_stream_error(const char* what, int error_number) {
    char message[256];
    int length = std::snprintf(message, sizeof message, "kaz: %s: %s\n", what,
                               std::strerror(error_number));
    if (length < 0) return;
    std::size_t size = static_cast<std::size_t>(length);
    write_to_standard_error(message, size < sizeof message ? size : sizeof message - 1);
}

[[noreturn]] void fail_write(int error_number) {
    report_stream_error("write error", error_number);
    std::exit(STATUS_FAILURE);
}

// Writes size bytes to standard output, through short writes and
// interruptions; any other failure ends the run.
void write_all(const unsigned char* bytes, std::size_t size) {
    while (size > 0) {
        // A single call never asks for more than fits an int, whatever the
        // platform's count type.
        unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
        auto written = kaz_write(OUTPUT_DESCRIPTOR, bytes, chunk);
        if (written < 0) {
            if (errno == EINTR) continue;
            fail_write(errno);
        }
        if (written == 0) fail_write(EIO);
        output_written = true;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

}  // namespace

unsigned char input_block[INPUT_BLOCK_SIZE + INPUT_BLOCK_SLACK];
std::uint64_t input_newline_marks[INPUT_BLOCK_SIZE / MARK_GROUP + 1];
std::uint64_t input_text_marks[INPUT_BLOCK_SIZE / MARK_GROUP];
std::uint64_t input_nul_marks[INPUT_BLOCK_SIZE / MARK_GROUP];
const unsigned char* input_next = input_block;
const unsigned char* input_end = input_block;

unsigned char output_buffer[OUTPUT_BUFFER_SIZE + OUTPUT_SLACK];
std::size_t output_used = 0;

bool refill_input() {
    if (input_next != input_end) return true;
    if (input_ended) return false;
    // Whatever has been translated goes out before the program may wait for
    // more input, so that a slow producer's pages appear as they are made.
    // A file never makes it wait, and its output goes out in whole buffers.
    if (standard_input_kind == input_kind::unknown) {
        struct kaz_stat_buffer status;
        bool is_file = kaz_fstat(INPUT_DESCRIPTOR, &status) == 0 && (status.st_mode & KAZ_FILE_TYPE_MASK) == KAZ_REGULAR_FILE;
        standard_input_kind = is_file ? input_kind::file : input_kind::may_wait;
    }
    if (standard_input_kind == input_kind::may_wait) flush_output();
    for (;;) {
        auto got = kaz_read(INPUT_DESCRIPTOR, input_block, static_cast<unsigned>(INPUT_BLOCK_SIZE));
        if (got > 0) {
            input_next = input_block;
            input_end = input_block + got;
            mark_input_block(static_cast<std::size_t>(got));
            return true;
        }
        if (got == 0) {
            input_ended = true;
            return false;
        }
        if (errno == EINTR) continue;
        int error_number = errno;
        flush_output();
        report_stream_error("read error", error_number);
        std::exit(STATUS_FAILURE);
    }
}

void mark_input_block(std::size_t size) {
    mark_bytes(input_block, size, input_newline_marks, input_text_marks, input_nul_marks);
    // The last group's bytes past the end are left from an earlier block:
    // their newline marks go, and the end itself is marked.
    std::size_t group = size / MARK_GROUP;
    std::uint64_t end_bit = std::uint64_t{1} << (size % MARK_GROUP);
    input_newline_marks[group] = (input_newline_marks[group] & (end_bit - 1)) | end_bit;
}

std::size_t read_input(void* destination, std::size_t size) {
    auto* out = static_cast<unsigned char*>(destination);
    std::size_t copied = 0;
    while (copied < size) {
        std::size_t available = input_available();
        if (available == 0) break;
        std::size_t piece = size - copied < available ? size - copied : available;
        std::memcpy(out + copied, input_next, piece);
        input_next += piece;
        copied += piece;
    }
    return copied;
}

void write_full_buffer() {
    write_all(output_buffer, OUTPUT_BUFFER_SIZE);
    output_used -= OUTPUT_BUFFER_SIZE;
    std::memmove(output_buffer, output_buffer + OUTPUT_BUFFER_SIZE, output_used);
}

void write_long_output(const void* bytes, std::size_t size) {
    // A piece at a time through the buffer, so that every write is a whole
    // buffer from the same few pages.
    const auto* from = static_cast<const unsigned char*>(bytes);
    while (size > 0) {
        std::size_t piece = size < OUTPUT_SLACK ? size : OUTPUT_SLACK;
        std::memcpy(output_room(), from, piece);
        commit_output(piece);
        from += piece;
        size -= piece;
    }
}

void write_string(const char* text) { write_output(text, std::strlen(text)); }

void flush_output() {
    // The buffer counts as empty before the write, so that a write error
    // cannot lead to a second attempt at the same bytes on the way out.
    std::size_t size = output_used;
    output_used = 0;
    write_all(output_buffer, size);
}

void finish(int status) {
    flush_output();
    // Some file systems report a failed write only when the file is closed.
    if (output_written && kaz_close(OUTPUT_DESCRIPTOR) != 0 && errno != EINTR) {
        fail_write(errno);
    }
    std::exit(status);
}

void fail_out_of_memory() {
    flush_output();
    static const char message[] = "kaz: memory exhausted\n";
    write_to_standard_error(message, sizeof message - 1);
    std::exit(STATUS_FAILURE);
}

}  // namespace kaz
