// The text-line form: every line of the input is one record, its first byte
// the carriage-control character.
#include <cstdint>
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

// Reads a line that runs to the end of the current block, and maybe beyond.
void read_line_across_blocks(record_buffer& buffer) {
    unsigned char first = *input_next++;
    buffer.bytes[0] = first;
    end_record(buffer, append_rest_of_line(buffer, 1));
}

}  // namespace

record_buffer* read_text_record(record_buffer& buffer, std::int32_t& count) {
    std::size_t available = input_available();
    if (available == 0) return nullptr;
    const unsigned char* line = input_next;
    const auto* newline = static_cast<const unsigned char*>(std::memchr(line, '\n', available));
    if (newline == line) {
        // An empty line is a record with blank carriage control.
        buffer.bytes[0] = ' ';
        end_record(buffer, 1);
        input_next = newline + 1;
    } else if (newline != nullptr) {
        std::size_t length = static_cast<std::size_t>(newline - line);
        reserve_record_buffer(buffer, length + 1);
        std::memcpy(buffer.bytes, line, length);
        end_record_from_input(buffer, length, line);
        input_next = newline + 1;
    } else {
        read_line_across_blocks(buffer);
    }
    unsigned char first = buffer.bytes[0];
    // The count is the record's string length: a NUL anywhere in the line
    // ends the string there.
    std::size_t string_length = first == '\0' ? 0 : 1 + buffer.text_length;
    count = string_length > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(string_length);
    return &buffer;
}

}  // namespace kaz
