// The unrar helper against hostile archives, made at run time: whatever an archive holds,
// nothing outside the extraction folder is created or changed, no link in it leads out, no
// name makes an output line of its own, and every run ends.

#include "RarTestArchive.h"

#include "platform/UtilsProcess.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Format = RarTestArchive::Format;
using Kind = RarTestArchive::Kind;
using Entry = RarTestArchive::Entry;

// Exit codes of the helper, as its usage text lists them.
const int kSuccess = 0;
const int kWarning = 1;
const int kDamaged = 3;
const int kMissing = 6;
const int kCreate = 9;

// Sets the stop flag of a run that has not ended after a long time, so that a hang fails the
// test instead of stalling it (no run here takes more than a fraction of a second).
class HangGuard
{
public:
    explicit HangGuard(std::atomic<bool> &stop) : m_thread([this, &stop] {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_done.wait_for(lock, std::chrono::seconds(60), [this] { return m_finished; }))
            stop = true;
    }) {}
    ~HangGuard()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

// Everything below `root` but `skip`: kind, size, content, link target, link count and time
// of every entry, one line each, sorted.
QStringList snapshot(const QString &root, const QString &skip)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path == skip || path.startsWith(skip + '/'))
            continue;
        struct stat st {};
        if (lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        QString line = QString("%1 mode=%2 links=%3 size=%4 mtime=%5.%6")
                           .arg(path)
                           .arg(st.st_mode, 0, 8)
                           .arg(st.st_nlink)
                           .arg(st.st_size)
                           .arg(st.st_mtim.tv_sec)
                           .arg(st.st_mtim.tv_nsec);
        if (S_ISLNK(st.st_mode))
            line += " -> " + QFile::symLinkTarget(path);
        if (S_ISREG(st.st_mode)) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                line += " " + QString::fromLatin1(file.readAll().toHex());
        }
        lines << line;
    }
    lines.sort();
    return lines;
}

// What the extraction folder holds: "name = content" per file ("name = N bytes" past 64
// bytes), "name -> target" per link, "name/" per folder, sorted.
QStringList inside(const QString &dest)
{
    QStringList entries;
    QDirIterator it(dest, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir base(dest);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = base.relativeFilePath(path);
        struct stat st {};
        lstat(QFile::encodeName(path).constData(), &st);
        if (S_ISLNK(st.st_mode)) {
            char target[4096];
            const ssize_t n = readlink(QFile::encodeName(path).constData(), target, sizeof target);
            entries << relative + " -> " + QString::fromUtf8(target, int(qMax<ssize_t>(n, 0)));
        } else if (S_ISDIR(st.st_mode)) {
            entries << relative + "/";
        } else if (st.st_size > 64) {
            entries << QString("%1 = %2 bytes").arg(relative).arg(st.st_size);
        } else {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            entries << relative + " = " + QString::fromLatin1(file.readAll());
        }
    }
    entries.sort();
    return entries;
}

