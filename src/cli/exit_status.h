// The exit statuses of kaz.  Kept apart from the rest of the command line so
// that every part of the program can end the process with the right status.
#ifndef KAZ_CLI_EXIT_STATUS_H
#define KAZ_CLI_EXIT_STATUS_H

namespace kaz {

constexpr int STATUS_END_OF_INPUT = 0;  // the input ended and was translated
constexpr int STATUS_FAILURE = 1;       // a malformed record or a failing stream
constexpr int STATUS_COMMAND_LINE = -1; // usage or version text; 255 to a POSIX parent

}  // namespace kaz

#endif
