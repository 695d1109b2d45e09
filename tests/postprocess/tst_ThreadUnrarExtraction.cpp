#include "postprocess/ThreadUnrar.h"

#include "RarTestArchive.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The workers run real programs and files: on a busy machine a job can take a few seconds.
static constexpr int kWorkerTimeoutMs = 30000;

using namespace TestFiles;

namespace {

// Receives the worker's end of job in the test's thread (it arrives queued).
class Recorder : public QObject
{
    Q_OBJECT

public:
    QList<int> results;
    QStringList progress;

public slots:
    void onDone(UnrarJob, int result, quint32) { results.append(result); }
    void onProgress(QString text, quint32) { progress.append(text); }
};

// A path of the test data, or an archive the test made (an absolute path).
QString rarData(const QString& relative)
{
    if (QDir::isAbsolutePath(relative))
        return relative;
    return QStringLiteral(TQ_TEST_DATA) + QStringLiteral("/rar/") + relative;
}

// "path size sha256-prefix" of a file below `folder`, as the test archives' manifest lists it.
QString describe(const QString& folder, const QString& relative)
{
    const QString path = folder + QLatin1Char('/') + relative;
    return QStringLiteral("%1 %2 %3")
        .arg(relative)
        .arg(QFileInfo(path).size())
        .arg(QString::fromLatin1(fileSha256(path).left(16)));
}

QStringList regularFilesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (!it.fileInfo().isSymLink())
            files.append(QDir(folder).relativeFilePath(it.filePath()));
    }
    files.sort();
    return files;
}

} // namespace

// Extraction with the program's own unrar, built beside the tests, on real RAR 4 and RAR 5
// archives.
class tst_ThreadUnrarExtraction : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void extractsTestArchives_data();
    void extractsTestArchives();
    void filesOfTheDestinationAreKept();

private:
    QString m_programFolder;
    QTemporaryDir m_made; // archives made by the test
    QString m_warningArchive;
};

void tst_ThreadUnrarExtraction::initTestCase()
{
    qRegisterMetaType<UnrarJob>("UnrarJob");
    m_programFolder = qEnvironmentVariable("TQ_BIN_DIR");
    QVERIFY2(QFileInfo(m_programFolder + QStringLiteral("/unrar")).isExecutable(),
             "the program's unrar is built beside the tests");
    // unrar extracts it with a warning (exit code 1): it does not make the named pipe.
    QVERIFY(m_made.isValid());
    m_warningArchive = m_made.filePath(QStringLiteral("pipe.rar"));
    RarTestArchive::Entry pipe;
    pipe.name = "pipe";
    pipe.kind = RarTestArchive::Kind::NamedPipe;
    QVERIFY(RarTestArchive(RarTestArchive::Format::Rar5).add(pipe).file("b.txt", "after").write(m_warningArchive));
}