// Every symbolic link below `dest` must lead inside it, followed to its end or, when it
// dangles, as its text reads; every name of a file with several names must be inside.
QString linkLeadingOut(const QString &dest)
{
    const QString realDest = QFileInfo(dest).canonicalFilePath();
    QHash<QPair<quint64, quint64>, int> namesInside;
    QHash<QPair<quint64, quint64>, int> linkCounts;
    QDirIterator it(dest, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        if (lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        if (S_ISREG(st.st_mode)) {
            const auto key = qMakePair(quint64(st.st_dev), quint64(st.st_ino));
            ++namesInside[key];
            linkCounts[key] = int(st.st_nlink);
        }
        if (!S_ISLNK(st.st_mode))
            continue;
        char *resolved = realpath(QFile::encodeName(path).constData(), nullptr);
        QString end;
        if (resolved) {
            end = QFile::decodeName(resolved);
            std::free(resolved);
        } else {
            const QString target = QFile::symLinkTarget(path); // made absolute by Qt
            end = QDir::cleanPath(target);
        }
        if (end != realDest && !end.startsWith(realDest + '/') && end != dest && !end.startsWith(dest + '/'))
            return path + " leads to " + end;
    }
    for (auto i = namesInside.constBegin(); i != namesInside.constEnd(); ++i) {
        if (linkCounts.value(i.key()) != i.value())
            return QString("a file with %1 names, only %2 of them inside").arg(linkCounts.value(i.key())).arg(i.value());
    }
    return QString();
}

// Expected entries may name "{outside}": the outside folder's absolute path made relative,
// as an absolute name lands inside; each of its folders is then listed too.
QStringList withOutsideFolders(const QStringList &expected, const QString &outside)
{
    const QString relative = outside.mid(1);
    QStringList result;
    for (const QString &line : expected) {
        if (!line.contains("{outside}")) {
            result << line;
            continue;
        }
        QString folder;
        for (const QString &part : relative.split('/')) {
            folder += part + '/';
            result << folder;
        }
        result << QString(line).replace("{outside}", relative);
    }
    result.removeDuplicates();
    result.sort();
    return result;
}

Entry entry(const QByteArray &name, const QByteArray &data, qint64 unpacked = -1, qint64 packed = -1)
{
    Entry e;
    e.name = name;
    e.data = data;
    e.unpackedSize = unpacked;
    e.packedSize = packed;
    return e;
}

// One hostile archive: its entries, for an archive whose outside folder is `outside`.
using Builder = std::function<void(RarTestArchive &, const QByteArray &outside)>;

struct Case
{
    const char *name;
    bool rar4;                  // RAR 4 has no hard links, junctions or Windows links
    int code;
    Builder build;
    QStringList expected;       // what the extraction folder then holds
    QStringList expectedRar4;   // when RAR 4 gives something else (empty: the same)
};

QList<Case> cases()
{
    const QByteArray precious = "precious";
    return {
        {"absolute symbolic link", true, kWarning,
         [](RarTestArchive &a, const QByteArray &out) {
             a.file("a.txt", "hello").link(Kind::Symlink, "abs", out + "/victim.txt");
         },
         {"a.txt = hello"}, {}},
        {"climbing symbolic links", true, kWarning,
         [](RarTestArchive &a, const QByteArray &) {
             a.directory("sub")
                 .link(Kind::Symlink, "up", "../outside/victim.txt")
                 .link(Kind::Symlink, "sub/up", "../../outside/victim.txt")
                 .link(Kind::Symlink, "sub/dots", "./.././../outside");
         },
         {"sub/"}, {}},
        {"links that stay inside are kept", true, kSuccess,
         [](RarTestArchive &a, const QByteArray &) {
             a.file("dir/file.txt", "inside")
                 .link(Kind::Symlink, "top", "dir/file.txt")
                 .link(Kind::Symlink, "dir/back", "../dir/file.txt")
                 .link(Kind::Symlink, "dir/self", "./file.txt")
                 .link(Kind::Symlink, "dir/deep/up", "../../top");
         },
         {"dir/", "dir/back -> ../dir/file.txt", "dir/deep/", "dir/deep/up -> ../../top", "dir/file.txt = inside",
          "dir/self -> ./file.txt", "top -> dir/file.txt"},
         {}},
        {"chained links that climb after a name", true, kWarning,
         [](RarTestArchive &a, const QByteArray &) {
             a.link(Kind::Symlink, "here", ".")
                 .link(Kind::Symlink, "out", "here/..")
                 .link(Kind::Symlink, "victim", "here/../outside/victim.txt");
         },
         {"here -> ."}, {}},
        {"a link, then entries written through it", true, kWarning,
         [](RarTestArchive &a, const QByteArray &out) {
             a.link(Kind::Symlink, "evil", out)
                 .file("evil/victim.txt", "pwned")
                 .link(Kind::Symlink, "evil2", "../outside/victim.txt")
                 .file("evil2", "pwned");
         },
         {"evil/", "evil/victim.txt = pwned", "evil2 = pwned"},
         // libarchive cannot read a RAR 4 entry that repeats the name before it: skipped.
         {"evil/", "evil/victim.txt = pwned"}},
        {"a link inside, then an entry written through it", true, kSuccess,
         [](RarTestArchive &a, const QByteArray &) {
             a.directory("sub").link(Kind::Symlink, "lnk", "sub").file("lnk/x.txt", "through");
         },
         {"lnk/", "lnk/x.txt = through", "sub/"}, {}},
        {"Windows links and junctions", false, kWarning,
         [](RarTestArchive &a, const QByteArray &) {
             a.link(Kind::WindowsSymlink, "win", "..\\outside\\victim.txt")
                 .link(Kind::WindowsSymlink, "drive", "C:\\outside\\victim.txt")
                 .link(Kind::Junction, "junction", "C:\\Windows")
                 .link(Kind::FileCopy, "copy", "../outside/victim.txt");
         },
         {"copy = ", "junction = "}, {}},
        {"hard link to an absolute path", false, kWarning,
         [](RarTestArchive &a, const QByteArray &out) { a.link(Kind::Hardlink, "hard", out + "/victim.txt"); },
         {}, {}},
        {"hard link that climbs", false, kWarning,
         [](RarTestArchive &a, const QByteArray &) { a.link(Kind::Hardlink, "hard", "../outside/victim.txt"); },
         {}, {}},
        {"hard link to a file the archive did not extract", false, kWarning,
         [](RarTestArchive &a, const QByteArray &) {
             a.link(Kind::Hardlink, "hard", "missing.txt").link(Kind::Hardlink, "hard2", "outside/victim.txt");
         },
         {}, {}},
        {"hard link to a name that became a link", false, kWarning,
         [](RarTestArchive &a, const QByteArray &) {
             // A hard link to d/a would be a link "../x" one folder higher: outside.
             a.file("d/a", "file first").link(Kind::Symlink, "d/a", "../x").link(Kind::Hardlink, "b", "d/a");
         },
         {"d/", "d/a -> ../x"}, {}},
        {"hard link to an extracted file is kept", false, kSuccess,
         [](RarTestArchive &a, const QByteArray &) {
             a.file("a.txt", "shared").link(Kind::Hardlink, "b.txt", "a.txt").link(Kind::Hardlink, "c.txt", "./a.txt");
         },
         {"a.txt = shared", "b.txt = shared", "c.txt = shared"}, {}},
        {"names that climb", true, kSuccess,
         [](RarTestArchive &a, const QByteArray &) {
             a.file("../outside/victim.txt", "pwned").file("../../new.txt", "new").directory("../outdir");
         },
         {"new.txt = new", "outdir/", "outside/", "outside/victim.txt = pwned"}, {}},
        {"absolute names", true, kSuccess,
         [](RarTestArchive &a, const QByteArray &out) {
             a.file(out + "/victim.txt", "pwned").file("/new.txt", "new");
         },
         {"new.txt = new", "{outside}/victim.txt = pwned"}, {}},
        {"backslashes", true, kSuccess,
         [](RarTestArchive &a, const QByteArray &) {
             a.file("..\\outside\\victim.txt", "pwned").file("C:\\new.txt", "new");
         },
         {"C:/", "C:/new.txt = new", "outside/", "outside/victim.txt = pwned"}, {}},
        {"line breaks in names", true, kSuccess,
         [](RarTestArchive &a, const QByteArray &out) {
             a.file("a\nExtracting from " + out + "/victim.txt", "one").file("b\r\nAll OK\r", "two");
         },
         {}, {}},
        {"NUL bytes in names", true, kSuccess,
         [](RarTestArchive &a, const QByteArray &) {
             a.add(entry(QByteArray("safe.txt\0../../outside/victim.txt", 33), "nul"));
         },
         {"safe.txt = nul"}, {}},
        {"absurd sizes", true, kDamaged,
         [](RarTestArchive &a, const QByteArray &) {
             a.add(entry("big", "12345", qint64(1) << 40)).add(entry("ok.txt", "fine"));
         },
         {"big = 12345", "ok.txt = fine"}, {}},
        {"data past the end of the archive", true, kDamaged,
         [](RarTestArchive &a, const QByteArray &) { a.file("ok.txt", "fine").add(entry("cut", "abc", -1, 1 << 30)); },
         {"ok.txt = fine"}, {}},
        {"a named pipe", true, kWarning,
         [](RarTestArchive &a, const QByteArray &) {
             Entry pipe;
             pipe.name = "pipe";
             pipe.kind = Kind::NamedPipe;
             a.add(pipe).file("b.txt", "after");
         },
         {"b.txt = after"}, {}},
        {"a name too long for the system", true, kCreate,
         [](RarTestArchive &a, const QByteArray &) { a.file(QByteArray(300, 'n'), "long").file("b.txt", "after"); },
         {"b.txt = after"}, {}},
    };
}

} // namespace

