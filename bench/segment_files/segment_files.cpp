// Segment files in the steady state of a download: writer threads (the connections) each write
// one article after the other into its segment file, and decoder threads read every file of a
// posted file once all its articles are in, then do away with them, as the file decoders do.
// The first gigabytes only bring the file system into that state (recently freed inodes, the
// folders' history); the figures are those of the gigabytes after them.
//
//   segment_files <folder> [mode] [warm GiB] [measured GiB] [writers] [articles per file]
//
// Modes, each a way of laying out and writing segment files:
//   qfile      as the connection writes them today: the file opened (created, truncated) before
//              the transfer through QFile, the length and body streamed, closed; one folder per
//              posted file; the decoders remove the folder
//   raw        one open(O_CREAT|O_TRUNC), one write of length and body, close, once the body is in
//   split<k>   raw, with each posted file's segments spread over k folders
//   recycle    raw, but the decoders move the files they are done with into a pool of emptied
//              files, and the writers take a file from the pool (a rename) instead of creating one
//   keep       raw, the decoders only empty the files; they are removed after the run
//   reuse      raw, the decoders empty the files and keep their folder aside; the next posted
//              file takes such a folder (one rename) and writes into the emptied files
//   <mode>+top the same, with the test folder marked as the top of a hierarchy, so that ext4
//              spreads its sub-folders over the whole disk
//
// Prints last: write-mb-s (MB/s of articles written, 10^6 bytes), cpu-s-per-gib (CPU seconds of
// the writer threads per GiB), open-us (mean time of the call that creates or takes a file),
// decode-lag-files (posted files waiting for the decoders at the end).
#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QtEndian>
#include <QString>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <memory>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <sys/uio.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr qint64 kGiB = 1024LL * 1024 * 1024;
constexpr int kArticle = 740000;
constexpr int kDecoders = 3;
constexpr int kPools = 8;

enum class Mode { QFileWrite, Raw, Split, Recycle, Keep, Reuse };

struct Options
{
    std::string folder;
    Mode mode = Mode::QFileWrite;
    int split = 1;
    double warmGiB = 1;
    double measuredGiB = 1;
    int writers = 8;
    int perFile = 70;
    bool topDir = false;
};

double threadCpu()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double wallNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void removeTree(const std::string &path)
{
    if (DIR *dir = opendir(path.c_str())) {
        while (dirent *entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "/" + name;
            if (entry->d_type == DT_DIR)
                removeTree(child);
            else
                unlink(child.c_str());
        }
        closedir(dir);
    }
    rmdir(path.c_str());
}

// Asks ext4 to spread the folder's sub-folders over the whole disk, as it does for folders at
// the top of a hierarchy: each gets a block group of its own.
void markTopFolder(const std::string &path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int flags = 0;
    if (fd < 0 || ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0 || (flags |= FS_TOPDIR_FL, ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0))
        std::fprintf(stderr, "cannot mark %s as a top folder: %s\n", path.c_str(), std::strerror(errno));
    if (fd >= 0)
        close(fd);
}

class Bench
{
public:
    explicit Bench(const Options &options)
        : o(options)
        , body(kArticle, 'y')
    {
        for (int i = 0; i < kArticle; ++i)
            body[i] = char('a' + (i * 31 + i / 7) % 26);
        root = o.folder + "/segbench-" + std::to_string(getpid());
        mkdir(root.c_str(), 0700);
        if (o.topDir)
            markTopFolder(root);
        for (int p = 0; p < kPools; ++p)
            mkdir(poolFolder(p).c_str(), 0700);
        const qint64 warmArticles = qint64(o.warmGiB * kGiB / kArticle);
        totalArticles = warmArticles + qint64(o.measuredGiB * kGiB / kArticle);
        totalArticles -= totalArticles % o.perFile;
        measureFrom = warmArticles - warmArticles % o.perFile;
        files = int(totalArticles / o.perFile);
        done = std::vector<std::atomic<int>>(size_t(files));
    }

    ~Bench() { removeTree(root); }

