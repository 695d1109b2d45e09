#include "config/AppConfiguration.h"

#include "TempHome.h"

#include "TestFiles.h"

#include <QtTest>

#include <algorithm>
#include <functional>
#include <map>

namespace {

QString boolText(bool value)
{
    return value ? "true" : "false";
}

QString sortedPairs(const QHash<QString, QString> &hash)
{
    QStringList pairs;
    for (auto it = hash.constBegin(); it != hash.constEnd(); ++it)
        pairs << it.key() + "=" + it.value();
    std::sort(pairs.begin(), pairs.end());
    return pairs.join(';');
}

// Every persisted field as text, by its name.
const std::map<QString, std::function<QString(const AppConfiguration &)>> &fieldReaders()
{
    static const std::map<QString, std::function<QString(const AppConfiguration &)>> readers = {
        {"homePage", [](const AppConfiguration &c) { return c.webConfiguration.homePage; }},
        {"homePageLaunch", [](const AppConfiguration &c) { return boolText(c.webConfiguration.homePageLaunch); }},
        {"favourites", [](const AppConfiguration &c) { return sortedPairs(c.webConfiguration.favourites); }},
        {"pluginsEnabled", [](const AppConfiguration &c) { return boolText(c.webConfiguration.pluginsEnabled); }},
        {"javaEnabled", [](const AppConfiguration &c) { return boolText(c.webConfiguration.javaEnabled); }},
        {"javascriptEnabled", [](const AppConfiguration &c) { return boolText(c.webConfiguration.javascriptEnabled); }},
        {"destinations", [](const AppConfiguration &c) { return sortedPairs(c.destinationConfiguration.destinations); }},
        {"searchHistory", [](const AppConfiguration &c) { return c.searchHistory.join('|'); }},
        {"autoUnrar", [](const AppConfiguration &c) { return boolText(c.autoUnrar); }},
        {"autoUnsplit", [](const AppConfiguration &c) { return boolText(c.autoUnsplit); }},
        {"autoDownloadNzb", [](const AppConfiguration &c) { return boolText(c.autoDownloadNzb); }},
        {"autoSaveHistoNzb", [](const AppConfiguration &c) { return boolText(c.autoSaveHistoNzb); }},
        {"autoKeepPar2Files", [](const AppConfiguration &c) { return boolText(c.autoKeepPar2Files); }},
        {"autoSmartDownload", [](const AppConfiguration &c) { return boolText(c.autoSmartDownload); }},
        {"autoCreateSubFolderInDestination",
         [](const AppConfiguration &c) { return boolText(c.autoCreateSubFolderInDestination); }},
        {"autoDetectBandwidthLimit", [](const AppConfiguration &c) { return boolText(c.autoDetectBandwidthLimit); }},
        {"autoSpeedLimit", [](const AppConfiguration &c) { return QString::number(c.autoSpeedLimit); }},
        {"socketTimeout", [](const AppConfiguration &c) { return QString::number(c.socketTimeout); }},
        {"autoDeleteFilesExtension", [](const AppConfiguration &c) { return c.autoDeleteFilesExtension; }},
        {"proxyEnabled", [](const AppConfiguration &c) { return boolText(c.proxyEnabled); }},
        {"proxyName", [](const AppConfiguration &c) { return c.proxyName; }},
        {"proxyLogin", [](const AppConfiguration &c) { return c.proxyLogin; }},
        {"proxyPassword", [](const AppConfiguration &c) { return c.proxyPassword; }},
        {"cacheFolder", [](const AppConfiguration &c) { return c.cacheFolder; }},
        {"downloadFolder", [](const AppConfiguration &c) { return c.downloadFolder; }},
        {"destinationFolder", [](const AppConfiguration &c) { return c.destinationFolder; }},
        {"logLevel", [](const AppConfiguration &c) { return QString::number(c.logLevel); }},
        {"logAutoDelete", [](const AppConfiguration &c) { return QString::number(c.logAutoDelete); }},
        {"shutdownSaved", [](const AppConfiguration &c) { return boolText(c.shutdownSaved); }},
        {"shutdownType", [](const AppConfiguration &c) { return QString::number(c.shutdownType); }},
        {"languageName", [](const AppConfiguration &c) { return c.languageName; }},
    };
    return readers;
}

QMap<QString, QString> allFields(const AppConfiguration &configuration)
{
    QMap<QString, QString> values;
    for (const auto &reader : fieldReaders())
        values.insert(reader.first, reader.second(configuration));
    return values;
}

} // namespace

