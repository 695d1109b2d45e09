// The unrar helper program as the post-processing runs it: every test archive, damage, missing
// volumes and passwords, and the output lines that the extraction worker and the decoders' password
// probe read from it.

#include "platform/UtilsProcess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

#include "../dialogs/FileSizeLimit.h"
#include "../support/SmallFileSystem.h"
#include "RarTestArchive.h"
#include "SteppedProcess.h"

namespace {

const int kSuccess = 0;
const int kWarning = 1;
const int kFatal = 2;
const int kChecksum = 3;
const int kWrite = 5;
const int kMissing = 6;
const int kUsage = 7;
const int kCreate = 9;
const int kPassword = 11;

QString dataDir()
{
    return qEnvironmentVariable("TQ_TEST_DATA", TQ_TEST_DATA) + "/rar";
}

ProcessRun runUnrar(const QStringList &arguments, std::function<void(const QString &)> chunkHandler = nullptr)
{
    ProcessRunOptions options;
    options.programFolder = qEnvironmentVariable("TQ_BIN_DIR");
    options.outputReserve = 200000;
    options.pauseAfterPoll = true;
    options.chunkHandler = std::move(chunkHandler);
    return UtilsProcess::runHidden("unrar", arguments, options);
}

// The two extraction command lines of the extraction worker.
QStringList extractArguments(const QString &archive, const QString &folder, const QString &password,
                             bool keepBroken = true)
{
    const QString native = QDir::toNativeSeparators(archive);
    const QString target = QDir::toNativeSeparators(folder);
    if (password.isEmpty())
        return keepBroken ? QStringList {"x", "-p-", "-or", "-kb", native, target}
                          : QStringList {"x", "-p-", "-or", native, target};
    return keepBroken ? QStringList {"x", "-kb", "-p" + password, "-or", native, target}
                      : QStringList {"x", "-p" + password, "-or", native, target};
}

// What a folder holds: "path size sha256-prefix" per file, "path -> target" per symbolic link,
// "path/" per empty folder, sorted.
QStringList tree(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const QString relative = base.relativeFilePath(path);
        if (info.isSymLink()) {
            entries << relative + " -> " + info.symLinkTarget().section('/', -1);
        } else if (info.isDir()) {
            if (QDir(path).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
                entries << relative + "/";
        } else {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            const QByteArray sha = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
            entries << QString("%1 %2 %3").arg(relative).arg(info.size()).arg(QString::fromLatin1(sha.left(16)));
        }
    }
    entries.sort();
    return entries;
}

// The extraction worker's reading of the volumes a run opened: every line holding
// "Extracting from", without its first 15 characters, trimmed.
QStringList volumesRead(const QString &output)
{
    QStringList volumes;
    for (const QString &line : output.split('\n')) {
        if (line.contains("Extracting from", Qt::CaseInsensitive))
            volumes << line.mid(15).trimmed();
    }
    return volumes;
}

// The extraction worker's reading of one output chunk: the newest percentage, or nothing.
QString progressText(const QString &chunk)
{
    const QStringList pieces = chunk.split('\n');
    for (int i = pieces.size() - 1; i >= 0; --i) {
        const QString &piece = pieces[i];
        if (piece.isEmpty() || !piece.contains('%'))
            continue;
        const int percent = piece.lastIndexOf('%');
        const int blank = percent > 0 ? piece.lastIndexOf(' ', percent - 1) : -1;
        return piece.mid(blank < 0 ? 0 : blank, percent - (blank < 0 ? 0 : blank) + 1).trimmed();
    }
    return QString();
}

// The decoders' password probe: a line with "wrong password" or a line that begins with '*'.
bool probeSaysProtected(const QString &output)
{
    for (const QString &line : output.split('\n')) {
        if (line.toLower().contains("wrong password") || line.startsWith('*'))
            return true;
    }
    return false;
}

// Copies archives of the test data into `folder`, which is created.
void copyArchives(const QString &folder, const QStringList &names)
{
    QVERIFY(QDir().mkpath(folder));
    for (const QString &name : names)
        QVERIFY2(QFile::copy(dataDir() + "/" + name, folder + "/" + QFileInfo(name).fileName()), qPrintable(name));
}

void flipByte(const QString &path, qint64 offset)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(offset));
    char byte = 0;
    QVERIFY(file.getChar(&byte));
    QVERIFY(file.seek(offset));
    QVERIFY(file.putChar(static_cast<char>(byte ^ 0x55)));
}

