// Records as kaz reads them: the record buffer, the record_reader shape that
// the three input forms share, and the three readers.
//
// After a successful read the record buffer shows the record: its
// carriage-control character in byte 0 and its text from byte 1 on, up to
// the first NUL among its bytes or its end.  A record that lies whole in the
// current input block is shown where it lies there, without a copy; one that
// spans blocks is gathered into the buffer's own storage first.
#ifndef KAZ_INPUT_RECORD_READER_H
#define KAZ_INPUT_RECORD_READER_H

#include <cstddef>
#include <cstdint>

#include "stream/byte_marks.h"
#include "stream/stream.h"

namespace kaz {

// The size the buffer's storage starts with.  It grows only when a record
// that spans input blocks does not fit.
constexpr std::size_t RECORD_BUFFER_SIZE = 512;

// The one buffer that shows the current record.  Allocated once and reused
// for every record.
struct record_buffer {
    const unsigned char* record;  // the record: in the current input block,
                                  // in storage, or a constant for a record
                                  // without bytes of its own; valid until the
                                  // next read
    std::size_t text_length;      // bytes of text from record[1] up to the
                                  // first NUL or the record's end
    bool text_has_controls;       // whether those bytes hold a control
                                  // byte that the layout handles: tab,
                                  // backspace, vertical tab, form feed or
                                  // carriage return
    marks_view text_marks;        // the text marks of the record's bytes
                                  // (byte_marks.h), for the tab expansion;
                                  // valid when text_has_controls
    bool text_ended;              // while a record is gathered: a NUL has
                                  // ended its text
    unsigned char* storage;       // where a record that spans input blocks is
                                  // gathered, NUL-terminated
    std::size_t capacity;         // bytes of storage, at least
                                  // RECORD_BUFFER_SIZE; MARK_GROUP more are
                                  // allocated, for the marking of its end
                                  // and for copies in whole pieces
    std::uint64_t* storage_marks; // the marks of a gathered record with
                                  // control bytes: newline marks, text
                                  // marks, then NUL marks
    std::size_t marks_capacity;   // words of storage_marks for each set
};

// Reads the next record into buffer and returns &buffer, or returns nullptr
// at the end of the input.  count is the record size for read_fixed_record
// and receives the record's length from the other two readers.  A reader
// that finds the input malformed writes its diagnostic and ends the process.
using record_reader = record_buffer* (*)(record_buffer& buffer, std::int32_t& count);

// Allocates the buffer's storage with RECORD_BUFFER_SIZE bytes.
void allocate_record_buffer(record_buffer& buffer);

// Makes the storage hold at least size bytes, keeping its contents.  Grows by
// doubling, so a record that arrives piece by piece costs linear time.
void reserve_record_buffer(record_buffer& buffer, std::size_t size);

// Shows the length bytes at record, which lie whole in the current input
// block (length at least 1), when the text marks say that its text holds a
// marked byte: works out where a NUL ends the text and whether control bytes
// come before it.
void show_marked_record_in_block(record_buffer& buffer, const unsigned char* record, std::size_t length);

// Shows the length bytes at record, which lie whole in the current input
// block (length at least 1).  What the text holds is read from the block's
// marks, not from a pass over the bytes.  Called for every record, so the
// plain case stays inline.
inline void show_record_in_block(record_buffer& buffer, const unsigned char* record, std::size_t length) {
    if (any_marked(input_text_bytes, record + 1, record + length)) {
        show_marked_record_in_block(buffer, record, length);
        return;
    }
    buffer.record = record;
    buffer.text_length = length - 1;
    buffer.text_has_controls = false;
}

// Appends the bytes from from to to, a stretch of the current input block,
// to the record gathered in storage, which holds stored bytes so far, and
// learns from the block's marks what they add to the record's text.
void gather_bytes(record_buffer& buffer, std::size_t stored, const unsigned char* from, const unsigned char* to);

// Shows the length bytes gathered in storage, and ends them with a NUL.  A
// record of no bytes at all has NUL carriage control and empty text.
void show_gathered_record(record_buffer& buffer, std::size_t length);

// Shows a record of blank carriage control and empty text: an empty line.
void show_blank_record(record_buffer& buffer);

// Text lines: one record per line; an empty line is a blank record.
record_buffer* read_text_record(record_buffer& buffer, std::int32_t& count);

// Fixed-length records of count bytes, back to back.
record_buffer* read_fixed_record(record_buffer& buffer, std::int32_t& count);

// Length-framed records: a little-endian signed 32-bit length, the record's
// bytes, and the same length again.
record_buffer* read_variable_record(record_buffer& buffer, std::int32_t& count);

}  // namespace kaz

#endif
