// The built program, run as users run it: arguments and input bytes in,
// output bytes and exit status out.  Every expected output below is worked
// out from the carriage-control rules by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "reference.h"
#include "run_program.h"

using namespace std::string_literals;
using kaz_test::run_kaz;

namespace {

const std::string USAGE =
    "usage:   \"kaz\" or \"kaz /v\" or \"kaz /f recordsize\"\n"
    "example: \"type fort.7 | kaz\"  or  \"kaz < fort.7\" \n";
const std::string VERSION = "\nProgram: Velmor Print Filter 6.6-5\n";

// A 32-bit length field, least significant byte first.
std::string length_field(std::int32_t length) {
    auto value = static_cast<std::uint32_t>(length);
    std::string field;
    for (int i = 0; i < 4; ++i) field += static_cast<char>((value >> (8 * i)) & 0xff);
    return field;
}

// One length-framed record.
std::string frame(const std::string& record) {
    auto length = static_cast<std::int32_t>(record.size());
    return length_field(length) + record + length_field(length);
}

// n bytes of text that cycle through the letters, so that a byte moved or
// lost shows.
std::string letters(std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text += static_cast<char>('a' + i % 26);
    return text;
}

struct case_row {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    std::string output;
    int status;
};

void PrintTo(const case_row& row, std::ostream* os) { *os << row.name; }

class EndToEnd : public testing::TestWithParam<case_row> {};

TEST_P(EndToEnd, WritesExactBytesAndStatus) {
    const case_row& row = GetParam();
    auto result = run_kaz(row.arguments, row.input);
    EXPECT_EQ(result.output, row.output);
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.errors, "");
}

std::string case_name(const testing::TestParamInfo<case_row>& info) { return info.param.name; }

// ---------------------------------------------------------------------------
// Text lines.

const case_row text_lines[] = {
    {"empty_input", {}, "", "", 0},
    {"worked_example",
     {},
     "1SUMMARY\n ALPHA\n0TOTAL\n+_____\n$NAME?\n+ SMITH\n\n",
     "\fSUMMARY\nALPHA\n\nTOTAL\r_____\nNAME? SMITH\n\n",
     0},
    {"single_blank_record", {}, " X\n", "X\n", 0},
    {"first_record_new_page", {}, "1X\n", "\fX\n", 0},
    {"first_record_double_space", {}, "0X\n", "\nX\n", 0},
    {"first_record_overprint_writes_no_return", {}, "+X\n", "X\n", 0},
    {"first_record_nul_writes_no_return", {}, "\0X\n"s, "X\n", 0},
    {"first_record_dollar", {}, "$X\n", "X\n", 0},
    {"overprint_after_overprint_returns", {}, " A\n+B\n+C\n", "A\rB\rC\n", 0},
    {"overprint_after_dollar_continues_line", {}, "$A\n+B\n+C\n", "AB\rC\n", 0},
    {"overprint_after_nul_continues_line", {}, "\0A\n+B\n"s, "AB\n", 0},
    {"nul_after_blank_returns", {}, " A\n\0B\n"s, "A\rB\n", 0},
    {"nul_after_dollar_continues_line", {}, "$A\n\0B\n"s, "AB\n", 0},
    {"nul_after_nul_continues_line", {}, "\0A\n\0B\n"s, "AB\n", 0},
    {"double_space_and_new_page_later", {}, " A\n0B\n1C\n", "A\n\nB\n\fC\n", 0},
    {"other_values_advance_one_line",
     {},
     " A\nXB\n2C\n\tD\n\xc8"
     "E\n\x7f"
     "F\n",
     "A\nB\nC\nD\nE\nF\n",
     0},
    {"other_value_as_first_record", {}, "\xff"s + "X\n", "X\n", 0},
    {"dollar_advances_one_line", {}, " A\n$B\n", "A\nB\n", 0},
    {"final_newline_after_dollar_record", {}, " A\n$B", "A\nB\n", 0},
    {"empty_line_is_blank_record", {}, "\n\n", "\n\n", 0},
    {"single_blank_line_is_like_empty_line", {}, " A\n \n B\n", "A\n\nB\n", 0},
    {"empty_line_after_dollar_still_advances", {}, "$A\n\n+B\n", "A\n\rB\n", 0},
    {"last_line_without_newline", {}, " A\n B", "A\nB\n", 0},
    {"last_line_one_character_without_newline", {}, " A\n0", "A\n\n\n", 0},
    {"nul_inside_line_ends_text", {}, " AB\0CD\n EF\n"s, "AB\nEF\n", 0},
    {"byte_255_is_data", {}, " A\xff"s + "B\n C\n", "A\xff"s + "B\nC\n", 0},
    {"carriage_return_in_text_stays", {}, " AB\rC\n", "AB\rC\n", 0},
    {"control_bytes_in_text_pass", {}, " A\bB\fC\vD\x01\n", "A\bB\fC\vD\x01\n", 0},
    {"tab_in_text_expands", {}, "0TOTAL\t12\n", "\nTOTAL   12\n", 0},
    {"tab_as_control_character_is_consumed", {}, "\tX\n", "X\n", 0},
    {"continued_line_counts_its_own_tabs", {}, "$AB\n+\tZ\n", "AB        Z\n", 0},
    {"each_record_starts_at_column_zero", {}, " ABC\n \tZ\n", "ABC\n        Z\n", 0},
    {"crlf_line_end_keeps_its_return", {}, " A\r\n B\r\n", "A\r\nB\r\n", 0},
    {"line_of_511_bytes", {}, " " + letters(510) + "\n 2\n", letters(510) + "\n2\n", 0},
    {"line_of_600_bytes_is_one_record", {}, " " + letters(599) + "\n 2\n", letters(599) + "\n2\n", 0},
    // The tab stands at column 511, one short of a stop: one space.
    {"tab_after_511_bytes", {}, " " + std::string(511, 'a') + "\t\n", std::string(511, 'a') + " \n", 0},
    {"arguments_dash_or_slash_alone_read_text", {"-", "/"}, " A\n", "A\n", 0},
};
INSTANTIATE_TEST_SUITE_P(TextLines, EndToEnd, testing::ValuesIn(text_lines), case_name);