QStringList multiarchiveVolumes(const QList<int> &numbers)
{
    QStringList names;
    for (int n : numbers)
        names << QString("libarchive/test_read_format_rar5_multiarchive.part%1.rar").arg(n, 2, 10, QChar('0'));
    return names;
}

const QString kBsdcat = "home/antek/temp/build/unrar5/libarchive/bin/bsdcat_test 144608 b858933c12f1b907";
const QString kBsdtar = "home/antek/temp/build/unrar5/libarchive/bin/bsdtar_test 365672 30e80423a3ed56cf";
const QString kHtml = "LibarchiveAddingTest.html 20111 ee16390e87152d7d";
const QString kTestTxt = "test.txt 20 5a5f16e01faf8adf";
const QString kA = "a.txt 18 02dc86d8b326a1cd";
const QString kB = "b.txt 18 7ff61dd11ab812fc";
const QString kC = "c.txt 18 0b8a3f12dc4e493b";
const QString kD = "d.txt 18 7e57320eb71e3762";
const QString kFoo = "foo.txt 16 325d7b459b439684";
const QString kBar = "bar.txt 16 7113d093a90b4a5c";
const QString kEncData = "testfile5encdata.dat 68161 4e4dcf815e466fb4";
const QString kEncNam = "testfile5encnam.dat 68161 4e4dcf815e466fb4";

QStringList splitEncryptedVolumes(const QString &set, const QList<int> &numbers)
{
    QStringList names;
    for (int n : numbers)
        names << QString("nzbget-gpl2/%1.part%2.rar").arg(set).arg(n, 2, 10, QChar('0'));
    return names;
}

} // namespace

class tst_Unrar : public QObject
{
    Q_OBJECT

private slots:
    void extractsArchive_data();
    void extractsArchive();
    void splitEncryptedFileIsWhole();
    void failureLeavesNoBrokenFile_data();
    void failureLeavesNoBrokenFile();
    void destinationThatFills_data();
    void destinationThatFills();
    void workerReadsVolumesAndProgress_data();
    void workerReadsVolumesAndProgress();
    void passwordProbe_data();
    void passwordProbe();
    void existingFiles_data();
    void existingFiles();
    void interruptedExtractionLeavesNoFileUnderItsName_data();
    void interruptedExtractionLeavesNoFileUnderItsName();
    void commandLineErrors_data();
    void commandLineErrors();
};

