#include "postprocess/GenericSplit.h"
#include "postprocess/XtremSplit.h"

#include "SplitSets.h"
#include "TestFiles.h"
#include "../support/FifoUnblocker.h"
#include "../support/SmallFileSystem.h"

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace TestFiles;
using namespace SplitSets;

namespace {

using Progress = QList<QPair<quint32, quint32>>;

Progress expectedProgress(quint32 count)
{
    Progress progress;
    for (quint32 n = 1; n <= count; ++n)
        progress.append(qMakePair(n, count));
    return progress;
}

std::unique_ptr<AbstractSplit> makeJoiner(bool xtrem, const QString& firstVolume)
{
    if (xtrem)
        return std::make_unique<XtremSplit>(firstVolume);
    return std::make_unique<GenericSplit>(firstVolume);
}

// Lowers the size a file of this process may reach while it lives, so that writes beyond it
// fail with EFBIG (SIGXFSZ is ignored meanwhile).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_previous;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    sighandler_t m_previousHandler = SIG_DFL;
};

struct FileState
{
    bool exists = false;
    bool isLink = false;
    QString linkTarget;
    qint64 links = 0;
    QByteArray content;

    bool operator==(const FileState& other) const
    {
        return exists == other.exists && isLink == other.isLink && linkTarget == other.linkTarget
               && links == other.links && content == other.content;
    }
};

FileState stateOf(const QString& path)
{
    FileState state;
    struct stat st {};
    if (lstat(QFile::encodeName(path).constData(), &st) != 0)
        return state;
    state.exists = true;
    state.isLink = S_ISLNK(st.st_mode);
    state.links = qint64(st.st_nlink);
    if (state.isLink)
        state.linkTarget = QFile::symLinkTarget(path);
    else if (S_ISREG(st.st_mode))
        state.content = readFile(path);
    return state;
}

} // namespace

class tst_SplitJoiners : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void xtremJoinsByteExact_data();
    void xtremJoinsByteExact();
    void plainJoinsByteExact_data();
    void plainJoinsByteExact();
    void plainSetOfMoreThanAThousandVolumes();
    void xtremUpperCaseSet_data();
    void xtremUpperCaseSet();
    void hostileNames_data();
    void hostileNames();
    void nameOfAVolumeOfTheSetIsRefused();
    void errorTexts_data();
    void errorTexts();
    void volumesThatCannotBeRead_data();
    void volumesThatCannotBeRead();
    void plainSetWithAGap_data();
    void plainSetWithAGap();
    void readFailures_data();
    void readFailures();
    void missingFurtherVolume();
    void diskThatFills_data();
    void diskThatFills();
    void stopMidJoinLeavesNoPartialFile_data();
    void stopMidJoinLeavesNoPartialFile();
    void earlierJoinOfTheSetIsTakenOverAndCut();
    void joinOfAnotherSetIsKept();
    void existingEntryIsNeverWritten_data();
    void existingEntryIsNeverWritten();
    void stoppedJoinRemovesOnlyItsOwnFile();
    void sameJoinerJoinsNextSet();

private:
    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    // Writes `data` into the source folder as a set that joins into a file named "set", in
    // volumes of 1000 bytes: set.001.xtm... or set.001...; returns the volume paths.
    QStringList writeSetNamedSet(bool xtrem, const QByteArray& data) const
    {
        XtremHeader header;
        header.nameField = "set";
        return xtrem ? writeXtremSet(m_source, QStringLiteral("set"), data, 1000, header)
                     : writePlainSet(m_source, QStringLiteral("set"), data, 1000);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_source;
    QString m_target;
};

void tst_SplitJoiners::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_source = path(QStringLiteral("source"));
    m_target = path(QStringLiteral("target"));
    QVERIFY(QDir().mkpath(m_source));
}

// Collects a joiner's progress, emitted in the joining thread (here the test's own).
class ProgressLog : public QObject
{
public:
    explicit ProgressLog(AbstractSplit& joiner)
    {
        connect(&joiner, &AbstractSplit::signalProgress, this,
                [this](quint32 position, quint32 total) { entries.append(qMakePair(position, total)); });
    }
    QList<QPair<quint32, quint32>> entries;
};