    void run()
    {
        std::vector<std::thread> decoders;
        std::vector<double> decoderCpu(kDecoders, 0);
        for (int d = 0; d < kDecoders; ++d)
            decoders.emplace_back([this, d, &decoderCpu] {
                const double start = threadCpu();
                decodeLoop();
                decoderCpu[size_t(d)] = threadCpu() - start;
            });
        std::vector<std::thread> writers;
        std::vector<double> cpu(size_t(o.writers), 0);
        for (int w = 0; w < o.writers; ++w)
            writers.emplace_back([this, w, &cpu] { cpu[size_t(w)] = writeLoop(w); });
        for (std::thread &t : writers)
            t.join();
        const double end = wallNow();
        lagAtEnd = queued();
        {
            std::lock_guard<std::mutex> lock(queueMutex);
            finished = true;
        }
        queueReady.notify_all();
        for (std::thread &t : decoders)
            t.join();
        const double allDecoded = wallNow();
        double decoderCpuTotal = 0;
        for (double c : decoderCpu)
            decoderCpuTotal += c;

        double cpuTotal = 0;
        for (double c : cpu)
            cpuTotal += c;
        const double measuredBytes = double(totalArticles - measureFrom) * kArticle;
        const double seconds = end - measureStart.load();
        std::printf("mode: %s%s\n", modeName().c_str(), o.topDir ? "+top" : "");
        std::printf("write-mb-s: %.0f MB/s\n", measuredBytes / seconds / 1e6);
        std::printf("cpu-s-per-gib: %.2f s\n", cpuTotal / (measuredBytes / kGiB));
        std::printf("open-us: %.0f us\n", openNs.load() / 1e3 / double(totalArticles - measureFrom));
        std::printf("decode-lag-files: %d\n", lagAtEnd);
        std::printf("all-read-mb-s: %.0f MB/s\n", measuredBytes / (allDecoded - measureStart.load()) / 1e6);
        std::printf("reader-cpu-s-per-gib: %.2f s\n", decoderCpuTotal / (double(totalArticles) * kArticle / kGiB));
    }

private:
    std::string modeName() const
    {
        switch (o.mode) {
        case Mode::QFileWrite: return "qfile";
        case Mode::Raw: return "raw";
        case Mode::Split: return "split" + std::to_string(o.split);
        case Mode::Recycle: return "recycle";
        case Mode::Keep: return "keep";
        case Mode::Reuse: return "reuse";
        }
        return "?";
    }

    std::string fileFolder(int file) const { return root + "/0-" + std::to_string(file); }
    std::string poolFolder(int pool) const { return root + "/pool" + std::to_string(pool); }

    std::string segmentFolder(int file, int number) const
    {
        if (o.mode == Mode::Split)
            return fileFolder(file) + "/" + std::to_string(number % o.split);
        return fileFolder(file);
    }

    std::string segmentPath(int file, int number) const
    {
        return segmentFolder(file, number) + "/" + std::to_string(number) + ".tmp";
    }

    void makeFolders(int file)
    {
        // The first writer of a posted file makes its folders, as the connection makes the
        // segment folder when it is missing.
        std::call_once(folderOnce(file), [this, file] {
            if (o.mode == Mode::Reuse && takeSpareFolder(fileFolder(file)))
                return;
            mkdir(fileFolder(file).c_str(), 0700);
            if (o.mode == Mode::Split)
                for (int k = 0; k < o.split; ++k)
                    mkdir((fileFolder(file) + "/" + std::to_string(k)).c_str(), 0700);
        });
    }

    std::once_flag &folderOnce(int file)
    {
        std::lock_guard<std::mutex> lock(onceMutex);
        if (onceFlags.size() <= size_t(file))
            onceFlags.resize(size_t(file) + 1);
        if (!onceFlags[size_t(file)])
            onceFlags[size_t(file)].reset(new std::once_flag);
        return *onceFlags[size_t(file)];
    }

    double writeLoop(int writer)
    {
        const double cpuStart = threadCpu();
        double cpuAtMeasure = cpuStart;
        bool measuring = false;
        for (;;) {
            const qint64 article = nextArticle++;
            if (article >= totalArticles)
                break;
            if (article >= measureFrom && !measuring) {
                measuring = true;
                cpuAtMeasure = threadCpu();
                double expected = 0;
                measureStart.compare_exchange_strong(expected, wallNow());
            }
            const int file = int(article / o.perFile);
            const int number = int(article % o.perFile) + 1;
            makeFolders(file);
            const qint64 ns = writeSegment(file, number, writer);
            if (measuring)
                openNs += ns;
            if (++done[size_t(file)] == o.perFile)
                push(file);
        }
        return measuring ? threadCpu() - cpuAtMeasure : 0;
    }