void tst_Unrar::extractsArchive_data()
{
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("RAR 4 stored, folders and a link")
        << "libarchive/test_read_format_rar.rar" << "" << kSuccess
        << QStringList {kTestTxt, "testdir/" + kTestTxt, "testemptydir/", "testlink -> test.txt"};
    QTest::newRow("RAR 4 compressed")
        << "libarchive/test_read_format_rar_compress_normal.rar" << "" << kSuccess
        << QStringList {kHtml, "testdir/" + kHtml, "testdir/" + kTestTxt, "testemptydir/",
                        "testlink -> LibarchiveAddingTest.html"};
    QTest::newRow("RAR 5 compressed")
        << "libarchive/test_read_format_rar5_multiple_files.rar" << "" << kSuccess
        << QStringList {"test1.bin 4096 7d89f86f9f69d744", "test2.bin 4096 f81e6fceeeab3663",
                        "test3.bin 4096 5e621f2b6ce8fed7", "test4.bin 4096 2627f40180217252"};
    QTest::newRow("RAR 5 stored") << "libarchive/test_read_format_rar5_stored.rar" << "" << kSuccess
                                  << QStringList {"helloworld.txt 29 fef9ad8cf601b43f"};
    QTest::newRow("RAR 4 tiny") << "cc0-ssokolow/testfile.rar3.rar" << "" << kSuccess
                                << QStringList {"testfile.txt 12 b2f51cd17b3cbe77"};
    QTest::newRow("RAR 5 tiny") << "cc0-ssokolow/testfile.rar5.rar" << "" << kSuccess
                                << QStringList {"testfile.txt 12 b2f51cd17b3cbe77"};
    QTest::newRow("RAR 4 volumes .part1.rar") << "libarchive/test_rar_multivolume_single_file.part1.rar" << ""
                                              << kSuccess << QStringList {kHtml};
    QTest::newRow("RAR 4 volumes .rar .r00 .r01") << "derived/oldstyle.rar" << "" << kSuccess << QStringList {kHtml};
    QTest::newRow("RAR 5 volumes .part01.rar") << "libarchive/test_read_format_rar5_multiarchive.part01.rar" << ""
                                               << kSuccess << QStringList {kBsdcat, kBsdtar};
    QTest::newRow("RAR 4 data encrypted") << "libarchive/test_read_format_rar_encryption_data.rar" << "12345678"
                                          << kSuccess << QStringList {kBar, kFoo};
    QTest::newRow("RAR 4 headers encrypted") << "libarchive/test_read_format_rar_encryption_header.rar" << "12345678"
                                             << kSuccess << QStringList {kBar, kFoo};
    QTest::newRow("RAR 5 headers encrypted") << "libarchive/test_read_format_rar5_encrypted_filenames.rar"
                                             << "password" << kSuccess << QStringList {kA, kB, kC, kD};
    QTest::newRow("RAR 5 solid encrypted") << "libarchive/test_read_format_rar5_solid_encrypted.rar" << "password"
                                           << kSuccess << QStringList {kA, kB, kC, kD};
    // One compressed file whose encrypted data runs on across three volumes; its checksum, a
    // MAC, sits in the last part only.
    QTest::newRow("RAR 5 encrypted data split across volumes")
        << "nzbget-gpl2/testfile5encdata.part01.rar" << "123" << kSuccess << QStringList {kEncData};
    QTest::newRow("RAR 5 encrypted headers and data split across volumes")
        << "nzbget-gpl2/testfile5encnam.part01.rar" << "123" << kSuccess << QStringList {kEncNam};
    // d.txt has another password. RAR 5 proves it wrong with its check value; RAR 4 has none,
    // and a checksum failure among well-decrypted files counts as damage.
    QTest::newRow("RAR 5 one file with another password")
        << "libarchive/test_read_format_rar5_encrypted.rar" << "password" << kPassword << QStringList {kA, kB, kC};
    QTest::newRow("RAR 4 one file with another password")
        << "libarchive/test_read_format_rar4_encrypted.rar" << "password" << kChecksum << QStringList {kA, kB, kC};
    QTest::newRow("RAR 4 other password") << "libarchive/test_read_format_rar4_encrypted.rar" << "password2"
                                          << kChecksum << QStringList {kA, kC, kD};
    // Solid RAR 4 beyond the first file is not supported: a clear failure, the first file kept.
    QTest::newRow("RAR 4 solid") << "cc0-ssokolow/testfile.rar3.solid.cbr" << "" << kFatal
                                 << QStringList {"testfile.png 87 fdda20984cc15914"};
    QTest::newRow("RAR 4 solid encrypted") << "libarchive/test_read_format_rar4_solid_encrypted.rar" << "password"
                                           << kFatal << QStringList {kA};
}

void tst_Unrar::extractsArchive()
{
    QFETCH(QString, archive);
    QFETCH(QString, password);
    QFETCH(int, code);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString target = dir.filePath("extracted/here"); // created with its parents
    // Without -kb: a file that fails its check must not stay behind.
    const ProcessRun run = runUnrar(extractArguments(dataDir() + "/" + archive, target, password, false));
    QVERIFY(run.started);
    QCOMPARE(tree(target), expected);
    QCOMPARE(int(run.exitCode), code);
    QCOMPARE(run.output.contains("All OK"), code == kSuccess);
}

void tst_Unrar::splitEncryptedFileIsWhole()
{
    for (const QString& set : {QStringLiteral("testfile5encdata"), QStringLiteral("testfile5encnam")}) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString archive = dataDir() + "/nzbget-gpl2/" + set + ".part01.rar";
        const ProcessRun run = runUnrar(extractArguments(archive, dir.path(), "123"));
        QVERIFY(run.started);
        QCOMPARE(int(run.exitCode), kSuccess);
        QVERIFY(run.output.contains("All OK"));
        QFile file(dir.filePath(set + ".dat"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex(),
                 QByteArray("4e4dcf815e466fb4d8d7ec7eea04db30af081eac4f0733f782df62426d1b4ab7"));
    }
}