void tst_SplitJoiners::xtremJoinsByteExact_data()
{
    QTest::addColumn<int>("dataSize");
    QTest::addColumn<int>("volumeSize");
    QTest::addColumn<QByteArray>("nameField");
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<int>("extraTail");
    QTest::addColumn<QString>("expectedName");

    QTest::newRow("three volumes") << 3000 << 1000 << QByteArray("movie.mkv") << -1 << 0 << "movie.mkv";
    QTest::newRow("one volume") << 777 << 1000 << QByteArray("one.bin") << -1 << 0 << "one.bin";
    QTest::newRow("chunks larger than the buffer")
        << 5 * 1024 * 1024 + 17 << 2200000 << QByteArray("big.iso") << -1 << 0 << "big.iso";
    QTest::newRow("last volume longer than needed")
        << 2500 << 1000 << QByteArray("tail.bin") << -1 << 300 << "tail.bin";
    QTest::newRow("one volume longer than needed")
        << 500 << 1000 << QByteArray("short.bin") << -1 << 64 << "short.bin";
    QTest::newRow("name length cuts the text")
        << 100 << 60 << QByteArray("abc.txtGARBAGE") << 7 << 0 << "abc.txt";
    QTest::newRow("negative length keeps the text")
        << 100 << 60 << QByteArray("whole.txt") << 200 << 0 << "whole.txt";
    QTest::newRow("name field without a zero byte")
        << 100 << 60 << QByteArray(50, 'n') << 50 << 0 << QString(50, QLatin1Char('n'));
    QTest::newRow("posted path keeps its last component")
        << 100 << 60 << QByteArray("../../escape.bin") << -1 << 0 << "escape.bin";
}

void tst_SplitJoiners::xtremJoinsByteExact()
{
    QFETCH(int, dataSize);
    QFETCH(int, volumeSize);
    QFETCH(QByteArray, nameField);
    QFETCH(int, nameLength);
    QFETCH(int, extraTail);
    QFETCH(QString, expectedName);

    const QByteArray data = patternBytes(dataSize, 7);
    XtremHeader header;
    header.nameField = nameField;
    header.nameLength = nameLength;
    const QStringList volumes = writeXtremSet(m_source, QStringLiteral("set"), data, volumeSize, header);
    QVERIFY(!volumes.isEmpty());
    if (extraTail > 0) {
        QFile last(volumes.last());
        QVERIFY(last.open(QIODevice::Append));
        last.write(QByteArray(extraTail, '\xee'));
    }

    XtremSplit joiner(volumes.first());
    ProgressLog progress(joiner);
    QCOMPARE(joiner.unsplit(m_target), 0);
    QCOMPARE(joiner.getTargetName(), expectedName);
    QCOMPARE(fileSha256(m_target + QLatin1Char('/') + expectedName), sha256(data));
    QCOMPARE(entries(m_target), QStringList{expectedName});
    QCOMPARE(joiner.getVolumesRead(), volumes);
    QCOMPARE(joiner.getVolumeCount(), quint32(volumes.size()));
    QCOMPARE(progress.entries, expectedProgress(quint32(volumes.size())));
    QCOMPARE(entries(m_source).size(), volumes.size()); // the joiner never deletes
}

void tst_SplitJoiners::plainJoinsByteExact_data()
{
    QTest::addColumn<int>("dataSize");
    QTest::addColumn<int>("volumeSize");
    QTest::addColumn<QString>("base");

    QTest::newRow("three volumes") << 3000 << 1000 << "movie.avi";
    QTest::newRow("one volume is copied") << 900 << 1000 << "single.bin";
    QTest::newRow("volumes larger than the buffer") << 4 * 1024 * 1024 + 5 << 3000000 << "big.iso";
    QTest::newRow("name with blanks") << 200 << 64 << "my file.dat";
}

void tst_SplitJoiners::plainJoinsByteExact()
{
    QFETCH(int, dataSize);
    QFETCH(int, volumeSize);
    QFETCH(QString, base);

    const QByteArray data = patternBytes(dataSize, 3);
    const QStringList volumes = writePlainSet(m_source, base, data, volumeSize);
    GenericSplit joiner(volumes.first());
    ProgressLog progress(joiner);
    QCOMPARE(joiner.unsplit(m_target), 0);
    QCOMPARE(joiner.getTargetName(), base);
    QCOMPARE(fileSha256(m_target + QLatin1Char('/') + base), sha256(data));
    QCOMPARE(joiner.getVolumesRead(), volumes);
    QCOMPARE(joiner.getVolumeCount(), quint32(volumes.size()));
    QCOMPARE(progress.entries, expectedProgress(quint32(volumes.size())));
}

