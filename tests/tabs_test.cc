#include "layout/tabs.h"

#include "reference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace std::string_literals;

namespace {

std::string spaces(std::size_t n) { return std::string(n, ' '); }

// A record buffer holding control and text as a reader leaves it.
kaz::record_buffer make_record(char control, const std::string& text) {
    kaz::record_buffer buffer;
    kaz::allocate_record_buffer(buffer);
    kaz::reserve_record_buffer(buffer, text.size() + 2);
    buffer.bytes[0] = static_cast<unsigned char>(control);
    std::memcpy(buffer.bytes + 1, text.data(), text.size());
    kaz::end_record(buffer, 1 + text.size());
    return buffer;
}

void release(kaz::record_buffer& buffer) {
    std::free(buffer.bytes);
    std::free(buffer.spare);
}

// The record's text as the buffer holds it, up to its NUL, after checking
// that the noted length agrees.
std::string text_of(const kaz::record_buffer& buffer) {
    std::string text(reinterpret_cast<const char*>(buffer.bytes + 1));
    EXPECT_EQ(buffer.text_length, text.size());
    return text;
}

// Expands the text and returns the result, after checking that byte 0 is
// untouched.
std::string expand(const std::string& text, char control = ' ') {
    kaz::record_buffer buffer = make_record(control, text);
    kaz::expand_tabs(buffer);
    std::string result = text_of(buffer);
    EXPECT_EQ(buffer.bytes[0], static_cast<unsigned char>(control));
    release(buffer);
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
    kaz::record_buffer buffer = make_record('\t', "\tA\0\tB"s);
    kaz::expand_tabs(buffer);
    EXPECT_EQ(buffer.text_length, 9u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.bytes), 11), "\t" + spaces(8) + "A\0"s);
    release(buffer);
    EXPECT_EQ(expand("\tX", '\0'), spaces(8) + "X");
}

TEST(TabExpansion, RecordThatExactlyFillsTheBufferStaysInIt) {
    // 496 letters, a tab to column 504, 6 letters: 510 bytes of text.
    std::string letters(496, 'x');
    kaz::record_buffer buffer = make_record(' ', letters + "\tABCDEF");
    kaz::expand_tabs(buffer);
    EXPECT_EQ(buffer.capacity, kaz::RECORD_BUFFER_SIZE);
    EXPECT_EQ(buffer.bytes[511], '\0');
    EXPECT_EQ(text_of(buffer), letters + spaces(8) + "ABCDEF");
    release(buffer);
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
    // Rebuilding the record once per tab would take hours here.
    std::string tabs(1 << 20, '\t');
    EXPECT_EQ(expand("A" + tabs), "A" + spaces(7) + spaces(8 * ((1 << 20) - 1)));
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
