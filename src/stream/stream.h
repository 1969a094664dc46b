// Standard input and standard output as kaz uses them: input is read in
// large blocks whose newlines and text marks are made as each block
// arrives, so that the record readers take records apart without searching
// them; output is gathered in one large buffer and leaves in whole buffers.
// A failing stream ends the run with one line on standard error and status
// 1; nothing else in kaz writes to standard error.
#ifndef KAZ_STREAM_STREAM_H
#define KAZ_STREAM_STREAM_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "stream/byte_marks.h"

namespace kaz {

// ---- Input ----

// Large enough that a file is read in few system calls, small enough to stay
// in the processor's cache with its marks.
constexpr std::size_t INPUT_BLOCK_SIZE = 128 * 1024;

// Bytes past the end of the input block that may be read: the marking of
// its last group, and the whole-line copy of a short line at its end
// (write_line).
constexpr std::size_t INPUT_BLOCK_SLACK = 128;

// The block of standard input, with INPUT_BLOCK_SLACK bytes of room.
extern unsigned char input_block[INPUT_BLOCK_SIZE + INPUT_BLOCK_SLACK];

// The marks of the bytes in the current block (see byte_marks.h).  The
// newline marks have one word more: the end of the block is marked as a
// newline, so that a search for the next newline always stops.
extern std::uint64_t input_newline_marks[INPUT_BLOCK_SIZE / MARK_GROUP + 1];
extern std::uint64_t input_text_marks[INPUT_BLOCK_SIZE / MARK_GROUP];
extern std::uint64_t input_nul_marks[INPUT_BLOCK_SIZE / MARK_GROUP];

// Bytes of the current block not yet taken by a reader.  Readers take bytes
// by advancing input_next; when it reaches input_end they call refill_input
// for the next block.  The bytes of the current block stay where they are
// until then, so a record that lies whole in the block is used from there.
extern const unsigned char* input_next;
extern const unsigned char* input_end;

// Makes at least one unread byte available, reading and marking the next
// block of standard input when the current one is used up.  Returns false
// at the end of the input, and keeps returning false once the end has been
// seen (a terminal is not asked again after its end-of-file key).  A read
// error flushes the output written so far, reports "kaz: read error: ..."
// and ends the process with status 1.
bool refill_input();

// Number of unread bytes available without reading, refilling first if there
// are none.  Returns 0 only at the end of the input.
inline std::size_t input_available() {
    if (input_next == input_end && !refill_input()) return 0;
    return static_cast<std::size_t>(input_end - input_next);
}

// Copies up to size bytes of standard input to destination.  Returns the
// number copied, which is less than size only at the end of the input.
std::size_t read_input(void* destination, std::size_t size);

// Marks the size bytes at the start of input_block, and marks its end as
// a newline (see input_newline_marks).
void mark_input_block(std::size_t size);

// The text marks and the NUL marks of the current block.
constexpr marks_view input_text_bytes{input_text_marks, input_block};
constexpr marks_view input_nuls{input_nul_marks, input_block};

// The first newline at or after from (at most input_end) in the current
// block, or input_end.  Called for every text line: the mark at the end of
// the block makes it a plain search for the next set bit.
inline const unsigned char* next_newline(const unsigned char* from) {
    auto offset = static_cast<std::size_t>(from - input_block);
    std::size_t group = offset / MARK_GROUP;
    std::uint64_t marks = input_newline_marks[group] >> (offset % MARK_GROUP);
    if (marks != 0) return from + lowest_mark(marks);
    while ((marks = input_newline_marks[++group]) == 0) {
    }
    return input_block + group * MARK_GROUP + lowest_mark(marks);
}

// ---- Output ----

// Output leaves in writes of OUTPUT_BUFFER_SIZE bytes (all but the last),
// so that writes to a file stay aligned with its pages.  The buffer has
// OUTPUT_SLACK bytes more, so that a piece of up to that size always fits
// behind what is there.
constexpr std::size_t OUTPUT_BUFFER_SIZE = 128 * 1024;
constexpr std::size_t OUTPUT_SLACK = 16 * 1024;
extern unsigned char output_buffer[OUTPUT_BUFFER_SIZE + OUTPUT_SLACK];

// Bytes waiting in the buffer: always fewer than OUTPUT_BUFFER_SIZE between
// calls, so that at least OUTPUT_SLACK bytes of room follow them.
extern std::size_t output_used;

// Writes the first OUTPUT_BUFFER_SIZE bytes of the buffer and moves the rest
// to its front.
void write_full_buffer();

// Where the next output byte goes; there is room for OUTPUT_SLACK bytes.
inline unsigned char* output_room() { return output_buffer + output_used; }

// Takes the size bytes just put at output_room (at most OUTPUT_SLACK).
inline void commit_output(std::size_t size) {
    output_used += size;
    if (output_used >= OUTPUT_BUFFER_SIZE) write_full_buffer();
}

// Copies size bytes in whole pieces of COPY_PIECE bytes, each one fixed-size
// move, instead of a call that sorts out the size first.  It may read up to
// COPY_PIECE - 1 bytes past the end of the source and write as many past the
// end of the destination: the input block, the record storage and the
// output buffer all have that much room to spare.
constexpr std::size_t COPY_PIECE = 16;
inline void copy_in_pieces(unsigned char* to, const unsigned char* from, std::size_t size) {
    for (std::size_t i = 0; i < size; i += COPY_PIECE) std::memcpy(to + i, from + i, COPY_PIECE);
}

// Appends bytes of any size; the long way for more than OUTPUT_SLACK.
void write_long_output(const void* bytes, std::size_t size);

// Appends bytes to the output.
inline void write_output(const void* bytes, std::size_t size) {
    if (size > OUTPUT_SLACK) {
        write_long_output(bytes, size);
        return;
    }
    std::memcpy(output_room(), bytes, size);
    commit_output(size);
}

// The bytes that place a record's line before its text: up to two, stored
// whole and counted by size.
struct line_advance {
    unsigned char bytes[2];
    unsigned char size;
};

// A line's text up to this size is copied in one straight run of
// COPY_PIECE moves, whatever its size: no loop whose end the processor
// must guess, for the lines of most reports.
constexpr std::size_t SHORT_LINE = 128;
static_assert(INPUT_BLOCK_SLACK >= SHORT_LINE && INPUT_BLOCK_SLACK >= MARK_GROUP, "input block slack");

// Copies size bytes as copy_in_pieces does, and always at least SHORT bytes
// in one straight run of moves, so that a copy of up to SHORT bytes has no
// loop whose end the processor must guess: the source must be readable, and
// the destination writable, that far.
template <std::size_t SHORT>
inline void copy_at_least(unsigned char* to, const unsigned char* from, std::size_t size) {
    static_assert(SHORT % COPY_PIECE == 0, "whole pieces");
    for (std::size_t i = 0; i < SHORT; i += COPY_PIECE) std::memcpy(to + i, from + i, COPY_PIECE);
    if (size > SHORT) copy_in_pieces(to + SHORT, from + SHORT, size - SHORT);
}

// Appends the advance before a record's line.
inline void write_advance(const line_advance& advance) {
    std::memcpy(output_room(), advance.bytes, sizeof advance.bytes);
    commit_output(advance.size);
}

// Appends a record's line: its advance, then its text, which lies in the
// input block or in record storage, or is the constant text of a record
// without bytes, and so may be read SHORT_LINE bytes far.  Called for every
// record, so the common case is one store, one straight copy and one count.
inline void write_line(const line_advance& advance, const unsigned char* text, std::size_t size) {
    if (size > OUTPUT_SLACK - COPY_PIECE - sizeof advance.bytes) {
        write_advance(advance);
        write_long_output(text, size);
        return;
    }
    unsigned char* out = output_room();
    std::memcpy(out, advance.bytes, sizeof advance.bytes);
    copy_at_least<SHORT_LINE>(out + advance.size, text, size);
    commit_output(advance.size + size);
}

// Appends a NUL-terminated string, without its NUL.
void write_string(const char* text);

// Writes all buffered output to standard output now.
void flush_output();

// Flushes the output and ends the process with status.  A write error met
// while flushing or closing turns the status into 1, with its message.
[[noreturn]] void finish(int status);

// Reports that memory for a record could not be had ("kaz: memory
// exhausted" on standard error) and ends the process with status 1.
[[noreturn]] void fail_out_of_memory();

}  // namespace kaz

#endif
