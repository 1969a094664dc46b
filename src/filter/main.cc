// kaz: translates the carriage control of Fortran output into plain text.
#include <cstdint>

#include "cli/cli.h"
#include "filter/filter.h"
#include "input/record_reader.h"

int main(int argc, char** argv) {
    kaz::record_buffer buffer;
    kaz::allocate_record_buffer(buffer);
    kaz::record_reader reader = kaz::read_text_record;
    std::int32_t count = 0;
    kaz::parse_command_line(argc, argv, reader, count);
    kaz::run_filter(reader, buffer, count);
}
