// The whole engine against a real news server and a real poster: INN 2 started on 127.0.0.1 by
// tests/engine/inn2-server.sh, sets made here posted with nyuu (installed from npm into the
// build by scripts/install-nyuu.sh), then downloaded through the manager without a window with
// two connections, decoded, verified with par2, extracted or joined, and moved to the
// destination by ThreadClean, as the main window does on signalNzbFinished.
#include "ManagerTestSupport.h"
#include "engine/NntpConnection.h"
#include "model/NntpServer.h"
#include "postprocess/ThreadClean.h"
#include "../support/LoopbackTestHelpers.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kGroup = QStringLiteral("alt.binaries.test");
const QString kEncryptedSet = QStringLiteral(TQ_TEST_DATA "/rar/nzbget-gpl2/testfile5encdata.part0%1.rar");
const QByteArray kEncryptedContentSha256 = "4e4dcf815e466fb4d8d7ec7eea04db30af081eac4f0733f782df62426d1b4ab7";

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// The message ids of an NZB's segments, by the file name between the subject's quotes and
// the segment number.
QHash<QString, QString> messageIds(const QString &nzbPath)
{
    QHash<QString, QString> ids;
    QFile file(nzbPath);
    if (!file.open(QIODevice::ReadOnly))
        return ids;
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression fileElement(QStringLiteral("<file [^>]*subject=\"[^\"]*&quot;([^&]+)&quot;.*?</file>"),
                                                QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression segment(QStringLiteral("<segment [^>]*number=\"(\\d+)\"[^>]*>([^<]+)</segment>"));
    auto files = fileElement.globalMatch(text);
    while (files.hasNext()) {
        const QRegularExpressionMatch match = files.next();
        auto segments = segment.globalMatch(match.captured(0));
        while (segments.hasNext()) {
            const QRegularExpressionMatch s = segments.next();
            ids.insert(match.captured(1) + QLatin1Char('#') + s.captured(1), s.captured(2).trimmed());
        }
    }
    return ids;
}

} // namespace

class tst_EngineEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void wholeSetIsVerifiedAndMoved();
    void missingArticleIsRepaired();
    void encryptedRarSetIsExtracted();

private:
    struct Outcome
    {
        bool finished = false;
        bool succeeded = false;
        bool passwordProtected = false;
        QString destination;
        QStringList events;
    };

    // Random files, a file split in ".001" volumes and par2 recovery files, in a new folder.
    QHash<QString, QByteArray> makeSet(const QString &folder, quint32 seed);
    bool post(const QString &folder, const QStringList &files, const QString &nzbPath, QString &error);
    bool waitUntilServed(const QStringList &ids, bool present, QString &error);
    Outcome download(const QString &nzbPath, const QString &name, const QString &password);

    std::unique_ptr<QTemporaryDir> base;
    QString serverDir;
    bool started = false;
    quint16 plainPort = 0;
};

void tst_EngineEndToEnd::initTestCase()
{
    const QString nyuu = QStringLiteral(TQ_NYUU);
    QVERIFY2(QFileInfo(nyuu).isExecutable(),
             qPrintable(QStringLiteral("the poster nyuu is not installed at %1: run scripts/install-nyuu.sh (the "
                                       "test fixture nyuu_install does)")
                            .arg(nyuu)));
    QString error;
    QVERIFY2(run(nyuu, {QStringLiteral("--help")}, QDir::tempPath(), 60000, error),
             qPrintable(QStringLiteral("the poster nyuu cannot start: ") + error));

    // The server runs as user news, which must reach its folder.
    base = newsReachableTemporaryDir(QStringLiteral("tq-e2e"));
    QVERIFY(base);
    serverDir = base->filePath(QStringLiteral("inn"));
    const QList<quint16> ports = freePorts(4);
    QCOMPARE(ports.size(), 4);
    plainPort = ports.at(1);
    started = true; // stop whatever part of it did start
    QVERIFY2(run(QStringLiteral(TQ_INN2_SCRIPT),
                 {QStringLiteral("start"), serverDir, QString::number(ports.at(0)), QString::number(plainPort),
                  QString::number(ports.at(2)), QString::number(ports.at(3)), QStringLiteral("reader"),
                  QStringLiteral("s3cret")},
                 base->path(), 120000, error),
             qPrintable(QStringLiteral("INN 2 could not be started: ") + error));
}

void tst_EngineEndToEnd::cleanupTestCase()
{
    if (!started)
        return;
    QString error;
    run(QStringLiteral(TQ_INN2_SCRIPT), {QStringLiteral("stop"), serverDir}, base->path(), 60000, error);
}