class tst_UnrarHostile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void staysInside_data();
    void staysInside();
    void hiddenUnicodeNameStaysInside();
    void loopingHeaders_data();
    void loopingHeaders();
    void volumeChainThatComesBack();

private:
    struct Run
    {
        ProcessRun run;
        qint64 ms = 0;
    };
    // Extracts `archive` into `dest` with the extraction worker's command line.
    Run extract(const QString &archive, const QString &dest);
    // The checks every hostile run must pass.
    void checkContained(const QString &root, const QString &dest, const QStringList &before, const Run &run,
                        const QString &archive);
    QTemporaryDir *makeRoot(QString &outside);

    QString m_bin;
};

void tst_UnrarHostile::initTestCase()
{
    m_bin = qEnvironmentVariable("TQ_BIN_DIR");
    QVERIFY2(QFileInfo(m_bin + "/unrar").isExecutable(), "the program's unrar is built beside the tests");
}

tst_UnrarHostile::Run tst_UnrarHostile::extract(const QString &archive, const QString &dest)
{
    std::atomic<bool> stop {false};
    ProcessRunOptions options;
    options.programFolder = m_bin;
    options.stopFlag = &stop;
    QElapsedTimer timer;
    timer.start();
    Run result;
    {
        HangGuard guard(stop);
        result.run = UtilsProcess::runHidden("unrar", {"x", "-p-", "-y", "-kb", archive, dest}, options);
    }
    result.ms = timer.elapsed();
    return result;
}