void tst_ThreadUnrarExtraction::extractsTestArchives_data()
{
    // Archives as "<test data path>" or "<test data path>><name in the folder>".
    QTest::addColumn<QStringList>("archives");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("expectedResult");
    QTest::addColumn<QStringList>("expectedFiles");
    QTest::addColumn<QStringList>("expectedLeft");

    const QString html = QStringLiteral("LibarchiveAddingTest.html 20111 ee16390e87152d7d");
    const QStringList encryptedFour{"a.txt 18 02dc86d8b326a1cd", "b.txt 18 7ff61dd11ab812fc",
                                    "c.txt 18 0b8a3f12dc4e493b", "d.txt 18 7e57320eb71e3762"};
    const QStringList fooBar{"bar.txt 16 7113d093a90b4a5c", "foo.txt 16 325d7b459b439684"};
    QStringList multiarchive;
    for (int n = 1; n <= 8; ++n)
        multiarchive.append(QStringLiteral("libarchive/test_read_format_rar5_multiarchive.part0%1.rar").arg(n));

    QTest::newRow("RAR 4 stored, with folders")
        << QStringList{"libarchive/test_read_format_rar.rar"} << QString() << 0
        << QStringList{"test.txt 20 5a5f16e01faf8adf", "testdir/test.txt 20 5a5f16e01faf8adf"} << QStringList();
    QTest::newRow("RAR 4 compressed")
        << QStringList{"libarchive/test_read_format_rar_compress_normal.rar"} << QString() << 0
        << QStringList{html, "testdir/" + html, "testdir/test.txt 20 5a5f16e01faf8adf"} << QStringList();
    QTest::newRow("RAR 5 compressed")
        << QStringList{"libarchive/test_read_format_rar5_multiple_files.rar"} << QString() << 0
        << QStringList{"test1.bin 4096 7d89f86f9f69d744", "test2.bin 4096 f81e6fceeeab3663",
                       "test3.bin 4096 5e621f2b6ce8fed7", "test4.bin 4096 2627f40180217252"}
        << QStringList();
    QTest::newRow("RAR 3") << QStringList{"cc0-ssokolow/testfile.rar3.rar"} << QString() << 0
                           << QStringList{"testfile.txt 12 b2f51cd17b3cbe77"} << QStringList();
    QTest::newRow("RAR 5 small") << QStringList{"cc0-ssokolow/testfile.rar5.rar"} << QString() << 0
                                 << QStringList{"testfile.txt 12 b2f51cd17b3cbe77"} << QStringList();
    QTest::newRow("volumes numbered in the name")
        << QStringList{"libarchive/test_rar_multivolume_single_file.part1.rar",
                       "libarchive/test_rar_multivolume_single_file.part2.rar",
                       "libarchive/test_rar_multivolume_single_file.part3.rar"}
        << QString() << 0 << QStringList{html} << QStringList();
    QTest::newRow("volumes numbered in the extension")
        << QStringList{"derived/oldstyle.rar", "derived/oldstyle.r00", "derived/oldstyle.r01"} << QString() << 0
        << QStringList{html} << QStringList();
    QTest::newRow("RAR 5 set of eight volumes")
        << multiarchive << QString() << 0
        << QStringList{"home/antek/temp/build/unrar5/libarchive/bin/bsdcat_test 144608 b858933c12f1b907",
                       "home/antek/temp/build/unrar5/libarchive/bin/bsdtar_test 365672 30e80423a3ed56cf"}
        << QStringList();
    QTest::newRow("RAR archive named .001")
        << QStringList{"libarchive/test_read_format_rar5_stored.rar>movie.001"} << QString() << 0
        << QStringList{"helloworld.txt 29 fef9ad8cf601b43f"} << QStringList();
    QTest::newRow("RAR 4 encrypted data") << QStringList{"libarchive/test_read_format_rar_encryption_data.rar"}
                                          << QStringLiteral("12345678") << 0 << fooBar << QStringList();
    QTest::newRow("RAR 4 encrypted headers")
        << QStringList{"libarchive/test_read_format_rar_encryption_header.rar"} << QStringLiteral("12345678") << 0
        << fooBar << QStringList();
    QTest::newRow("RAR 5 encrypted names")
        << QStringList{"libarchive/test_read_format_rar5_encrypted_filenames.rar"} << QStringLiteral("password")
        << 0 << encryptedFour << QStringList();
    QTest::newRow("RAR 5 solid encrypted")
        << QStringList{"libarchive/test_read_format_rar5_solid_encrypted.rar"} << QStringLiteral("password") << 0
        << encryptedFour << QStringList();
    for (const QString& set : {QStringLiteral("testfile5encdata"), QStringLiteral("testfile5encnam")}) {
        QStringList volumes;
        for (int n = 1; n <= 3; ++n)
            volumes.append(QStringLiteral("nzbget-gpl2/%1.part0%2.rar").arg(set).arg(n));
        QTest::newRow(qPrintable("RAR 5 encrypted file split across volumes: " + set))
            << volumes << QStringLiteral("123") << 0
            << QStringList{set + ".dat 68161 4e4dcf815e466fb4"} << QStringList();
    }
    QTest::newRow("wrong password keeps the archive")
        << QStringList{"libarchive/test_read_format_rar_encryption_data.rar>secret.rar"} << QStringLiteral("wrong")
        << 11 << QStringList() << QStringList{"secret.rar"};
    // An encrypted archive without its password fails the job whichever comes first; a good
    // archive extracted before it still loses its volumes.
    QTest::newRow("encrypted archive without password, then a good one")
        << QStringList{"libarchive/test_read_format_rar5_encrypted_filenames.rar>a-secret.rar",
                       "cc0-ssokolow/testfile.rar5.rar>b-good.rar"}
        << QString() << 11 << QStringList() << QStringList{"a-secret.rar", "b-good.rar"};
    QTest::newRow("a good archive, then an encrypted one without password")
        << QStringList{"cc0-ssokolow/testfile.rar5.rar>a-good.rar",
                       "libarchive/test_read_format_rar5_encrypted.rar>b-secret.rar"}
        << QString() << 11 << QStringList() << QStringList{"b-secret.rar"};
    // The job ends with the worst of its archives: the warning stays when a later one is clean,
    // and the volumes of the archive that warned are kept.
    QTest::newRow("an archive with a warning, then a good one")
        << QStringList{m_warningArchive + ">a-warning.rar", "cc0-ssokolow/testfile.rar5.rar>b-good.rar"}
        << QString() << 1 << QStringList() << QStringList{"a-warning.rar"};
    QTest::newRow("a good archive, then one with a warning")
        << QStringList{"cc0-ssokolow/testfile.rar5.rar>a-good.rar", m_warningArchive + ">b-warning.rar"}
        << QString() << 1 << QStringList() << QStringList{"b-warning.rar"};
    QTest::newRow("two sets and a file that is no archive")
        << QStringList{"libarchive/test_rar_multivolume_single_file.part1.rar",
                       "libarchive/test_rar_multivolume_single_file.part2.rar",
                       "libarchive/test_rar_multivolume_single_file.part3.rar",
                       "cc0-ssokolow/testfile.rar5.rar", "derived/SOURCE.txt>readme.txt"}
        << QString() << 0 << QStringList{html, "testfile.txt 12 b2f51cd17b3cbe77"} << QStringList{"readme.txt"};
}

