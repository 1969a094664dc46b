#include "layout/tabs.h"

#include "reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "stream/stream.h"

using namespace std::string_literals;

namespace {

std::string spaces(std::size_t n) { return std::string(n, ' '); }

// A record's bytes with their text marks, as a reader shows them.
struct marked_record {
    std::vector<unsigned char> bytes;  // the record, then room for marking
    std::vector<std::uint64_t> newline_marks;
    std::vector<std::uint64_t> text_marks;
    std::vector<std::uint64_t> nul_marks;

    explicit marked_record(const std::string& record)
        : bytes(record.begin(), record.end()),
          newline_marks(record.size() / kaz::MARK_GROUP + 1),
          text_marks(record.size() / kaz::MARK_GROUP + 1),
          nul_marks(record.size() / kaz::MARK_GROUP + 1) {
        bytes.resize(record.size() + kaz::MARK_GROUP);
        kaz::mark_bytes(bytes.data(), record.size(), newline_marks.data(), text_marks.data(), nul_marks.data());
    }
    kaz::marks_view marks() const { return kaz::marks_view{text_marks.data(), bytes.data()}; }
};

// Expands the text of a record and returns what goes to the output.
std::string expand(const std::string& text, char control = ' ') {
    marked_record record(control + text);
    kaz::record_buffer buffer{};
    buffer.record = record.bytes.data();
    buffer.text_length = std::min(text.find('\0'), text.size());
    buffer.text_has_controls = true;
    buffer.text_marks = record.marks();
    kaz::output_used = 0;
    kaz::expand_tabs(buffer);
    std::string result(reinterpret_cast<const char*>(kaz::output_buffer), kaz::output_used);
    kaz::output_used = 0;
    return result;
}

struct tab_row {
    const char* name;
    std::string text;
    std::string expanded;
};

void PrintTo(const tab_row& row, std::ostream* os) { *os << row.name; }

class TabExpansion : public testing::TestWithParam<tab_row> {};

TEST_P(TabExpansion, ExpandsToTheNextStop) { EXPECT_EQ(expand(GetParam().text), GetParam().expanded); }

const tab_row tab_rows[] = {
    {"empty_text", "", ""},
    {"no_tab", "ABC", "ABC"},
    {"tab_at_column_2", "AB\tD", "AB" + spaces(6) + "D"},
    {"tab_first_then_at_column_9", "\tA\tB", spaces(8) + "A" + spaces(7) + "B"},
    {"consecutive_tabs", "\t\tZ", spaces(16) + "Z"},
    {"tab_at_column_7", "ABCDEFG\tZ", "ABCDEFG Z"},
    {"tab_on_a_stop_moves_full_width", "ABCDEFGH\tZ", "ABCDEFGH" + spaces(8) + "Z"},
    {"tab_at_column_9", "ABCDEFGHI\tZ", "ABCDEFGHI" + spaces(7) + "Z"},
    {"tab_as_last_byte", "ABC\t", "ABC" + spaces(5)},
    {"backspace_at_column_0_stays_0", "\b\tZ", "\b" + spaces(8) + "Z"},
    {"backspace_goes_back_one", "AB\b\tZ", "AB\b" + spaces(7) + "Z"},
    {"carriage_return_goes_to_column_0", "ABC\r\tZ", "ABC\r" + spaces(8) + "Z"},
    {"vertical_tab_keeps_column", "AB\v\tZ", "AB\v" + spaces(6) + "Z"},
    {"form_feed_keeps_column", "AB\f\tZ", "AB\f" + spaces(6) + "Z"},
    {"newline_byte_counts_one_column", "AB\n\tZ", "AB\n" + spaces(5) + "Z"},
    {"byte_233_counts_one_column", "AB\xe9\tZ", "AB\xe9" + spaces(5) + "Z"},
    {"byte_7_counts_one_column", "AB\a\tZ", "AB\a" + spaces(5) + "Z"},
    {"delete_counts_one_column", "AB\x7f\tZ", "AB\x7f" + spaces(5) + "Z"},
    {"bytes_after_a_tab_keep_their_order", "\tA\bB\rC\tD", spaces(8) + "A\bB\rC" + spaces(7) + "D"},
};
INSTANTIATE_TEST_SUITE_P(Table, TabExpansion, testing::ValuesIn(tab_rows),
                         [](const testing::TestParamInfo<tab_row>& info) { return info.param.name; });

TEST(TabExpansion, IgnoresControlCharacterAndBytesAfterNul) {
    EXPECT_EQ(expand("\tA\0\tB"s, '\t'), spaces(8) + "A");
    EXPECT_EQ(expand("\tX", '\0'), spaces(8) + "X");
}

TEST(TabExpansion, LongTextGoesInPiecesWithItsColumn) {
    // Far longer than the piece that is expanded at once, with tabs at
    // every column, so that pieces end at every place relative to a stop.
    std::string text;
    for (int i = 0; i < 3000; ++i) text += std::string(static_cast<std::size_t>(i % 11), 'x') + "\t";
    EXPECT_EQ(expand(text), kaz_reference::expand_by_rules(text));
}

TEST(TabExpansion, RecordExpandedPastTheBufferIsExpandedWhole) {
    std::string text, expected;
    for (int i = 0; i < 100; ++i) {
        text += "ab\t";
        expected += "ab" + spaces(6);
    }
    EXPECT_EQ(expand(text), expected);
}

TEST(TabExpansion, MegabyteOfTabsTakesLinearTime) {
    // Rebuilding the text once per tab would take hours here.
    std::string text = "A" + std::string(1 << 20, '\t');
    marked_record record(text);
    std::vector<unsigned char> out(text.size() * kaz::TAB_WIDTH + kaz::SHORT_STRETCH);
    std::int64_t column = 0;
    std::size_t written = kaz::expand_tabs_into(record.bytes.data(), text.size(), record.marks(), column, out.data());
    std::string expected = "A" + spaces(7) + spaces(8 * ((1 << 20) - 1));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data()), written), expected);
    EXPECT_EQ(column, static_cast<std::int64_t>(expected.size()));
}

}  // namespace

namespace {

TEST(TabExpansion, AgreesWithTheRulesOnMixedTexts) {
    // Texts of every length up to 80 from bytes that do something to the
    // column, mixed with plain ones, so that special bytes fall at every
    // place of a word.
    const unsigned char alphabet[] = {'a', 'b', ' ', '\t', '\t', '\b', '\r', '\v', '\f', '\n', 1, 7, 13, 14, 127, 128, 233, 255};
    std::uint32_t state = 12345;
    for (int round = 0; round < 4000; ++round) {
        std::size_t length = static_cast<std::size_t>(round % 81);
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            state = state * 1103515245u + 12345u;
            text += static_cast<char>(alphabet[(state >> 16) % sizeof alphabet]);
        }
        ASSERT_EQ(expand(text), kaz_reference::expand_by_rules(text)) << "round " << round;
    }
}

}  // namespace