void tst_SplitJoiners::plainSetOfMoreThanAThousandVolumes()
{
    const QByteArray data = patternBytes(1001 * 3, 5);
    const QStringList volumes = writePlainSet(m_source, QStringLiteral("many"), data, 3);
    QCOMPARE(volumes.size(), 1001);
    QVERIFY(volumes.at(999).endsWith(QLatin1String("/many.1000")));
    QVERIFY(volumes.at(1000).endsWith(QLatin1String("/many.1001")));
    GenericSplit joiner(volumes.first());
    QCOMPARE(joiner.unsplit(m_target), 0);
    QCOMPARE(joiner.getVolumeCount(), quint32(1001));
    QCOMPARE(joiner.getVolumesRead(), volumes);
    QCOMPARE(fileSha256(m_target + QStringLiteral("/many")), sha256(data));

    // A volume numbered after a gap is found among the numbers of four digits too.
    QVERIFY(writeFile(m_source + QStringLiteral("/many.1003"), "after a gap"));
    QCOMPARE(joiner.unsplit(m_target), 1);
    QCOMPARE(joiner.getErrorText(), QStringLiteral("Unsplit: volume many.1002 is missing"));
}

void tst_SplitJoiners::xtremUpperCaseSet_data()
{
    QTest::addColumn<QString>("firstSuffix");
    QTest::addColumn<QString>("furtherSuffix");

    QTest::newRow("all upper case") << ".XTM" << ".XTM";
    QTest::newRow("mixed case") << ".Xtm" << ".Xtm";
    QTest::newRow("further volumes in another case") << ".xtm" << ".XTM";
}

void tst_SplitJoiners::xtremUpperCaseSet()
{
    QFETCH(QString, firstSuffix);
    QFETCH(QString, furtherSuffix);

    const QByteArray data = patternBytes(2500, 11);
    XtremHeader header;
    header.nameField = "Upper.bin";
    const QStringList written = writeXtremSet(m_source, QStringLiteral("MOVIE"), data, 1000, header, furtherSuffix);
    QStringList volumes = written;
    const QString first = m_source + QStringLiteral("/MOVIE.001") + firstSuffix;
    if (first != written.first()) {
        QVERIFY(QFile::rename(written.first(), first));
        volumes[0] = first;
    }

    XtremSplit joiner(first);
    QCOMPARE(joiner.unsplit(m_target), 0);
    QCOMPARE(fileSha256(m_target + QStringLiteral("/Upper.bin")), sha256(data));
    QCOMPARE(joiner.getVolumesRead(), volumes);
}

void tst_SplitJoiners::hostileNames_data()
{
    QTest::addColumn<QByteArray>("postedName");
    QTest::addColumn<QString>("expectedName"); // empty: refused

    QTest::newRow("parent path") << QByteArray("../evil.bin") << "evil.bin";
    QTest::newRow("absolute path") << QByteArray("/etc/cron.d/evil") << "evil";
    QTest::newRow("backslashes") << QByteArray("..\\..\\evil.exe") << "evil.exe";
    QTest::newRow("forbidden characters dropped") << QByteArray("a:b*c?d\"e<f>g|h") << "abcdefgh";
    QTest::newRow("dot dot") << QByteArray("..") << QString();
    QTest::newRow("dot") << QByteArray(".") << QString();
    QTest::newRow("ends in a separator") << QByteArray("folder/") << QString();
    QTest::newRow("parent folder after a separator") << QByteArray("a/..") << QString();
    QTest::newRow("control character") << QByteArray("bad\x01name") << QString();
    QTest::newRow("line feed") << QByteArray("bad\nname") << QString();
    QTest::newRow("Latin-1 control") << QByteArray("bad\x85name") << QString();
    QTest::newRow("only forbidden characters") << QByteArray("***") << QString();
    QTest::newRow("leading dot is a plain hidden name") << QByteArray(".hidden") << ".hidden";
}

void tst_SplitJoiners::hostileNames()
{
    QFETCH(QByteArray, postedName);
    QFETCH(QString, expectedName);

    const QByteArray data = patternBytes(300, 2);
    XtremHeader header;
    header.nameField = postedName;
    const QStringList volumes = writeXtremSet(m_source, QStringLiteral("h"), data, 200, header);
    const QStringList topBefore = entries(m_dir->path());

    XtremSplit joiner(volumes.first());
    const int result = joiner.unsplit(m_target);
    if (expectedName.isEmpty()) {
        QCOMPARE(result, 1);
        QCOMPARE(joiner.getErrorText(), QStringLiteral("Unsplit: unusable file name in %1").arg(volumes.first()));
        QCOMPARE(entries(m_target), QStringList());
    } else {
        QCOMPARE(result, 0);
        QCOMPARE(entries(m_target), QStringList{expectedName});
        QCOMPARE(fileSha256(m_target + QLatin1Char('/') + expectedName), sha256(data));
    }
    // Nothing is written beside or above the destination.
    QCOMPARE(entries(m_dir->path()), topBefore + QStringList{"target"});
    QCOMPARE(entries(m_source), (QStringList{"h.001.xtm", "h.002.xtm"}));
}