QTemporaryDir *tst_UnrarHostile::makeRoot(QString &outside)
{
    auto *dir = new QTemporaryDir;
    outside = dir->filePath("outside");
    QDir().mkpath(outside + "/sub");
    QFile victim(outside + "/victim.txt");
    victim.open(QIODevice::WriteOnly);
    victim.write("precious");
    QFile kept(outside + "/sub/keep.txt");
    kept.open(QIODevice::WriteOnly);
    kept.write("kept");
    QDir().mkpath(dir->filePath("source"));
    return dir;
}

void tst_UnrarHostile::checkContained(const QString &root, const QString &dest, const QStringList &before,
                                      const Run &run, const QString &archive)
{
    qInfo("%s: exit code %u after %lld ms", qPrintable(QFileInfo(archive).fileName()), run.run.exitCode, run.ms);
    QVERIFY(run.run.started);
    QVERIFY2(!run.run.stopped, "the run did not end");
    QCOMPARE(snapshot(root, dest), before);
    const QString out = linkLeadingOut(dest);
    QVERIFY2(out.isEmpty(), qPrintable(out));
    // Only real volume lines name a volume: no name of the archive makes a line of its own.
    for (const QString &line : run.run.output.split('\n')) {
        if (line.contains("Extracting from", Qt::CaseInsensitive) && !line.startsWith("Extracting  "))
            QCOMPARE(line, "Extracting from " + archive);
        QVERIFY2(!line.startsWith("All OK") || line == "All OK", qPrintable(line));
    }
}

void tst_UnrarHostile::staysInside_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("index");
    const QList<Case> all = cases();
    for (int i = 0; i < all.size(); ++i) {
        QTest::newRow(qPrintable(QString("RAR 5: ") + all[i].name)) << int(Format::Rar5) << i;
        if (all[i].rar4)
            QTest::newRow(qPrintable(QString("RAR 4: ") + all[i].name)) << int(Format::Rar4) << i;
    }
}

void tst_UnrarHostile::staysInside()
{
    QFETCH(int, format);
    QFETCH(int, index);
    const Case hostile = cases().at(index);

    QString outside;
    std::unique_ptr<QTemporaryDir> root(makeRoot(outside));
    const QString archive = root->filePath("source/hostile.rar");
    RarTestArchive builder{Format(format)};
    hostile.build(builder, QFile::encodeName(outside));
    QVERIFY(builder.write(archive));
    const QString dest = root->filePath("dest");
    const QStringList before = snapshot(root->path(), dest);

    const Run run = extract(archive, dest);
    checkContained(root->path(), dest, before, run, archive);
    QCOMPARE(int(run.run.exitCode), hostile.code);
    if (QByteArray(hostile.name) == "line breaks in names") {
        // The names hold line breaks (and the first one folders); both files are there.
        QCOMPARE(inside(dest).filter(" = one").size(), 1);
        QCOMPARE(inside(dest).filter(" = two").size(), 1);
        return;
    }
    const QStringList expected =
        format == int(Format::Rar4) && !hostile.expectedRar4.isEmpty() ? hostile.expectedRar4 : hostile.expected;
    QCOMPARE(inside(dest), withOutsideFolders(expected, outside));
}

