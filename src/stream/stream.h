// Standard input and standard output as kaz uses them: input is read in
// large blocks that the record readers take apart, output is gathered in one
// large buffer and written in large pieces.  A failing stream ends the run
// with one line on standard error and status 1; nothing else in kaz writes
// to standard error.
#ifndef KAZ_STREAM_STREAM_H
#define KAZ_STREAM_STREAM_H

#include <cstddef>

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

// Copies up to size bytes of standard input to destination.  Returns the
// number copied, which is less than size only at the end of the input.
std::size_t read_input(void* destination, std::size_t size);

// Appends bytes to the output buffer, writing the buffer out when it fills.
void write_output(const void* bytes, std::size_t size);

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
