#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__linux__)
#define KAZ_MAPPED_STORAGE 1
#include <sys/mman.h>
#else
#define KAZ_MAPPED_STORAGE 0
#endif

#include "input/record_reader.h"
#include "stream/stream.h"

namespace kaz {

namespace {

// The records that have no bytes of their own to show: an empty line (blank
// carriage control) and a frame of length 0 (NUL carriage control).  Their
// empty text is readable as far as a whole-line copy reads (write_line).
const unsigned char BLANK_RECORD[1 + SHORT_LINE] = " ";
const unsigned char EMPTY_RECORD[1 + SHORT_LINE] = "\0";

// The sets of marks made of a gathered record: newline, text and NUL marks.
constexpr std::size_t STORAGE_MARK_SETS = 3;

// A whole-line copy of a gathered record's text stays inside its storage.
static_assert(RECORD_BUFFER_SIZE >= 1 + SHORT_LINE, "record storage holds a whole-line copy");

}  // namespace

void allocate_record_buffer(record_buffer& buffer) {
    buffer = record_buffer{EMPTY_RECORD, 0, false, input_text_bytes, false, nullptr, 0, nullptr, 0};
    reserve_record_buffer(buffer, RECORD_BUFFER_SIZE);
}

namespace {

#if KAZ_MAPPED_STORAGE
// Storage for a record of this size or more is mapped on its own, in huge
// pages where the system gives them, and grows by moving its mapping rather
// than copying it.  Such a record is held in memory that the process has
// never touched, and a fresh small page costs far more than the copy into
// it (on virtual machines most of all).
constexpr std::size_t MAPPED_STORAGE = std::size_t{4} << 20;
constexpr std::size_t HUGE_PAGE = std::size_t{2} << 20;

bool is_mapped(std::size_t capacity) { return capacity >= MAPPED_STORAGE; }

// The length of the mapping that holds allocated bytes: whole huge pages,
// so that it keeps them when it moves.
std::size_t mapping_length(std::size_t allocated) {
    return allocated > SIZE_MAX - HUGE_PAGE ? 0 : (allocated + HUGE_PAGE - 1) & ~(HUGE_PAGE - 1);
}

// Maps length bytes at an address aligned to HUGE_PAGE, so that huge pages
// can back it from its start.  Returns nullptr when the system refuses.
unsigned char* map_storage(std::size_t length) {
    std::size_t mapped = length + HUGE_PAGE;
    void* start = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED) return nullptr;
    auto address = reinterpret_cast<std::uintptr_t>(start);
    std::uintptr_t aligned = (address + HUGE_PAGE - 1) & ~(std::uintptr_t{HUGE_PAGE} - 1);
    // The unaligned ends of the mapping go back.
    if (aligned > address) munmap(start, aligned - address);
    std::size_t after = address + mapped - (aligned + length);
    if (after > 0) munmap(reinterpret_cast<void*>(aligned + length), after);
    return reinterpret_cast<unsigned char*>(aligned);
}

// Moves mapped storage to a mapping of length bytes, keeping its pages.
unsigned char* remap_storage(unsigned char* storage, std::size_t old_length, std::size_t length) {
    void* moved = mremap(storage, old_length, length, MREMAP_MAYMOVE);
    return moved == MAP_FAILED ? nullptr : static_cast<unsigned char*>(moved);
}
#endif

// Moves storage of old_capacity bytes (0 for none) to new storage of
// capacity bytes, keeping its contents; both have MARK_GROUP bytes more.
// Returns nullptr when memory cannot be had; the old storage is then left as
// it was.
unsigned char* move_storage(unsigned char* storage, std::size_t old_capacity, std::size_t capacity) {
    std::size_t allocated = capacity + MARK_GROUP;
#if KAZ_MAPPED_STORAGE
    if (is_mapped(capacity)) {
        std::size_t length = mapping_length(allocated);
        if (length == 0) return nullptr;
        unsigned char* moved;
        if (is_mapped(old_capacity)) {
            moved = remap_storage(storage, mapping_length(old_capacity + MARK_GROUP), length);
        } else {
            moved = map_storage(length);
            if (moved != nullptr && storage != nullptr) {
                std::memcpy(moved, storage, old_capacity);
                std::free(storage);
            }
        }
        if (moved != nullptr) madvise(moved, length, MADV_HUGEPAGE);
        return moved;
    }
#else
    (void)old_capacity;
#endif
    return static_cast<unsigned char*>(std::realloc(storage, allocated));
}

}  // namespace

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
    unsigned char* moved = grown <= SIZE_MAX - MARK_GROUP ? move_storage(buffer.storage, buffer.capacity, grown) : nullptr;
    if (moved == nullptr) fail_out_of_memory();
    buffer.storage = moved;
    buffer.capacity = grown;
}