void tst_Unrar::failureLeavesNoBrokenFile_data()
{
    QTest::addColumn<QStringList>("archives");   // copied into the source folder; the first is run
    QTest::addColumn<QString>("damaged");        // file of the source folder to flip a byte in
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("sound");      // files that come out right either way
    QTest::addColumn<QStringList>("broken");     // the files kept only with -kb

    QTest::newRow("RAR 5 middle volume missing")
        << multiarchiveVolumes({1, 2, 3, 5, 6, 7, 8}) << "" << qint64(0) << "" << kMissing << QStringList {kBsdcat}
        << QStringList {"home/antek/temp/build/unrar5/libarchive/bin/bsdtar_test"};
    QTest::newRow("RAR 4 last volume missing")
        << QStringList {"libarchive/test_rar_multivolume_single_file.part1.rar",
                        "libarchive/test_rar_multivolume_single_file.part2.rar"}
        << "" << qint64(0) << "" << kMissing << QStringList() << QStringList {"LibarchiveAddingTest.html"};
    QTest::newRow("old-style .r00 missing")
        << QStringList {"derived/oldstyle.rar", "derived/oldstyle.r01"} << "" << qint64(0) << "" << kMissing
        << QStringList() << QStringList {"LibarchiveAddingTest.html"};
    QTest::newRow("flipped byte in stored data of a volume")
        << QStringList {"libarchive/test_rar_multivolume_single_file.part1.rar",
                        "libarchive/test_rar_multivolume_single_file.part2.rar",
                        "libarchive/test_rar_multivolume_single_file.part3.rar"}
        << "test_rar_multivolume_single_file.part2.rar" << qint64(3000) << "" << kChecksum << QStringList()
        << QStringList {"LibarchiveAddingTest.html"};
    QTest::newRow("flipped byte in RAR 4 compressed data")
        << QStringList {"libarchive/test_read_format_rar_compress_normal.rar"}
        << "test_read_format_rar_compress_normal.rar" << qint64(5000) << "" << kChecksum
        << QStringList {"testdir/" + kHtml, "testdir/" + kTestTxt, "testemptydir/", "testlink -> LibarchiveAddingTest.html"}
        << QStringList {"LibarchiveAddingTest.html"};
    QTest::newRow("flipped byte in RAR 5 compressed data")
        << QStringList {"libarchive/test_read_format_rar5_multiple_files.rar"}
        << "test_read_format_rar5_multiple_files.rar" << qint64(200) << "" << kChecksum
        << QStringList {"test2.bin 4096 f81e6fceeeab3663", "test3.bin 4096 5e621f2b6ce8fed7",
                        "test4.bin 4096 2627f40180217252"}
        << QStringList {"test1.bin"};
    QTest::newRow("flipped byte in a RAR 5 header")
        << QStringList {"libarchive/test_read_format_rar5_stored.rar"} << "test_read_format_rar5_stored.rar"
        << qint64(30) << "" << kChecksum << QStringList() << QStringList();
    QTest::newRow("RAR 4 data, wrong password")
        << QStringList {"libarchive/test_read_format_rar_encryption_data.rar"} << "" << qint64(0) << "wrong"
        << kPassword << QStringList() << QStringList {"foo.txt", "bar.txt"};
    QTest::newRow("RAR 4 headers, wrong password")
        << QStringList {"libarchive/test_read_format_rar_encryption_header.rar"} << "" << qint64(0) << "wrong"
        << kPassword << QStringList() << QStringList();
    QTest::newRow("RAR 4 headers, no password")
        << QStringList {"libarchive/test_read_format_rar_encryption_header.rar"} << "" << qint64(0) << ""
        << kPassword << QStringList() << QStringList();
    QTest::newRow("RAR 5 files, wrong password")
        << QStringList {"libarchive/test_read_format_rar5_encrypted.rar"} << "" << qint64(0) << "wrong" << kPassword
        << QStringList {kA, kC} << QStringList();
    QTest::newRow("RAR 5 files, no password")
        << QStringList {"libarchive/test_read_format_rar5_encrypted.rar"} << "" << qint64(0) << "" << kPassword
        << QStringList {kA, kC} << QStringList();
    QTest::newRow("RAR 5 headers, wrong password")
        << QStringList {"libarchive/test_read_format_rar5_encrypted_filenames.rar"} << "" << qint64(0) << "wrong"
        << kPassword << QStringList() << QStringList();
    QTest::newRow("RAR 5 split encrypted data, wrong password")
        << splitEncryptedVolumes("testfile5encdata", {1, 2, 3}) << "" << qint64(0) << "wrong" << kPassword
        << QStringList() << QStringList();
    QTest::newRow("RAR 5 split encrypted headers, wrong password")
        << splitEncryptedVolumes("testfile5encnam", {1, 2, 3}) << "" << qint64(0) << "wrong" << kPassword
        << QStringList() << QStringList();
    QTest::newRow("RAR 5 split encrypted data, middle volume missing")
        << splitEncryptedVolumes("testfile5encdata", {1, 3}) << "" << qint64(0) << "123" << kMissing
        << QStringList() << QStringList {"testfile5encdata.dat"};
    QTest::newRow("RAR 5 split encrypted headers, middle volume missing")
        << splitEncryptedVolumes("testfile5encnam", {1, 3}) << "" << qint64(0) << "123" << kMissing
        << QStringList() << QStringList {"testfile5encnam.dat"};
    QTest::newRow("RAR 5 solid, wrong password")
        << QStringList {"libarchive/test_read_format_rar5_solid_encrypted.rar"} << "" << qint64(0) << "wrong"
        << kPassword << QStringList() << QStringList();
}