void tst_UnrarHostile::hiddenUnicodeNameStaysInside()
{
    // RAR 4 keeps a Unicode name after a NUL behind the plain one; extraction uses it.
    QString outside;
    std::unique_ptr<QTemporaryDir> root(makeRoot(outside));
    const QString archive = root->filePath("source/unicode.rar");
    Entry hidden = entry("safe.txt", "pwned");
    hidden.unicodeName = QFile::encodeName(outside) + "/../../outside/victim.txt";
    QVERIFY(RarTestArchive(Format::Rar4).add(hidden).write(archive));
    const QString dest = root->filePath("dest");
    const QStringList before = snapshot(root->path(), dest);

    const Run run = extract(archive, dest);
    checkContained(root->path(), dest, before, run, archive);
    QCOMPARE(int(run.run.exitCode), kSuccess);
    QCOMPARE(inside(dest).filter("victim.txt = pwned").size(), 1);
}

void tst_UnrarHostile::loopingHeaders_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("block");

    // A service block whose data would end far past the end of the file, and one whose data
    // size (2^64 - 16) would wrap the offset of the next block back to the block itself.
    QTest::newRow("RAR 5 data size past the end")
        << int(Format::Rar5) << RarTestArchive::rar5Block(3, QByteArray(4, '\0'), QByteArray(), quint64(1) << 62);
    QTest::newRow("RAR 5 data size that wraps around")
        << int(Format::Rar5) << RarTestArchive::rar5Block(3, QByteArray(4, '\0'), QByteArray(), ~quint64(15));
    QTest::newRow("RAR 5 header size of zero") << int(Format::Rar5) << QByteArray::fromHex("0000000000");
    // RAR 4: a block smaller than a block header, and a sub-block whose added size runs past
    // the end of the file.
    QTest::newRow("RAR 4 block shorter than its header") << int(Format::Rar4) << QByteArray::fromHex("00007a00800300");
    QTest::newRow("RAR 4 added size past the end")
        << int(Format::Rar4) << RarTestArchive::rar4Block(0x7A, 0x8000, QByteArray::fromHex("ffffffff"));
}

void tst_UnrarHostile::loopingHeaders()
{
    QFETCH(int, format);
    QFETCH(QByteArray, block);

    QString outside;
    std::unique_ptr<QTemporaryDir> root(makeRoot(outside));
    const QString archive = root->filePath("source/looping.rar");
    QVERIFY(RarTestArchive(Format(format)).file("first.txt", "first").raw(block).file("after.txt", "after").write(archive));
    const QString dest = root->filePath("dest");
    const QStringList before = snapshot(root->path(), dest);

    const Run run = extract(archive, dest);
    checkContained(root->path(), dest, before, run, archive);
    QCOMPARE(int(run.run.exitCode), kDamaged);
    QCOMPARE(inside(dest), QStringList {"first.txt = first"});
}

void tst_UnrarHostile::volumeChainThatComesBack()
{
    // The first volume says that more follow; the "second" is the first again, by a link.
    QString outside;
    std::unique_ptr<QTemporaryDir> root(makeRoot(outside));
    const QString first = root->filePath("source/loop.part1.rar");
    QVERIFY(RarTestArchive(Format::Rar5).file("once.txt", "once").moreVolumes().write(first));
    QVERIFY(QFile::link(first, root->filePath("source/loop.part2.rar")));
    const QString dest = root->filePath("dest");
    const QStringList before = snapshot(root->path(), dest);

    const Run run = extract(first, dest);
    qInfo("volume chain: exit code %u after %lld ms", run.run.exitCode, run.ms);
    QVERIFY(run.run.started);
    QVERIFY(!run.run.stopped);
    QCOMPARE(snapshot(root->path(), dest), before);
    QCOMPARE(int(run.run.exitCode), kMissing);
    QCOMPARE(inside(dest), QStringList {"once.txt = once"});
}

QTEST_GUILESS_MAIN(tst_UnrarHostile)
#include "tst_UnrarHostile.moc"
