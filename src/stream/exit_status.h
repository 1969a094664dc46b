// The exit statuses of kaz.  They stand in the lowest layer, beside the
// streams, which end the process on a failing stream; every part above can
// end it with the right status too.
#ifndef KAZ_STREAM_EXIT_STATUS_H
#define KAZ_STREAM_EXIT_STATUS_H

namespace kaz {

constexpr int STATUS_END_OF_INPUT = 0;  // the input ended and was translated
constexpr int STATUS_FAILURE = 1;       // a malformed record or a failing stream
constexpr int STATUS_COMMAND_LINE = -1; // usage or version text; 255 to a POSIX parent

}  // namespace kaz

#endif
