#include "layout/tabs.h"

#include <cstring>
#include <utility>

namespace kaz {

int expand_tab_at(unsigned char* at, std::int64_t column) {
    // A whole tab width of spaces is one store; the bytes past the tab stop
    // are overwritten by whatever follows.
    std::memcpy(at, "        ", TAB_WIDTH);
    return static_cast<int>(TAB_WIDTH - 1 - column % TAB_WIDTH);
}

namespace {

constexpr std::size_t WORD_SIZE = sizeof(std::uint64_t);

// Marks the bytes of word that are below 14 with their top bit: every byte
// from 14 up moves the column on by one, so a word without a mark can go
// across whole.  (The classic test for a byte below n, exact for n up to
// 128: a borrow may also mark bytes above a marked one, never below it.)
std::uint64_t bytes_below_14(std::uint64_t word) {
    constexpr std::uint64_t ones = 0x0101010101010101u;
    constexpr std::uint64_t high_bits = 0x8080808080808080u;
    return (word - ones * 14) & ~word & high_bits;
}

// Where the first byte below 14 stands among the WORD_SIZE bytes at bytes,
// which hold one; marks is what bytes_below_14 found in them.
std::size_t first_byte_below_14(const unsigned char* bytes, std::uint64_t marks) {
#if defined(__GNUC__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // The first byte in memory is the least significant: its mark is exact.
    (void)bytes;
    return static_cast<std::size_t>(__builtin_ctzll(marks)) / 8;
#else
    (void)marks;
    std::size_t offset = 0;
    while (bytes[offset] >= 14) ++offset;
    return offset;
#endif
}

}  // namespace

void expand_tabs(record_buffer& buffer) {
    if (!buffer.text_has_tab) return;
    const unsigned char* text = buffer.bytes + 1;
    std::size_t length = buffer.text_length;

    // The expanded record is built in the spare block, which always has room
    // for the bytes still to be read, one each, and the NUL; a tab needs
    // room for TAB_WIDTH more.  The local copy of the block's address keeps
    // the compiler from reloading it after every byte stored.  Text goes
    // across a word at a time, up to each byte that may move the column
    // other than by one, which goes on its own.
    reserve_spare_buffer(buffer, length + 2);
    unsigned char* spare = buffer.spare;
    spare[0] = buffer.bytes[0];
    std::size_t written = 1;
    std::int64_t column = 0;
    std::size_t i = 0;
    while (i < length) {
        if (length - i >= WORD_SIZE) {
            // Copy a word; keep the part of it before its first byte that
            // may move the column other than by one.
            std::uint64_t word;
            std::memcpy(&word, text + i, WORD_SIZE);
            std::memcpy(spare + written, &word, WORD_SIZE);
            std::uint64_t marks = bytes_below_14(word);
            std::size_t ordinary = marks == 0 ? WORD_SIZE : first_byte_below_14(text + i, marks);
            written += ordinary;
            i += ordinary;
            column += static_cast<std::int64_t>(ordinary);
            if (ordinary == WORD_SIZE) continue;
        }
        unsigned char byte = text[i++];
        if (byte == '\t') {
            reserve_spare_buffer(buffer, written + TAB_WIDTH + (length - i) + 1);
            spare = buffer.spare;
            written += static_cast<std::size_t>(expand_tab_at(spare + written, column)) + 1;
        } else {
            spare[written++] = byte;
        }
        column = next_column(column, byte);
    }
    spare[written] = '\0';

    std::swap(buffer.bytes, buffer.spare);
    std::swap(buffer.capacity, buffer.spare_capacity);
    buffer.text_length = written - 1;
    buffer.text_has_tab = false;
}

}  // namespace kaz