void tst_SplitJoiners::nameOfAVolumeOfTheSetIsRefused()
{
    XtremHeader header;
    header.nameField = "SET.002.XTM";
    const QStringList volumes = writeXtremSet(m_source, QStringLiteral("set"), patternBytes(300), 200, header);
    const QByteArray before = fileSha256(volumes.at(1));
    XtremSplit joiner(volumes.first());
    QCOMPARE(joiner.unsplit(m_source), 1);
    QCOMPARE(joiner.getErrorText(), QStringLiteral("Unsplit: unusable file name in %1").arg(volumes.first()));
    QCOMPARE(fileSha256(volumes.at(1)), before);
}

void tst_SplitJoiners::errorTexts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("expectedError"); // {first} volume, {target} folder, {last} volume

    QTest::newRow("xtrem: no extract path") << "xtrem" << "empty target" << "Unsplit: no extract path!";
    QTest::newRow("plain: no extract path") << "plain" << "empty target" << "Unsplit: no extract path!";
    QTest::newRow("xtrem: target under a regular file")
        << "xtrem" << "blocked target" << "Unsplit: failed to create extract path!";
    QTest::newRow("plain: target under a regular file")
        << "plain" << "blocked target" << "Unsplit: failed to create extract path!";
    QTest::newRow("xtrem: first volume missing")
        << "xtrem" << "missing first" << "Unsplit: failed to open source file {first}";
    QTest::newRow("plain: first volume missing")
        << "plain" << "missing first" << "Unsplit: failed to open source file {first}";
    QTest::newRow("xtrem: header too short")
        << "xtrem" << "short header" << "Unsplit: failed to parse source file HEADER {first}";
    QTest::newRow("xtrem: empty name") << "xtrem" << "empty name" << "Unsplit: failed to create file {target}/";
    QTest::newRow("xtrem: write fails")
        << "xtrem" << "file size limit" << "Unsplit: failed to write file {target}/set: {EFBIG}";
    QTest::newRow("plain: write fails")
        << "plain" << "file size limit" << "Unsplit: failed to write file {target}/set: {EFBIG}";
    QTest::newRow("xtrem: volume count 0") << "xtrem" << "count 0" << "Unsplit: no volume in {first}";
    QTest::newRow("xtrem: last volume too short")
        << "xtrem" << "short last" << "Unsplit: unexpected end of file {last}";
    QTest::newRow("xtrem: size beyond any file")
        << "xtrem" << "huge size" << "Unsplit: unexpected end of file {last}";
}

void tst_SplitJoiners::errorTexts()
{
    QFETCH(QString, kind);
    QFETCH(QString, setup);
    QFETCH(QString, expectedError);

    const bool xtrem = kind == QLatin1String("xtrem");
    const QByteArray data = patternBytes(3000, 9);
    XtremHeader header;
    header.nameField = setup == QLatin1String("empty name") ? QByteArray() : QByteArray("set");
    if (setup == QLatin1String("count 0"))
        header.volumeCount = 0;
    if (setup == QLatin1String("short last"))
        header.totalSize = 3500;
    if (setup == QLatin1String("huge size"))
        header.hugeTotalSize = ~quint64(0);
    QStringList volumes = xtrem ? writeXtremSet(m_source, QStringLiteral("set"), data, 1000, header)
                                : writePlainSet(m_source, QStringLiteral("set"), data, 1000);
    QString target = m_target;
    if (setup == QLatin1String("empty target"))
        target.clear();
    if (setup == QLatin1String("blocked target")) {
        QVERIFY(writeFile(path(QStringLiteral("plain")), "a regular file"));
        target = path(QStringLiteral("plain/target"));
    }
    if (setup == QLatin1String("missing first"))
        QVERIFY(QFile::remove(volumes.first()));
    if (setup == QLatin1String("short header"))
        QVERIFY(writeFile(volumes.first(), xtremHeader(header, 3, 3000).left(103)));
    const std::unique_ptr<AbstractSplit> joiner = makeJoiner(xtrem, volumes.first());
    if (setup == QLatin1String("file size limit")) {
        // Writes past the limit fail (EFBIG) instead of ending the process.
        const FileSizeLimit limit(500);
        QCOMPARE(joiner->unsplit(target), 1);
    } else {
        QCOMPARE(joiner->unsplit(target), 1);
    }
    expectedError.replace(QLatin1String("{first}"), volumes.first())
        .replace(QLatin1String("{target}"), m_target)
        .replace(QLatin1String("{last}"), volumes.last())
        .replace(QLatin1String("{EFBIG}"), QString::fromLocal8Bit(std::strerror(EFBIG)));
    QCOMPARE(joiner->getErrorText(), expectedError);
    QVERIFY(!joiner->wasStopped());
    // The volumes are never touched by a failed join.
    if (setup != QLatin1String("missing first"))
        QCOMPARE(entries(m_source).size(), volumes.size());
    // A write that failed leaves no partial joined file.
    if (setup == QLatin1String("file size limit"))
        QCOMPARE(entries(m_target), QStringList());
}

