#ifndef EXITCODES_H
#define EXITCODES_H

#include <string>

// Exit codes with the meanings that scripts and front ends of console RAR extractors expect.
enum ExitCode : int {
    ExitSuccess = 0,
    ExitWarning = 1,        // something was skipped, everything extracted is sound
    ExitFatal = 2,          // not a RAR archive, or a feature this program does not support
    ExitCrcError = 3,       // damaged data: checksum mismatch, damaged header, truncated archive
    ExitWriteError = 5,
    ExitOpenError = 6,      // an archive or a further volume cannot be found or opened
    ExitUsageError = 7,
    ExitMemoryError = 8,
    ExitCreateError = 9,    // an output file or folder cannot be created
    ExitBadPassword = 11,   // wrong password, or none given for encrypted data
    ExitUserBreak = 255
};

struct Failure
{
    int code = ExitSuccess;
    std::string message;

    bool failed() const { return code != ExitSuccess; }
};

#endif // EXITCODES_H