namespace {

// What a stretch of text in the current input block holds: whether it has
// a control byte (see record_buffer) before its first NUL, and where that
// NUL stands (nullptr for none).
struct text_findings {
    bool has_controls;
    const unsigned char* nul;
};

text_findings look_at_text(const unsigned char* from, const unsigned char* to) {
    // Called only for a text with a marked byte (see any_marked).  The NUL
    // marks give the end of the text, and the text marks before it the
    // control bytes.
    if (!any_marked(input_nuls, from, to)) return text_findings{true, nullptr};
    const unsigned char* nul = next_marked(input_nuls, from, to);
    return text_findings{any_marked(input_text_bytes, from, nul), nul};
}

// Makes the marks of the length bytes gathered in storage.
void mark_storage(record_buffer& buffer, std::size_t length) {
    std::size_t words = (length + MARK_GROUP - 1) / MARK_GROUP;
    if (words > buffer.marks_capacity) {
        std::size_t grown = buffer.capacity / MARK_GROUP + 1;
        void* moved = std::realloc(buffer.storage_marks, STORAGE_MARK_SETS * grown * sizeof(std::uint64_t));
        if (moved == nullptr) fail_out_of_memory();
        buffer.storage_marks = static_cast<std::uint64_t*>(moved);
        buffer.marks_capacity = grown;
    }
    std::uint64_t* newline_marks = buffer.storage_marks;
    std::uint64_t* text_marks = newline_marks + buffer.marks_capacity;
    std::uint64_t* nul_marks = text_marks + buffer.marks_capacity;
    mark_bytes(buffer.storage, length, newline_marks, text_marks, nul_marks);
    buffer.text_marks = marks_view{text_marks, buffer.storage};
}

}  // namespace

void show_marked_record_in_block(record_buffer& buffer, const unsigned char* record, std::size_t length) {
    const unsigned char* text = record + 1;
    buffer.record = record;
    buffer.text_marks = input_text_bytes;
    text_findings found = look_at_text(text, record + length);
    buffer.text_length = found.nul != nullptr ? static_cast<std::size_t>(found.nul - text) : length - 1;
    buffer.text_has_controls = found.has_controls;
}

void gather_bytes(record_buffer& buffer, std::size_t stored, const unsigned char* from, const unsigned char* to) {
    auto size = static_cast<std::size_t>(to - from);
    reserve_record_buffer(buffer, stored + size + 1);
    std::memcpy(buffer.storage + stored, from, size);
    if (stored == 0) {
        buffer.text_length = 0;
        buffer.text_has_controls = false;
        buffer.text_ended = false;
        ++from;  // byte 0 is the carriage-control character, not text
    }
    if (buffer.text_ended || !any_marked(input_text_bytes, from, to)) return;
    text_findings found = look_at_text(from, to);
    buffer.text_has_controls = buffer.text_has_controls || found.has_controls;
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
        buffer.text_has_controls = false;
        return;
    }
    buffer.record = buffer.storage;
    if (!buffer.text_ended) buffer.text_length = length - 1;
    if (buffer.text_has_controls) mark_storage(buffer, length);
}

void show_blank_record(record_buffer& buffer) {
    buffer.record = BLANK_RECORD;
    buffer.text_length = 0;
    buffer.text_has_controls = false;
}

}  // namespace kaz