class tst_ConfigurationFile : public QObject
{
    Q_OBJECT

private slots:
    void missingFileGetsTheDefaultDocument()
    {
        TempHome home;
        AppConfiguration configuration;
        const QMap<QString, QString> defaults = allFields(configuration);
        configuration.loadConfiguration();
        QVERIFY(configuration.loaded);
        QVERIFY(configuration.lastError.isEmpty());
        QCOMPARE(allFields(configuration), defaults);

        QByteArray golden = readFile(TQ_TEST_DATA "/config/default-configuration.cfg");
        QVERIFY(!golden.isEmpty());
        golden.replace("@DATA@", QFile::encodeName(home.dataFolder()));
        QCOMPARE(QString::fromUtf8(readFile(home.dataFolder() + "/Tessaquill_Plus.cfg")), QString::fromUtf8(golden));
        QVERIFY(!(QFileInfo(home.dataFolder()).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup)));
    }

    void emptyFileIsReplacedByTheDefaultDocument()
    {
        TempHome home;
        QVERIFY(writeFile(home.dataFolder() + "/Tessaquill_Plus.cfg", QByteArray()));
        AppConfiguration configuration;
        configuration.loadConfiguration();
        QVERIFY(configuration.loaded);
        QByteArray golden = readFile(TQ_TEST_DATA "/config/default-configuration.cfg");
        golden.replace("@DATA@", QFile::encodeName(home.dataFolder()));
        QCOMPARE(readFile(home.dataFolder() + "/Tessaquill_Plus.cfg"), golden);
    }

    void notXmlLeavesEverythingAndTheFileAlone()
    {
        TempHome home;
        const QByteArray broken = "<Tessaquill_Plus><Auto><AutoUnrar>0</Auto>";
        QVERIFY(writeFile(home.dataFolder() + "/Tessaquill_Plus.cfg", broken));
        AppConfiguration configuration;
        const QMap<QString, QString> defaults = allFields(configuration);
        configuration.loadConfiguration();
        QVERIFY(!configuration.loaded);
        QCOMPARE(configuration.lastError, QString("Failed to open configuration file Tessaquill_Plus.cfg"));
        QCOMPARE(allFields(configuration), defaults);
        QCOMPARE(readFile(home.dataFolder() + "/Tessaquill_Plus.cfg"), broken);
    }

    void dataFolderThatCannotBeMade()
    {
        TempHome home;
        QVERIFY(writeFile(home.dataFolder(), "a file where the folder should be"));
        AppConfiguration configuration;
        configuration.loadConfiguration();
        QVERIFY(!configuration.loaded);
        QCOMPARE(configuration.lastError, "Failed to create directory " + home.dataFolder());
        QVERIFY(!configuration.saveConfiguration());
        QCOMPARE(configuration.lastError, "Failed to create directory " + home.dataFolder());
    }

    void fileThatCannotBeOpenedNorCreated()
    {
        TempHome home;
        const QString file = home.dataFolder() + "/Tessaquill_Plus.cfg";
        QVERIFY(QDir().mkpath(file + "/in-the-way"));
        AppConfiguration configuration;
        configuration.loadConfiguration();
        QVERIFY(!configuration.loaded);
        QCOMPARE(configuration.lastError, "Failed to create configuration file " + file);
        QVERIFY(!configuration.saveConfiguration());
        QCOMPARE(configuration.lastError, "Failed to write configuration file " + file);
        QVERIFY(QFileInfo(file + "/in-the-way").isDir());
    }

    void readingRules_data()
    {
        QTest::addColumn<QString>("groups");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");

        // bools: only "1" is true
        QTest::newRow("bool 1") << "<Auto><AutoDownloadNzb>1</AutoDownloadNzb></Auto>" << "autoDownloadNzb" << "true";
        QTest::newRow("bool 0") << "<Auto><AutoUnrar>0</AutoUnrar></Auto>" << "autoUnrar" << "false";
        QTest::newRow("bool true is false") << "<Auto><AutoUnrar>true</AutoUnrar></Auto>" << "autoUnrar" << "false";
        QTest::newRow("bool blank 1 is false") << "<Auto><AutoUnrar> 1</AutoUnrar></Auto>" << "autoUnrar" << "false";
        QTest::newRow("bool empty is false") << "<Auto><AutoUnrar></AutoUnrar></Auto>" << "autoUnrar" << "false";
        QTest::newRow("bool nested element is false")
            << "<Auto><AutoUnrar><x>1</x></AutoUnrar></Auto>" << "autoUnrar" << "false";
        QTest::newRow("web bool yes") << "<Web><HomePageLaunch>yes</HomePageLaunch></Web>" << "homePageLaunch" << "false";

        // missing keys, groups, unknown names, letter case
        QTest::newRow("missing key keeps default") << "<Auto><AutoUnsplit>0</AutoUnsplit></Auto>" << "autoUnrar" << "true";
        QTest::newRow("no group keeps default") << "" << "socketTimeout" << "30";
        QTest::newRow("unknown group ignored") << "<Autos><AutoUnrar>0</AutoUnrar></Autos>" << "autoUnrar" << "true";
        QTest::newRow("group in other case ignored") << "<auto><AutoUnrar>0</AutoUnrar></auto>" << "autoUnrar" << "true";
        QTest::newRow("key in other case ignored") << "<Auto><autounrar>0</autounrar></Auto>" << "autoUnrar" << "true";
        QTest::newRow("first of two keys in a group")
            << "<Auto><SocketTimeout>5</SocketTimeout><SocketTimeout>6</SocketTimeout></Auto>" << "socketTimeout" << "5";
        QTest::newRow("repeated group, later wins")
            << "<Auto><SocketTimeout>5</SocketTimeout></Auto><Auto><SocketTimeout>6</SocketTimeout></Auto>"
            << "socketTimeout" << "6";
        QTest::newRow("web key, last occurrence wins")
            << "<Web><HomePage>a</HomePage><HomePage>b</HomePage></Web>" << "homePage" << "b";
        QTest::newRow("text kept as found") << "<Proxy><Name> proxy.lan </Name></Proxy>" << "proxyName" << " proxy.lan ";
        QTest::newRow("empty text empties") << "<Proxy><Name></Name></Proxy>" << "proxyName" << "";
        QTest::newRow("escaped text") << "<Web><HomePage>a&amp;b&lt;c</HomePage></Web>" << "homePage" << "a&b<c";

        // numbers
        QTest::newRow("timeout number") << "<Auto><SocketTimeout>45</SocketTimeout></Auto>" << "socketTimeout" << "45";
        QTest::newRow("timeout not a number") << "<Auto><SocketTimeout>abc</SocketTimeout></Auto>" << "socketTimeout" << "0";
        QTest::newRow("speed beyond 32 bits")
            << "<Auto><AutoSpeedLimit>99999999999</AutoSpeedLimit></Auto>" << "autoSpeedLimit" << "0";
        QTest::newRow("level 5") << "<Logs><Log_Level>5</Log_Level></Logs>" << "logLevel" << "5";
        QTest::newRow("level 6 is off") << "<Logs><Log_Level>6</Log_Level></Logs>" << "logLevel" << "6";
        QTest::newRow("level 7") << "<Logs><Log_Level>7</Log_Level></Logs>" << "logLevel" << "2";
        QTest::newRow("level -1") << "<Logs><Log_Level>-1</Log_Level></Logs>" << "logLevel" << "2";
        QTest::newRow("level abc reads 0") << "<Logs><Log_Level>abc</Log_Level></Logs>" << "logLevel" << "0";
        QTest::newRow("auto delete 1") << "<Logs><AutoDelete>1</AutoDelete></Logs>" << "logAutoDelete" << "1";
        QTest::newRow("auto delete 3") << "<Logs><AutoDelete>3</AutoDelete></Logs>" << "logAutoDelete" << "2";

        // shutdown type depends on saved
        QTest::newRow("type 3 saved") << "<Shutdown><Saved>1</Saved><Type>3</Type></Shutdown>" << "shutdownType" << "3";
        QTest::newRow("type 3 not saved") << "<Shutdown><Saved>0</Saved><Type>3</Type></Shutdown>" << "shutdownType" << "0";
        QTest::newRow("type without saved") << "<Shutdown><Type>3</Type></Shutdown>" << "shutdownType" << "0";
        QTest::newRow("type 5") << "<Shutdown><Saved>1</Saved><Type>5</Type></Shutdown>" << "shutdownType" << "0";
        QTest::newRow("type before saved")
            << "<Shutdown><Type>4</Type><Saved>1</Saved></Shutdown>" << "shutdownType" << "4";

        // language
        QTest::newRow("language") << "<Language><Name>fr</Name></Language>" << "languageName" << "fr";
        QTest::newRow("empty language") << "<Language><Name></Name></Language>" << "languageName" << "";

        // folders: an empty or relative setting means the default folder
        QTest::newRow("absolute cache") << "<Folders><Cache>/srv/cache</Cache></Folders>" << "cacheFolder" << "/srv/cache";
        QTest::newRow("empty cache") << "<Folders><Cache></Cache></Folders>" << "cacheFolder" << "@DATA@/Cache";
        QTest::newRow("blank cache") << "<Folders><Cache>  </Cache></Folders>" << "cacheFolder" << "@DATA@/Cache";
        QTest::newRow("relative cache") << "<Folders><Cache>cache</Cache></Folders>" << "cacheFolder" << "@DATA@/Cache";
        QTest::newRow("dot download") << "<Folders><Download>.</Download></Folders>" << "downloadFolder" << "@DATA@/Download";
        QTest::newRow("relative destination")
            << "<Folders><Destination>../x</Destination></Folders>" << "destinationFolder" << "@DATA@/Destination";

        // two-key entries
        QTest::newRow("favourite")
            << "<Web><Favourite><Fav_Name>a</Fav_Name><Fav_Url>http://a</Fav_Url></Favourite></Web>"
            << "favourites" << "a=http://a";
        QTest::newRow("favourite with three children")
            << "<Web><Favourite><Fav_Name>a</Fav_Name><Fav_Url>u</Fav_Url><X/></Favourite></Web>" << "favourites" << "";
        QTest::newRow("favourite without url")
            << "<Web><Favourite><Fav_Name>a</Fav_Name><Other>u</Other></Favourite></Web>" << "favourites" << "";
        QTest::newRow("favourite same name twice")
            << "<Web><Favourite><Fav_Name>a</Fav_Name><Fav_Url>1</Fav_Url></Favourite>"
               "<Favourite><Fav_Url>2</Fav_Url><Fav_Name>a</Fav_Name></Favourite></Web>"
            << "favourites" << "a=2";
        QTest::newRow("destinations")
            << "<Destinations><Destination><Label>L</Label><Path>/p</Path></Destination>"
               "<Destination><Label>M</Label></Destination><Other><Label>N</Label><Path>/n</Path></Other></Destinations>"
            << "destinations" << "L=/p";
        // The download menus use a named destination's path as it stands: "~" means the home
        // folder, and a path relative to wherever the program was started is left out.
        QTest::newRow("destinations under the home folder")
            << "<Destinations><Destination><Label>V</Label><Path>~/Videos</Path></Destination>"
               "<Destination><Label>M</Label><Path>Movies</Path></Destination>"
               "<Destination><Label>E</Label><Path>../elsewhere</Path></Destination>"
               "<Destination><Label>B</Label><Path> </Path></Destination></Destinations>"
            << "destinations" << "V=@HOME@/Videos";
        QTest::newRow("search texts in order")
            << "<SearchIntellisense><Search>b</Search><Other>x</Other><Search>a</Search></SearchIntellisense>"
               "<SearchIntellisense><Search>c</Search></SearchIntellisense>"
            << "searchHistory" << "b|a|c";
    }

    void readingRules()
    {
        QFETCH(QString, groups);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        TempHome home;
        const QByteArray document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tessaquill_Plus>"
            + groups.toUtf8() + "</Tessaquill_Plus>\n";
        QVERIFY(writeFile(home.dataFolder() + "/Tessaquill_Plus.cfg", document));
        AppConfiguration configuration;
        configuration.loadConfiguration();
        QVERIFY(configuration.loaded);
        QCOMPARE(fieldReaders().at(field)(configuration),
                 expected.replace("@DATA@", home.dataFolder()).replace("@HOME@", QDir::homePath()));
    }

    void rootNameIsNotTested()
    {
        TempHome home;
        QVERIFY(writeFile(home.dataFolder() + "/Tessaquill_Plus.cfg",
                          "<Other><Auto><AutoUnrar>0</AutoUnrar></Auto></Other>"));
        AppConfiguration configuration;
        configuration.loadConfiguration();
        QVERIFY(configuration.loaded);
        QVERIFY(!configuration.autoUnrar);
    }

    void saveThenReadGivesEveryValueBack()
    {
        TempHome home;
        AppConfiguration written;
        written.webConfiguration.homePage = "http://home.example/?a=1&b=<2>";
        written.webConfiguration.homePageLaunch = true;
        written.webConfiguration.favourites = {{"one", "http://1"}, {QString::fromUtf8("dé"), "http://2"}};
        written.webConfiguration.pluginsEnabled = true;
        written.webConfiguration.javaEnabled = false;
        written.webConfiguration.javascriptEnabled = false;
        written.destinationConfiguration.destinations = {{"Films", "/data/films"}, {"Music", "/data/music"}};
        written.searchHistory = QStringList{"z", "a", "m"};
        written.autoUnrar = written.autoUnsplit = written.autoSmartDownload = false;
        written.autoCreateSubFolderInDestination = written.autoDetectBandwidthLimit = false;
        written.autoDownloadNzb = written.autoSaveHistoNzb = written.autoKeepPar2Files = true;
        written.autoSpeedLimit = 2048;
        written.socketTimeout = 120;
        written.autoDeleteFilesExtension = "*.nzb;*.par2;*.001";
        written.proxyEnabled = true;
        written.proxyName = "proxy.lan";
        written.proxyLogin = "me";
        written.proxyPassword = "secret \"quoted\"";
        written.cacheFolder = "/srv/cache";
        written.downloadFolder = "/srv/download";
        written.destinationFolder = "/srv/destination";
        written.logLevel = 4;
        written.logAutoDelete = 1;
        written.shutdownSaved = true;
        written.shutdownType = 3;
        written.languageName = "de";
        QVERIFY(written.saveConfiguration());

        AppConfiguration read;
        read.loadConfiguration();
        QVERIFY(read.loaded);
        QCOMPARE(allFields(read), allFields(written));
        // The temporary file of the atomic write is gone.
        QCOMPARE(QDir(home.dataFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"Tessaquill_Plus.cfg"});
    }

    void typeSavedWhileNotRememberedReadsBackAsNone()
    {
        TempHome home;
        AppConfiguration written;
        written.shutdownSaved = false;
        written.shutdownType = 2;
        QVERIFY(written.saveConfiguration());
        QVERIFY(readFile(home.dataFolder() + "/Tessaquill_Plus.cfg").contains("<Type>2</Type>"));
        AppConfiguration read;
        read.loadConfiguration();
        QCOMPARE(read.shutdownType, 0);
    }

    void savedDocumentLayout()
    {
        TempHome home;
        AppConfiguration written;
        QVERIFY(written.saveConfiguration());
        const QList<QByteArray> lines = readFile(home.dataFolder() + "/Tessaquill_Plus.cfg").split('\n');
        QCOMPARE(lines.at(0), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
        QCOMPARE(lines.at(1), QByteArray("<Tessaquill_Plus>"));
        QCOMPARE(lines.at(2), QByteArray("    <Web>"));
        QCOMPARE(lines.at(3), QByteArray("        <HomePage></HomePage>"));
        QCOMPARE(lines.at(4), QByteArray("        <HomePageLaunch>0</HomePageLaunch>"));
        QVERIFY(lines.contains("    <Destinations/>"));
        QVERIFY(lines.contains("    <SearchIntellisense/>"));
        QStringList groups;
        for (const QByteArray &line : lines) {
            if (line.startsWith("    <") && !line.startsWith("     ") && !line.startsWith("    </"))
                groups << QString::fromUtf8(line.trimmed());
        }
        QCOMPARE(groups, QStringList({"<Web>", "<Destinations/>", "<SearchIntellisense/>", "<Auto>", "<Proxy>",
                                      "<Folders>", "<Logs>", "<Shutdown>", "<Language>"}));
    }
};

QTEST_GUILESS_MAIN(tst_ConfigurationFile)
#include "tst_ConfigurationFile.moc"
