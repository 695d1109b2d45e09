// The file decoder threads: real segment files decoded into a download folder, the warnings of
// each result, raw copies, output names of their own for each posted file, the bound on a
// part's place, and the password probe with a stand-in and with the project's own unrar.
#include "DecodeTestSupport.h"
#include "FileSizeLimit.h"
#include "StandInProgram.h"
#include "config/PartialFile.h"
#include "engine/FileDecodeJob.h"
#include "engine/SegmentFolders.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <thread>

#include <sys/vfs.h>

using Writer = SegmentBodyWriter;

namespace {

const QString kRarData = QStringLiteral(TQ_TEST_DATA "/rar/nzbget-gpl2/testfile5encdata.part01.rar");
const QString kRarNames = QStringLiteral(TQ_TEST_DATA "/rar/nzbget-gpl2/testfile5encnam.part01.rar");
const QString kRarPlain = QStringLiteral(TQ_TEST_DATA "/rar/libarchive/test_read_format_rar5_stored.rar");

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray plainText()
{
    QByteArray text;
    for (int i = 1; i <= 20; ++i)
        text += "A line of an article that is no encoded file, number " + QByteArray::number(i) + ".\r\n";
    return text;
}

} // namespace

class tst_ThreadFileDecoder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void missingSegmentLeavesAHole();
    void bytesNoArticleHolds_data();
    void bytesNoArticleHolds();
    void warningTexts_data();
    void warningTexts();
    void plainTextArticleIsCopied();
    void rawCopyNeverReplacesTheAssembledFile();
    void rawCopyName_data();
    void rawCopyName();
    void postedFilesWithOneName_data();
    void postedFilesWithOneName();
    void fileAlreadyAtTheName_data();
    void fileAlreadyAtTheName();
    void partBeyondThePostedFile();
    void nameTooLongForTheFileSystem();
    void fileThatCannotBeWritten_data();
    void fileThatCannotBeWritten();
    void articlesSharedByThreads_data();
    void articlesSharedByThreads();
    void largeFileWithIdleDecoders();
    void probeReadsTheListing_data();
    void probeReadsTheListing();
    void probeStopsOnceProtected();
    void probeWithoutUnrar();
    void stuckProbeIsStopped();
    void probeWithTheProjectsUnrar_data();
    void probeWithTheProjectsUnrar();
    void decodersFollowThePriority();
    void segmentFoldersAreSpread();

private:
    NzbFiles *queue(const QList<PostedFile> &files);
    void decode(NzbFiles *nzb, int decoders = 1, int probeLimitMs = ThreadFileDecoder::kProbeTimeLimitMs);
    QString writeUnrar(const QByteArray &body);
    QStringList unrarCalls() const;

    std::unique_ptr<QTemporaryDir> work;
    std::unique_ptr<TestDownloadManager> manager;
    std::unique_ptr<QSignalSpy> decoded;
    std::unique_ptr<QSignalSpy> warnings;
    QString cache;
    QString download;
    QString bin;
};

void tst_ThreadFileDecoder::init()
{
    work.reset(new QTemporaryDir);
    QVERIFY(work->isValid());
    cache = work->filePath(QStringLiteral("Cache"));
    download = work->filePath(QStringLiteral("Download/post"));
    bin = work->filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    manager.reset(new TestDownloadManager);
    manager->bAutoUnrar = false;
    manager->bAutoUnsplit = false;
    decoded.reset(new QSignalSpy(manager.get(), &DownloadNzbManager::signalFileDecoded));
    warnings.reset(new QSignalSpy(manager.get(), &DownloadNzbManager::signalFileWarning));
}

void tst_ThreadFileDecoder::cleanup()
{
    decoded.reset();
    warnings.reset();
    manager.reset();
    work.reset();
}

NzbFiles *tst_ThreadFileDecoder::queue(const QList<PostedFile> &files)
{
    NzbFiles *nzb = downloadedNzb(QStringLiteral("N"), files, cache, download);
    QString error;
    manager->queueNzbFiles(nzb, error);
    return nzb;
}