// ---------------------------------------------------------------------------
// Fixed-length records.

const case_row fixed_records[] = {
    {"size_0_reads_nothing", {"-f", "0"}, "ABC", "", 0},
    {"empty_input", {"-f", "3"}, "", "", 0},
    {"whole_multiple_of_size", {"-f", "3"}, " AB0CD1EF", "AB\n\nCD\n\fEF\n", 0},
    {"one_byte_left_over", {"-f", "3"}, " AB0", "AB" "ERROR: partial record read. Specified recordsize: 3. 1 bytes actually read.\n", 1},
    {"two_bytes_left_over", {"-f", "3"}, " AB0C", "AB" "ERROR: partial record read. Specified recordsize: 3. 2 bytes actually read.\n", 1},
    {"first_record_partial", {"-f", "5"}, " AB", "ERROR: partial record read. Specified recordsize: 5. 3 bytes actually read.\n", 1},
    {"newline_is_record_data", {"-f", "4"}, " A\nB+CDE", "A\nB\rCDE\n", 0},
    {"nul_padding_ends_text", {"/f", "6"}, " AB\0\0\0 CD\0\0\0"s, "AB\nCD\n", 0},
    {"size_1_records_are_control_only", {"-f", "1"}, " 0", "\n\n\n", 0},
    {"record_of_511_bytes", {"-f", "511"}, " " + letters(510) + "0" + letters(510), letters(510) + "\n\n" + letters(510) + "\n", 0},
    {"record_of_600_bytes", {"-f", "600"}, " " + letters(599) + "+" + letters(599), letters(599) + "\r" + letters(599) + "\n", 0},
    {"huge_size_on_short_input", {"-f", "2000000000"}, "0123456789", "ERROR: partial record read. Specified recordsize: 2000000000. 10 bytes actually read.\n", 1},
    {"tabs_expand", {"-f", "4"}, " \tA\t", "        A       \n", 0},
};
INSTANTIATE_TEST_SUITE_P(FixedRecords, EndToEnd, testing::ValuesIn(fixed_records), case_name);

// ---------------------------------------------------------------------------
// Length-framed records.

