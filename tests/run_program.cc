#include "run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace kaz_test {

namespace {

// An unlinked temporary file: standard input and output go through files, so
// that no pipe can fill up and stall either side.
int temporary_file() {
    char name[] = "/tmp/kaz-test-XXXXXX";
    int descriptor = mkstemp(name);
    if (descriptor < 0) throw std::runtime_error("mkstemp failed");
    unlink(name);
    return descriptor;
}

std::string read_back(int descriptor) {
    std::string contents;
    lseek(descriptor, 0, SEEK_SET);
    char block[65536];
    ssize_t got;
    while ((got = read(descriptor, block, sizeof block)) > 0) contents.append(block, static_cast<size_t>(got));
    close(descriptor);
    return contents;
}

}  // namespace

program_result run_kaz(const std::vector<std::string>& arguments, const std::string& input) {
    int in = temporary_file();
    if (write(in, input.data(), input.size()) != static_cast<ssize_t>(input.size())) {
        throw std::runtime_error("cannot write test input");
    }
    lseek(in, 0, SEEK_SET);
    int out = temporary_file();
    int err = temporary_file();

    std::vector<char*> argv;
    std::string program = KAZ_PROGRAM;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in);
    int wait_status = 0;
    waitpid(child, &wait_status, 0);
    program_result result;
    result.output = read_back(out);
    result.errors = read_back(err);
    result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -WTERMSIG(wait_status);
    return result;
}

}  // namespace kaz_test