void tst_Unrar::failureLeavesNoBrokenFile()
{
    QFETCH(QStringList, archives);
    QFETCH(QString, damaged);
    QFETCH(qint64, offset);
    QFETCH(QString, password);
    QFETCH(int, code);
    QFETCH(QStringList, sound);
    QFETCH(QStringList, broken);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath("source");
    copyArchives(source, archives);
    if (!damaged.isEmpty())
        flipByte(source + "/" + damaged, offset);
    const QString archive = source + "/" + QFileInfo(archives.first()).fileName();

    for (bool keepBroken : {false, true}) {
        const QString target = dir.filePath(keepBroken ? "kept" : "removed");
        const ProcessRun run = runUnrar(extractArguments(archive, target, password, keepBroken));
        QVERIFY(run.started);
        QCOMPARE(int(run.exitCode), code);
        QVERIFY(!run.output.contains("All OK"));
        QStringList files = tree(target);
        for (const QString &name : keepBroken ? broken : QStringList()) {
            const int at = files.indexOf(QRegularExpression(QRegularExpression::escape(name) + "( .*)?"));
            QVERIFY2(at >= 0, qPrintable(name + " missing in:\n" + files.join('\n')));
            files.removeAt(at);
        }
        QCOMPARE(files, sound);
    }
}

void tst_Unrar::destinationThatFills_data()
{
    QTest::addColumn<qint64>("room");
    QTest::addColumn<bool>("sizeLimit"); // a file size limit to the byte rather than a small disk
    QTest::addColumn<int>("code");

    // The one file of the set has 20,111 bytes.
    QTest::newRow("disk of 4 KiB") << qint64(4096) << false << kWrite;
    QTest::newRow("disk of 8 KiB") << qint64(8192) << false << kWrite;
    QTest::newRow("disk of 16 KiB") << qint64(16384) << false << kWrite;
    QTest::newRow("disk of 24 KiB") << qint64(24576) << false << kSuccess;
    QTest::newRow("one byte short") << qint64(20110) << true << kWrite;
    QTest::newRow("room to the byte") << qint64(20111) << true << kSuccess;
}

