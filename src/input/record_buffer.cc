#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "input/record_reader.h"
#include "stream/stream.h"

namespace kaz {

namespace {

// The records that have no bytes of their own to show: an empty line (blank
// carriage control) and a frame of length 0 (NUL carriage control).
const unsigned char BLANK_RECORD[] = " ";
const unsigned char EMPTY_RECORD[] = "\0";

}  // namespace

void allocate_record_buffer(record_buffer& buffer) {
    buffer = record_buffer{EMPTY_RECORD, 0, false, input_text_bytes, false, nullptr, 0, nullptr, 0};
    reserve_record_buffer(buffer, RECORD_BUFFER_SIZE);
}

void reserve_record_buffer(record_buffer& buffer, std::size_t size) {
    if (size <= buffer.capacity) return;
    std::size_t grown = buffer.capacity > 0 ? buffer.capacity : RECORD_BUFFER_SIZE;
    while (grown < size) {
        if (grown > SIZE_MAX / 2) {
            grown = size;
            break;
        }
        grown *= 2;
    }
    void* moved = grown <= SIZE_MAX - MARK_GROUP ? std::realloc(buffer.storage, grown + MARK_GROUP) : nullptr;
    if (moved == nullptr) fail_out_of_memory();
    buffer.storage = static_cast<unsigned char*>(moved);
    buffer.capacity = grown;
}

namespace {

// What the text marks of a stretch of text in the current input block say:
// whether it holds a tab before its first NUL, and where that NUL stands
// (nullptr for none).
struct text_findings {
    bool has_tab;
    const unsigned char* nul;
};

text_findings look_at_text(const unsigned char* from, const unsigned char* to) {
    text_findings found{false, nullptr};
    marks_walk walk = walk_marks(input_text_bytes, from, to);
    while (const unsigned char* marked = next_mark(walk)) {
        if (*marked == '\0') {
            found.nul = marked;
            break;
        }
        if (*marked == '\t') found.has_tab = true;
    }
    return found;
}

// Makes the text marks of the length bytes gathered in storage.
void mark_storage(record_buffer& buffer, std::size_t length) {
    std::size_t words = (length + MARK_GROUP - 1) / MARK_GROUP;
    if (words > buffer.marks_capacity) {
        std::size_t grown = buffer.capacity / MARK_GROUP + 1;
        void* moved = std::realloc(buffer.storage_marks, 2 * grown * sizeof(std::uint64_t));
        if (moved == nullptr) fail_out_of_memory();
        buffer.storage_marks = static_cast<std::uint64_t*>(moved);
        buffer.marks_capacity = grown;
    }
    mark_bytes(buffer.storage, length, buffer.storage_marks, buffer.storage_marks + buffer.marks_capacity);
    buffer.text_marks = marks_view{buffer.storage_marks + buffer.marks_capacity, buffer.storage};
}

}  // namespace

void show_record_in_block(record_buffer& buffer, const unsigned char* record, std::size_t length) {
    const unsigned char* text = record + 1;
    text_findings found = look_at_text(text, record + length);
    buffer.record = record;
    buffer.text_marks = input_text_bytes;
    buffer.text_length = found.nul != nullptr ? static_cast<std::size_t>(found.nul - text) : length - 1;
    buffer.text_has_tab = found.has_tab;
}

void gather_bytes(record_buffer& buffer, std::size_t stored, const unsigned char* from, const unsigned char* to) {
    auto size = static_cast<std::size_t>(to - from);
    reserve_record_buffer(buffer, stored + size + 1);
    std::memcpy(buffer.storage + stored, from, size);
    if (stored == 0) {
        buffer.text_length = 0;
        buffer.text_has_tab = false;
        buffer.text_ended = false;
        ++from;  // byte 0 is the carriage-control character, not text
    }
    if (buffer.text_ended || from >= to) return;
    text_findings found = look_at_text(from, to);
    buffer.text_has_tab = buffer.text_has_tab || found.has_tab;
    if (found.nul != nullptr) {
        buffer.text_ended = true;
        buffer.text_length = stored + static_cast<std::size_t>(found.nul - (to - size)) - 1;
    }
}

void show_gathered_record(record_buffer& buffer, std::size_t length) {
    buffer.storage[length] = '\0';
    if (length == 0) {
        buffer.record = EMPTY_RECORD;
        buffer.text_length = 0;
        buffer.text_has_tab = false;
        return;
    }
    buffer.record = buffer.storage;
    if (!buffer.text_ended) buffer.text_length = length - 1;
    if (buffer.text_has_tab) mark_storage(buffer, length);
}

void show_blank_record(record_buffer& buffer) {
    buffer.record = BLANK_RECORD;
    buffer.text_length = 0;
    buffer.text_has_tab = false;
}

}  // namespace kaz
