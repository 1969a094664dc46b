// The text-line form: every line of the input is one record, its first byte
// the carriage-control character.
#include <climits>
#include <cstring>

#include "input/record_reader.h"
#include "stream/stream.h"

namespace kaz {

namespace {

// Appends the rest of the current line to the record, which already holds
// stored bytes, and consumes the line's newline.  A line may run over any
// number of input blocks.  Returns the record's length.
std::size_t append_rest_of_line(record_buffer& buffer, std::size_t stored) {
    while (std::size_t available = input_available()) {
        const void* newline = std::memchr(input_next, '\n', available);
        std::size_t piece = newline != nullptr
                                ? static_cast<std::size_t>(static_cast<const unsigned char*>(newline) - input_next)
                                : available;
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
    unsigned char first = *input_next++;
    std::size_t length = 1;
    if (first == '\n') {
        // An empty line is a record with blank carriage control.
        buffer.bytes[0] = ' ';
    } else {
        buffer.bytes[0] = first;
        length = append_rest_of_line(buffer, 1);
    }
    buffer.bytes[length] = '\0';
    // The count is the record's string length; a NUL anywhere in the line
    // ends the string there.
    const void* nul = std::memchr(buffer.bytes, '\0', length);
    std::size_t string_length =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - buffer.bytes) : length;
    count = string_length > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(string_length);
    return &buffer;
}

}  // namespace kaz
