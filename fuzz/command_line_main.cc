// A fuzzing driver for the command line and the input together.  Its
// standard input holds the arguments, separated by NUL bytes, up to the first
// newline; the bytes behind that newline become kaz's standard input.  Then
// kaz runs as the real program does.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "filter/filter.h"

namespace {

constexpr std::size_t MAXIMUM_INPUT = 1 << 20;
// The driver's input, with room for a NUL behind the last byte.
unsigned char data[MAXIMUM_INPUT + 1];

std::size_t read_everything() {
    std::size_t size = 0;
    ssize_t got;
    while (size < MAXIMUM_INPUT && (got = read(0, data + size, MAXIMUM_INPUT - size)) > 0) {
        size += static_cast<std::size_t>(got);
    }
    data[size] = '\0';
    return size;
}

// Puts bytes on standard input through an unlinked temporary file.
void become_standard_input(const unsigned char* bytes, std::size_t size) {
    std::FILE* file = std::tmpfile();
    if (file == nullptr) return;
    std::fwrite(bytes, 1, size, file);
    std::fflush(file);
    std::rewind(file);
    dup2(fileno(file), 0);
}

}  // namespace

int main() {
    std::size_t size = read_everything();
    auto* newline = static_cast<unsigned char*>(std::memchr(data, '\n', size));
    std::size_t arguments_size = newline != nullptr ? static_cast<std::size_t>(newline - data) : size;
    std::size_t input_start = newline != nullptr ? arguments_size + 1 : size;
    become_standard_input(data + input_start, size - input_start);

    // The argument bytes end in a NUL, at the newline's place or behind the
    // input; each NUL inside them ends one argument.
    if (newline != nullptr) *newline = '\0';
    std::vector<const char*> argv{"kaz"};
    std::size_t start = 0;
    for (std::size_t i = 0; i <= arguments_size && arguments_size > 0; ++i) {
        if (i == arguments_size || data[i] == '\0') {
            argv.push_back(reinterpret_cast<const char*>(data + start));
            start = i + 1;
        }
    }
    argv.push_back(nullptr);
    kaz::run_program(static_cast<int>(argv.size() - 1), argv.data());
}
