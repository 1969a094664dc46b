// The two record-structured forms: fixed-length records (-f N) and
// length-framed records (-v), as Fortran runtimes write unformatted files.
// A record that ends early or whose framing does not agree ends the run with
// a diagnostic on standard output and status 1.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "input/record_reader.h"
#include "stream/exit_status.h"
#include "stream/stream.h"

namespace kaz {

namespace {

constexpr std::size_t LENGTH_FIELD_SIZE = 4;

// Writes a diagnostic behind whatever has been translated and ends the run.
[[noreturn]] void report_malformed(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

void report_malformed(const char* format, ...) {
    char message[160];
    std::va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    // A message longer than the space (none is) would be cut, not overrun.
    if (length > 0) {
        auto size = static_cast<std::size_t>(length);
        write_output(message, size < sizeof message ? size : sizeof message - 1);
    }
    finish(STATUS_FAILURE);
}

// Gathers up to size record bytes into storage from byte 0, over as many
// input blocks as it takes.  Storage grows as the bytes arrive, never ahead
// of them, so a record size far beyond the input costs no memory.  Returns
// the number of bytes gathered, less than size only at the end of the
// input.
std::size_t gather_record_bytes(record_buffer& buffer, std::size_t size) {
    std::size_t stored = 0;
    while (stored < size) {
        std::size_t available = input_available();
        if (available == 0) break;
        std::size_t piece = size - stored < available ? size - stored : available;
        gather_bytes(buffer, stored, input_next, input_next + piece);
        input_next += piece;
        stored += piece;
    }
    return stored;
}

// Bytes left in the current block.
std::size_t left_in_block() { return static_cast<std::size_t>(input_end - input_next); }

// A length field: signed 32-bit, two's complement, least significant byte
// first, whatever the byte order of the machine.
std::int32_t decode_length(const unsigned char field[LENGTH_FIELD_SIZE]) {
    std::uint32_t value = static_cast<std::uint32_t>(field[0]) | static_cast<std::uint32_t>(field[1]) << 8 |
                          static_cast<std::uint32_t>(field[2]) << 16 | static_cast<std::uint32_t>(field[3]) << 24;
    std::int32_t result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

// Reads a length field into field.  Returns false when the input ends first.
bool read_length_field(unsigned char field[LENGTH_FIELD_SIZE]) {
    if (input_end - input_next >= static_cast<std::ptrdiff_t>(LENGTH_FIELD_SIZE)) {
        std::memcpy(field, input_next, LENGTH_FIELD_SIZE);
        input_next += LENGTH_FIELD_SIZE;
        return true;
    }
    return read_input(field, LENGTH_FIELD_SIZE) == LENGTH_FIELD_SIZE;
}

}  // namespace

record_buffer* read_fixed_record(record_buffer& buffer, std::int32_t& count) {
    // The command line admits no negative size; should one arrive anyway it
    // reads nothing, like a size of 0.
    std::size_t size = count > 0 ? static_cast<std::size_t>(count) : 0;
    if (size == 0 || input_available() == 0) return nullptr;
    if (left_in_block() >= size) {
        // The common case: the whole record lies in the block.
        show_record_in_block(buffer, input_next, size);
        input_next += size;
        return &buffer;
    }
    std::size_t got = gather_record_bytes(buffer, size);
    if (got < size) {
        report_malformed("ERROR: partial record read. Specified recordsize: %d. %d bytes actually read.\n",
                         static_cast<int>(size), static_cast<int>(got));
    }
    show_gathered_record(buffer, size);
    return &buffer;
}

namespace {

// Checks a frame's trailing length against its leading one.
void check_trailing_length(std::int32_t length, const unsigned char field[LENGTH_FIELD_SIZE]) {
    std::int32_t trailing = decode_length(field);
    if (trailing != length) {
        report_malformed("Data length check failed. First length = %d, second length = %d.\n",
                         static_cast<int>(length), static_cast<int>(trailing));
    }
}

}  // namespace

record_buffer* read_variable_record(record_buffer& buffer, std::int32_t& count) {
    unsigned char field[LENGTH_FIELD_SIZE];
    // Fewer than four bytes after the last frame are no frame at all.
    if (!read_length_field(field)) return nullptr;
    std::int32_t length = decode_length(field);
    count = length;
    if (length < 0) report_malformed("Invalid record length %d.\n", static_cast<int>(length));
    auto size = static_cast<std::size_t>(length);

    if (size > 0 && left_in_block() >= size + LENGTH_FIELD_SIZE) {
        // The common case: the record and its trailing length lie in the
        // block, and the record is shown where it lies.
        const unsigned char* record = input_next;
        check_trailing_length(length, record + size);
        input_next = record + size + LENGTH_FIELD_SIZE;
        show_record_in_block(buffer, record, size);
        return &buffer;
    }

    std::size_t got = gather_record_bytes(buffer, size);
    if (got < size) {
        report_malformed("Not enough data read. Expected %d bytes, read %d.\n", static_cast<int>(length),
                         static_cast<int>(got));
    }
    show_gathered_record(buffer, size);
    if (!read_length_field(field)) {
        // The record's bytes as a string: up to the first NUL.
        write_string("Unexpected EOF. Last data read was: ");
        write_string(reinterpret_cast<const char*>(buffer.storage));
        write_string("\n");
        finish(STATUS_FAILURE);
    }
    check_trailing_length(length, field);
    return &buffer;
}

}  // namespace kaz
