#include "config/AppConfiguration.h"
#include "model/NntpServer.h"
#include "QsLog/Destination.h"
#include "QsLog/Logger.h"

#include "../model/NzbTestHelpers.h"
#include "TempHome.h"
#include "TestFiles.h"

#include <QtTest>

namespace {

QString configurationFile()
{
    return AppConfiguration::getDataFolder() + "/Tessaquill_Plus.cfg";
}

QByteArray configurationWithCache(const QString &cacheFolder)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tessaquill_Plus><Folders><Cache>" + cacheFolder.toUtf8()
        + "</Cache></Folders></Tessaquill_Plus>\n";
}

// A Cache folder as the program leaves it: segment folders, the "NZB" folder, a file of its own,
// and folders it did not make.
void fillCache(const QString &cache)
{
    for (const char *segmentFolder : {"0-0", "0-1", "1-3"})
        QVERIFY(writeFile(cache + "/" + QLatin1String(segmentFolder) + "/1.tmp", "segment"));
    QVERIFY(writeFile(cache + "/NZB/fetched.nzb", "<nzb/>"));
    QVERIFY(writeFile(cache + "/nzb/other.nzb", "<nzb/>"));
    QVERIFY(writeFile(cache + "/myNZB/x", "x"));
    QVERIFY(writeFile(cache + "/Documents/letter.txt", "dear"));
    QVERIFY(writeFile(cache + "/loose-file.txt", "loose"));
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

void saveOneServer(qint32 id, const QString &host)
{
    ServersConfiguration servers;
    auto *server = new NntpServer;
    server->iId = id;
    server->strHost = host;
    servers.listServers.append(server);
    QVERIFY(servers.saveServers());
}

void saveOneNzb(qint32 id, const QString &name)
{
    NzbFiles nzb;
    nzb.iQueueId = id;
    nzb.strName = name;
    nzb.addFile(makeFile(name + " file", 2, 100));
    NzbConfiguration queue;
    QVERIFY(queue.saveNzb(&nzb));
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

private:
    QList<AppConfiguration *> started;

    // Every start-up attaches its log file to the one logger; each test detaches its own.
    AppConfiguration *startUp(bool *result = nullptr)
    {
        auto *configuration = new AppConfiguration;
        started << configuration;
        const bool initialized = configuration->initialize();
        if (result)
            *result = initialized;
        return configuration;
    }

private slots:
    void cleanup()
    {
        for (AppConfiguration *configuration : qAsConst(started)) {
            QsLogging::Logger::getInstance()->detachDestination(configuration->fileDestination);
            delete configuration->fileDestination;
            qDeleteAll(configuration->nzbConfiguration.listNzbFiles);
            delete configuration;
        }
        started.clear();
    }

    void firstStartRunsEveryStep()
    {
        TempHome home;
        bool result = false;
        AppConfiguration *configuration = startUp(&result);
        QVERIFY(result);
        QVERIFY(configuration->loaded);
        QVERIFY(QFileInfo::exists(configurationFile()));
        QCOMPARE(entriesOf(AppConfiguration::getLogsFolder()), QStringList{configuration->currentLogFile});
        QVERIFY(!configuration->drives.isEmpty());
        QVERIFY(configuration->serversConfiguration.listServers.isEmpty());
        QVERIFY(configuration->nzbConfiguration.listNzbFiles.isEmpty());
    }

    void emptyQueueCleansOnlySegmentFolders()
    {
        TempHome home;
        const QString cache = AppConfiguration::defaultCacheFolder();
        fillCache(cache);
        startUp();
        QCOMPARE(entriesOf(cache), QStringList({"Documents", "NZB", "loose-file.txt", "myNZB", "nzb"}));
        QCOMPARE(readFile(cache + "/NZB/fetched.nzb"), QByteArray("<nzb/>"));
        QCOMPARE(readFile(cache + "/Documents/letter.txt"), QByteArray("dear"));
    }

    void savedQueueKeepsTheCache()
    {
        TempHome home;
        const QString cache = AppConfiguration::defaultCacheFolder();
        fillCache(cache);
        saveOneNzb(0, "queued");
        AppConfiguration *configuration = startUp();
        QCOMPARE(configuration->nzbConfiguration.listNzbFiles.size(), 1);
        QVERIFY(QFileInfo::exists(cache + "/0-0/1.tmp"));
        QVERIFY(QFileInfo::exists(cache + "/1-3/1.tmp"));
    }

    void missingCacheFolderIsFine()
    {
        TempHome home;
        bool result = false;
        AppConfiguration *configuration = startUp(&result);
        QVERIFY(result);
        QVERIFY(!QFileInfo::exists(configuration->cacheFolder));
    }

    // An empty or relative Cache setting once meant the current folder (often the home folder).
    void emptyOrRelativeCacheSettingNeverTouchesTheCurrentFolder_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::newRow("empty") << "";
        QTest::newRow("dot") << ".";
        QTest::newRow("relative") << "cache";
    }

    void emptyOrRelativeCacheSettingNeverTouchesTheCurrentFolder()
    {
        QFETCH(QString, setting);
        TempHome home;
        QTemporaryDir current;
        fillCache(current.path());
        QVERIFY(QDir().mkpath(current.path() + "/cache/2-2"));
        fillCache(AppConfiguration::defaultCacheFolder());
        QVERIFY(writeFile(configurationFile(), configurationWithCache(setting)));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(current.path());
        AppConfiguration *configuration = startUp();
        QDir::setCurrent(previous);

        QCOMPARE(configuration->cacheFolder, AppConfiguration::defaultCacheFolder());
        QVERIFY(QFileInfo::exists(current.path() + "/0-0/1.tmp"));
        QVERIFY(QFileInfo::exists(current.path() + "/cache/2-2"));
        QVERIFY(!QFileInfo::exists(AppConfiguration::defaultCacheFolder() + "/0-0"));
    }

    void cacheCleanUpDoesNotFollowLinks()
    {
        TempHome home;
        QTemporaryDir outside;
        QVERIFY(writeFile(outside.path() + "/precious/keep.txt", "keep"));
        const QString cache = AppConfiguration::defaultCacheFolder();
        QVERIFY(writeFile(cache + "/0-0/1.tmp", "segment"));
        QVERIFY(QFile::link(outside.path() + "/precious", cache + "/0-0/link"));
        QVERIFY(QFile::link(outside.path() + "/precious", cache + "/3-1"));
        startUp();
        QCOMPARE(readFile(outside.path() + "/precious/keep.txt"), QByteArray("keep"));
        QVERIFY(entriesOf(cache).isEmpty());
    }

    // A broken configuration file: the program runs on defaults, but servers and queue are there,
    // so that the exit's rewrite of the queue and a newly added server write over nothing.
    void brokenConfigurationKeepsServersAndQueue()
    {
        TempHome home;
        saveOneServer(1, "first.example");
        saveOneServer(2, "second.example");
        saveOneNzb(0, "a");
        saveOneNzb(1, "b");
        const QString cache = AppConfiguration::defaultCacheFolder();
        fillCache(cache);
        QVERIFY(writeFile(configurationFile(), "<Tessaquill_Plus><Auto>"));

        bool result = true;
        AppConfiguration *configuration = startUp(&result);
        QVERIFY(!result);
        QVERIFY(!configuration->loaded);
        QCOMPARE(configuration->serversConfiguration.listServers.size(), 2);
        QCOMPARE(configuration->nzbConfiguration.listNzbFiles.size(), 2);
        QVERIFY(QFileInfo::exists(cache + "/0-0/1.tmp"));
        QVERIFY(!QFileInfo::exists(AppConfiguration::getLogsFolder()));
        QVERIFY(configuration->drives.isEmpty());

        // What the main window does later: a new server takes the next id; exit rewrites the queue.
        qint32 highest = 0;
        for (const NntpServer *server : qAsConst(configuration->serversConfiguration.listServers))
            highest = qMax(highest, server->iId);
        auto *added = new NntpServer;
        added->iId = highest + 1;
        added->strHost = "third.example";
        configuration->serversConfiguration.listServers.append(added);
        QVERIFY(configuration->serversConfiguration.saveServers());
        QVERIFY(configuration->nzbConfiguration.saveAllNzbs());

        AppConfiguration *again = startUp();
        QStringList hosts;
        for (const NntpServer *server : qAsConst(again->serversConfiguration.listServers))
            hosts << server->strHost;
        hosts.sort();
        QCOMPARE(hosts, QStringList({"first.example", "second.example", "third.example"}));
        QCOMPARE(again->nzbConfiguration.listNzbFiles.size(), 2);
    }

    // What the start-up found damaged is in the log of the run: a record restored from its
    // backup, a record lost with its backup, a server record that could not be read.
    void damagedStateIsLogged()
    {
        TempHome home;
        saveOneServer(1, "first.example");
        saveOneServer(2, "second.example");
        saveOneNzb(0, "restored");
        saveOneNzb(1, "lost");
        const QString nzbs = AppConfiguration::getNzbFolder();
        QVERIFY(writeFile(nzbs + "/Nzb_0", "damaged"));
        QByteArray lost = readFile(nzbs + "/Nzb_1");
        lost.replace(lost.size() / 2, 4, "xxxx");
        QVERIFY(writeFile(nzbs + "/Nzb_1", lost));
        QVERIFY(writeFile(nzbs + "/Nzb_1.rec", lost));
        QVERIFY(writeFile(AppConfiguration::getServersFolder() + "/Server_2", "damaged"));

        AppConfiguration *configuration = startUp();
        QCOMPARE(configuration->nzbConfiguration.listNzbFiles.size(), 1);
        QCOMPARE(configuration->serversConfiguration.listServers.size(), 1);
        const QString log = QString::fromUtf8(readFile(AppConfiguration::getLogsFolder() + "/" + configuration->currentLogFile));
        QVERIFY2(log.contains(" WARN ") && log.contains("The queue record of NZB restored was damaged: it has been restored "
                                                         "from its backup"), qPrintable(log));
        QVERIFY2(log.contains("ERROR") && log.contains("The queue record of NZB lost and its backup are damaged: the NZB could "
                                                        "not be restored, its files are kept with the suffix .damaged in " + nzbs),
                 qPrintable(log));
        QVERIFY2(log.contains("The server record Server_2 could not be read: the file is kept in "
                              + AppConfiguration::getServersFolder()), qPrintable(log));
    }
};

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_Startup.moc"
