// The translation loop: records in, page text out.
#ifndef KAZ_FILTER_FILTER_H
#define KAZ_FILTER_FILTER_H

#include <cstdint>
#include <string_view>

#include "input/record_reader.h"

namespace kaz {

// Stands for the previous carriage-control character before the first record.
constexpr int NO_PREVIOUS_RECORD = -1;

// The characters written before a record's text: they end the open line of
// the previous record and move to this record's line.  control is this
// record's carriage-control character; previous is the previous record's,
// or NO_PREVIOUS_RECORD for the first record.
std::string_view carriage_control_sequence(unsigned char control, int previous);

// Reads every record with reader and writes its translation, then ends the
// line and the process with status 0.  Readers end the process themselves on
// malformed input.
[[noreturn]] void run_filter(record_reader reader, record_buffer& buffer, std::int32_t& count);

// The whole program: allocates the record buffer, reads the command line and
// runs the filter.  Ends the process; never returns.
[[noreturn]] void run_program(int argc, const char* const* argv);

}  // namespace kaz

#endif
