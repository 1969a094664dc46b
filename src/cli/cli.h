// The command line of kaz: the option scan that chooses the record reader
// and the record size, the usage and version texts, the identification
// string and the exit statuses of the whole program.
#ifndef KAZ_CLI_CLI_H
#define KAZ_CLI_CLI_H

#include <cstdint>

#include "stream/exit_status.h"
#include "input/record_reader.h"

namespace kaz {

// "@(#)" marks the string for programs that search a binary for its name and
// version; the version text prints what stands behind the marker.
extern const char IDENTIFICATION_STRING[];

// What the option scan decided.
enum class scan_result {
    run,      // read the input with the chosen reader
    usage,    // a help letter or a command-line fault
    version,  // the version letter
};

// Scans the arguments behind the program's name from left to right and sets
// reader and count for the run.  Stops at the first rejected argument or
// letter, or at the first V, and says which text to write instead.
scan_result scan_arguments(int argc, const char* const* argv,
                           record_reader& reader, std::int32_t& count);

// Converts a record-size argument as atol does (leading white space, one
// sign, decimal digits, the rest ignored), saturating instead of wrapping
// around: a value beyond the 32-bit range comes back as a value just
// outside it, so that a range check refuses it.
std::int64_t convert_record_size(const char* text);

// Runs scan_arguments and, when it asks for a text, writes it and ends the
// process with status -1.
void parse_command_line(int argc, const char* const* argv,
                        record_reader& reader, std::int32_t& count);

[[noreturn]] void print_usage();
[[noreturn]] void print_version();

}  // namespace kaz

#endif