void tst_SplitJoiners::volumesThatCannotBeRead_data()
{
    QTest::addColumn<bool>("xtrem");
    QTest::addColumn<int>("volume"); // which volume, from 1
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expectedError"); // {path} of the volume, {name} its file name

    const QString notOpened = QStringLiteral("Unsplit: failed to open source file {path}");
    for (const bool xtrem : {false, true}) {
        const char* set = xtrem ? "xtrem" : "plain";
        const QString furtherNotOpened =
            xtrem ? QStringLiteral("Unsplit: Error while opening file: {name}") : notOpened;
        // Opening a named pipe would wait for a writer for ever (a window that cannot be closed).
        QTest::addRow("%s: a named pipe as the first volume", set) << xtrem << 1 << "pipe" << notOpened;
        QTest::addRow("%s: a named pipe as a further volume", set) << xtrem << 2 << "pipe" << furtherNotOpened;
        QTest::addRow("%s: a folder as a further volume", set) << xtrem << 2 << "folder" << furtherNotOpened;
        QTest::addRow("%s: an unreadable further volume", set) << xtrem << 3 << "unreadable" << furtherNotOpened;
    }
}

// A volume that is there but is no file that can be read fails the join: nothing is written, no
// volume is touched, and a named pipe is never opened.
void tst_SplitJoiners::volumesThatCannotBeRead()
{
    QFETCH(bool, xtrem);
    QFETCH(int, volume);
    QFETCH(QString, kind);
    QFETCH(QString, expectedError);

    if (kind == QLatin1String("unreadable") && ::geteuid() == 0)
        QSKIP("root reads a file of any mode");
    const QStringList volumes = writeSetNamedSet(xtrem, patternBytes(4000, 4));
    QCOMPARE(volumes.size(), 4);
    const QString odd = volumes.at(volume - 1);
    std::unique_ptr<FifoUnblocker> pipe;
    if (kind == QLatin1String("pipe")) {
        QVERIFY(QFile::remove(odd));
        pipe = std::make_unique<FifoUnblocker>(odd);
        QVERIFY(pipe->isMade());
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QFile::remove(odd));
        QVERIFY(QDir().mkdir(odd));
    } else {
        QVERIFY(QFile::setPermissions(odd, QFileDevice::WriteOwner));
    }

    const std::unique_ptr<AbstractSplit> joiner = makeJoiner(xtrem, volumes.first());
    QCOMPARE(joiner->unsplit(m_target), 1);
    if (pipe)
        QVERIFY2(!pipe->wasOpened(), "the named pipe was opened");
    expectedError.replace(QLatin1String("{path}"), odd).replace(QLatin1String("{name}"), QFileInfo(odd).fileName());
    QCOMPARE(joiner->getErrorText(), expectedError);
    QCOMPARE(entries(m_target), QStringList());
    QCOMPARE(entries(m_source).size(), volumes.size());
}

void tst_SplitJoiners::plainSetWithAGap_data()
{
    QTest::addColumn<QList<int>>("present"); // the volumes of set.001 to set.005 that are there
    QTest::addColumn<QString>("expectedError");

    QTest::newRow("the second missing") << QList<int>{1, 3} << "Unsplit: volume set.002 is missing";
    QTest::newRow("the third missing of five") << QList<int>{1, 2, 4, 5} << "Unsplit: volume set.003 is missing";
    QTest::newRow("only the last after a gap") << QList<int>{1, 2, 3, 5} << "Unsplit: volume set.004 is missing";
}

