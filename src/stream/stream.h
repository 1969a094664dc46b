// Standard input and standard output as kaz uses them: input is read in
// large blocks that the record readers take apart, output is gathered in one
// large buffer and written in large pieces.  A failing stream ends the run
// with one line on standard error and status 1; nothing else in kaz writes
// to standard error.
#ifndef KAZ_STREAM_STREAM_H
#define KAZ_STREAM_STREAM_H

#include <cstddef>
#include <cstring>

namespace kaz {

// Bytes read from standard input and not yet taken by a reader.  Readers
// take bytes by advancing input_next; when it reaches input_end they call
// refill_input for the next block.
extern const unsigned char* input_next;
extern const unsigned char* input_end;

// Makes at least one unread byte available, reading the next block of
// standard input when the current one is used up.  Returns false at the end
// of the input, and keeps returning false once the end has been seen (a
// terminal is not asked again after its end-of-file key).  A read error
// flushes the output written so far, reports "kaz: read error: ..." and
// ends the process with status 1.
bool refill_input();

// Number of unread bytes available without reading, refilling first if there
// are none.  Returns 0 only at the end of the input.
inline std::size_t input_available() {
    if (input_next == input_end && !refill_input()) return 0;
    return static_cast<std::size_t>(input_end - input_next);
}

// Counts the blocks read so far: tells a search in one block from a search
// in an earlier one.
extern std::size_t input_block_number;

// A search for one byte value in the current input block that keeps its
// answer: asked again from a later place that the answer has not passed, it
// costs nothing.  So a reader learns whether a record holds a given byte
// with about one pass over each block instead of one pass over each record.
struct input_search {
    std::size_t block;          // input_block_number of the answer, 0 for none
    const unsigned char* from;  // where the search started
    const unsigned char* found; // the first match at or after from, or input_end
};

// The first byte equal to value at or after from (a place in the current
// block), or input_end when the block holds none there.
inline const unsigned char* find_in_input(input_search& search, unsigned char value, const unsigned char* from) {
    if (search.block != input_block_number || from < search.from || from > search.found) {
        const void* match = std::memchr(from, value, static_cast<std::size_t>(input_end - from));
        search.block = input_block_number;
        search.from = from;
        search.found = match != nullptr ? static_cast<const unsigned char*>(match) : input_end;
    }
    return search.found;
}

// Copies up to size bytes of standard input to destination.  Returns the
// number copied, which is less than size only at the end of the input.
std::size_t read_input(void* destination, std::size_t size);

// Output not yet written to standard output, and how much of it there is.
constexpr std::size_t OUTPUT_BUFFER_SIZE = 128 * 1024;
extern unsigned char output_buffer[OUTPUT_BUFFER_SIZE];
extern std::size_t output_used;

// Fills the buffer, writes it out whole, and keeps the rest of the bytes.
// Every write but the last is a whole buffer, so writes to a file stay
// aligned with its pages.
void write_output_overflowing(const void* bytes, std::size_t size);

// Appends bytes to the output buffer, writing the buffer out when it fills.
// Called for every record, so the common case stays inline.
inline void write_output(const void* bytes, std::size_t size) {
    if (size > OUTPUT_BUFFER_SIZE - output_used) {
        write_output_overflowing(bytes, size);
        return;
    }
    std::memcpy(output_buffer + output_used, bytes, size);
    output_used += size;
}

// Appends a NUL-terminated string, without its NUL.
void write_string(const char* text);

// Writes all buffered output to standard output now.
void flush_output();

// Flushes the output and ends the process with status.  A write error met
// while flushing turns the status into 1, with its message.
[[noreturn]] void finish(int status);

// Reports that memory for a record could not be had ("kaz: memory
// exhausted" on standard error) and ends the process with status 1.
[[noreturn]] void fail_out_of_memory();

}  // namespace kaz

#endif