QHash<QString, QByteArray> tst_EngineEndToEnd::makeSet(const QString &folder, quint32 seed)
{
    QHash<QString, QByteArray> sums;
    QDir().mkpath(folder);
    const QList<QPair<QString, int>> files{{"alpha.bin", 3000000}, {"beta.bin", 1234567}};
    for (const auto &file : files) {
        const QByteArray bytes = randomBytes(file.second, seed++);
        writeBytes(folder + QLatin1Char('/') + file.first, bytes);
        sums.insert(file.first, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    }
    // A film cut into ".001" volumes of 1 MB.
    const QByteArray film = randomBytes(2500000, seed++);
    sums.insert(QStringLiteral("film.mkv"), QCryptographicHash::hash(film, QCryptographicHash::Sha256).toHex());
    for (int volume = 0; volume * 1000000 < film.size(); ++volume)
        writeBytes(folder + QStringLiteral("/film.mkv.%1").arg(volume + 1, 3, 10, QLatin1Char('0')),
                   film.mid(volume * 1000000, 1000000));
    QString error;
    const QStringList data = filesIn(folder);
    if (!run(QStringLiteral("par2"),
             QStringList{QStringLiteral("create"), QStringLiteral("-q"), QStringLiteral("-s102400"), QStringLiteral("-c20"),
                         QStringLiteral("-n3"), QStringLiteral("set.par2")}
                 + data,
             folder, 120000, error))
        qWarning() << error;
    return sums;
}

bool tst_EngineEndToEnd::post(const QString &folder, const QStringList &files, const QString &nzbPath, QString &error)
{
    QStringList arguments{QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-P"), QString::number(plainPort),
                          QStringLiteral("-n"), QStringLiteral("4"), QStringLiteral("-a"), QStringLiteral("256K"),
                          QStringLiteral("-g"), kGroup, QStringLiteral("-f"), QStringLiteral("Poster <p@test.invalid>"),
                          QStringLiteral("-o"), nzbPath, QStringLiteral("-O"), QStringLiteral("-q")};
    if (!runWithRetries(QStringLiteral(TQ_NYUU), arguments + files, folder, 300000, 3, error)) {
        error = QStringLiteral("the poster failed: ") + error;
        return false;
    }
    if (!waitUntilServed(messageIds(nzbPath).values(), true, error))
        return false;
    return true;
}

// Until every article is served (present) or none is (removed).
bool tst_EngineEndToEnd::waitUntilServed(const QStringList &ids, bool present, QString &error)
{
    if (ids.isEmpty()) {
        error = QStringLiteral("the poster's NZB lists no article");
        return false;
    }
    NntpConnection connection;
    connection.setHost(QStringLiteral("127.0.0.1"));
    connection.setPort(plainPort);
    connection.setTimeout(10000);
    if (!connection.connectToServer()) {
        error = QStringLiteral("cannot reach the server: ") + connection.lastError();
        return false;
    }
    for (const QString &id : ids) {
        bool served = !present;
        for (int attempt = 0; attempt < 100; ++attempt) {
            QStringList words;
            served = connection.statArticle(id, words);
            if (served == present)
                break;
            QTest::qWait(100);
        }
        if (served != present) {
            error = QStringLiteral("article %1 is %2").arg(id, present ? "not served" : "still served");
            return false;
        }
    }
    return true;
}

tst_EngineEndToEnd::Outcome tst_EngineEndToEnd::download(const QString &nzbPath, const QString &name,
                                                        const QString &password)
{
    Outcome outcome;
    const QString folder = base->filePath(name);
    TestDownloadManager manager(DownloadNzbManager::kFileDecoderCount);
    manager.strCacheFolder = folder + QStringLiteral("/Cache");
    manager.strDownloadFolder = folder + QStringLiteral("/Download");
    manager.strDestinationFolder = folder + QStringLiteral("/Destination");
    connect(&manager, &DownloadNzbManager::signalPar2Finished, this,
            [&outcome](const QString &text, const QString &, NzbFiles *) { outcome.events << text; });
    connect(&manager, &DownloadNzbManager::signalUnrarError, this,
            [&outcome](const QString &text, NzbFiles *) { outcome.events << text; });
    connect(&manager, &DownloadNzbManager::signalUnrarFinished, this,
            [&outcome](NzbFiles *, bool) { outcome.events << QStringLiteral("extracted"); });
    connect(&manager, &DownloadNzbManager::signalUnsplitDone, this, [&outcome](NzbFiles *, const QString &text) {
        outcome.events << QStringLiteral("joined ") + text;
    });
    QSignalSpy finished(&manager, &DownloadNzbManager::signalNzbFinished);
    QElapsedTimer elapsed;
    elapsed.start();
    manager.start();

    QString error;
    NzbFiles *nzb = manager.loadNzbFile(nzbPath, error, name, QString());
    if (!nzb) {
        outcome.events << QStringLiteral("load: ") + error;
        manager.shutdown();
        return outcome;
    }
    nzb->strArchivePassword = password;
    manager.queueNzbFiles(nzb, error);

    NntpServer server;
    server.iId = 1;
    server.strNickname = QStringLiteral("inn2");
    server.strHost = QStringLiteral("127.0.0.1");
    server.iPort = plainPort;
    server.iConnectionCount = 2;
    manager.startServer(&server, false);

    outcome.finished = finished.wait(300000) || finished.size() == 1;
    if (outcome.finished) {
        ThreadClean clean;
        clean.pNzbFiles = nzb;
        QSignalSpy cleaned(&clean, &ThreadClean::signalCleanDone);
        clean.start();
        cleaned.wait(60000);
        clean.wait();
        outcome.succeeded = nzb->bPostProcessingSucceeded;
        outcome.passwordProtected = nzb->bPasswordProtected;
        outcome.destination = nzb->getDestination();
        qInfo().noquote() << name << "downloaded, post-processed and moved in" << elapsed.elapsed() << "ms:"
                          << outcome.events.join(QStringLiteral(" / "));
    }
    manager.shutdown();
    return outcome;
}

void tst_EngineEndToEnd::wholeSetIsVerifiedAndMoved()
{
    const QString folder = base->filePath(QStringLiteral("post-whole"));
    const QHash<QString, QByteArray> sums = makeSet(folder, 1);
    const QString nzbPath = base->filePath(QStringLiteral("whole.nzb"));
    QString error;
    QVERIFY2(post(folder, filesIn(folder), nzbPath, error), qPrintable(error));

    const Outcome outcome = download(nzbPath, QStringLiteral("whole"), QString());
    QVERIFY2(outcome.finished, qPrintable(outcome.events.join(" / ")));
    QVERIFY2(outcome.succeeded, qPrintable(outcome.events.join(" / ")));
    QCOMPARE(outcome.events, (QStringList{"Par2: success - set", "joined "}));
    QCOMPARE(filesIn(outcome.destination), (QStringList{"alpha.bin", "beta.bin", "film.mkv"}));
    for (auto sum = sums.constBegin(); sum != sums.constEnd(); ++sum)
        QCOMPARE(sha256Of(outcome.destination + QLatin1Char('/') + sum.key()), sum.value());
}

// One article of a data file is removed from the server: the recovery volumes that smart
// download left aside are fetched, par2 repairs, and the result is the same.
void tst_EngineEndToEnd::missingArticleIsRepaired()
{
    const QString folder = base->filePath(QStringLiteral("post-repair"));
    const QHash<QString, QByteArray> sums = makeSet(folder, 100);
    const QString nzbPath = base->filePath(QStringLiteral("repair.nzb"));
    QString error;
    QVERIFY2(post(folder, filesIn(folder), nzbPath, error), qPrintable(error));
    const QString removed = messageIds(nzbPath).value(QStringLiteral("alpha.bin#2"));
    QVERIFY(!removed.isEmpty());
    QVERIFY2(run(QStringLiteral(TQ_INN2_SCRIPT), {QStringLiteral("cancel"), serverDir, "<" + removed + ">"}, base->path(),
                 60000, error),
             qPrintable(error));
    QVERIFY2(waitUntilServed({removed}, false, error), qPrintable(error));

    const Outcome outcome = download(nzbPath, QStringLiteral("repair"), QString());
    QVERIFY2(outcome.finished, qPrintable(outcome.events.join(" / ")));
    QVERIFY2(outcome.succeeded, qPrintable(outcome.events.join(" / ")));
    QCOMPARE(outcome.events.size(), 3);
    QVERIFY2(outcome.events.at(0).startsWith(QLatin1String("Par2: need more par2 volumes to repair - set")),
             qPrintable(outcome.events.join(" / ")));
    QCOMPARE(outcome.events.mid(1), (QStringList{"Par2: success - set", "joined "}));
    QCOMPARE(filesIn(outcome.destination), (QStringList{"alpha.bin", "beta.bin", "film.mkv"}));
    for (auto sum = sums.constBegin(); sum != sums.constEnd(); ++sum)
        QCOMPARE(sha256Of(outcome.destination + QLatin1Char('/') + sum.key()), sum.value());
}

// An encrypted RAR volume set, its password set on the NZB: extracted.
void tst_EngineEndToEnd::encryptedRarSetIsExtracted()
{
    const QString folder = base->filePath(QStringLiteral("post-rar"));
    QVERIFY(QDir().mkpath(folder));
    QStringList volumes;
    for (int part = 1; part <= 3; ++part) {
        const QString source = kEncryptedSet.arg(part);
        volumes << QFileInfo(source).fileName();
        QVERIFY(QFile::copy(source, folder + QLatin1Char('/') + volumes.last()));
    }
    const QString nzbPath = base->filePath(QStringLiteral("rar.nzb"));
    QString error;
    QVERIFY2(post(folder, volumes, nzbPath, error), qPrintable(error));

    const Outcome outcome = download(nzbPath, QStringLiteral("rar"), QStringLiteral("123"));
    QVERIFY2(outcome.finished, qPrintable(outcome.events.join(" / ")));
    QVERIFY2(outcome.succeeded, qPrintable(outcome.events.join(" / ")));
    QVERIFY(outcome.passwordProtected);
    QCOMPARE(outcome.events, (QStringList{"No par2 file found!", "extracted"}));
    QCOMPARE(filesIn(outcome.destination), QStringList{"testfile5encdata.dat"});
    QCOMPARE(sha256Of(outcome.destination + QStringLiteral("/testfile5encdata.dat")), kEncryptedContentSha256);
}

QTEST_GUILESS_MAIN(tst_EngineEndToEnd)
#include "tst_EngineEndToEnd.moc"
