#include "run_program.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <time.h>
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

namespace {

// Starts kaz with standard input from descriptor in and standard output and
// error into the two files.  Returns its process number.
pid_t start_kaz(const std::vector<std::string>& arguments, int in, int out, int err, int close_in_child) {
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
        if (close_in_child >= 0) close(close_in_child);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

program_result collect(pid_t child, int out, int err) {
    int wait_status = 0;
    waitpid(child, &wait_status, 0);
    program_result result;
    result.output = read_back(out);
    result.errors = read_back(err);
    result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -WTERMSIG(wait_status);
    return result;
}

// Whether the child has ended; it stays waitable for collect.
bool has_ended(pid_t child) {
    siginfo_t info = {};
    return waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == child;
}

// Waits until the pipe behind read_end holds no unread byte, or the child
// has ended, or ten seconds have passed.
void wait_until_drained(int read_end, pid_t child) {
    for (int i = 0; i < 100000; ++i) {
        int unread = 0;
        if (ioctl(read_end, FIONREAD, &unread) != 0 || unread == 0) return;
        if (has_ended(child)) return;
        struct timespec pause = {0, 100000};
        nanosleep(&pause, nullptr);
    }
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
    pid_t child = start_kaz(arguments, in, out, err, -1);
    close(in);
    return collect(child, out, err);
}

program_result run_kaz_in_pieces(const std::vector<std::string>& arguments, const std::string& input,
                                 const std::vector<std::size_t>& cuts) {
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) throw std::runtime_error("pipe failed");
    int out = temporary_file();
    int err = temporary_file();
    pid_t child = start_kaz(arguments, pipe_ends[0], out, err, pipe_ends[1]);
    // The read end stays open here too, so that the pipe can be watched, and
    // so that a kaz that stops reading early cannot make a write fail.
    std::size_t from = 0;
    std::vector<std::size_t> ends = cuts;
    ends.push_back(input.size());
    for (std::size_t end : ends) {
        if (end <= from || end > input.size()) continue;
        wait_until_drained(pipe_ends[0], child);
        if (has_ended(child)) break;
        ssize_t written = write(pipe_ends[1], input.data() + from, end - from);
        if (written != static_cast<ssize_t>(end - from)) throw std::runtime_error("cannot write to kaz");
        from = end;
    }
    close(pipe_ends[1]);
    close(pipe_ends[0]);
    return collect(child, out, err);
}

}  // namespace kaz_test