// A plain set with a volume numbered after a missing one is not the file that was split: it is
// not joined up to the gap, every volume stays, nothing is written.
void tst_SplitJoiners::plainSetWithAGap()
{
    QFETCH(QList<int>, present);
    QFETCH(QString, expectedError);

    const QStringList volumes = writeSetNamedSet(false, patternBytes(5000, 6));
    QCOMPARE(volumes.size(), 5);
    for (int number = 1; number <= 5; ++number) {
        if (!present.contains(number))
            QVERIFY(QFile::remove(volumes.at(number - 1)));
    }
    // Names that only look like volumes of the set do not count.
    QVERIFY(writeFile(m_source + QStringLiteral("/set.0007"), "not a volume name of the set"));
    QVERIFY(writeFile(m_source + QStringLiteral("/set.7z"), "another file"));

    GenericSplit joiner(volumes.first());
    QCOMPARE(joiner.unsplit(m_target), 1);
    QCOMPARE(joiner.getErrorText(), expectedError);
    QCOMPARE(entries(m_target), QStringList());
    QCOMPARE(entries(m_source).size(), present.size() + 2);
}

void tst_SplitJoiners::readFailures_data()
{
    QTest::addColumn<bool>("xtrem");
    QTest::addColumn<QString>("expectedPrefix");

    QTest::newRow("xtrem") << true << "Unsplit: error while parsing file - ";
    QTest::newRow("plain") << false << "Unsplit: failed to read source file - ";
}

void tst_SplitJoiners::readFailures()
{
    QFETCH(bool, xtrem);
    QFETCH(QString, expectedPrefix);

    // Reading this process's memory from address 0 fails with an I/O error: a volume that
    // opens but cannot be read.
    XtremHeader header;
    header.nameField = "bad.bin";
    QStringList volumes = xtrem ? writeXtremSet(m_source, QStringLiteral("r"), patternBytes(300), 200, header)
                                : writePlainSet(m_source, QStringLiteral("r"), patternBytes(300), 200);
    const QString unreadable = xtrem ? volumes.at(1) : volumes.at(0);
    QVERIFY(QFile::remove(unreadable));
    QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), unreadable));

    const std::unique_ptr<AbstractSplit> joiner = makeJoiner(xtrem, volumes.first());
    QCOMPARE(joiner->unsplit(m_target), 1);
    QVERIFY2(joiner->getErrorText().startsWith(expectedPrefix), qPrintable(joiner->getErrorText()));
    QVERIFY(joiner->getErrorText().size() > expectedPrefix.size());
}

void tst_SplitJoiners::missingFurtherVolume()
{
    XtremHeader header;
    header.nameField = "gap.bin";
    header.volumeCount = 5;
    const QStringList volumes = writeXtremSet(m_source, QStringLiteral("base"), patternBytes(5000), 1000, header);
    QVERIFY(QFile::remove(volumes.at(2)));
    XtremSplit joiner(volumes.first());
    ProgressLog progress(joiner);
    QCOMPARE(joiner.unsplit(m_target), 1);
    QCOMPARE(joiner.getErrorText(), QStringLiteral("Unsplit: Error while opening file: base.003.xtm"));
    QCOMPARE(joiner.getVolumesRead(), volumes.mid(0, 2));
    QCOMPARE(progress.entries, (Progress{qMakePair(1u, 5u), qMakePair(2u, 5u)}));
}

void tst_SplitJoiners::diskThatFills_data()
{
    QTest::addColumn<bool>("xtrem");
    QTest::addColumn<qint64>("room");
    QTest::addColumn<bool>("fits");

    // The joined file has 20,000 bytes.
    for (const bool xtrem : {true, false}) {
        const char* kind = xtrem ? "xtrem" : "plain";
        QTest::addRow("%s: 8 KiB", kind) << xtrem << qint64(8192) << false;
        QTest::addRow("%s: 16 KiB", kind) << xtrem << qint64(16384) << false;
        QTest::addRow("%s: 20 KiB", kind) << xtrem << qint64(20480) << true;
    }
}

// A destination that fills during the join: the partial joined file goes, the volumes stay and
// the error says why.
void tst_SplitJoiners::diskThatFills()
{
    QFETCH(bool, xtrem);
    QFETCH(qint64, room);
    QFETCH(bool, fits);
    const QByteArray data = patternBytes(20000, 12);
    const QStringList volumes = writeSetNamedSet(xtrem, data);
    QStringList before;
    for (const QString& volume : volumes)
        before << fileSha256(volume);
    SmallFileSystem disk(m_target, room);
    QVERIFY(disk.isValid());

    const std::unique_ptr<AbstractSplit> joiner = makeJoiner(xtrem, volumes.first());
    const int result = joiner->unsplit(m_target);

    QStringList after;
    for (const QString& volume : volumes)
        after << fileSha256(volume);
    QCOMPARE(after, before);
    if (fits) {
        QCOMPARE(result, 0);
        QCOMPARE(entries(m_target), QStringList{"set"});
        QCOMPARE(fileSha256(m_target + QStringLiteral("/set")), sha256(data));
        return;
    }
    QCOMPARE(result, 1);
    QCOMPARE(entries(m_target), QStringList());
    const int error = disk.isMounted() ? ENOSPC : EFBIG;
    QCOMPARE(joiner->getErrorText(), QStringLiteral("Unsplit: failed to write file %1/set: %2")
                                         .arg(m_target, QString::fromLocal8Bit(std::strerror(error))));
}

