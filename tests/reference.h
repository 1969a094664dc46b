// The translation worked out the plain way, byte by byte and record by
// record, straight from the rules, for tests to compare kaz with.
#ifndef KAZ_TESTS_REFERENCE_H
#define KAZ_TESTS_REFERENCE_H

#include <string>
#include <vector>

namespace kaz_reference {

constexpr int FIRST_RECORD = -1;

// What is written before a record's text, by its carriage-control character
// and the previous record's (FIRST_RECORD for the first record).
inline std::string advance_before(int control, int previous) {
    if (previous == FIRST_RECORD) return control == '0' ? "\n" : control == '1' ? "\f" : "";
    if (control == '0') return "\n\n";
    if (control == '1') return "\n\f";
    bool overprint = control == '+' || control == 0;
    if (!overprint) return "\n";
    bool line_left_open = previous == '$' || previous == 0;
    return line_left_open ? "" : "\r";
}

// A record's text up to its first NUL, with its tabs expanded.
inline std::string expand_by_rules(const std::string& text) {
    std::string result;
    long column = 0;
    for (unsigned char byte : text) {
        if (byte == '\0') break;
        switch (byte) {
            case '\t': {
                long stop = (column / 8 + 1) * 8;
                result.append(static_cast<std::size_t>(stop - column), ' ');
                column = stop;
                continue;
            }
            case '\b': column = column > 0 ? column - 1 : 0; break;
            case '\v':
            case '\f': break;
            case '\r': column = 0; break;
            default: ++column;
        }
        result += static_cast<char>(byte);
    }
    return result;
}

// The page for a sequence of records, each its bytes from the
// carriage-control character on; a record of no bytes has NUL carriage
// control and empty text.
inline std::string page_by_rules(const std::vector<std::string>& records) {
    std::string page;
    int previous = FIRST_RECORD;
    for (const std::string& record : records) {
        int control = record.empty() ? 0 : static_cast<unsigned char>(record[0]);
        page += advance_before(control, previous);
        page += expand_by_rules(record.empty() ? "" : record.substr(1));
        previous = control;
    }
    if (!records.empty()) page += "\n";
    return page;
}

}  // namespace kaz_reference

#endif