const case_row framed_records[] = {
    {"empty_input", {"-v"}, "", "", 0},
    {"frames", {"-v"}, frame(" AB") + frame("0CD") + frame("+__"), "AB\n\nCD\r__\n", 0},
    {"length_0_is_empty_nul_record", {"-v"}, frame("$A") + frame("") + frame("+B"), "AB\n", 0},
    {"length_0_first", {"-v"}, frame(""), "\n", 0},
    {"length_1_is_control_only", {"-v"}, frame(" A") + frame("0"), "A\n\n\n", 0},
    {"one_byte_after_last_frame", {"-v"}, frame(" A") + "\x01", "A\n", 0},
    {"three_bytes_after_last_frame", {"-v"}, frame(" A") + "\x01\0\0"s, "A\n", 0},
    {"lengths_5_and_minus_1", {"-v"}, "\x05\0\0\0 ABCD\xff\xff\xff\xff"s,
     "Data length check failed. First length = 5, second length = -1.\n", 1},
    {"length_check_after_good_record", {"-v"}, frame(" A") + length_field(2) + " B" + length_field(3),
     "A" "Data length check failed. First length = 2, second length = 3.\n", 1},
    {"record_bytes_short", {"-v"}, frame(" A") + length_field(5) + " BC",
     "A" "Not enough data read. Expected 5 bytes, read 3.\n", 1},
    {"record_bytes_missing", {"-v"}, length_field(5), "Not enough data read. Expected 5 bytes, read 0.\n", 1},
    {"trailing_length_missing", {"-v"}, frame(" A") + length_field(3) + " B\n", "A" "Unexpected EOF. Last data read was:  B\n\n", 1},
    {"trailing_length_short", {"-v"}, length_field(3) + "0BC" + "\x03\0"s, "Unexpected EOF. Last data read was: 0BC\n", 1},
    {"negative_length", {"-v"}, frame(" A") + length_field(-2), "A" "Invalid record length -2.\n", 1},
    {"huge_length_on_short_input", {"-v"}, length_field(2000000000) + " AB",
     "Not enough data read. Expected 2000000000 bytes, read 3.\n", 1},
    {"newline_and_nul_are_record_data", {"-v"}, frame(" A\nB\0C"s) + frame(" D"), "A\nB\nD\n", 0},
    {"record_of_511_bytes", {"-v"}, frame(" " + letters(510)) + frame("1"), letters(510) + "\n\f\n", 0},
    {"record_of_600_bytes", {"-v"}, frame(" " + letters(599)) + frame(" Z"), letters(599) + "\nZ\n", 0},
};
INSTANTIATE_TEST_SUITE_P(FramedRecords, EndToEnd, testing::ValuesIn(framed_records), case_name);

// ---------------------------------------------------------------------------
// The command line: texts, status -1 (255 to the parent), no input read.

const case_row command_lines[] = {
    {"help", {"-h"}, " A\n", USAGE, 255},
    {"question_mark", {"/?"}, " A\n", USAGE, 255},
    {"unknown_letter", {"-x"}, " A\n", USAGE, 255},
    {"file_name", {"fort.7"}, " A\n", USAGE, 255},
    {"empty_argument", {""}, " A\n", USAGE, 255},
    {"fault_after_accepted_letter", {"-v", "-x"}, " A\n", USAGE, 255},
    {"size_digits_in_option", {"-f80", "100"}, " A\n", USAGE, 255},
    {"f_without_value", {"-fV"}, " A\n", USAGE, 255},
    {"size_beyond_32_bits", {"-f", "4294967376"}, " A\n", USAGE, 255},
    {"negative_size", {"-f", "-1"}, " A\n", USAGE, 255},
    {"version", {"-V"}, " A\n", VERSION, 255},
    {"version_before_fault", {"-Vx"}, " A\n", VERSION, 255},
    {"fault_before_version", {"-xV"}, " A\n", USAGE, 255},
    {"version_before_f_without_value", {"-V", "-f"}, " A\n", VERSION, 255},
    {"unused_negative_size_then_version", {"-f", "-1", "-V"}, " A\n", VERSION, 255},
    {"unused_negative_size_then_v", {"-f", "-1", "-v"}, frame(" A"), "A\n", 0},
};
INSTANTIATE_TEST_SUITE_P(CommandLine, EndToEnd, testing::ValuesIn(command_lines), case_name);

}  // namespace