// Runs decoders until every file of the NZB has been reported.
void tst_ThreadFileDecoder::decode(NzbFiles *nzb, int decoders, int probeLimitMs)
{
    QList<ThreadFileDecoder *> threads;
    for (int n = 0; n < decoders; ++n)
        threads.append(startDecoder(*manager, bin, probeLimitMs));
    QTRY_COMPARE_WITH_TIMEOUT(decoded->size(), int(nzb->getFileCount()), 60000);
    for (ThreadFileDecoder *thread : threads)
        stopDecoder(thread);
    QCoreApplication::processEvents(); // the last warnings
}

QString tst_ThreadFileDecoder::writeUnrar(const QByteArray &body)
{
    const QByteArray record = "printf '%s|' \"$@\" >> '" + QFile::encodeName(work->filePath("calls")) + "'\necho >> '"
                              + QFile::encodeName(work->filePath("calls")) + "'\n";
    return StandInProgram::write(bin, QStringLiteral("unrar"), record + body);
}

QStringList tst_ThreadFileDecoder::unrarCalls() const
{
    return QString::fromUtf8(fileBytes(work->filePath("calls"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A file of three articles whose second never came: warned about, the others in their places,
// the segment folder gone, the file decoded and reported once.
void tst_ThreadFileDecoder::missingSegmentLeavesAHole()
{
    const QByteArray data = Writer::randomBytes(3000, 1);
    QList<QByteArray> bodies = yencArticles(QStringLiteral("data.bin"), data, 1000);
    bodies[1] = QByteArray();
    NzbFiles *nzb = queue({{QStringLiteral("post \"data.bin\" yEnc (1/3)"), bodies}});
    NzbFile *file = nzb->getFileAt(0);
    const QString tempFolder = file->getSegments().first()->strTempFolder;
    QVERIFY(QDir(tempFolder).exists());

    decode(nzb);
    QCOMPARE(decoded->size(), 1);
    QCOMPARE(decoded->at(0).at(0).value<NzbFile *>(), file);
    QCOMPARE(warnings->size(), 1);
    QCOMPARE(warnings->at(0).at(1).toString(), QStringLiteral("Segment 2 was not found"));
    QVERIFY(file->bDecoded);
    QVERIFY(!QDir(tempFolder).exists());
    QCOMPARE(entries(download), QStringList{"data.bin"});
    QCOMPARE(fileBytes(download + "/data.bin"), data.left(1000) + QByteArray(1000, '\0') + data.mid(2000));
}

void tst_ThreadFileDecoder::bytesNoArticleHolds_data()
{
    QTest::addColumn<QList<int>>("parts");        // the parts of a 12-part post, in the NZB's order
    QTest::addColumn<QStringList>("warningsSeen"); // what the decoder warns of
    const QString lacking = QStringLiteral("data.bin is incomplete: no article holds 1000 of its 12000 bytes");
    QTest::newRow("every part") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << QStringList();
    QTest::newRow("the last part not listed") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11} << QStringList{lacking};
    QTest::newRow("the first part not listed") << QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << QStringList{lacking};
    QTest::newRow("part 5 listed where part 6 belongs")
        << QList<int>{1, 2, 3, 4, 5, 5, 7, 8, 9, 10, 11, 12} << QStringList{lacking};
    QTest::newRow("two parts not listed, one twice")
        << QList<int>{1, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11}
        << QStringList{QStringLiteral("data.bin is incomplete: no article holds 2000 of its 12000 bytes")};
    // The missing article is warned of on its own.
    QTest::newRow("an article that never came") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0}
                                                << QStringList{QStringLiteral("Segment 12 was not found")};
}

// Every article decodes cleanly, yet some bytes of the posted file are in none of them: the file
// is decoded as far as it goes, and warned of as incomplete.
void tst_ThreadFileDecoder::bytesNoArticleHolds()
{
    QFETCH(QList<int>, parts);
    QFETCH(QStringList, warningsSeen);
    const QByteArray data = Writer::randomBytes(12000, 7);
    const QList<QByteArray> posted = yencArticles(QStringLiteral("data.bin"), data, 1000);
    QList<QByteArray> bodies;
    for (int part : parts)
        bodies.append(part == 0 ? QByteArray() : posted.at(part - 1));
    NzbFiles *nzb = queue({{QStringLiteral("post \"data.bin\" yEnc (1/12)"), bodies}});

    decode(nzb);
    QStringList seen;
    for (const QList<QVariant> &warning : qAsConst(*warnings))
        seen << warning.at(1).toString();
    QCOMPARE(seen, warningsSeen);
    QVERIFY(nzb->getFileAt(0)->bDecoded);
    QByteArray expected(12000, '\0');
    for (int part : parts) {
        if (part != 0)
            expected.replace((part - 1) * 1000, 1000, data.mid((part - 1) * 1000, 1000));
    }
    const QByteArray written = fileBytes(download + "/data.bin");
    QCOMPARE(written, expected.left(written.size()));
}

void tst_ThreadFileDecoder::warningTexts_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("warning");
    QTest::newRow("0") << 0 << QString();
    QTest::newRow("1") << 1 << "Segment 7 has a CRC error";
    QTest::newRow("2") << 2 << "Segment 7 has nothing to decode";
    QTest::newRow("3") << 3 << "Segment 7 was not found";
    QTest::newRow("4") << 4 << "Segment 7: failed to create output file for assembly";
    QTest::newRow("5") << 5 << "Segment 7: an unknown error has occured";
    QTest::newRow("6") << 6 << "Segment 7: the decoded file could not be written";
    QTest::newRow("7") << 7 << "Segment 7 is damaged: it does not hold what its yEnc header announces";
    QTest::newRow("8") << 8 << "Segment 7 is damaged: its uuencoded or base64 data is cut short";
}

void tst_ThreadFileDecoder::warningTexts()
{
    QFETCH(int, result);
    QFETCH(QString, warning);
    QCOMPARE(ThreadFileDecoder::warningFor(result, QStringLiteral("7")), warning);
}

// An article with nothing to decode is kept byte for byte, length field included, under the
// name between the subject's double quotes.
void tst_ThreadFileDecoder::plainTextArticleIsCopied()
{
    NzbFiles *nzb = queue({{QStringLiteral("Notes \"readme.txt\" (1/1)"), {plainText()}}});
    decode(nzb);
    QCOMPARE(warnings->size(), 1);
    QCOMPARE(warnings->at(0).at(1).toString(), QStringLiteral("Segment 1 has nothing to decode"));
    QCOMPARE(entries(download), QStringList{"readme.txt"});
    QCOMPARE(fileBytes(download + "/readme.txt"), Writer::segmentFile(plainText()));
}

// The first article of a posted file held nothing to decode, the others the file itself: the
// assembled file keeps every decoded byte, the raw copy gets a name of its own.
void tst_ThreadFileDecoder::rawCopyNeverReplacesTheAssembledFile()
{
    const QByteArray data = Writer::randomBytes(3000, 2);
    QList<QByteArray> bodies = yencArticles(QStringLiteral("movie.bin"), data, 1000);
    bodies[0] = plainText();
    NzbFiles *nzb = queue({{QStringLiteral("post \"movie.bin\" yEnc (1/3)"), bodies}});
    decode(nzb);
    QCOMPARE(entries(download), (QStringList{"movie.bin", "movie.bin (segment 1)"}));
    QCOMPARE(fileBytes(download + "/movie.bin"), QByteArray(1000, '\0') + data.mid(1000));
    QCOMPARE(fileBytes(download + "/movie.bin (segment 1)"), Writer::segmentFile(plainText()));
}

void tst_ThreadFileDecoder::rawCopyName_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("name");
    QTest::newRow("between quotes") << "Notes \"readme.txt\" yEnc (1/1)" << "readme.txt";
    QTest::newRow("first and last quote") << "a \"b\" c \"d.txt\"" << "b c d.txt";
    QTest::newRow("one quote") << "a \"b.txt" << "a b.txt";
    QTest::newRow("no quotes, cleaned") << "x: y/z?.nfo" << "x yz.nfo";
    QTest::newRow("empty") << "" << "7.tmp";
    QTest::newRow("nothing left") << "\"/:\"" << "7.tmp";
    QTest::newRow("parent folder") << "\"..\"" << "7.tmp";
}