    // Writes one article; returns the nanoseconds spent creating or taking its file.
    qint64 writeSegment(int file, int number, int writer)
    {
        const std::string path = segmentPath(file, number);
        const quint32 lengthField = qToBigEndian(quint32(kArticle));
        if (o.mode == Mode::QFileWrite) {
            const auto t0 = std::chrono::steady_clock::now();
            QFile out(QString::fromStdString(path));
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
                fail("open", path);
            const qint64 ns = elapsedNs(t0);
            QDataStream stream(&out);
            stream.setVersion(QDataStream::Qt_4_8);
            stream.writeBytes(body.constData(), uint(body.size()));
            out.close();
            return ns;
        }
        const auto t0 = std::chrono::steady_clock::now();
        int fd = -1;
        if (o.mode == Mode::Recycle) {
            const std::string pooled = takePooled(writer);
            if (!pooled.empty() && rename(pooled.c_str(), path.c_str()) == 0)
                fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        }
        if (fd < 0)
            fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0)
            fail("open", path);
        const qint64 ns = elapsedNs(t0);
        iovec parts[2] = {{const_cast<quint32 *>(&lengthField), 4}, {const_cast<char *>(body.constData()), size_t(kArticle)}};
        if (writev(fd, parts, 2) != kArticle + 4)
            fail("write", path);
        close(fd);
        return ns;
    }

    static qint64 elapsedNs(std::chrono::steady_clock::time_point since)
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - since).count();
    }

    [[noreturn]] static void fail(const char *what, const std::string &path)
    {
        std::fprintf(stderr, "%s %s: %s\n", what, path.c_str(), std::strerror(errno));
        std::exit(1);
    }

    void push(int file)
    {
        {
            std::lock_guard<std::mutex> lock(queueMutex);
            decodeQueue.push_back(file);
        }
        queueReady.notify_one();
    }

    int queued()
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        return int(decodeQueue.size());
    }

    void decodeLoop()
    {
        std::vector<char> buffer(size_t(kArticle) + 4);
        for (;;) {
            int file = -1;
            {
                std::unique_lock<std::mutex> lock(queueMutex);
                queueReady.wait(lock, [this] { return finished || !decodeQueue.empty(); });
                if (decodeQueue.empty())
                    return;
                file = decodeQueue.front();
                decodeQueue.pop_front();
            }
            for (int number = 1; number <= o.perFile; ++number) {
                const std::string path = segmentPath(file, number);
                const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
                if (fd >= 0) {
                    while (read(fd, buffer.data(), buffer.size()) > 0) {
                    }
                    close(fd);
                }
                finishSegment(path, number);
            }
            if (o.mode == Mode::Reuse)
                spareFolder(fileFolder(file));
            else if (o.mode != Mode::Keep)
                removeTree(fileFolder(file));
        }
    }

    void finishSegment(const std::string &path, int number)
    {
        if (o.mode == Mode::Recycle) {
            const int pool = number % kPools;
            const std::string pooled = poolFolder(pool) + "/" + std::to_string(nextPooled++);
            if (rename(path.c_str(), pooled.c_str()) == 0) {
                std::lock_guard<std::mutex> lock(poolMutex);
                pools[pool].push_back(pooled);
            }
        } else if (o.mode == Mode::Keep || o.mode == Mode::Reuse) {
            truncate(path.c_str(), 0);
        }
    }

    // The folder of emptied files waits, under a name of its own, for the next posted file.
    void spareFolder(const std::string &folder)
    {
        const std::string spare = root + "/spare" + std::to_string(nextSpare++);
        if (rename(folder.c_str(), spare.c_str()) != 0) {
            removeTree(folder);
            return;
        }
        std::lock_guard<std::mutex> lock(poolMutex);
        spares.push_back(spare);
    }

    bool takeSpareFolder(const std::string &folder)
    {
        std::string spare;
        {
            std::lock_guard<std::mutex> lock(poolMutex);
            if (spares.empty())
                return false;
            spare = spares.front();
            spares.pop_front();
        }
        return rename(spare.c_str(), folder.c_str()) == 0;
    }

    std::string takePooled(int writer)
    {
        std::lock_guard<std::mutex> lock(poolMutex);
        for (int i = 0; i < kPools; ++i) {
            std::deque<std::string> &pool = pools[(writer + i) % kPools];
            if (!pool.empty()) {
                std::string path = pool.front();
                pool.pop_front();
                return path;
            }
        }
        return {};
    }

    Options o;
    QByteArray body;
    std::string root;
    qint64 totalArticles = 0;
    qint64 measureFrom = 0;
    int files = 0;
    std::vector<std::atomic<int>> done;
    std::atomic<qint64> nextArticle{0};
    std::atomic<double> measureStart{0};
    std::atomic<qint64> openNs{0};
    std::mutex onceMutex;
    std::vector<std::unique_ptr<std::once_flag>> onceFlags;
    std::mutex queueMutex;
    std::condition_variable queueReady;
    std::deque<int> decodeQueue;
    bool finished = false;
    int lagAtEnd = 0;
    std::mutex poolMutex;
    std::deque<std::string> pools[kPools];
    std::atomic<qint64> nextPooled{0};
    std::deque<std::string> spares;
    std::atomic<qint64> nextSpare{0};
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [qfile|raw|split<k>|recycle|keep] [warm GiB] [measured GiB] "
                             "[writers] [articles per file]\n", argv[0]);
        return 2;
    }
    Options options;
    options.folder = argv[1];
    std::string mode = argc > 2 ? argv[2] : "qfile";
    if (mode.size() > 4 && mode.compare(mode.size() - 4, 4, "+top") == 0) {
        options.topDir = true;
        mode.resize(mode.size() - 4);
    }
    if (mode == "raw")
        options.mode = Mode::Raw;
    else if (mode.rfind("split", 0) == 0) {
        options.mode = Mode::Split;
        options.split = std::max(1, std::atoi(mode.c_str() + 5));
    } else if (mode == "recycle")
        options.mode = Mode::Recycle;
    else if (mode == "keep")
        options.mode = Mode::Keep;
    else if (mode == "reuse")
        options.mode = Mode::Reuse;
    if (argc > 3)
        options.warmGiB = std::atof(argv[3]);
    if (argc > 4)
        options.measuredGiB = std::atof(argv[4]);
    if (argc > 5)
        options.writers = std::max(1, std::atoi(argv[5]));
    if (argc > 6)
        options.perFile = std::max(1, std::atoi(argv[6]));
    Bench bench(options);
    bench.run();
    return 0;
}
