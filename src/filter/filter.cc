#include "filter/filter.h"

#include "cli/cli.h"
#include "layout/tabs.h"
#include "stream/exit_status.h"
#include "stream/stream.h"

namespace kaz {

namespace {

// An overprint record prints over the open line.  After a "$" or NUL record
// it continues that line instead, right behind the text already there.
bool is_overprint(int control) { return control == '+' || control == '\0'; }
bool lets_overprint_continue(int control) { return control == '$' || control == '\0'; }

}  // namespace

std::string_view carriage_control_sequence(unsigned char control, int previous) {
    if (previous == NO_PREVIOUS_RECORD) {
        // No line is open yet: only the advance itself.
        switch (control) {
            case '0': return "\n";
            case '1': return "\f";
            default: return "";
        }
    }
    switch (control) {
        case '0': return "\n\n";  // end the line, leave one blank line
        case '1': return "\n\f";  // end the line, new page
        default: break;
    }
    if (is_overprint(control)) return lets_overprint_continue(previous) ? "" : "\r";
    return "\n";  // blank, "$" and every other value
}

void run_filter(record_reader reader, record_buffer& buffer, std::int32_t& count) {
    // The carriage-control character of the record written last: it decides
    // whether an overprint record returns to the start of the line.
    int previous = NO_PREVIOUS_RECORD;
    // Each record, wherever the reader shows it (in the input block or in
    // the buffer's storage), goes out the same way: the characters that
    // place its line, then its text, tabs expanded when it has any.
    while (reader(buffer, count) != nullptr) {
        unsigned char control = buffer.record[0];
        std::string_view advance = carriage_control_sequence(control, previous);
        write_output(advance.data(), advance.size());
        if (buffer.text_has_tab) {
            expand_tabs(buffer);
        } else {
            write_record_text(buffer.record + 1, buffer.text_length);
        }
        previous = control;
    }
    // Line ends go before records, so the last line is still open.
    if (previous != NO_PREVIOUS_RECORD) write_output("\n", 1);
    finish(STATUS_END_OF_INPUT);
}

void run_program(int argc, const char* const* argv) {
    record_buffer buffer;
    allocate_record_buffer(buffer);
    // The run settings: text lines unless the command line says otherwise.
    record_reader reader = read_text_record;
    std::int32_t count = 0;
    parse_command_line(argc, argv, reader, count);
    run_filter(reader, buffer, count);
}

}  // namespace kaz