void tst_ThreadFileDecoder::rawCopyName()
{
    QFETCH(QString, subject);
    QFETCH(QString, name);
    QCOMPARE(ThreadFileDecoder::rawCopyName(subject, QStringLiteral("/cache/0-1/7.tmp")), name);
}

void tst_ThreadFileDecoder::postedFilesWithOneName_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("secondSubject");
    QTest::addColumn<QString>("name");
    // Obfuscated posts: the headers' names are not in the subjects, which all read alike.
    QTest::newRow("equal subjects") << "a1b2c3d4 [1/2]" << "a1b2c3d4 [1/2]" << "a1b2c3d4 [12]";
    // One entry listed twice.
    QTest::newRow("an entry twice") << "post \"movie.bin\" yEnc" << "post \"movie.bin\" yEnc" << "movie.bin";
}

// Two posted files that end with one name, decoded at the same time by two decoders: each has a
// file of its own, holding its own bytes.
void tst_ThreadFileDecoder::postedFilesWithOneName()
{
    QFETCH(QString, subject);
    QFETCH(QString, secondSubject);
    QFETCH(QString, name);
    const QByteArray first = Writer::randomBytes(400000, 3);
    const QByteArray second = Writer::randomBytes(400000, 4);
    const QString header = name == QLatin1String("movie.bin") ? name : QStringLiteral("x.bin");
    NzbFiles *nzb = queue({{subject, yencArticles(header, first, 20000)},
                           {secondSubject, yencArticles(name == header ? name : QStringLiteral("y.bin"), second, 20000)}});
    decode(nzb, 2);
    QCOMPARE(warnings->size(), 0);
    QCOMPARE(entries(download), (QStringList{name, name + " (2)"}));
    const QByteArray a = fileBytes(download + "/" + name);
    const QByteArray b = fileBytes(download + "/" + name + " (2)");
    QVERIFY((a == first && b == second) || (a == second && b == first));
}