void tst_ThreadUnrarExtraction::extractsTestArchives()
{
    QFETCH(QStringList, archives);
    QFETCH(QString, password);
    QFETCH(int, expectedResult);
    QFETCH(QStringList, expectedFiles);
    QFETCH(QStringList, expectedLeft);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath(QStringLiteral("down load"));
    const QString target = dir.filePath(QStringLiteral("dest ination"));
    QVERIFY(QDir().mkpath(source));
    for (const QString& archive : archives) {
        const QStringList parts = archive.split(QLatin1Char('>'));
        const QString name = parts.size() > 1 ? parts.at(1) : QFileInfo(parts.at(0)).fileName();
        QVERIFY(QFile::copy(rarData(parts.at(0)), source + QLatin1Char('/') + name));
    }

    ThreadUnrar worker;
    worker.setProgramFolder(m_programFolder);
    Recorder recorder;
    connect(&worker, &ThreadUnrar::unrarDoneSignal, &recorder, &Recorder::onDone);
    connect(&worker, &ThreadUnrar::UpdateProgressSignal, &recorder, &Recorder::onProgress);
    worker.start();
    QTRY_VERIFY_WITH_TIMEOUT(worker.isTakingJobs(), kWorkerTimeoutMs);
    UnrarJob job;
    job.sourceFolder = source;
    job.extractionFolder = target;
    job.password = password;
    worker.addJob(job);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.results.size(), 1, 30000);
    worker.bStop = true;
    QVERIFY(worker.wait(5000));

    QCOMPARE(recorder.results.first(), expectedResult);
    QCOMPARE(entries(source), expectedLeft);
    // The job starts with an empty progress text; every later one is a bare percentage.
    QVERIFY(!recorder.progress.isEmpty());
    QCOMPARE(recorder.progress.first(), QString());
    static const QRegularExpression percentage(QStringLiteral("^\\d{1,3}%$"));
    for (const QString& text : recorder.progress.mid(1))
        QVERIFY2(percentage.match(text).hasMatch(), qPrintable(text));
    if (expectedResult != 0)
        return; // what a failed run leaves (-kb keeps broken files) is unrar's business
    QStringList extracted;
    for (const QString& file : regularFilesBelow(target))
        extracted.append(describe(target, file));
    expectedFiles.sort();
    QCOMPARE(extracted, expectedFiles);
}

// The destination already holds files of the names in the archive (an earlier download of the
// same release, files of the user): they stay as they are, the extracted files take free names.
void tst_ThreadUnrarExtraction::filesOfTheDestinationAreKept()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath(QStringLiteral("download"));
    const QString target = dir.filePath(QStringLiteral("destination"));
    QVERIFY(QDir().mkpath(source));
    QVERIFY(QDir().mkpath(target + QStringLiteral("/testdir")));
    QVERIFY(QFile::copy(rarData(QStringLiteral("libarchive/test_read_format_rar.rar")), source + QStringLiteral("/r.rar")));
    for (const QString& name : {QStringLiteral("test.txt"), QStringLiteral("testdir/test.txt"), QStringLiteral("test (1).txt")}) {
        QFile file(target + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("the user's " + name.toUtf8()) > 0);
    }

    ThreadUnrar worker;
    worker.setProgramFolder(m_programFolder);
    Recorder recorder;
    connect(&worker, &ThreadUnrar::unrarDoneSignal, &recorder, &Recorder::onDone);
    worker.start();
    QTRY_VERIFY_WITH_TIMEOUT(worker.isTakingJobs(), kWorkerTimeoutMs);
    UnrarJob job;
    job.sourceFolder = source;
    job.extractionFolder = target;
    worker.addJob(job);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.results.size(), 1, 30000);
    worker.bStop = true;
    QVERIFY(worker.wait(5000));

    QCOMPARE(recorder.results.first(), 0);
    QStringList extracted;
    for (const QString& file : regularFilesBelow(target))
        extracted.append(describe(target, file));
    const QString extractedText = QStringLiteral(" 20 5a5f16e01faf8adf");
    QCOMPARE(extracted, (QStringList{describe(target, QStringLiteral("test (1).txt")), "test (2).txt" + extractedText,
                                     describe(target, QStringLiteral("test.txt")),
                                     "testdir/test (1).txt" + extractedText,
                                     describe(target, QStringLiteral("testdir/test.txt"))}));
    for (const QString& name : {QStringLiteral("test.txt"), QStringLiteral("testdir/test.txt"), QStringLiteral("test (1).txt")}) {
        QFile file(target + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "the user's " + name.toUtf8());
    }
}

QTEST_GUILESS_MAIN(tst_ThreadUnrarExtraction)
#include "tst_ThreadUnrarExtraction.moc"

