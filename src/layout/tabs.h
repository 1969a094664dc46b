// Tab expansion: a record's tabs become spaces up to the next tab stop,
// counting columns from the record's first text byte.
#ifndef KAZ_LAYOUT_TABS_H
#define KAZ_LAYOUT_TABS_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "input/record_reader.h"

namespace kaz {

// Tab stops stand at columns 0, 8, 16, ...
constexpr std::int64_t TAB_WIDTH = 8;

// The column after a byte that stands at column.  Tabs go to the next stop,
// backspace goes back one (never below 0), carriage return goes to 0,
// vertical tab and form feed stay put, every other byte moves one column,
// newline included.
inline std::int64_t next_column(std::int64_t column, unsigned char byte) {
    switch (byte) {
        case '\t': return column - column % TAB_WIDTH + TAB_WIDTH;
        case '\b': return column > 0 ? column - 1 : 0;
        case '\v':
        case '\f': return column;
        case '\r': return 0;
        default: return column + 1;
    }
}

// Writes the spaces that replace a tab met at column, starting at at, where
// there must be room for TAB_WIDTH bytes.  Returns how many bytes the text
// grows by: the spaces less the tab, 0 to 7.
inline int expand_tab_at(unsigned char* at, std::int64_t column) {
    // A whole tab width of spaces is one store; the bytes past the tab stop
    // are overwritten by whatever follows.  Columns are never negative.
    std::memcpy(at, "        ", TAB_WIDTH);
    return static_cast<int>(TAB_WIDTH - 1 - static_cast<std::uint64_t>(column) % TAB_WIDTH);
}

// A plain stretch of text between marked bytes, up to this size, is copied
// in one straight run of moves, whatever its size: no loop whose end the
// processor must guess, for the fields of most tabbed reports.
constexpr std::size_t SHORT_STRETCH = 64;

// Writes length bytes of text to out with every tab replaced by spaces up to
// the next stop, and returns the number of bytes written.  marks are the
// text marks of the bytes (byte_marks.h): the expansion goes from one marked
// byte to the next and copies the plain stretches between them whole.
// column is the column of the first byte, and comes back as the column
// after the last, so that a long text can go in pieces.  out must have room
// for TAB_WIDTH bytes for each byte of text and SHORT_STRETCH more, and the
// text must be readable SHORT_STRETCH bytes past its end (the input block
// and record storage both are).
std::size_t expand_tabs_into(const unsigned char* text, std::size_t length, marks_view marks, std::int64_t& column,
                             unsigned char* out);

// Writes the record's text to the output with its tabs expanded, straight
// into the output buffer, a piece at a time.  Every other byte stays as it
// is; the carriage-control character is not written.  Time is linear in the
// text's length, however many tabs it holds.
void expand_tabs(const record_buffer& buffer);

}  // namespace kaz

#endif