void tst_SplitJoiners::stopMidJoinLeavesNoPartialFile_data()
{
    QTest::addColumn<bool>("xtrem");
    QTest::newRow("xtrem") << true;
    QTest::newRow("plain") << false;
}

void tst_SplitJoiners::stopMidJoinLeavesNoPartialFile()
{
    QFETCH(bool, xtrem);
    const QByteArray data = patternBytes(4000, 4);
    const QStringList volumes = writeSetNamedSet(xtrem, data);
    const std::unique_ptr<AbstractSplit> joiner = makeJoiner(xtrem, volumes.first());
    std::atomic<bool> stop{false};
    joiner->setStopFlag(&stop);
    // The stop comes while the join is under way, once the third volume is reached.
    connect(joiner.get(), &AbstractSplit::signalProgress, this, [&stop](quint32 position, quint32) {
        if (position == 3)
            stop = true;
    });
    QCOMPARE(joiner->unsplit(m_target), 1);
    QVERIFY(joiner->wasStopped());
    QCOMPARE(joiner->getErrorText(), QStringLiteral("Unsplit: joining stopped"));
    QCOMPARE(entries(m_target), QStringList());
    QCOMPARE(entries(m_source).size(), volumes.size());

    // The same joiner joins in full once the flag is cleared.
    stop = false;
    joiner->setStopFlag(nullptr);
    QCOMPARE(joiner->unsplit(m_target), 0);
    QVERIFY(!joiner->wasStopped());
    QCOMPARE(fileSha256(m_target + QStringLiteral("/set")), sha256(data));
}

void tst_SplitJoiners::earlierJoinOfTheSetIsTakenOverAndCut()
{
    // A join of the same set again (after a join that was cut short, the program ended in its
    // midst) replaces what the earlier one wrote, and keeps none of its bytes beyond the set.
    const QByteArray data = patternBytes(2500, 8);
    const QStringList volumes = writePlainSet(m_source, QStringLiteral("file.bin"), data, 1000);
    QCOMPARE(GenericSplit(volumes.first()).unsplit(m_target), 0);
    QFile earlier(m_target + QStringLiteral("/file.bin"));
    QVERIFY(earlier.open(QIODevice::Append));
    QVERIFY(earlier.write(QByteArray(3000, 'x')) == 3000);
    earlier.close();

    GenericSplit joiner(volumes.first());
    QCOMPARE(joiner.unsplit(m_target), 0);
    QCOMPARE(joiner.getWrittenName(), QStringLiteral("file.bin"));
    QCOMPARE(entries(m_target), QStringList{"file.bin"});
    QCOMPARE(readFile(m_target + QStringLiteral("/file.bin")), data);
}

void tst_SplitJoiners::joinOfAnotherSetIsKept()
{
    // The same names downloaded again (the first download's volumes long gone): the file the
    // first join wrote stays as it is, the second gets a name of its own.
    const QByteArray first = patternBytes(5000, 7);
    const QStringList firstSet = writePlainSet(m_source, QStringLiteral("file.bin"), first, 1000);
    QCOMPARE(GenericSplit(firstSet.first()).unsplit(m_target), 0);
    for (const QString& volume : firstSet)
        QVERIFY(QFile::remove(volume));

    const QByteArray second = patternBytes(1500, 8);
    const QStringList secondSet = writePlainSet(m_source, QStringLiteral("file.bin"), second, 1000);
    GenericSplit joiner(secondSet.first());
    QCOMPARE(joiner.unsplit(m_target), 0);
    QCOMPARE(joiner.getWrittenName(), QStringLiteral("file (1).bin"));
    QCOMPARE(readFile(m_target + QStringLiteral("/file.bin")), first);
    QCOMPARE(readFile(m_target + QStringLiteral("/file (1).bin")), second);
}

