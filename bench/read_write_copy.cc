// The floor of any filter that changes bytes: a plain loop that reads
// standard input and writes it to standard output in 128 KiB blocks,
// touching nothing.  The benchmark gives every time of kaz as a ratio to
// this program's time on the same file.
#include <unistd.h>

#include <cstddef>

namespace {

constexpr std::size_t BLOCK = 128 * 1024;
char block[BLOCK];

}  // namespace

int main() {
    ssize_t got;
    while ((got = read(0, block, BLOCK)) > 0) {
        for (ssize_t done = 0; done < got;) {
            ssize_t written = write(1, block + done, static_cast<std::size_t>(got - done));
            if (written <= 0) return 1;
            done += written;
        }
    }
    return got == 0 ? 0 : 1;
}