// An extraction folder that fills: a write that fails or falls short is a write error, and no
// truncated file stays, not even with -kb; the volumes are untouched.
void tst_Unrar::destinationThatFills()
{
    QFETCH(qint64, room);
    QFETCH(bool, sizeLimit);
    QFETCH(int, code);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath("source");
    copyArchives(source, {"libarchive/test_rar_multivolume_single_file.part1.rar",
                          "libarchive/test_rar_multivolume_single_file.part2.rar",
                          "libarchive/test_rar_multivolume_single_file.part3.rar"});
    const QStringList before = tree(source);
    const QString archive = source + "/test_rar_multivolume_single_file.part1.rar";

    for (bool keepBroken : {false, true}) {
        const QString target = dir.filePath(keepBroken ? "kept" : "removed");
        QVERIFY(QDir().mkpath(target));
        std::unique_ptr<SmallFileSystem> disk;
        std::unique_ptr<FileSizeLimit> limit;
        if (sizeLimit)
            limit = std::make_unique<FileSizeLimit>(rlim_t(room));
        else
            disk = std::make_unique<SmallFileSystem>(target, room);
        QVERIFY(sizeLimit ? limit->active : disk->isValid());
        const ProcessRun run = runUnrar(extractArguments(archive, target, QString(), keepBroken));
        limit.reset();
        QVERIFY(run.started);
        QCOMPARE(int(run.exitCode), code);
        QCOMPARE(run.output.contains("All OK"), code == kSuccess);
        QCOMPARE(tree(target), code == kSuccess ? QStringList {kHtml} : QStringList());
        if (code == kWrite)
            QVERIFY2(run.output.contains("Write error in LibarchiveAddingTest.html"), qPrintable(run.output));
        QCOMPARE(tree(source), before);
    }
}

void tst_Unrar::workerReadsVolumesAndProgress_data()
{
    QTest::addColumn<QStringList>("archives");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("volumes");

    QTest::newRow("RAR 5 set of 8") << multiarchiveVolumes({1, 2, 3, 4, 5, 6, 7, 8}) << "" << 8;
    QTest::newRow("old-style set of 3")
        << QStringList {"derived/oldstyle.rar", "derived/oldstyle.r00", "derived/oldstyle.r01"} << "" << 3;
    QTest::newRow("RAR 5 split encrypted data")
        << splitEncryptedVolumes("testfile5encdata", {1, 2, 3}) << "123" << 3;
    QTest::newRow("single encrypted archive")
        << QStringList {"libarchive/test_read_format_rar5_encrypted_filenames.rar"} << "password" << 1;
}

void tst_Unrar::workerReadsVolumesAndProgress()
{
    QFETCH(QStringList, archives);
    QFETCH(QString, password);
    QFETCH(int, volumes);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath("Set with blanks");
    copyArchives(source, archives);
    QStringList expectedVolumes;
    for (int i = 0; i < volumes; ++i)
        expectedVolumes << source + "/" + QFileInfo(archives[i]).fileName();

    QStringList progress;
    const ProcessRun run = runUnrar(
        extractArguments(source + "/" + QFileInfo(archives.first()).fileName(), dir.filePath("out"), password),
        [&progress](const QString &chunk) {
            const QString text = progressText(chunk);
            if (!text.isEmpty())
                progress << text;
        });
    QVERIFY(run.started);
    QCOMPARE(int(run.exitCode), kSuccess);
    QCOMPARE(volumesRead(run.output), expectedVolumes);
    // Each run's output, read as a whole, also gives its newest percentage.
    QCOMPARE(progressText(run.output), QString("100%"));
    for (const QString &text : progress)
        QVERIFY2(QRegularExpression("^\\d{1,3}%$").match(text).hasMatch(), qPrintable(text));
}

void tst_Unrar::passwordProbe_data()
{
    QTest::addColumn<QString>("archive");
    QTest::addColumn<bool>("protectedArchive");

    QTest::newRow("RAR 5 encrypted files") << "libarchive/test_read_format_rar5_encrypted.rar" << true;
    QTest::newRow("RAR 4 encrypted files") << "libarchive/test_read_format_rar4_encrypted.rar" << true;
    QTest::newRow("RAR 4 data encrypted") << "libarchive/test_read_format_rar_encryption_data.rar" << true;
    QTest::newRow("RAR 4 headers encrypted") << "libarchive/test_read_format_rar_encryption_header.rar" << true;
    QTest::newRow("RAR 5 headers encrypted") << "libarchive/test_read_format_rar5_encrypted_filenames.rar" << true;
    QTest::newRow("RAR 4 plain") << "libarchive/test_read_format_rar_compress_normal.rar" << false;
    QTest::newRow("RAR 5 first volume") << "libarchive/test_read_format_rar5_multiarchive.part01.rar" << false;
    QTest::newRow("RAR 5 later volume") << "libarchive/test_read_format_rar5_multiarchive.part05.rar" << false;
    QTest::newRow("RAR 4 .r00 volume") << "derived/oldstyle.r00" << false;
}

