// Big queues and big NZBs through the real main window (offscreen), each step in a process of
// its own, the way a user meets them:
//
// - 500, 1,000 and 2,000 small NZBs (one article each) named on the command line at start:
//   the time to add them, then the exit right after (from the request to end to the end of the
//   process). A second start in the same home puts the queue back (its time, and a check that
//   every NZB came back in order), selects every NZB and moves them down, then selects every
//   NZB and removes them (the removal question answered at once): for each, the longest time
//   the window's event loop did not turn, from the selection to the end.
// - One NZB of 300,000 one-article files handed over by a later start while the window runs:
//   the time to add it, the longest time the window did not answer meanwhile, the peak memory,
//   and the exit; then a second start that puts it back.
//
// The homes are made in the current folder (on the disk, as a user's is). No server is set up.
// Options: --sizes 500,1000,2000  --huge-files 300000  --skip-huge  --skip-queues.
// Prints its figures last, one a line.
#include "LoopWatcher.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

namespace {

// Monotonic, in ms, comparable across processes of the machine.
double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double peakMemoryMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

QByteArray nzbHead()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n";
}

QByteArray oneArticleFile(int number, int count, const QByteArray &name)
{
    return "<file poster=\"Bench Poster &lt;bench@test.invalid&gt;\" date=\"1700000000\" subject=\"["
           + QByteArray::number(number) + "/" + QByteArray::number(count) + "] - &quot;" + name
           + "&quot; yEnc (1/1)\">\n<groups><group>alt.binaries.test</group></groups>\n<segments>\n"
           + "<segment bytes=\"739674\" number=\"1\">part1of1."
           + QByteArray::number(quint64(number) * 1000003 + 7919, 36).rightJustified(16, 'x')
           + "@bench.test.invalid</segment>\n</segments>\n</file>\n";
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QString smallNzbName(int i)
{
    return QStringLiteral("bench-%1").arg(i, 5, 10, QLatin1Char('0'));
}

void setUpHome(const QString &home)
{
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/.config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/.local/share")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home + QStringLiteral("/.cache")));
    qputenv("TESSAQUILL_VERSION_URL", "http://127.0.0.1:1/version.txt");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// As main does, with NZB files queued without a question and nothing else written.
void setUpProgram()
{
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
    ProgramStart::setIdentity();
    QApplication::setQuitOnLastWindowClosed(false);
    MainWindow::systemTrayAvailable = [] { return false; };
    AppConfiguration *config = AppConfiguration::getInstance();
    config->initialize();
    config->autoDownloadNzb = true;
    config->autoSaveHistoNzb = false;
    config->autoSmartDownload = false;
    config->saveConfiguration();
}

// Presses Ok in every message box that opens (the removal question).
void answerEveryQuestion(QObject *owner)
{
    auto *timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                ok->click();
        }
    });
    timer->start(5);
}

