#include "platform/UtilsProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextCodec>
#include <QTextDecoder>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// One read takes at most this many bytes less one.
constexpr int kReadBufferSize = 0x20000;
constexpr int kWaitMs = 1;
constexpr int kPauseMs = 10;
constexpr quint32 kStoppedExitCode = 1;

struct Child
{
    pid_t pid = -1;
    int outputFd = -1;
};

// Everything the child needs as C strings, made before the fork (the child may not allocate).
class ArgumentVector
{
public:
    ArgumentVector(const QString& path, const QStringList& arguments)
    {
        m_bytes.push_back(QFile::encodeName(path));
        for (const QString& argument : arguments)
            m_bytes.push_back(QFile::encodeName(argument));
        for (QByteArray& bytes : m_bytes)
            m_pointers.push_back(bytes.data());
        m_pointers.push_back(nullptr);
    }
    const char* path() const { return m_bytes.front().constData(); }
    char* const* argv() const { return m_pointers.data(); }

private:
    std::vector<QByteArray> m_bytes;
    std::vector<char*> m_pointers;
};

bool resetsWhenIgnored(int signalNumber)
{
    return signalNumber == SIGPIPE || signalNumber == SIGINT || signalNumber == SIGTERM || signalNumber == SIGQUIT
           || signalNumber == SIGHUP || signalNumber == SIGCHLD;
}

// The child's side, between fork and exec: async-signal-safe calls only (no allocation, no
// lock), since another thread of this program may have held any lock at the fork.
[[noreturn]] void execChild(const ArgumentVector& argv, pid_t parent, int outputFd, int errorFd)
{
    // The program dies with this one: par2 or unrar left working after a crash or a kill -9
    // would go on writing into files that the next start works on.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) // this program ended before the line above took effect
        _exit(127);
    // A process group of its own, so that a stop can kill whatever it started as well.
    setpgid(0, 0);
    // Default handling of every signal this program handles, before any is let through: a
    // handler of this program must never run in the child (it would write into this program's
    // pipes). Signals ignored here stay ignored, as across any exec, but for those that end a
    // program or tell it about its own children.
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    sigemptyset(&defaults.sa_mask);
    for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber) {
        struct sigaction current {};
        if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler != SIG_DFL
            && (current.sa_handler != SIG_IGN || resetsWhenIgnored(signalNumber)))
            sigaction(signalNumber, &defaults, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    pthread_sigmask(SIG_SETMASK, &none, nullptr);

    const int input = open("/dev/null", O_RDONLY);
    if (input < 0 || dup2(input, STDIN_FILENO) < 0 || dup2(outputFd, STDOUT_FILENO) < 0
        || dup2(outputFd, STDERR_FILENO) < 0) {
        const int error = errno;
        (void)!write(errorFd, &error, sizeof error);
        _exit(127);
    }
    execve(argv.path(), argv.argv(), environ);
    const int error = errno;
    (void)!write(errorFd, &error, sizeof error);
    _exit(127);
}

// Forks with every signal blocked, so that no handler of this program runs in the child before
// it has put the default handling back.
pid_t forkChild(const ArgumentVector& argv, int outputFd, int errorFd)
{
    const pid_t parent = getpid();
    sigset_t all;
    sigfillset(&all);
    sigset_t previous;
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t pid = fork();
    if (pid == 0)
        execChild(argv, parent, outputFd, errorFd);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return pid;
}

// Whether the child reached its program: the error pipe closes at the exec, or carries errno.
bool execSucceeded(pid_t pid, int errorFd)
{
    int error = 0;
    ssize_t count;
    do {
        count = read(errorFd, &error, sizeof error);
    } while (count < 0 && errno == EINTR);
    if (count <= 0)
        return true;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return false;
}

bool spawnChild(const QString& path, const QStringList& arguments, Child& child)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return false;
    int errorFds[2];
    if (pipe2(errorFds, O_CLOEXEC) != 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    fcntl(fds[0], F_SETPIPE_SZ, kReadBufferSize); // best effort: fewer stalls of a chatty child

    ArgumentVector argv(path, arguments);
    const pid_t pid = forkChild(argv, fds[1], errorFds[1]);
    close(fds[1]);
    close(errorFds[1]);
    const bool started = pid > 0 && execSucceeded(pid, errorFds[0]);
    close(errorFds[0]);
    if (!started) {
        close(fds[0]);
        return false;
    }
    fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    child.pid = pid;
    child.outputFd = fds[0];
    return true;
}

enum class ChildState { Running, Ended, WaitFailed };

// Ended: the child was reaped and its status is in `status`. WaitFailed: the child cannot be
// waited for (already reaped elsewhere, or SIGCHLD ignored): it is gone, its status unknown.
ChildState reapIfEnded(pid_t pid, int& status)
{
    pid_t result;
    do {
        result = waitpid(pid, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == pid)
        return ChildState::Ended;
    return result < 0 ? ChildState::WaitFailed : ChildState::Running;
}

quint32 exitCodeOf(int status)
{
    if (WIFEXITED(status))
        return quint32(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return quint32(128 + WTERMSIG(status));
    return ProcessRun::kExitCodeUnknown;
}

// Kills the child with every process of its group and reaps it; returns its exit status.
quint32 killAndReap(pid_t pid)
{
    kill(-pid, SIGKILL);
    kill(pid, SIGKILL);
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid, &status, 0);
    } while (result < 0 && errno == EINTR);
    return result == pid ? exitCodeOf(status) : ProcessRun::kExitCodeUnknown;
}

