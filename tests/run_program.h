// Runs the built kaz as a separate process, with given arguments and bytes
// on standard input, and collects what it writes and its exit status.
#ifndef KAZ_TESTS_RUN_PROGRAM_H
#define KAZ_TESTS_RUN_PROGRAM_H

#include <string>
#include <vector>

namespace kaz_test {

struct program_result {
    std::string output;  // standard output, byte for byte
    std::string errors;  // standard error, byte for byte
    int status;          // exit status as the parent sees it (0 to 255), or -signal
};

program_result run_kaz(const std::vector<std::string>& arguments, const std::string& input);

// The same with standard input a pipe, written in pieces that end at the
// given offsets of input (in increasing order; the rest follows them).  Each
// piece is written only once kaz has read everything before it, so every
// read kaz makes ends at one of the offsets.
program_result run_kaz_in_pieces(const std::vector<std::string>& arguments, const std::string& input,
                                 const std::vector<std::size_t>& cuts);

}  // namespace kaz_test

#endif
