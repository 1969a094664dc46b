#include "cli/cli.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using kaz::scan_result;

enum class form { text, fixed, variable };

struct scan_row {
    std::vector<std::string> arguments;
    scan_result result;
    form reader;         // checked when the result is run
    std::int32_t count;  // checked when the result is run
};

std::string joined(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) text += "[" + argument + "]";
    return text;
}

form form_of(kaz::record_reader reader) {
    if (reader == kaz::read_fixed_record) return form::fixed;
    if (reader == kaz::read_variable_record) return form::variable;
    EXPECT_EQ(reader, kaz::read_text_record);
    return form::text;
}

TEST(ScanArguments, ChoosesReaderAndRecordSize) {
    const scan_row rows[] = {
        {{}, scan_result::run, form::text, 0},
        {{"-"}, scan_result::run, form::text, 0},
        {{"/"}, scan_result::run, form::text, 0},
        {{"-v"}, scan_result::run, form::variable, 0},
        {{"/v"}, scan_result::run, form::variable, 0},
        {{"-f", "80"}, scan_result::run, form::fixed, 80},
        {{"/f", "80"}, scan_result::run, form::fixed, 80},
        {{"-f", "80", "-v"}, scan_result::run, form::variable, 80},
        {{"-v", "-f", "80"}, scan_result::run, form::fixed, 80},
        {{"-vf", "80"}, scan_result::run, form::fixed, 80},
        {{"-fv", "80"}, scan_result::run, form::variable, 80},
        {{"-f", "-v"}, scan_result::run, form::fixed, 0},
        {{"-ff", "80", "100"}, scan_result::run, form::fixed, 100},
        {{"-f", "80", "/f", "90"}, scan_result::run, form::fixed, 90},
        {{"-f", "80x"}, scan_result::run, form::fixed, 80},
        {{"-f", "+12"}, scan_result::run, form::fixed, 12},
        {{"-f", " 12"}, scan_result::run, form::fixed, 12},
        {{"-f", "\t\n\v\f\r12"}, scan_result::run, form::fixed, 12},
        {{"-f", "abc"}, scan_result::run, form::fixed, 0},
        {{"-f", ""}, scan_result::run, form::fixed, 0},
        {{"-f", "0"}, scan_result::run, form::fixed, 0},
        {{"-f", "2147483647"}, scan_result::run, form::fixed, 2147483647},
        {{"-f", "-0"}, scan_result::run, form::fixed, 0},
        // Sizes the fixed-length reader cannot use are refused, not wrapped.
        {{"-f", "2147483648"}, scan_result::usage, form::fixed, 0},
        {{"-f", "4294967376"}, scan_result::usage, form::fixed, 0},
        {{"-f", "99999999999999999999999999"}, scan_result::usage, form::fixed, 0},
        {{"-f", "-1"}, scan_result::usage, form::fixed, 0},
        {{"-f", "-2147483648"}, scan_result::usage, form::fixed, 0},
        // ... unless a later v makes the size unused.
        {{"-f", "-1", "-v"}, scan_result::run, form::variable, 0},
        {{"-f", "-1", "-V"}, scan_result::version, form::text, 0},
        {{"-f", "4294967376", "-f", "80"}, scan_result::run, form::fixed, 80},
        // An f with nothing left to take.
        {{"-f"}, scan_result::usage, form::text, 0},
        {{"-ff", "80"}, scan_result::usage, form::text, 0},
        {{"-fV"}, scan_result::usage, form::text, 0},
        {{"-V", "-f"}, scan_result::version, form::text, 0},
        // Faults and help.
        {{"-f", "80", "fort.7"}, scan_result::usage, form::text, 0},
        {{"fort.7"}, scan_result::usage, form::text, 0},
        {{""}, scan_result::usage, form::text, 0},
        {{"--"}, scan_result::usage, form::text, 0},
        {{"-x"}, scan_result::usage, form::text, 0},
        {{"-F"}, scan_result::usage, form::text, 0},
        {{"-H"}, scan_result::usage, form::text, 0},
        {{"-h"}, scan_result::usage, form::text, 0},
        {{"-?"}, scan_result::usage, form::text, 0},
        {{"-/"}, scan_result::usage, form::text, 0},
        {{"-1"}, scan_result::usage, form::text, 0},
        {{"-\xe9"}, scan_result::usage, form::text, 0},
        {{"-v", "-x"}, scan_result::usage, form::text, 0},
        {{"-xV"}, scan_result::usage, form::text, 0},
        {{"-f80", "100"}, scan_result::usage, form::text, 0},
        // Version.
        {{"-V"}, scan_result::version, form::text, 0},
        {{"/V"}, scan_result::version, form::text, 0},
        {{"-vV"}, scan_result::version, form::text, 0},
        {{"-Vx"}, scan_result::version, form::text, 0},
        {{"-V", "fort.7"}, scan_result::version, form::text, 0},
    };
    for (const scan_row& row : rows) {
        std::vector<const char*> argv{"kaz"};
        for (const std::string& argument : row.arguments) argv.push_back(argument.c_str());
        argv.push_back(nullptr);
        kaz::record_reader reader = kaz::read_text_record;
        std::int32_t count = 0;
        scan_result result = kaz::scan_arguments(static_cast<int>(argv.size() - 1), argv.data(), reader, count);
        EXPECT_EQ(result, row.result) << joined(row.arguments);
        if (result != scan_result::run || row.result != scan_result::run) continue;
        EXPECT_EQ(form_of(reader), row.reader) << joined(row.arguments);
        EXPECT_EQ(count, row.count) << joined(row.arguments);
    }
}

}  // namespace
