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
#include <spawn.h>
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

// Everything the child needs as C strings, kept alive until posix_spawn has returned.
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
    char* const* argv() { return m_pointers.data(); }

private:
    std::vector<QByteArray> m_bytes;
    std::vector<char*> m_pointers;
};

void setSpawnAttributes(posix_spawnattr_t* attributes)
{
    // The child leads a process group of its own, so that a stop can kill whatever it
    // started as well; it gets a clean signal mask and default handlers.
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signalNumber : {SIGPIPE, SIGINT, SIGTERM, SIGQUIT, SIGHUP, SIGCHLD})
        sigaddset(&defaults, signalNumber);
    posix_spawnattr_setsigmask(attributes, &none);
    posix_spawnattr_setsigdefault(attributes, &defaults);
    posix_spawnattr_setpgroup(attributes, 0);
    posix_spawnattr_setflags(attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK
                                             | POSIX_SPAWN_SETSIGDEF);
}

bool spawnChild(const QString& path, const QStringList& arguments, Child& child)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return false;
    fcntl(fds[0], F_SETPIPE_SZ, kReadBufferSize); // best effort: fewer stalls of a chatty child

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    setSpawnAttributes(&attributes);

    ArgumentVector argv(path, arguments);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, argv.path(), &actions, &attributes, argv.argv(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (error != 0) {
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
