// The text-line form: every line of the input is one record, its first byte
// the carriage-control character.
#include <cstdint>
#include <cstring>

#include "input/record_reader.h"
#include "stream/stream.h"

namespace kaz {

namespace {

// Gathers a line that runs past the end of the current block into storage,
// over as many blocks as it takes, and consumes its newline.  Returns the
// record's length.
std::size_t gather_line(record_buffer& buffer) {
    std::size_t stored = 0;
    while (input_available() != 0) {
        const unsigned char* newline = next_newline(input_next);
        gather_bytes(buffer, stored, input_next, newline);
        stored += static_cast<std::size_t>(newline - input_next);
        input_next = newline;
        if (newline != input_end) {
            ++input_next;
            break;
        }
    }
    return stored;
}

}  // namespace

record_buffer* read_text_record(record_buffer& buffer, std::int32_t& count) {
    if (input_available() == 0) return nullptr;
    const unsigned char* line = input_next;
    const unsigned char* newline = next_newline(line);
    if (newline == line) {
        // An empty line is a record with blank carriage control.
        input_next = newline + 1;
        show_blank_record(buffer);
    } else if (newline != input_end) {
        // The common case: the whole line lies in the block.
        input_next = newline + 1;
        show_record_in_block(buffer, line, static_cast<std::size_t>(newline - line));
    } else {
        show_gathered_record(buffer, gather_line(buffer));
    }
    // The count is the record's string length: a NUL anywhere in the line
    // ends the string there.
    std::size_t string_length = buffer.record[0] == '\0' ? 0 : 1 + buffer.text_length;
    count = string_length > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(string_length);
    return &buffer;
}

}  // namespace kaz