void tst_ThreadFileDecoder::fileAlreadyAtTheName_data()
{
    QTest::addColumn<QString>("there");   // what stands in the download folder before the decoding
    QTest::addColumn<QStringList>("names"); // the folder's files afterwards
    // The same file, decoded before the program was stopped (before its record said so).
    QTest::newRow("the same bytes") << "same" << QStringList{"movie.bin"};
    // Another file of that name (the user's, or another posted file's before a restart).
    QTest::newRow("other bytes") << "other" << QStringList{"movie.bin", "movie.bin (2)"};
    // What a decoding stopped midway left under the partial name.
    QTest::newRow("a cut partial file") << "partial" << QStringList{"movie.bin"};
}

// The decoder writes aside and gives the file its name once whole: never over a file that
// stands at the name, never beside the very same file, and over what a stopped decoding left.
void tst_ThreadFileDecoder::fileAlreadyAtTheName()
{
    QFETCH(QString, there);
    QFETCH(QStringList, names);
    const QByteArray data = Writer::randomBytes(30000, 7);
    const QByteArray other = Writer::randomBytes(30000, 8);
    const QString path = download + QStringLiteral("/movie.bin");
    QVERIFY(QDir().mkpath(download));
    if (there == QLatin1String("partial"))
        QVERIFY(writeBytes(PartialFile::pathFor(path), Writer::randomBytes(45000, 9)));
    else
        QVERIFY(writeBytes(path, there == QLatin1String("same") ? data : other));
    NzbFiles *nzb = queue({{QStringLiteral("post \"movie.bin\" yEnc (1/3)"), yencArticles(QStringLiteral("movie.bin"), data, 10000)}});
    decode(nzb);
    QCOMPARE(warnings->size(), 0);
    QCOMPARE(entries(download), names);
    QCOMPARE(fileBytes(download + QLatin1Char('/') + names.last()), data);
    if (there == QLatin1String("other"))
        QCOMPARE(fileBytes(path), other);
}