namespace {

// ---------------------------------------------------------------------------
// Every byte value as carriage control, after each value that decides
// something.  Length-framed records let the newline byte be a carriage-control
// character too.  The expected sequence is worked out here from the rules as
// a reader of the page states them.

using kaz_reference::advance_before;
using kaz_reference::FIRST_RECORD;

TEST(EveryControlCharacter, AfterEveryPreviousThatMatters) {
    const int previous_values[] = {' ', '0', '1', '+', '$', 0, 'A', '\n', 200};
    for (int previous : previous_values) {
        // Records previous "P", control "C" for every control value in turn.
        std::string input, expected;
        int last = FIRST_RECORD;
        auto add_record = [&](int control, char text) {
            input += frame(std::string(1, static_cast<char>(control)) + text);
            expected += advance_before(control, last) + text;
            last = control;
        };
        for (int control = 0; control < 256; ++control) {
            add_record(previous, 'P');
            add_record(control, 'C');
        }
        expected += "\n";
        auto result = run_kaz({"-v"}, input);
        EXPECT_EQ(result.output, expected) << "after " << previous;
        EXPECT_EQ(result.status, 0);
    }
}

// ---------------------------------------------------------------------------
// Length-framed input cut after every byte of its second frame: the run ends
// at a frame boundary without a message, anywhere else with the message for
// that place.

TEST(FramedInputCut, AtEveryByte) {
    const std::string first = frame(" AB");
    const std::string second = frame("0CD");  // 4 + 3 + 4 bytes
    for (std::size_t kept = 0; kept <= second.size(); ++kept) {
        std::string expected = "AB";
        int status = 1;
        if (kept < 4) {
            expected += "\n";  // not even a whole length field: the end
            status = 0;
        } else if (kept < 7) {
            expected += "Not enough data read. Expected 3 bytes, read " + std::to_string(kept - 4) + ".\n";
        } else if (kept < 11) {
            expected += "Unexpected EOF. Last data read was: 0CD\n";
        } else {
            expected += "\n\nCD\n";
            status = 0;
        }
        auto result = run_kaz({"-v"}, first + second.substr(0, kept));
        EXPECT_EQ(result.output, expected) << kept << " bytes of the second frame";
        EXPECT_EQ(result.status, status) << kept << " bytes of the second frame";
    }
}

}  // namespace