void tst_Unrar::passwordProbe()
{
    QFETCH(QString, archive);
    QFETCH(bool, protectedArchive);

    const ProcessRun run = runUnrar({"lt", "-c-", "-p-", QDir::toNativeSeparators(dataDir() + "/" + archive)});
    QVERIFY(run.started);
    QVERIFY2(probeSaysProtected(run.output) == protectedArchive, qPrintable(run.output));
}

void tst_Unrar::existingFiles_data()
{
    QTest::addColumn<QString>("overwriteSwitch");
    // Files in the destination before the run: "name", a tab, their content; the content
    // "<entry>" is the archive's own file.
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("expected");
    const auto sha = [](const QByteArray &content) {
        return QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex().left(16));
    };
    const QString extracted = "testfile.txt 12 b2f51cd17b3cbe77";
    const QString mine = "testfile.txt 4 " + sha("mine");
    const QString mineToo = "testfile (1).txt 8 " + sha("mine too");
    const QStringList mineBoth {"testfile.txt\tmine", "testfile (1).txt\tmine too"};
    QTest::newRow("-y replaces") << "-y" << mineBoth << kSuccess << QStringList {mineToo, extracted};
    QTest::newRow("-or keeps, and extracts beside")
        << "-or" << mineBoth << kSuccess << QStringList {mineToo, "testfile (2).txt 12 b2f51cd17b3cbe77", mine};
    QTest::newRow("-o- keeps, and skips") << "-o-" << mineBoth << kWarning << QStringList {mineToo, mine};
    // What an extraction cut off before left: the file it was writing, under its own name, and
    // the files it had finished. Done again, the extraction replaces the first and adds no copy
    // beside the others.
    QTest::newRow("-or after a run cut off in the file")
        << "-or" << QStringList {"testfile.txt.tq-extracting\thalf a fi"} << kSuccess << QStringList {extracted};
    QTest::newRow("-y after a run cut off in the file")
        << "-y" << QStringList {"testfile.txt.tq-extracting\thalf a fi"} << kSuccess << QStringList {extracted};
    QTest::newRow("-or after a run cut off after the file")
        << "-or" << QStringList {"testfile.txt\t<entry>"} << kSuccess << QStringList {extracted};
    QTest::newRow("-or beside a copy a run cut off after the file")
        << "-or" << QStringList {"testfile.txt\tmine", "testfile (1).txt\t<entry>"} << kSuccess
        << QStringList {"testfile (1).txt 12 b2f51cd17b3cbe77", mine};
}

// Files of the destination that the archive names again.
void tst_Unrar::existingFiles()
{
    QFETCH(QString, overwriteSwitch);
    QFETCH(QStringList, present);
    QFETCH(int, code);
    QFETCH(QStringList, expected);
    const QString archive = dataDir() + "/cc0-ssokolow/testfile.rar5.rar";
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString scratch = dir.filePath("scratch");
    QCOMPARE(int(runUnrar({"x", "-p-", archive, scratch}).exitCode), kSuccess);
    QFile entry(scratch + "/testfile.txt");
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QByteArray entryContent = entry.readAll();
    const QString target = dir.filePath("target");
    QVERIFY(QDir().mkpath(target));
    for (const QString &line : present) {
        const QString name = line.section('\t', 0, 0);
        const QByteArray content = line.section('\t', 1) == "<entry>" ? entryContent : line.section('\t', 1).toUtf8();
        QFile file(target + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(content) == content.size());
    }
    const ProcessRun run = runUnrar({"x", "-p-", overwriteSwitch, archive, target});
    QVERIFY(run.started);
    QCOMPARE(int(run.exitCode), code);
    QCOMPARE(tree(target), expected);
}

