// Writes the benchmark inputs, the same bytes on every run: a printed report
// of 100 MB as text lines, the same report with tabs, as fixed-length
// records of 133 bytes and as length-framed records, one line of 100 MB, and
// 1 KB of the report.
//
//   make_inputs DIRECTORY
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t TARGET_SIZE = 100000000;
constexpr std::size_t RECORD_SIZE = 133;

// A small deterministic generator (64-bit linear congruential, high bits).
std::uint64_t state = 20261211;
unsigned next_random(unsigned bound) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return static_cast<unsigned>((state >> 33) % bound);
}

const char* const WORDS[] = {"ABERDEEN", "STATION", "TOTAL", "RAINFALL", "MONTHLY", "MEAN", "NORTH",
                             "SOUTH", "REGION", "SALES", "LEDGER", "BALANCE", "ACCOUNT", "INVOICE"};

// One report record: carriage control, then fields separated by blanks or,
// in the tabbed report, by a tab about one time in five.
std::string make_record(bool with_tabs, char previous_control) {
    unsigned pick = next_random(100);
    char control = pick < 84 ? ' ' : pick < 90 ? '0' : pick < 91 ? '1' : pick < 96 ? '+' : '$';
    if (previous_control == '$') control = '+';
    std::string record(1, control);
    std::size_t length = 20 + next_random(RECORD_SIZE - 20);
    while (record.size() < length) {
        if (record.size() > 1) record += with_tabs && next_random(5) == 0 ? '\t' : ' ';
        if (next_random(2) == 0) {
            record += WORDS[next_random(sizeof WORDS / sizeof WORDS[0])];
        } else {
            record += std::to_string(next_random(1000000)) + "." + std::to_string(next_random(100));
        }
    }
    record.resize(length);
    return record;
}

void put_length(std::FILE* file, std::uint32_t length) {
    for (int i = 0; i < 4; ++i) std::fputc(static_cast<int>((length >> (8 * i)) & 0xff), file);
}

std::FILE* open_output(const std::string& directory, const char* name) {
    std::FILE* file = std::fopen((directory + "/" + name).c_str(), "wb");
    if (file == nullptr) {
        std::perror(name);
        std::exit(1);
    }
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_inputs DIRECTORY\n");
        return 2;
    }
    std::string directory = argv[1];
    std::FILE* report = open_output(directory, "report.txt");
    std::FILE* small = open_output(directory, "small.txt");
    std::FILE* fixed = open_output(directory, "fixed.dat");
    std::FILE* framed = open_output(directory, "framed.dat");
    std::FILE* line = open_output(directory, "line.txt");
    std::fclose(open_output(directory, "empty.txt"));

    std::size_t written = 0;
    char previous = ' ';
    std::fputc(' ', line);
    while (written < TARGET_SIZE) {
        std::string record = make_record(false, previous);
        previous = record[0];
        std::fprintf(report, "%s\n", record.c_str());
        if (written + record.size() + 1 <= 1024) std::fprintf(small, "%s\n", record.c_str());
        std::string padded = record + std::string(RECORD_SIZE - record.size(), ' ');
        std::fwrite(padded.data(), 1, padded.size(), fixed);
        put_length(framed, static_cast<std::uint32_t>(record.size()));
        std::fwrite(record.data(), 1, record.size(), framed);
        put_length(framed, static_cast<std::uint32_t>(record.size()));
        std::fwrite(record.data() + 1, 1, record.size() - 1, line);
        written += record.size() + 1;
    }
    std::fputc('\n', line);

    state = 20261211;
    std::FILE* tabbed = open_output(directory, "tabbed.txt");
    for (written = 0, previous = ' '; written < TARGET_SIZE;) {
        std::string record = make_record(true, previous);
        previous = record[0];
        std::fprintf(tabbed, "%s\n", record.c_str());
        written += record.size() + 1;
    }
    for (std::FILE* file : {report, small, fixed, framed, line, tabbed}) {
        if (std::fclose(file) != 0) {
            std::perror("make_inputs");
            return 1;
        }
    }
}