// A header that claims a terabyte and a part at its end: the posted file holds 1000 bytes, so
// the part fails and nothing of it is written.
void tst_ThreadFileDecoder::partBeyondThePostedFile()
{
    const QByteArray data = Writer::randomBytes(100, 5);
    const QByteArray body = "=ybegin part=2 total=2 line=128 size=1000000000000 name=big.bin\r\n"
                            "=ypart begin=999999990001 end=999999990100\r\n"
                            + Writer::yencLines(data) + "=yend size=100 part=2 pcrc32="
                            + Writer::crcText(Writer::crcOf(data)) + "\r\n";
    PostedFile posted{QStringLiteral("\"big.bin\" yEnc (2/2)"), {body}, 1000};
    NzbFiles *nzb = queue({posted});
    decode(nzb);
    QCOMPARE(warnings->size(), 1);
    QCOMPARE(warnings->at(0).at(1).toString(), QStringLiteral("Segment 1: an unknown error has occured"));
    QVERIFY(QFileInfo(download + "/big.bin").size() < 1000);
}

// Posted names of 300 bytes that differ only past the file system's limit: each file is written
// whole, under a name cut to fit that keeps its extension, and the two names stay distinct.
void tst_ThreadFileDecoder::nameTooLongForTheFileSystem()
{
    const QString stem(296, QLatin1Char('n'));
    const QByteArray first = Writer::randomBytes(30000, 14);
    const QByteArray second = Writer::randomBytes(30000, 15);
    NzbFiles *nzb = queue({{"\"" + stem + "1.bin\" yEnc", yencArticles(stem + "1.bin", first, 10000)},
                           {"\"" + stem + "2.bin\" yEnc", yencArticles(stem + "2.bin", second, 10000)}});
    decode(nzb);
    QCOMPARE(warnings->size(), 0);
    // The number of the second comes after the name, as for any two posted files of one name.
    const QString cut = QString(251, QLatin1Char('n')) + QStringLiteral(".bin");
    const QString numbered = QString(247, QLatin1Char('n')) + QStringLiteral(".bin (2)");
    QCOMPARE(entries(download), (QStringList{numbered, cut}));
    QCOMPARE(fileBytes(download + "/" + cut), first);
    QCOMPARE(fileBytes(download + "/" + numbered), second);
}

void tst_ThreadFileDecoder::fileThatCannotBeWritten_data()
{
    QTest::addColumn<int>("decoders");
    QTest::addColumn<bool>("yenc");
    QTest::newRow("yEnc parts, one decoder") << 1 << true;
    QTest::newRow("yEnc parts shared by three decoders") << 3 << true;
    QTest::newRow("uuencode") << 1 << false;
}

