#ifndef FILESIZELIMIT_H
#define FILESIZELIMIT_H

#include <csignal>
#include <sys/resource.h>

// Keeps this process from writing files longer than a number of bytes for as long as it lives:
// a write past the limit fails as it would on a full disk (the signal such a write raises is
// ignored meanwhile).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        previousHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous;
        limited.rlim_cur = bytes;
        active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active = false;

private:
    rlimit previous{};
    sighandler_t previousHandler = SIG_DFL;
};

#endif // FILESIZELIMIT_H