// Reads the child's output pipe without blocking and turns what it reads into text.
class OutputReader
{
public:
    explicit OutputReader(int fd)
        : m_fd(fd)
        , m_buffer(kReadBufferSize)
        , m_decoder(QTextCodec::codecForName("UTF-8")->makeDecoder())
    {
    }

    bool atEnd() const { return m_atEnd; }

    void waitForOutput(int timeoutMs)
    {
        if (m_atEnd) {
            QThread::msleep(timeoutMs);
            return;
        }
        pollfd entry{m_fd, POLLIN, 0};
        poll(&entry, 1, timeoutMs);
    }

    // The text of one read (empty when nothing was waiting). A read keeps only the bytes
    // before its first zero byte.
    bool readChunk(QString& text)
    {
        const int count = readOnce();
        if (count <= 0)
            return false;
        const int length = int(strnlen(m_buffer.data(), size_t(count)));
        text = m_decoder->toUnicode(m_buffer.data(), length);
        return true;
    }

private:
    int readOnce()
    {
        if (m_atEnd)
            return 0;
        ssize_t count;
        do {
            count = read(m_fd, m_buffer.data(), m_buffer.size() - 1);
        } while (count < 0 && errno == EINTR);
        if (count == 0 || (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK))
            m_atEnd = true;
        return count > 0 ? int(count) : 0;
    }

    int m_fd;
    std::vector<char> m_buffer;
    std::unique_ptr<QTextDecoder> m_decoder;
    bool m_atEnd = false;
};

// Reads everything still waiting in the pipe once the child has ended.
void drain(OutputReader& reader, QString& output)
{
    QString chunk;
    while (reader.readChunk(chunk))
        output += chunk;
}

bool stopRequested(const ProcessRunOptions& options)
{
    return options.stopFlag && options.stopFlag->load();
}

bool timeLimitPassed(const ProcessRunOptions& options, const QElapsedTimer& clock)
{
    return options.timeLimitMs > 0 && clock.hasExpired(options.timeLimitMs);
}

void pollUntilEnd(const Child& child, const ProcessRunOptions& options, ProcessRun& run)
{
    QElapsedTimer clock;
    clock.start();
    OutputReader reader(child.outputFd);
    int status = 0;
    for (;;) {
        // Whether the child has ended is taken before this poll's read, so that whatever it
        // wrote before ending is collected by this read or by the drain.
        const ChildState state = reapIfEnded(child.pid, status);
        const bool ended = state != ChildState::Running;
        if (!ended)
            reader.waitForOutput(kWaitMs);
        if (options.pauseAfterPoll)
            QThread::msleep(kPauseMs);
        QString chunk;
        if (reader.readChunk(chunk)) {
            run.output += chunk;
            if (options.chunkHandler)
                options.chunkHandler(chunk);
        }
        if (stopRequested(options)) {
            run.stopped = true;
            if (!ended) {
                killAndReap(child.pid);
                run.exitCode = kStoppedExitCode;
                break;
            }
        }
        if (!ended && timeLimitPassed(options, clock)) {
            run.timedOut = true;
            run.exitCode = killAndReap(child.pid);
            break;
        }
        if (ended) {
            run.exitCode =
                state == ChildState::Ended ? exitCodeOf(status) : ProcessRun::kExitCodeUnknown;
            break;
        }
    }
    drain(reader, run.output);
}

} // namespace

QString UtilsProcess::findProgram(const QString& fileName, const QString& programFolder,
                                  bool systemPathFallback)
{
    const QString folder =
        programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder;
    if (!folder.isEmpty()) {
        const QFileInfo candidate(folder + QLatin1Char('/') + fileName);
        if (candidate.isFile() && candidate.isExecutable())
            return candidate.absoluteFilePath();
    }
    if (systemPathFallback)
        return QStandardPaths::findExecutable(fileName);
    return QString();
}

ProcessRun UtilsProcess::runHidden(const QString& fileName, const QStringList& arguments,
                                   const ProcessRunOptions& options)
{
    ProcessRun run;
    const QString path = findProgram(fileName, options.programFolder, options.systemPathFallback);
    Child child;
    if (path.isEmpty() || !spawnChild(path, arguments, child))
        return run;
    run.started = true;
    run.output.reserve(options.outputReserve);
    pollUntilEnd(child, options, run);
    close(child.outputFd);
    return run;
}

bool UtilsProcess::startHidden(const QString& fileName, const QStringList& arguments,
                               const QString& programFolder)
{
    const QString path = findProgram(fileName, programFolder);
    if (path.isEmpty())
        return false;
    QProcess process;
    process.setProgram(path);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}