// The disk fills while a file is decoded (here: no file may grow beyond 60000 bytes): the file is
// not decoded, nothing short of it stays in the download folder, its articles stay in the Cache,
// and the downloads are paused with the reason. Once there is room again, resuming decodes it
// from its articles, whole.
void tst_ThreadFileDecoder::fileThatCannotBeWritten()
{
    QFETCH(int, decoders);
    QFETCH(bool, yenc);
    const QByteArray data = Writer::randomBytes(200000, 13);
    const QList<QByteArray> bodies = yenc ? yencArticles(QStringLiteral("full.bin"), data, 10000)
                                          : QList<QByteArray>{Writer::uuencodeFile(QStringLiteral("full.bin"), data)};
    NzbFiles *nzb = queue({{QStringLiteral("\"full.bin\" yEnc"), bodies}});
    NzbFile *file = nzb->getFileAt(0);
    const QList<NzbSegment *> segments = file->getSegments();
    QSignalSpy paused(manager.get(), &DownloadNzbManager::signalDownloadsPaused);

    QList<ThreadFileDecoder *> threads;
    {
        FileSizeLimit limit(60000);
        QVERIFY(limit.active);
        for (int n = 0; n < decoders; ++n)
            threads.append(startDecoder(*manager, bin));
        QTRY_VERIFY_WITH_TIMEOUT(paused.size() + decoded->size() > 0, 60000);
        for (ThreadFileDecoder *thread : threads)
            stopDecoder(thread);
        threads.clear();
    }
    QCoreApplication::processEvents();
    QCOMPARE(decoded->size(), 0);
    QVERIFY(!file->bDecoded);
    QCOMPARE(paused.size(), 1);
    const QString reason = paused.at(0).at(0).toString();
    QVERIFY2(reason.startsWith(QStringLiteral("Cannot write the decoded file ") + download
                               + QStringLiteral("/full.bin (")),
             qPrintable(reason));
    QVERIFY2(reason.endsWith(QStringLiteral("Free some disk space or check the Download folder, then resume the downloads.")),
             qPrintable(reason));
    QCOMPARE(entries(download), QStringList());
    for (const NzbSegment *segment : segments)
        QVERIFY(QFileInfo::exists(segment->getTempFilePath()));
    QCOMPARE(decodeQueue(*manager), QString());

    // Space is back and the user resumes.
    manager->pauseAllThreads(false);
    QCOMPARE(decodeQueue(*manager), QStringLiteral("\"full.bin\" yEnc"));
    decode(nzb, decoders);
    QCOMPARE(decoded->size(), 1);
    QVERIFY(file->bDecoded);
    QCOMPARE(entries(download), QStringList{"full.bin"});
    QCOMPARE(fileBytes(download + "/full.bin"), data);
    QVERIFY(!QDir(segments.first()->strTempFolder).exists());
}

void tst_ThreadFileDecoder::articlesSharedByThreads_data()
{
    QTest::addColumn<bool>("yenc");
    QTest::newRow("yEnc parts: any order") << true;
    QTest::newRow("uuencode: one thread, in order") << false;
}

// Three threads take the articles of one file: every article is decoded once, each result is
// kept in number order, the file is whole. Only yEnc parts, which carry their place, are shared.
void tst_ThreadFileDecoder::articlesSharedByThreads()
{
    QFETCH(bool, yenc);
    const QByteArray data = Writer::randomBytes(300000, 11);
    QList<QByteArray> bodies;
    if (yenc) {
        bodies = yencArticles(QStringLiteral("shared.bin"), data, 5000);
        bodies[7] = QByteArray();
    } else {
        bodies = {Writer::uuencodeFile(QStringLiteral("shared.bin"), data)};
    }
    NzbFiles *nzb = downloadedNzb(QStringLiteral("N"), {{QStringLiteral("\"shared.bin\""), bodies}}, cache, download);
    const QList<NzbSegment *> segments = nzb->getFileAt(0)->getSegments();
    FileDecodeJob job(segments, download, QStringLiteral("\"shared.bin\""), SegmentDecodeOptions());
    QVERIFY(job.decodeNext());
    QCOMPARE(job.isSharable(), yenc);
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&job] {
            while (job.decodeNext()) {
            }
        });
    for (std::thread &thread : threads)
        thread.join();
    job.waitUntilDone();
    QVector<int> expected(segments.size(), 0);
    if (yenc)
        expected[7] = 3;
    QCOMPARE(job.results(), expected);
    QByteArray whole = data;
    if (yenc)
        whole.replace(7 * 5000, 5000, QByteArray(5000, '\0'));
    QCOMPARE(fileBytes(download + "/shared.bin"), whole);
    QCOMPARE(job.lastOutputName(), QStringLiteral("shared.bin"));
    delete nzb;
}

