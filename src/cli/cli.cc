#include "cli/cli.h"

#include <cstdint>

#include "stream/stream.h"

namespace kaz {

// Kept whole in the program file, even in an optimised and stripped build,
// so that a search for "@(#)" finds the program's name and version.
#if defined(__GNUC__)
__attribute__((used))
#endif
extern const char IDENTIFICATION_STRING[] = "@(#)Velmor Print Filter 6.6-5";

namespace {

constexpr int IDENTIFICATION_MARKER_LENGTH = 4;  // "@(#)"

bool is_option_argument(const char* argument) { return argument[0] == '-' || argument[0] == '/'; }

bool is_conversion_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int64_t convert_record_size(const char* text) {
    while (is_conversion_space(*text)) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    // Digits beyond the 32-bit range stop adding up: the value is already
    // out of range, and a 64-bit total must not overflow.
    constexpr std::int64_t beyond_range = std::int64_t{INT32_MAX} + 2;
    std::int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value < beyond_range) value = value * 10 + (*text - '0');
    }
    return negative ? -value : value;
}

scan_result scan_arguments(int argc, const char* const* argv, record_reader& reader, std::int32_t& count) {
    std::int64_t record_size = 0;
    int current = 1;
    while (current < argc) {
        const char* argument = argv[current];
        if (!is_option_argument(argument)) return scan_result::usage;
        // Each f takes the next argument not yet taken as its value; those
        // arguments are never scanned as options.
        int last_taken = current;
        for (const char* letter = argument + 1; *letter != '\0'; ++letter) {
            switch (*letter) {
                case 'v':
                    reader = read_variable_record;
                    break;
                case 'f':
                    if (last_taken + 1 >= argc) return scan_result::usage;
                    ++last_taken;
                    reader = read_fixed_record;
                    record_size = convert_record_size(argv[last_taken]);
                    break;
                case 'V':
                    return scan_result::version;
                default:
                    return scan_result::usage;
            }
        }
        current = last_taken + 1;
    }
    // The last size stays in count; only a size that the fixed-length reader
    // will use must fit it.
    bool size_fits = record_size >= 0 && record_size <= INT32_MAX;
    if (size_fits) count = static_cast<std::int32_t>(record_size);
    if (reader == read_fixed_record && !size_fits) return scan_result::usage;
    return scan_result::run;
}

void parse_command_line(int argc, const char* const* argv, record_reader& reader, std::int32_t& count) {
    switch (scan_arguments(argc, argv, reader, count)) {
        case scan_result::run: return;
        case scan_result::usage: print_usage();
        case scan_result::version: print_version();
    }
}

void print_usage() {
    write_string("usage:   \"kaz\" or \"kaz /v\" or \"kaz /f recordsize\"\n");
    write_string("example: \"type fort.7 | kaz\"  or  \"kaz < fort.7\" \n");
    finish(STATUS_COMMAND_LINE);
}

void print_version() {
    write_string("\n");
    write_string("Program: ");
    write_string(IDENTIFICATION_STRING + IDENTIFICATION_MARKER_LENGTH);
    write_string("\n");
    finish(STATUS_COMMAND_LINE);
}

}  // namespace kaz
