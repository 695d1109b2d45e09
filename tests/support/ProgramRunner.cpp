#include "ProgramRunner.h"

#include "ProgramHomeFiles.h"
#include "config/AppConfiguration.h"
#include "model/NntpServer.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {

constexpr int kPollMs = 50;

QString programPath(const QString &folder = QString())
{
    return QDir(folder.isEmpty() ? qEnvironmentVariable("TQ_BIN_DIR") : folder).filePath(QStringLiteral("tessaquill"));
}

// The configuration classes read the home from the environment.
class HomeSwap
{
public:
    explicit HomeSwap(const QString &home) : previous(qgetenv("HOME")) { qputenv("HOME", QFile::encodeName(home)); }
    ~HomeSwap() { qputenv("HOME", previous); }
    HomeSwap(const HomeSwap &) = delete;
    HomeSwap &operator=(const HomeSwap &) = delete;

private:
    QByteArray previous;
};

} // namespace

ProgramRunner::ProgramRunner(const QString &home) : homeFolder(home)
{
}

ProgramRunner::~ProgramRunner()
{
    if (isRunning())
        stop(SIGKILL, 10000);
}

QString ProgramRunner::dataFolder() const
{
    return homeFolder + QStringLiteral("/Tessaquill_Plus");
}

QProcessEnvironment ProgramRunner::environment() const
{
    const QString runtime = homeFolder + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), homeFolder);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), homeFolder + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), homeFolder + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), homeFolder + QStringLiteral("/.cache"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("TESSAQUILL_VERSION_URL"), QStringLiteral("http://127.0.0.1:1/version.txt"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/session-bus"));
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/system-bus"));
    return env;
}

bool ProgramRunner::configure(const QList<NntpServer *> &servers, const std::function<void(AppConfiguration &)> &adjust)
{
    const HomeSwap swap(homeFolder);
    AppConfiguration config;
    config.loadConfiguration();
    config.autoDownloadNzb = true;
    config.cacheFolder = AppConfiguration::defaultCacheFolder();
    config.downloadFolder = AppConfiguration::defaultDownloadFolder();
    config.destinationFolder = AppConfiguration::defaultDestinationFolder();
    if (adjust)
        adjust(config);
    bool saved = config.saveConfiguration();
    config.serversConfiguration.listServers = servers;
    saved = config.serversConfiguration.saveServers() && saved;
    return saved;
}

NntpServer *ProgramRunner::newsServer(quint16 port, int connections)
{
    auto *server = new NntpServer;
    server->iId = 1;
    server->strHost = QStringLiteral("127.0.0.1");
    server->iPort = port;
    server->strNickname = QStringLiteral("test");
    server->iConnectionCount = connections;
    server->bStarted = true;
    return server;
}

void ProgramRunner::stopAtWrite(const QString &pathPrefix, qint64 bytes)
{
    writeStopPrefix = pathPrefix;
    writeStopBytes = bytes;
}

bool ProgramRunner::start(const QStringList &arguments)
{
    if (isRunning())
        return false;
    QProcessEnvironment env = environment();
    if (writeStopBytes >= 0) {
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TQ_WRITESTOP_LIBRARY));
        env.insert(QStringLiteral("TQ_WRITE_STOP_PREFIX"), writeStopPrefix);
        env.insert(QStringLiteral("TQ_WRITE_STOP_AFTER"), QString::number(writeStopBytes));
        // A sanitizer build wants its runtime first among the loaded libraries.
        const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   (asan.isEmpty() ? QString() : asan + QLatin1Char(':')) + QStringLiteral("verify_asan_link_order=0"));
        writeStopBytes = -1;
    }
    process = std::make_unique<QProcess>();
    process->setProcessEnvironment(env);
    process->setWorkingDirectory(homeFolder);
    process->start(programPath(programFolder), arguments);
    return process->waitForStarted(30000);
}

bool ProgramRunner::placeProgramIn(const QString &folder)
{
    const QByteArray built = QFile::encodeName(programPath());
    const QByteArray placed = QFile::encodeName(programPath(folder));
    return QDir().mkpath(folder)
           && (::link(built.constData(), placed.constData()) == 0 || QFile::copy(programPath(), programPath(folder)));
}

bool ProgramRunner::isRunning() const
{
    return process && process->state() != QProcess::NotRunning;
}

qint64 ProgramRunner::processId() const
{
    return process ? process->processId() : 0;
}

bool ProgramRunner::waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        if (condition())
            return true;
        if (!isRunning()) {
            qWarning() << "The program ended before the awaited state, with" << process->exitCode()
                       << process->readAllStandardError();
            return false;
        }
        if (elapsed.elapsed() > timeoutMs) {
            qWarning() << "The awaited state did not come within" << timeoutMs << "ms";
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, kPollMs);
        QThread::msleep(kPollMs);
    }
}

bool ProgramRunner::isFrozen() const
{
    if (!isRunning())
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(process->processId()));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    // "pid (name) state ...": the name may hold blanks and parentheses, the state follows the last ')'.
    const QByteArray line = stat.readAll();
    const int close = line.lastIndexOf(')');
    return close >= 0 && line.size() > close + 2 && (line.at(close + 2) == 'T' || line.at(close + 2) == 't');
}

bool ProgramRunner::waitUntilFrozen(int timeoutMs)
{
    return waitFor([this] { return isFrozen(); }, timeoutMs);
}

void ProgramRunner::resume()
{
    if (isRunning())
        ::kill(pid_t(process->processId()), SIGCONT);
}

int ProgramRunner::stop(int signalNumber, int timeoutMs)
{
    if (!process)
        return kKilled;
    if (isRunning()) {
        ::kill(pid_t(process->processId()), signalNumber);
        // A frozen program takes its signal once it runs again (SIGKILL at once).
        ::kill(pid_t(process->processId()), SIGCONT);
    }
    if (!process->waitForFinished(timeoutMs)) {
        qWarning() << "The program did not end within" << timeoutMs << "ms of signal" << signalNumber;
        process->kill();
        process->waitForFinished(10000);
        lastErrors = QString::fromUtf8(process->readAllStandardError());
        return kKilled;
    }
    lastErrors = QString::fromUtf8(process->readAllStandardError());
    return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : kKilled;
}

QString ProgramRunner::logText() const
{
    return logTextIn(homeFolder);
}