// Decoders with nothing queued help with a large file: it comes out whole, reported once.
void tst_ThreadFileDecoder::largeFileWithIdleDecoders()
{
    const QByteArray data = Writer::randomBytes(3000000, 12);
    NzbFiles *nzb = queue({{QStringLiteral("\"large.bin\" yEnc"), yencArticles(QStringLiteral("large.bin"), data, 20000)}});
    decode(nzb, DownloadNzbManager::kFileDecoderCount);
    QCOMPARE(decoded->size(), 1);
    QCOMPARE(warnings->size(), 0);
    QCOMPARE(fileBytes(download + "/large.bin"), data);
    QVERIFY(manager->decodeBoard.takeOpen() == nullptr);
}

void tst_ThreadFileDecoder::probeReadsTheListing_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("listing");
    QTest::addColumn<int>("calls");
    QTest::addColumn<bool>("protectedArchive");
    QTest::newRow("encrypted entry") << QByteArray("Rar!\x1a\x07\x01\x00", 8) << QByteArray("Archive: x\\n*   Name: a.txt\\n") << 1 << true;
    QTest::newRow("wrong password, any case") << QByteArray("RAR!rest") << QByteArray("x: Wrong Password given\\n") << 1 << true;
    QTest::newRow("plain archive") << QByteArray("rar!rest") << QByteArray("Archive: x\\n    Name: a.txt\\n") << 1 << false;
    QTest::newRow("a star inside a line") << QByteArray("Rar!rest") << QByteArray("Name: a*b\\n") << 1 << false;
    QTest::newRow("no RAR mark") << QByteArray("RAR-rest") << QByteArray("*\\n") << 0 << false;
}

// unrar's technical listing decides: a line that begins with "*" or holds "wrong password".
void tst_ThreadFileDecoder::probeReadsTheListing()
{
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, listing);
    QFETCH(int, calls);
    QFETCH(bool, protectedArchive);
    QVERIFY(!writeUnrar("printf '" + listing + "'\nexit 0").isEmpty());
    const QByteArray content = start + Writer::randomBytes(500, 6);
    NzbFiles *nzb = queue({{QStringLiteral("\"a.rar\" yEnc (1/1)"), {Writer::yencSinglePart(QStringLiteral("a.rar"), content)}}});
    decode(nzb);
    QCOMPARE(unrarCalls().size(), calls);
    if (calls)
        QCOMPARE(unrarCalls().first(), "lt|-c-|-p-|" + download + "/a.rar|");
    QCOMPARE(nzb->bPasswordProtected, protectedArchive);
    QCOMPARE(nzb->bPasswordCheckDone, protectedArchive);
}

// Once an archive of the NZB was found protected, no other file of it is probed.
void tst_ThreadFileDecoder::probeStopsOnceProtected()
{
    QVERIFY(!writeUnrar("echo '*   Name: a.txt'").isEmpty());
    QList<PostedFile> files;
    for (int n = 1; n <= 3; ++n) {
        const QString name = QStringLiteral("a.part%1.rar").arg(n);
        files.append({"\"" + name + "\" yEnc", {Writer::yencSinglePart(name, "Rar!" + Writer::randomBytes(300, quint32(n)))}});
    }
    NzbFiles *nzb = queue(files);
    decode(nzb);
    QCOMPARE(unrarCalls().size(), 1);
    QVERIFY(nzb->bPasswordProtected);
}

// Without unrar every file is still decoded and reported; nothing is known of a password.
void tst_ThreadFileDecoder::probeWithoutUnrar()
{
    NzbFiles *nzb = queue({{QStringLiteral("\"a.rar\" yEnc"), {Writer::yencSinglePart(QStringLiteral("a.rar"), "Rar!xyz")}},
                           {QStringLiteral("\"b.rar\" yEnc"), {Writer::yencSinglePart(QStringLiteral("b.rar"), "Rar!xyz")}}});
    decode(nzb);
    QCOMPARE(decoded->size(), 2);
    QVERIFY(nzb->getFileAt(0)->bDecoded && nzb->getFileAt(1)->bDecoded);
    QVERIFY(!nzb->bPasswordProtected);
    QVERIFY(!nzb->bPasswordCheckDone);
}

