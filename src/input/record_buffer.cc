#include <cstdlib>
#include <cstring>

#include "input/record_reader.h"
#include "stream/stream.h"

namespace kaz {

namespace {

// The last searches of the input block for a NUL and for a tab.
input_search nul_search = {0, nullptr, nullptr};
input_search tab_search = {0, nullptr, nullptr};

// Grows block to hold at least size bytes, doubling its capacity, and keeps
// its contents.
void grow(unsigned char*& block, std::size_t& capacity, std::size_t size) {
    if (size <= capacity) return;
    std::size_t grown = capacity > 0 ? capacity : RECORD_BUFFER_SIZE;
    while (grown < size) {
        if (grown > SIZE_MAX / 2) {
            grown = size;
            break;
        }
        grown *= 2;
    }
    void* moved = std::realloc(block, grown);
    if (moved == nullptr) fail_out_of_memory();
    block = static_cast<unsigned char*>(moved);
    capacity = grown;
}

}  // namespace

void allocate_record_buffer(record_buffer& buffer) {
    buffer = record_buffer{nullptr, 0, 0, false, nullptr, 0};
    grow(buffer.bytes, buffer.capacity, RECORD_BUFFER_SIZE);
}

void reserve_record_buffer(record_buffer& buffer, std::size_t size) {
    grow(buffer.bytes, buffer.capacity, size);
}

void reserve_spare_buffer(record_buffer& buffer, std::size_t size) {
    grow(buffer.spare, buffer.spare_capacity, size);
}

void end_record(record_buffer& buffer, std::size_t length, const unsigned char* source) {
    buffer.bytes[length] = '\0';
    if (length == 0) {
        buffer.bytes[1] = '\0';
        buffer.text_length = 0;
        buffer.text_has_tab = false;
        return;
    }
    if (source != nullptr) {
        const unsigned char* text = source + 1;
        const unsigned char* record_end = source + length;
        const unsigned char* nul = find_in_input(nul_search, '\0', text);
        const unsigned char* text_end = nul < record_end ? nul : record_end;
        buffer.text_length = static_cast<std::size_t>(text_end - text);
        buffer.text_has_tab = find_in_input(tab_search, '\t', text) < text_end;
        return;
    }
    const unsigned char* text = buffer.bytes + 1;
    const void* nul = std::memchr(text, '\0', length - 1);
    buffer.text_length =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - text) : length - 1;
    buffer.text_has_tab = std::memchr(text, '\t', buffer.text_length) != nullptr;
}

}  // namespace kaz