// unrar killed while it writes a large file (a crash, a kill -9 of the program, the end of the
// session): nothing stands under the file's name, only the file it was writing under a name of
// its own; the extraction done again replaces that one and leaves the file whole under its name,
// with no copy beside it.
void tst_Unrar::interruptedExtractionLeavesNoFileUnderItsName_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("RAR 4") << int(RarTestArchive::Format::Rar4);
    QTest::newRow("RAR 5") << int(RarTestArchive::Format::Rar5);
}

void tst_Unrar::interruptedExtractionLeavesNoFileUnderItsName()
{
    QFETCH(int, format);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QByteArray content(64 * 1024 * 1024, '\0');
    for (int i = 0; i < content.size(); i += 4096)
        content[i] = char(i / 4096);
    const QString archive = dir.filePath("big.rar");
    QVERIFY(RarTestArchive(RarTestArchive::Format(format)).file("inner.bin", content).write(archive));
    const QString target = dir.filePath("target");
    const QString real = target + "/inner.bin";
    const QString unfinished = real + ".tq-extracting";

    // The shell stops itself before it becomes unrar, so that the test holds the extraction from
    // its first step; unrar then runs a couple of milliseconds at a time until the file it
    // writes is there and not whole, and is killed right there.
    QProcess unrar;
    unrar.start("/bin/sh", {"-c", "kill -STOP $$; exec \"$0\" \"$@\"",
                            QDir(qEnvironmentVariable("TQ_BIN_DIR")).filePath("unrar"), "x", "-p-", "-or", "-kb",
                            archive, target});
    QVERIFY(unrar.waitForStarted(10000));
    const qint64 pid = unrar.processId();
    QTRY_VERIFY_WITH_TIMEOUT(SteppedProcess::state(pid) == 'T', 30000);
    QVERIFY(SteppedProcess::stepUntil(pid, [&] { return QFileInfo(unfinished).size() > 0; }));
    QVERIFY2(QFileInfo(unfinished).size() < content.size(), "the file was whole before the kill");
    QVERIFY(!QFileInfo::exists(real));
    ::kill(pid_t(pid), SIGKILL);
    QVERIFY(unrar.waitForFinished(30000));
    QVERIFY(!QFileInfo::exists(real));

    const ProcessRun again = runUnrar(extractArguments(archive, target, QString()));
    QCOMPARE(int(again.exitCode), kSuccess);
    QCOMPARE(QDir(target).entryList(QDir::Files | QDir::Hidden), QStringList {"inner.bin"});
    QFile file(real);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == content);
}

void tst_Unrar::commandLineErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");

    const QString plain = dataDir() + "/libarchive/test_read_format_rar5_stored.rar";
    QTest::newRow("no arguments") << QStringList() << kUsage;
    QTest::newRow("unknown command") << QStringList {"q", plain} << kUsage;
    QTest::newRow("unknown switch") << QStringList {"x", "-zz", plain} << kUsage;
    QTest::newRow("no archive") << QStringList {"x", "-y"} << kUsage;
    QTest::newRow("missing archive") << QStringList {"t", dataDir() + "/no-such.rar"} << kMissing;
    QTest::newRow("not a RAR archive") << QStringList {"t", dataDir() + "/README.md"} << kFatal;
    QTest::newRow("later volume given first")
        << QStringList {"t", dataDir() + "/libarchive/test_read_format_rar5_multiarchive.part02.rar"} << kMissing;
    QTest::newRow("destination below a regular file")
        << QStringList {"x", "-p-", "-y", plain, dataDir() + "/README.md/out"} << kCreate;
    QTest::newRow("test a sound archive") << QStringList {"t", "-p-", plain} << kSuccess;
    QTest::newRow("test split encrypted data")
        << QStringList {"t", "-p123", dataDir() + "/nzbget-gpl2/testfile5encdata.part01.rar"} << kSuccess;
    QTest::newRow("test split encrypted headers")
        << QStringList {"t", "-p123", dataDir() + "/nzbget-gpl2/testfile5encnam.part01.rar"} << kSuccess;
}

void tst_Unrar::commandLineErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    const ProcessRun run = runUnrar(arguments);
    QVERIFY(run.started);
    QCOMPARE(int(run.exitCode), code);
}

QTEST_GUILESS_MAIN(tst_Unrar)
#include "tst_Unrar.moc"