// An unrar that never ends is stopped at the probe's time limit; the file is reported.
void tst_ThreadFileDecoder::stuckProbeIsStopped()
{
    const QString pidFile = work->filePath(QStringLiteral("unrar.pid"));
    QVERIFY(!writeUnrar("echo $$ > '" + QFile::encodeName(pidFile) + "'\nsleep 600").isEmpty());
    NzbFiles *nzb = queue({{QStringLiteral("\"a.rar\" yEnc"), {Writer::yencSinglePart(QStringLiteral("a.rar"), "Rar!xyz")}}});
    decode(nzb, 1, 300);
    QCOMPARE(decoded->size(), 1);
    QVERIFY(StandInProgram::isGone(StandInProgram::readPid(pidFile)));
    QVERIFY(!nzb->bPasswordCheckDone);
}

void tst_ThreadFileDecoder::probeWithTheProjectsUnrar_data()
{
    QTest::addColumn<QString>("archive");
    QTest::addColumn<bool>("protectedArchive");
    QTest::newRow("encrypted data") << kRarData << true;
    QTest::newRow("encrypted names") << kRarNames << true;
    QTest::newRow("stored, no password") << kRarPlain << false;
}

// The probe as the program runs it: the unrar built beside the program.
void tst_ThreadFileDecoder::probeWithTheProjectsUnrar()
{
    QFETCH(QString, archive);
    QFETCH(bool, protectedArchive);
    bin = qEnvironmentVariable("TQ_BIN_DIR");
    QVERIFY2(QFileInfo(bin + "/unrar").isExecutable(), "the project's unrar is not built");
    const QString name = QFileInfo(archive).fileName();
    const QByteArray content = fileBytes(archive);
    QVERIFY(!content.isEmpty());
    NzbFiles *nzb = queue({{"\"" + name + "\" yEnc", yencArticles(name, content, 4000)}});
    decode(nzb);
    QCOMPARE(fileBytes(download + "/" + name), content);
    QCOMPARE(nzb->bPasswordProtected, protectedArchive);
}

void tst_ThreadFileDecoder::decodersFollowThePriority()
{
    TestDownloadManager withDecoders(DownloadNzbManager::kFileDecoderCount);
    withDecoders.startFileDecoders();
    withDecoders.setDecodersPriority(100);
    withDecoders.startFileDecoders(); // running already: nothing more
    {
        QMutexLocker locker(&withDecoders.mutexDecoders);
        QCOMPARE(withDecoders.listDecoders.size(), DownloadNzbManager::kFileDecoderCount);
        for (ThreadFileDecoder *decoder : qAsConst(withDecoders.listDecoders)) {
            QCOMPARE(decoder->uiPause.load(), quint32(100));
            QVERIFY(decoder->isRunning());
        }
    }
    withDecoders.stopFileDecoders();
    QVERIFY(withDecoders.listDecoders.isEmpty());
}

// Queueing makes the folder of the NZB's segment folders; on ext4 it is marked so that its
// sub-folders are spread over the disk (see SegmentFolders).
void tst_ThreadFileDecoder::segmentFoldersAreSpread()
{
    const QString parent = work->filePath(QStringLiteral("Cache"));
    QVERIFY(!QFileInfo::exists(parent));
    NzbFiles *nzb = buildNzb(QStringLiteral("N"), {QStringLiteral("pp")});
    nzb->setSegmentPaths(parent, 0);
    QString error;
    manager->queueNzbFiles(nzb, error);
    QVERIFY(QFileInfo(parent).isDir());
    struct statfs info {};
    QCOMPARE(statfs(QFile::encodeName(parent).constData(), &info), 0);
    constexpr long kExtMagic = 0xEF53;
    if (long(info.f_type) == kExtMagic)
        QVERIFY(SegmentFolders::isMarked(parent));
    QVERIFY(!SegmentFolders::isMarked(work->path()));
}

QTEST_GUILESS_MAIN(tst_ThreadFileDecoder)
#include "tst_ThreadFileDecoder.moc"