void processEventsFor(int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The whole exit as the end of a session asks for it, to the end of the process: the figure is
// printed once the program's last objects (the engine, the configuration) are gone.
double gExitStartMs = -1;
char gExitFigure[64] = {};

void printExitFigure()
{
    if (gExitStartMs >= 0 && gExitFigure[0])
        std::printf("%s: %.0f ms\n", gExitFigure, monotonicMs() - gExitStartMs);
    std::fflush(stdout);
}

int exitFromTheEventLoop(MainWindow *window, const QByteArray &figure)
{
    qstrncpy(gExitFigure, figure.constData(), sizeof gExitFigure);
    QTimer::singleShot(0, window, [window] {
        gExitStartMs = monotonicMs();
        window->slotExitWithoutQuestion();
    });
    const int code = QApplication::exec();
    delete window;
    return code;
}

int nzbCount()
{
    return DownloadNzbManager::getInstance()->listNzbFiles.size();
}

// Step 1: the NZB files on the command line at start, then the exit.
int addAtStart(int count, const QString &home)
{
    QStringList arguments{QStringLiteral("tessaquill")};
    for (int i = 1; i <= count; ++i) {
        const QString path = home + QLatin1Char('/') + smallNzbName(i) + QStringLiteral(".nzb");
        if (!writeFile(path, nzbHead() + oneArticleFile(i, 1, smallNzbName(i).toUtf8() + ".bin") + "</nzb>\n"))
            return 1;
        arguments << path;
    }
    setUpProgram();
    auto *window = new MainWindow;
    QElapsedTimer adding;
    adding.start();
    window->loadNzbFromArguments(arguments);
    window->setVisible(true);
    const double addMs = adding.nsecsElapsed() / 1e6;
    if (nzbCount() != count) {
        std::fprintf(stderr, "%d NZBs queued of %d\n", nzbCount(), count);
        return 1;
    }
    std::printf("add-%d-ms: %.0f ms\n", count, addMs);
    std::fflush(stdout);
    return exitFromTheEventLoop(window, "exit-" + QByteArray::number(count) + "-ms");
}

// Whether the queue holds the NZBs of step 1 in this order of their numbers.
bool queueInOrder(const QList<int> &numbers)
{
    const QList<NzbFiles *> queue = DownloadNzbManager::getInstance()->listNzbFiles;
    if (queue.size() != numbers.size())
        return false;
    for (int i = 0; i < numbers.size(); ++i) {
        if (queue.at(i)->strName != smallNzbName(numbers.at(i)) || queue.at(i)->iQueueId != i)
            return false;
    }
    return true;
}

// Runs `command` from the event loop, then lets the loop run on for a moment (a layout or paint
// it left for later counts too); the longest time the loop did not turn.
double longestBlockOf(LoopWatcher &watcher, const std::function<void()> &command)
{
    bool done = false;
    QTimer::singleShot(0, [&] {
        watcher.reset();
        command();
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    processEventsFor(300);
    return watcher.longestMs();
}

// Step 2: a later start puts the queue back, every NZB is moved down, then removed.
int restartMoveRemove(int count)
{
    setUpProgram();
    QElapsedTimer restoring;
    restoring.start();
    auto *window = new MainWindow;
    const double restoreMs = restoring.nsecsElapsed() / 1e6;
    QList<int> numbers;
    for (int i = 1; i <= count; ++i)
        numbers << i;
    if (!queueInOrder(numbers)) {
        std::fprintf(stderr, "the queue did not come back whole: %d NZBs\n", nzbCount());
        return 1;
    }
    window->resize(1280, 800);
    window->setVisible(true);
    answerEveryQuestion(window);
    processEventsFor(300);
    auto *list = window->findChild<QTreeWidget *>(QStringLiteral("treeWidgetDownloadList"));
    auto *moveDown = window->findChild<QPushButton *>(QStringLiteral("pushButtonMoveDownNzb"));
    auto *remove = window->findChild<QPushButton *>(QStringLiteral("pushButtonDeleteSelNzb"));
    if (!list || !moveDown || !remove)
        return 1;

    LoopWatcher watcher;
    const double moveMs = longestBlockOf(watcher, [&] {
        list->selectAll();
        moveDown->click();
    });
    // Moving every NZB down: each changes place with the one below it, in turn from the last.
    numbers.prepend(numbers.takeLast());
    if (!queueInOrder(numbers)) {
        std::fprintf(stderr, "the queue is not in the moved order\n");
        return 1;
    }
    const double removeMs = longestBlockOf(watcher, [&] {
        list->selectAll();
        remove->click();
    });
    if (nzbCount() != 0 || list->topLevelItemCount() != 0) {
        std::fprintf(stderr, "%d NZBs left after the removal\n", nzbCount());
        return 1;
    }
    std::printf("restore-%d-ms: %.0f ms\n", count, restoreMs);
    std::printf("move-%d-longest-block-ms: %.0f ms\n", count, moveMs);
    std::printf("remove-%d-longest-block-ms: %.0f ms\n", count, removeMs);
    std::fflush(stdout);
    return exitFromTheEventLoop(window, QByteArray());
}

QString hugeLabel(int files)
{
    return files % 1000 == 0 ? QString::number(files / 1000) + QLatin1Char('k') : QString::number(files);
}

// Step 1 of the huge NZB: handed over by a later start while the window runs, then the exit.
int addHuge(int files, const QString &home)
{
    const QString path = home + QStringLiteral("/huge.nzb");
    {
        QByteArray nzb = nzbHead();
        nzb.reserve(files * 240);
        for (int i = 1; i <= files; ++i)
            nzb += oneArticleFile(i, files, "huge." + QByteArray::number(i).rightJustified(7, '0') + ".bin");
        nzb += "</nzb>\n";
        std::fprintf(stderr, "huge NZB: %.1f MB, %d files\n", nzb.size() / 1e6, files);
        if (!writeFile(path, nzb))
            return 1;
    }
    setUpProgram();
    auto *window = new MainWindow;
    window->resize(1280, 800);
    window->setVisible(true);
    processEventsFor(300);
    LoopWatcher watcher;
    double addMs = 0;
    const double blockMs = longestBlockOf(watcher, [&] {
        QElapsedTimer adding;
        adding.start();
        window->handleMessage(path);
        addMs = adding.nsecsElapsed() / 1e6;
    });
    const QList<NzbFiles *> queue = DownloadNzbManager::getInstance()->listNzbFiles;
    if (queue.size() != 1 || queue.first()->getFileCount() != files) {
        std::fprintf(stderr, "the huge NZB was not queued whole\n");
        return 1;
    }
    const QString label = hugeLabel(files);
    std::printf("add-%s-files-ms: %.0f ms\n", qPrintable(label), addMs);
    std::printf("add-%s-files-longest-block-ms: %.0f ms\n", qPrintable(label), blockMs);
    std::printf("add-%s-files-peak-memory: %.0f MB\n", qPrintable(label), peakMemoryMB());
    std::fflush(stdout);
    return exitFromTheEventLoop(window, "exit-" + label.toUtf8() + "-files-ms");
}

int restartHuge(int files)
{
    setUpProgram();
    QElapsedTimer restoring;
    restoring.start();
    auto *window = new MainWindow;
    const double restoreMs = restoring.nsecsElapsed() / 1e6;
    const QList<NzbFiles *> queue = DownloadNzbManager::getInstance()->listNzbFiles;
    if (queue.size() != 1 || queue.first()->getFileCount() != files) {
        std::fprintf(stderr, "the huge NZB did not come back whole\n");
        return 1;
    }
    std::printf("restore-%s-files-ms: %.0f ms\n", qPrintable(hugeLabel(files)), restoreMs);
    std::fflush(stdout);
    return exitFromTheEventLoop(window, QByteArray());
}

// Runs one step in a process of its own; its figures (lines "name: value unit") are kept.
bool runStep(const QStringList &arguments, QStringList &figures)
{
    QProcess step;
    step.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    step.start(QCoreApplication::applicationFilePath(), arguments);
    if (!step.waitForFinished(-1) || step.exitStatus() != QProcess::NormalExit || step.exitCode() != 0) {
        std::fprintf(stderr, "step %s failed\n", qPrintable(arguments.join(QLatin1Char(' '))));
        return false;
    }
    for (const QByteArray &line : step.readAllStandardOutput().split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        figures << QString::fromUtf8(line.trimmed());
        std::fprintf(stderr, "%s\n", line.trimmed().constData());
    }
    return true;
}

int drive(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<int> sizes{500, 1000, 2000};
    int hugeFiles = 300000;
    bool skipHuge = false;
    bool skipQueues = false;
    const QStringList arguments = app.arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--sizes") && i + 1 < arguments.size()) {
            sizes.clear();
            for (const QString &size : arguments.at(++i).split(QLatin1Char(',')))
                sizes << size.toInt();
        } else if (arguments.at(i) == QLatin1String("--huge-files") && i + 1 < arguments.size()) {
            hugeFiles = arguments.at(++i).toInt();
        } else if (arguments.at(i) == QLatin1String("--skip-huge")) {
            skipHuge = true;
        } else if (arguments.at(i) == QLatin1String("--skip-queues")) {
            skipQueues = true;
        }
    }
    QStringList figures;
    bool ok = true;
    if (!skipQueues) {
        for (int size : sizes) {
            QTemporaryDir home(QDir::current().filePath(QStringLiteral("big_queue-XXXXXX")));
            const QString count = QString::number(size);
            ok = home.isValid() && runStep({QStringLiteral("--step-add"), count, home.path()}, figures)
                 && runStep({QStringLiteral("--step-restart"), count, home.path()}, figures) && ok;
        }
    }
    if (!skipHuge) {
        QTemporaryDir home(QDir::current().filePath(QStringLiteral("big_queue-XXXXXX")));
        const QString count = QString::number(hugeFiles);
        ok = home.isValid() && runStep({QStringLiteral("--step-huge"), count, home.path()}, figures)
             && runStep({QStringLiteral("--step-restart-huge"), count, home.path()}, figures) && ok;
    }
    for (const QString &figure : qAsConst(figures))
        std::printf("%s\n", qPrintable(figure));
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Registered before any of the program's lasting objects exists: it runs after they are gone.
    std::atexit(printExitFigure);
    const QByteArray step = argc >= 4 ? QByteArray(argv[1]) : QByteArray();
    if (!step.startsWith("--step-"))
        return drive(argc, argv);
    const int count = QByteArray(argv[2]).toInt();
    const QString home = QFile::decodeName(argv[3]);
    setUpHome(home);
    QApplication app(argc, argv);
    if (step == "--step-add")
        return addAtStart(count, home);
    if (step == "--step-restart")
        return restartMoveRemove(count);
    if (step == "--step-huge")
        return addHuge(count, home);
    if (step == "--step-restart-huge")
        return restartHuge(count);
    return 2;
}
