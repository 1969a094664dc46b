#include "filter/filter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct sequence_row {
    int control;
    int previous;
    const char* written;
};

constexpr int FIRST = kaz::NO_PREVIOUS_RECORD;

TEST(CarriageControlSequence, ByThisAndThePreviousCharacter) {
    const sequence_row rows[] = {
        // The first record: only the advance.
        {'0', FIRST, "\n"},
        {'1', FIRST, "\f"},
        {' ', FIRST, ""},
        {'+', FIRST, ""},
        {'\0', FIRST, ""},
        {'$', FIRST, ""},
        {'A', FIRST, ""},
        {200, FIRST, ""},
        // Overprint records return to the start of the line, unless the
        // line was left open for them by "$" or NUL.
        {'+', ' ', "\r"},
        {'+', '+', "\r"},
        {'+', '0', "\r"},
        {'+', '1', "\r"},
        {'+', 'A', "\r"},
        {'+', 200, "\r"},
        {'+', '$', ""},
        {'+', '\0', ""},
        {'\0', ' ', "\r"},
        {'\0', '+', "\r"},
        {'\0', '$', ""},
        {'\0', '\0', ""},
        // Advances, whatever came before.
        {'0', '$', "\n\n"},
        {'0', '\0', "\n\n"},
        {'1', '+', "\n\f"},
        {'1', '$', "\n\f"},
        {' ', '$', "\n"},
        {'$', '$', "\n"},
        {'2', ' ', "\n"},
        {'\t', ' ', "\n"},
        {127, ' ', "\n"},
        {128, '$', "\n"},
        {255, '\0', "\n"},
    };
    for (const sequence_row& row : rows) {
        EXPECT_EQ(std::string(kaz::carriage_control_sequence(static_cast<unsigned char>(row.control), row.previous)),
                  row.written)
            << "control " << row.control << " after " << row.previous;
    }
}

}  // namespace
