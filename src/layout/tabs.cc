#include "layout/tabs.h"

#include <cstring>

#include "stream/stream.h"

namespace kaz {

int expand_tab_at(unsigned char* at, std::int64_t column) {
    int spaces = static_cast<int>(TAB_WIDTH - column % TAB_WIDTH);
    std::memset(at, ' ', static_cast<std::size_t>(spaces));
    return spaces - 1;
}

namespace {

// The column reached after the first length bytes of text.
std::int64_t column_after(const unsigned char* text, std::size_t length, std::int64_t column) {
    for (std::size_t i = 0; i < length; ++i) column = next_column(column, text[i]);
    return column;
}

// How many bytes the text grows from its first tab, met at column, to its
// NUL; and, through length, where that NUL stands.
std::size_t growth_from(const unsigned char* text, std::size_t first_tab, std::int64_t column,
                        std::size_t& length) {
    std::size_t growth = 0;
    std::size_t i = first_tab;
    for (; text[i] != '\0'; ++i) {
        if (text[i] == '\t') growth += static_cast<std::size_t>(TAB_WIDTH - 1 - column % TAB_WIDTH);
        column = next_column(column, text[i]);
    }
    length = i;
    return growth;
}

}  // namespace

std::size_t expand_tabs(record_buffer& buffer) {
    // strcspn finds the first tab and, failing that, the NUL, in one pass.
    const char* text_chars = reinterpret_cast<const char*>(buffer.bytes + 1);
    std::size_t first_tab = std::strcspn(text_chars, "\t");
    if (buffer.bytes[1 + first_tab] == '\0') return first_tab;

    std::int64_t column = column_after(buffer.bytes + 1, first_tab, 0);
    std::size_t length = 0;
    std::size_t growth = growth_from(buffer.bytes + 1, first_tab, column, length);
    if (growth > SIZE_MAX - 2 - length) fail_out_of_memory();
    std::size_t expanded = length + growth;
    reserve_record_buffer(buffer, expanded + 2);

    // Move the text from the first tab on, with its NUL, to the end of the
    // expanded record, then expand it forward into its final place.  The
    // writing never overtakes the reading: each byte is read before the
    // place it stood in can be written, since the text written so far is
    // never longer than the text read plus the growth still to come.
    unsigned char* text = buffer.bytes + 1;
    std::memmove(text + first_tab + growth, text + first_tab, length - first_tab + 1);
    const unsigned char* from = text + first_tab + growth;
    unsigned char* to = text + first_tab;
    while (unsigned char byte = *from++) {
        if (byte == '\t') {
            to += expand_tab_at(to, column) + 1;
        } else {
            *to++ = byte;
        }
        column = next_column(column, byte);
    }
    *to = '\0';
    return expanded;
}

}  // namespace kaz
