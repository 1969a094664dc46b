// Records as kaz reads them: the record buffer, the record_reader shape that
// the three input forms share, and the three readers.
//
// After a successful read the record buffer holds the record's
// carriage-control character in byte 0 and its text from byte 1 on, ended
// by a NUL.  A NUL among the record's own bytes ends the text early.
#ifndef KAZ_INPUT_RECORD_READER_H
#define KAZ_INPUT_RECORD_READER_H

#include <cstddef>
#include <cstdint>

namespace kaz {

// The size the record buffer starts with.  Most records fit; a longer record
// makes the buffer grow.
constexpr std::size_t RECORD_BUFFER_SIZE = 512;

// The one buffer that holds the current record.  It is allocated once, grows
// only when a record does not fit, and is reused for every record.
struct record_buffer {
    unsigned char* bytes;        // the record, NUL-terminated
    std::size_t capacity;        // bytes allocated, at least RECORD_BUFFER_SIZE
    std::size_t text_length;     // bytes of text from byte 1 to the first NUL
    bool text_has_tab;           // whether the text holds a tab
    unsigned char* spare;        // where tab expansion builds the expanded
                                 // record, then trades places with bytes;
                                 // allocated at the first tab
    std::size_t spare_capacity;  // bytes allocated for spare
};

// Reads the next record into buffer and returns &buffer, or returns nullptr
// at the end of the input.  count is the record size for read_fixed_record
// and receives the record's length from the other two readers.  A reader
// that finds the input malformed writes its diagnostic and ends the process.
using record_reader = record_buffer* (*)(record_buffer& buffer, std::int32_t& count);

// Allocates the buffer with RECORD_BUFFER_SIZE bytes.
void allocate_record_buffer(record_buffer& buffer);

// Makes the buffer hold at least size bytes, keeping its contents.  Grows by
// doubling, so a record that arrives piece by piece costs linear time.
void reserve_record_buffer(record_buffer& buffer, std::size_t size);

// The same for the spare block.
void reserve_spare_buffer(record_buffer& buffer, std::size_t size);

// Ends a record of length bytes, already in the buffer from byte 0: puts the
// NUL behind them and notes where the text ends and whether it holds a tab.
// A record of no bytes at all has NUL carriage control and empty text.  When
// the record was copied whole from the current input block, source is where
// it stood there, and what it holds is learnt from searches of the block,
// not from a pass over the record; otherwise source is nullptr.
void end_record(record_buffer& buffer, std::size_t length, const unsigned char* source = nullptr);

// Text lines: one record per line; an empty line is a blank record.
record_buffer* read_text_record(record_buffer& buffer, std::int32_t& count);

// Fixed-length records of count bytes, back to back.
record_buffer* read_fixed_record(record_buffer& buffer, std::int32_t& count);

// Length-framed records: a little-endian signed 32-bit length, the record's
// bytes, and the same length again.
record_buffer* read_variable_record(record_buffer& buffer, std::int32_t& count);

}  // namespace kaz

#endif
