#include "config/AppConfiguration.h"

#include "TempHome.h"

#include <QtTest>

class tst_AppConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void singletonIsOneObject()
    {
        QVERIFY(AppConfiguration::getInstance() != nullptr);
        QCOMPARE(AppConfiguration::getInstance(), AppConfiguration::getInstance());
    }

    void constructionGivesEveryDefault()
    {
        TempHome home;
        QVERIFY(home.isValid());
        const AppConfiguration c;
        QVERIFY(!c.loaded);
        QVERIFY(c.lastError.isEmpty());
        QVERIFY(c.autoUnrar && c.autoUnsplit && !c.autoDownloadNzb && c.autoSmartDownload);
        QVERIFY(c.autoCreateSubFolderInDestination && c.autoDetectBandwidthLimit);
        QVERIFY(!c.autoSaveHistoNzb && !c.autoKeepPar2Files);
        QCOMPARE(c.autoSpeedLimit, 0u);
        QCOMPARE(c.socketTimeout, 30u);
        QVERIFY(c.autoDeleteFilesExtension.isEmpty());
        QCOMPARE(c.cacheFolder, home.dataFolder() + "/Cache");
        QCOMPARE(c.downloadFolder, home.dataFolder() + "/Download");
        QCOMPARE(c.destinationFolder, home.dataFolder() + "/Destination");
        QVERIFY(!c.proxyEnabled && c.proxyName.isEmpty() && c.proxyLogin.isEmpty() && c.proxyPassword.isEmpty());
        QCOMPARE(c.proxy.type(), QNetworkProxy::NoProxy);
        QVERIFY(c.systemProxies.isEmpty());
        QCOMPARE(c.logLevel, 2);
        QCOMPARE(c.logAutoDelete, 2);
        QVERIFY(c.fileDestination == nullptr);
        QVERIFY(c.currentLogFile.isEmpty());
        QVERIFY(!c.shutdownSaved);
        QCOMPARE(c.shutdownType, 0);
        QVERIFY(c.languageName.isEmpty());
        QVERIFY(c.drives.isEmpty());
        QVERIFY(c.searchHistory.isEmpty());
        QVERIFY(c.serversConfiguration.listServers.isEmpty());
        QVERIFY(c.nzbConfiguration.listNzbFiles.isEmpty());
        QVERIFY(c.destinationConfiguration.destinations.isEmpty());
        const WebConfiguration &web = c.webConfiguration;
        QVERIFY(web.favourites.isEmpty());
        QVERIFY(!web.homePage.isNull() && web.homePage.isEmpty());
        QVERIFY(!web.homePageLaunch && !web.pluginsEnabled && web.javaEnabled && web.javascriptEnabled);
        // Construction reads and creates nothing.
        QVERIFY(!QFileInfo::exists(home.dataFolder()));
    }

    void folderGettersFollowHomeAndCreateNothing()
    {
        TempHome home;
        QCOMPARE(AppConfiguration::getNzbFolder(), home.dataFolder() + "/Nzb");
        QCOMPARE(AppConfiguration::getLogsFolder(), home.dataFolder() + "/Logs");
        QCOMPARE(AppConfiguration::getServersFolder(), home.dataFolder() + "/Servers");
        QCOMPARE(AppConfiguration::getHistoNzbFolder(), home.dataFolder() + "/HISTO_NZB");
        QVERIFY(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    }

    void dataFolderIsOwnerOnly()
    {
        TempHome home;
        QVERIFY(AppConfiguration::makeDataFolder());
        const QFileInfo info(home.dataFolder());
        QVERIFY(info.isDir());
        QCOMPARE(info.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void dataFolderMadeThroughASubFolderIsOwnerOnly()
    {
        TempHome home;
        QVERIFY(AppConfiguration::makeDataSubFolder(AppConfiguration::getServersFolder() + "/Histo"));
        QVERIFY(QFileInfo(home.dataFolder() + "/Servers/Histo").isDir());
        QVERIFY(!(QFileInfo(home.dataFolder()).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther)));
    }

    void dataFolderBelowAFileFails()
    {
        TempHome home;
        QFile blocker(home.dataFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!AppConfiguration::makeDataFolder());
    }
};

QTEST_GUILESS_MAIN(tst_AppConfiguration)
#include "tst_AppConfiguration.moc"
