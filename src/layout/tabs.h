// Tab expansion: a record's tabs become spaces up to the next tab stop,
// counting columns from the record's first text byte.
#ifndef KAZ_LAYOUT_TABS_H
#define KAZ_LAYOUT_TABS_H

#include <cstdint>

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
int expand_tab_at(unsigned char* at, std::int64_t column);

// Replaces every tab in the record's text (from byte 1 to the first NUL) by
// spaces, and sets the text's new length.  Every other byte stays as it is,
// and so does the carriage-control character in byte 0.  A record with tabs
// is rebuilt once, in the buffer's spare block, which then takes the place of
// the old one; the time is linear in the text's length, however many tabs it
// holds.  Trusts text_length and text_has_tab as the reader left them.
void expand_tabs(record_buffer& buffer);

}  // namespace kaz

#endif
