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

namespace {

// What decides the advance before a record, of the record written before
// it: nothing written yet, a "$" or NUL record (an overprint continues its
// line), or any other record.
enum previous_kind { NONE_YET, CONTINUABLE, OTHER, PREVIOUS_KINDS };

previous_kind kind_of(unsigned char control) { return lets_overprint_continue(control) ? CONTINUABLE : OTHER; }

// The advance for each carriage-control character after each kind of
// previous record, worked out once so that the loop only looks it up.
struct advance_table {
    line_advance after[PREVIOUS_KINDS][256];
};

void fill_advance_table(advance_table& table) {
    // A representative previous character of each kind.
    const int previous_of_kind[PREVIOUS_KINDS] = {NO_PREVIOUS_RECORD, '$', ' '};
    for (int kind = 0; kind < PREVIOUS_KINDS; ++kind) {
        for (int control = 0; control < 256; ++control) {
            std::string_view advance =
                carriage_control_sequence(static_cast<unsigned char>(control), previous_of_kind[kind]);
            line_advance& entry = table.after[kind][control];
            entry = line_advance{{0, 0}, static_cast<unsigned char>(advance.size())};
            advance.copy(reinterpret_cast<char*>(entry.bytes), advance.size());
        }
    }
}

}  // namespace

void run_filter(record_reader reader, record_buffer& buffer, std::int32_t& count) {
    static advance_table advances;
    fill_advance_table(advances);
    // The kind of the record written last: it decides whether an overprint
    // record returns to the start of the line.
    previous_kind previous = NONE_YET;
    // Each record, wherever the reader shows it (in the input block or in
    // the buffer's storage), goes out the same way: the characters that
    // place its line, then its text, through the tab expansion when it
    // holds control bytes.
    while (reader(buffer, count) != nullptr) {
        unsigned char control = buffer.record[0];
        const line_advance& advance = advances.after[previous][control];
        if (buffer.text_has_controls) {
            write_advance(advance);
            expand_tabs(buffer);
        } else {
            write_line(advance, buffer.record + 1, buffer.text_length);
        }
        previous = kind_of(control);
    }
    // Line ends go before records, so the last line is still open.
    if (previous != NONE_YET) write_output("\n", 1);
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
