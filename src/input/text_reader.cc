// The text-line form: every line of the input is one record, its first byte
// the carriage-control character.
#include <cstdint>
#include <cstring>

#include "input/record_reader.h"
#include "stream/stream.h"

namespace kaz {

namespace {

// Copies the current line, from its first byte, into the record and consumes
// its newline.  A line may run over any number of input blocks; when it
// stood whole in one, whole is set to where.  Returns the record's length.
std::size_t copy_line(record_buffer& buffer, const unsigned char*& whole) {
    std::size_t stored = 0;
    while (std::size_t available = input_available()) {
        const auto* newline = static_cast<const unsigned char*>(std::memchr(input_next, '\n', available));
        std::size_t piece = newline != nullptr ? static_cast<std::size_t>(newline - input_next) : available;
        if (stored == 0 && newline != nullptr) whole = input_next;
        reserve_record_buffer(buffer, stored + piece + 1);
        std::memcpy(buffer.bytes + stored, input_next, piece);
        stored += piece;
        input_next += piece;
        if (newline != nullptr) {
            ++input_next;
            break;
        }
    }
    return stored;
}

}  // namespace

record_buffer* read_text_record(record_buffer& buffer, std::int32_t& count) {
    if (input_available() == 0) return nullptr;
    if (*input_next == '\n') {
        // An empty line is a record with blank carriage control.
        ++input_next;
        buffer.bytes[0] = ' ';
        end_record(buffer, 1);
    } else {
        const unsigned char* whole = nullptr;
        std::size_t length = copy_line(buffer, whole);
        end_record(buffer, length, whole);
    }
    // The count is the record's string length: a NUL anywhere in the line
    // ends the string there.
    std::size_t string_length = buffer.bytes[0] == '\0' ? 0 : 1 + buffer.text_length;
    count = string_length > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(string_length);
    return &buffer;
}

}  // namespace kaz
