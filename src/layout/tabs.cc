#include "layout/tabs.h"

#include <cstring>

#include "stream/stream.h"

namespace kaz {

namespace {

// The most text expanded into the output buffer at once: its expansion fits
// the room the buffer always has.
constexpr std::size_t TEXT_PIECE = (OUTPUT_SLACK - SHORT_STRETCH) / TAB_WIDTH;

// The input block and record storage let a stretch be read this far.
static_assert(SHORT_STRETCH <= INPUT_BLOCK_SLACK && SHORT_STRETCH <= MARK_GROUP, "text readable past its end");

}  // namespace

std::size_t expand_tabs_into(const unsigned char* text, std::size_t length, marks_view marks, std::int64_t& column,
                             unsigned char* out) {
    const unsigned char* end = text + length;
    std::size_t written = 0;
    marks_walk walk = walk_marks(marks, text, end);
    for (;;) {
        // Every byte up to the next marked one moves the column on by one.
        const unsigned char* marked = next_mark(walk);
        const unsigned char* plain_end = marked != nullptr ? marked : end;
        auto plain = static_cast<std::size_t>(plain_end - text);
        copy_at_least<SHORT_STRETCH>(out + written, text, plain);
        written += plain;
        column += static_cast<std::int64_t>(plain);
        if (marked == nullptr) return written;
        unsigned char byte = *marked;
        if (byte == '\t') {
            // The tab's own column and the ones it grows by.
            int width = expand_tab_at(out + written, column) + 1;
            written += static_cast<std::size_t>(width);
            column += width;
        } else {
            out[written++] = byte;
            column = next_column(column, byte);
        }
        text = marked + 1;
    }
}

void expand_tabs(const record_buffer& buffer) {
    const unsigned char* text = buffer.record + 1;
    std::size_t length = buffer.text_length;
    std::int64_t column = 0;
    for (std::size_t done = 0; done < length;) {
        std::size_t piece = length - done < TEXT_PIECE ? length - done : TEXT_PIECE;
        commit_output(expand_tabs_into(text + done, piece, buffer.text_marks, column, output_room()));
        done += piece;
    }
}

}  // namespace kaz