namespace {

// ---------------------------------------------------------------------------
// Long inputs of mixed records, in every form, against the page worked out
// record by record: records of every length up to 300 bytes, NULs, tabs
// and control bytes at every place, and records across the blocks kaz
// reads.

std::vector<std::string> mixed_records(std::size_t count, std::size_t fixed_length, bool for_text_lines) {
    const unsigned char controls[] = {' ', ' ', ' ', '0', '1', '+', '$', 0, 'X', 200};
    const unsigned char bytes[] = {'a', 'b', 'c', ' ', ' ', '\t', '\t', 0, '\b', '\r', '\f', 7, 233, 255, '\n'};
    std::uint32_t state = 2026;
    auto next = [&state](std::size_t bound) {
        state = state * 1103515245u + 12345u;
        return static_cast<std::size_t>((state >> 8) % bound);
    };
    std::vector<std::string> records;
    for (std::size_t r = 0; r < count; ++r) {
        std::size_t length = fixed_length != 0 ? fixed_length : next(301);
        if (for_text_lines && length == 0) length = 1;
        std::string record;
        for (std::size_t i = 0; i < length; ++i) {
            unsigned char byte = i == 0 ? controls[next(sizeof controls)] : bytes[next(sizeof bytes)];
            // A newline would end a text line; an empty text line would be a
            // blank record, which the list already has.
            if (for_text_lines && byte == '\n') byte = 'n';
            record += static_cast<char>(byte);
        }
        records.push_back(record);
    }
    return records;
}

TEST(MixedRecords, TextLines) {
    auto records = mixed_records(3000, 0, true);
    std::string input;
    for (const std::string& record : records) input += record + "\n";
    auto result = run_kaz({}, input);
    EXPECT_GT(input.size(), 3u * 128 * 1024);
    EXPECT_EQ(result.output, kaz_reference::page_by_rules(records));
    EXPECT_EQ(result.status, 0);
}

TEST(MixedRecords, FixedLength) {
    auto records = mixed_records(5000, 97, false);
    std::string input;
    for (const std::string& record : records) input += record;
    auto result = run_kaz({"-f", "97"}, input);
    EXPECT_EQ(result.output, kaz_reference::page_by_rules(records));
    EXPECT_EQ(result.status, 0);
}

TEST(MixedRecords, LengthFramed) {
    auto records = mixed_records(3000, 0, false);
    std::string input;
    for (const std::string& record : records) input += frame(record);
    auto result = run_kaz({"-v"}, input);
    EXPECT_EQ(result.output, kaz_reference::page_by_rules(records));
    EXPECT_EQ(result.status, 0);
}

// ---------------------------------------------------------------------------
// Records of every length from 0 to 700 bytes, and some past one input
// block, back to back, so that record ends fall at many places in the blocks
// kaz reads; and fixed-length records of sizes around the block size.

constexpr std::size_t BLOCK = 128 * 1024;

std::string random_record(std::size_t length, bool for_text_lines, std::uint32_t& state) {
    const unsigned char controls[] = {' ', '0', '1', '+', '$', 0, 'X'};
    const unsigned char bytes[] = {'a', 'b', ' ', '\t', 0, '\b', '\r', '\f', 233, '\n', 'c', 'd', 'e', 'f'};
    std::string record;
    for (std::size_t i = 0; i < length; ++i) {
        state = state * 1103515245u + 12345u;
        std::size_t pick = (state >> 8) % (i == 0 ? sizeof controls : sizeof bytes);
        unsigned char byte = i == 0 ? controls[pick] : bytes[pick];
        // Mostly plain text, so that long stretches without tabs or NULs
        // cross the block edges too.
        if (i > 0 && (state >> 20) % 8 != 0) byte = static_cast<unsigned char>('a' + i % 26);
        if (for_text_lines && byte == '\n') byte = 'n';
        record += static_cast<char>(byte);
    }
    return record;
}

std::vector<std::string> records_of_every_length(bool for_text_lines) {
    std::uint32_t state = 1211;
    std::vector<std::string> records;
    for (std::size_t length = for_text_lines ? 1 : 0; length <= 700; ++length) {
        records.push_back(random_record(length, for_text_lines, state));
    }
    for (std::size_t length : {BLOCK - 1, BLOCK, BLOCK + 1, 2 * BLOCK + 1}) {
        records.push_back(random_record(length, for_text_lines, state));
        records.push_back(random_record(3, for_text_lines, state));
    }
    return records;
}

TEST(EveryRecordLength, TextLines) {
    auto records = records_of_every_length(true);
    std::string input;
    for (const std::string& record : records) input += record + "\n";
    auto result = run_kaz({}, input);
    EXPECT_EQ(result.output, kaz_reference::page_by_rules(records));
    EXPECT_EQ(result.status, 0);
}

TEST(EveryRecordLength, LengthFramed) {
    auto records = records_of_every_length(false);
    std::string input;
    for (const std::string& record : records) input += frame(record);
    auto result = run_kaz({"-v"}, input);
    EXPECT_EQ(result.output, kaz_reference::page_by_rules(records));
    EXPECT_EQ(result.status, 0);
}

TEST(EveryRecordLength, FixedSizesAroundTheBlock) {
    for (std::size_t size : std::vector<std::size_t>{1, 2, 3, 7, 133, 4096, BLOCK - 1, BLOCK, BLOCK + 1}) {
        std::uint32_t state = static_cast<std::uint32_t>(size);
        std::vector<std::string> records;
        std::string input;
        while (input.size() < 3 * BLOCK + 5) {
            records.push_back(random_record(size, false, state));
            input += records.back();
        }
        auto result = run_kaz({"-f", std::to_string(size)}, input);
        EXPECT_EQ(result.output, kaz_reference::page_by_rules(records)) << "-f " << size;
        EXPECT_EQ(result.status, 0) << "-f " << size;
    }
}

// Records of many megabytes, whose storage grows by moving rather than by
// copying: a record of 9 MiB takes it through every kind of growth.
TEST(LongRecords, SameTextsWhateverTheStorage) {
    std::uint32_t state = 77;
    std::vector<std::string> text_records, framed_records;
    for (std::size_t length : {std::size_t{3}, std::size_t{9} << 20, std::size_t{5}, (std::size_t{5} << 20) + 3}) {
        text_records.push_back(random_record(length, true, state));
        framed_records.push_back(random_record(length, false, state));
    }
    std::string lines, frames;
    for (const std::string& record : text_records) lines += record + "\n";
    for (const std::string& record : framed_records) frames += frame(record);
    auto result = run_kaz({}, lines);
    EXPECT_EQ(result.output, kaz_reference::page_by_rules(text_records));
    EXPECT_EQ(result.status, 0);
    result = run_kaz({"-v"}, frames);
    EXPECT_EQ(result.output, kaz_reference::page_by_rules(framed_records));
    EXPECT_EQ(result.status, 0);
}

// A tab and a NUL in the block after one that held neither: what kaz learnt
// of one block must not be taken for the next.
TEST(BlockEdges, TabAndNulAfterAPlainBlock) {
    std::vector<std::string> records;
    std::string input;
    while (input.size() < BLOCK) {
        records.push_back(" " + letters(126));
        input += records.back() + "\n";
    }
    ASSERT_EQ(input.size(), BLOCK);
    for (std::string record : {" \tX"s, " A\0B"s, "+\t\tY"s}) {
        records.push_back(record);
        input += record + "\n";
    }
    auto result = run_kaz({}, input);
    EXPECT_EQ(result.output, kaz_reference::page_by_rules(records));
    EXPECT_EQ(result.status, 0);
}

// ---------------------------------------------------------------------------
// Input through a pipe in pieces: wherever kaz's reads end (inside a line, a
// record, a length field, or between them) the page is the same.

std::string joined(const std::vector<std::string>& records, const std::string& after_each) {
    std::string input;
    for (const std::string& record : records) input += record + after_each;
    return input;
}

const std::vector<std::string> piece_lines = {" A", " \tX", "+_\0Z\tQ"s, "$B\tC", "\0D"s, "1E\bF\tG", "0\t\t."};
// Six bytes each, for -f 6.
const std::vector<std::string> piece_records = {" AB\tCD", "+__\0\0\0"s, "$D\tEFG", "\0GH\tIJ"s, "1J\bK\tL"};

std::string framed(const std::vector<std::string>& records) {
    std::string input;
    for (const std::string& record : records) input += frame(record);
    return input;
}

const case_row piece_inputs[] = {
    {"text_lines", {}, joined(piece_lines, "\n"), kaz_reference::page_by_rules(piece_lines), 0},
    {"fixed_length", {"-f", "6"}, joined(piece_records, ""), kaz_reference::page_by_rules(piece_records), 0},
    {"length_framed", {"-v"}, framed(piece_records) + frame(""), kaz_reference::page_by_rules(
        {" AB\tCD", "+__\0\0\0"s, "$D\tEFG", "\0GH\tIJ"s, "1J\bK\tL", ""}), 0},
    {"fixed_length_partial_record", {"-f", "6"}, " AB\tCD+_", "AB      CD" "ERROR: partial record read. Specified recordsize: 6. 2 bytes actually read.\n", 1},
    {"length_framed_length_check", {"-v"}, frame(" A") + length_field(2) + " B" + length_field(3),
     "A" "Data length check failed. First length = 2, second length = 3.\n", 1},
    {"length_framed_trailing_length_missing", {"-v"}, frame(" A") + length_field(3) + " B\n" + "\x03\0"s,
     "A" "Unexpected EOF. Last data read was:  B\n\n", 1},
};

class InPieces : public testing::TestWithParam<case_row> {};

TEST_P(InPieces, SamePageWhereverReadsEnd) {
    const case_row& row = GetParam();
    std::vector<std::vector<std::size_t>> splits;
    for (std::size_t cut = 1; cut < row.input.size(); ++cut) splits.push_back({cut});
    for (std::size_t step : {1, 2, 3, 5}) {
        std::vector<std::size_t> cuts;
        for (std::size_t cut = step; cut < row.input.size(); cut += step) cuts.push_back(cut);
        splits.push_back(cuts);
    }
    for (const auto& cuts : splits) {
        auto result = kaz_test::run_kaz_in_pieces(row.arguments, row.input, cuts);
        std::string where = "reads ending at";
        for (std::size_t cut : cuts) where += " " + std::to_string(cut);
        ASSERT_EQ(result.output, row.output) << where;
        ASSERT_EQ(result.status, row.status) << where;
        ASSERT_EQ(result.errors, "") << where;
    }
}

INSTANTIATE_TEST_SUITE_P(Pipe, InPieces, testing::ValuesIn(piece_inputs), case_name);

}  // namespace