void tst_SplitJoiners::existingEntryIsNeverWritten_data()
{
    QTest::addColumn<bool>("xtrem");
    QTest::addColumn<QString>("entry");

    for (const bool xtrem : {true, false}) {
        const char* kind = xtrem ? "xtrem: " : "plain: ";
        for (const char* entry : {"link to a file outside", "dangling link to outside",
                                  "hard link to a file outside", "file of the user", "named pipe",
                                  "folder"})
            QTest::newRow(qPrintable(QString::fromLatin1(kind) + QLatin1String(entry)))
                << xtrem << QString::fromLatin1(entry);
    }
}

void tst_SplitJoiners::existingEntryIsNeverWritten()
{
    QFETCH(bool, xtrem);
    QFETCH(QString, entry);

    const QString outside = path(QStringLiteral("outside/victim.bin"));
    QVERIFY(writeFile(outside, "the user's file, not to be touched"));
    const QString target = m_target + QStringLiteral("/set");
    QVERIFY(QDir().mkpath(m_target));
    if (entry == QLatin1String("link to a file outside"))
        QVERIFY(QFile::link(outside, target));
    if (entry == QLatin1String("dangling link to outside"))
        QVERIFY(QFile::link(path(QStringLiteral("outside/new.bin")), target));
    if (entry == QLatin1String("hard link to a file outside"))
        QCOMPARE(::link(QFile::encodeName(outside).constData(), QFile::encodeName(target).constData()), 0);
    if (entry == QLatin1String("file of the user"))
        QVERIFY(writeFile(target, "kept as it is"));
    if (entry == QLatin1String("named pipe"))
        QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    if (entry == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(target));
    const FileState outsideBefore = stateOf(outside);
    const FileState targetBefore = stateOf(target);

    const QByteArray data = patternBytes(2500, 5);
    const QStringList volumes = writeSetNamedSet(xtrem, data);
    const std::unique_ptr<AbstractSplit> joiner = makeJoiner(xtrem, volumes.first());
    QCOMPARE(joiner->unsplit(m_target), 0);
    QCOMPARE(joiner->getWrittenName(), QStringLiteral("set (1)"));
    QVERIFY(stateOf(outside) == outsideBefore);
    QVERIFY(stateOf(target) == targetBefore);
    QCOMPARE(entries(path(QStringLiteral("outside"))), QStringList{"victim.bin"});
    QCOMPARE(readFile(m_target + QStringLiteral("/set (1)")), data);
}

void tst_SplitJoiners::stoppedJoinRemovesOnlyItsOwnFile()
{
    // While the join runs, its partial file is moved away and another file takes its name:
    // the stop removes neither.
    const QByteArray data = patternBytes(4000, 6);
    const QStringList volumes = writePlainSet(m_source, QStringLiteral("set"), data, 1000);
    GenericSplit joiner(volumes.first());
    std::atomic<bool> stop{false};
    joiner.setStopFlag(&stop);
    const QString target = m_target + QStringLiteral("/set");
    connect(&joiner, &AbstractSplit::signalProgress, this, [&](quint32 position, quint32) {
        if (position != 3)
            return;
        QVERIFY(QFile::rename(target, target + QStringLiteral(".moved")));
        QVERIFY(writeFile(target, "now the user's"));
        stop = true;
    });
    QCOMPARE(joiner.unsplit(m_target), 1);
    QVERIFY(joiner.wasStopped());
    QCOMPARE(readFile(target), QByteArray("now the user's"));
    QCOMPARE(entries(m_target), (QStringList{"set", "set.moved"}));
}

void tst_SplitJoiners::sameJoinerJoinsNextSet()
{
    XtremHeader first;
    first.nameField = "first.bin";
    XtremHeader second;
    second.nameField = "second.bin";
    const QByteArray dataA = patternBytes(2100, 21);
    const QByteArray dataB = patternBytes(1200, 22);
    const QStringList setA = writeXtremSet(m_source, QStringLiteral("a"), dataA, 1000, first);
    const QStringList setB = writeXtremSet(m_source, QStringLiteral("b"), dataB, 1000, second);
    const QString deepTarget = path(QStringLiteral("new/deep/target"));

    XtremSplit joiner(setA.first());
    QCOMPARE(joiner.unsplit(deepTarget), 0);
    joiner.setSourceFile(setB.first());
    QCOMPARE(joiner.unsplit(deepTarget), 0);
    QCOMPARE(joiner.getVolumesRead(), setB);
    QCOMPARE(fileSha256(deepTarget + QStringLiteral("/first.bin")), sha256(dataA));
    QCOMPARE(fileSha256(deepTarget + QStringLiteral("/second.bin")), sha256(dataB));
}

QTEST_GUILESS_MAIN(tst_SplitJoiners)
#include "tst_SplitJoiners.moc"
