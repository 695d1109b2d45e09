#include "config/AppConfiguration.h"
#include "config/ServersConfiguration.h"
#include "model/NntpServer.h"
#include "platform/Aes.h"

#include "TempHome.h"

#include <QProcess>
#include "TestFiles.h"

#include <QtTest>

namespace {

const char keyHex[] = "3b7e19a4c2d85f06e1a94b27d0c3f58a6e2b91d47c05a3e8f16d29b4a7c0e53d";
const char ivHex[] = "9d4f2a6c81e07b35c6a19e58f20d4b73";



NntpServer *serverSeven()
{
    auto *server = new NntpServer;
    server->iId = 7;
    server->strHost = "news";
    server->strLogin = "u";
    server->strPassword = "p";
    server->strNickname = "N7";
    server->iPort = 563;
    server->iConnectionCount = 8;
    server->bStarted = true;
    server->bReserved = false;
    server->bSsl = true;
    return server;
}

QByteArray recordOf(const NntpServer &server)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(12);
    stream << server;
    return bytes;
}

// A server record file built from any plain block, enciphered as the program does.
QByteArray encipheredFile(QByteArray plain)
{
    plain.resize(4096);
    QByteArray key = QByteArray::fromHex(keyHex);
    QByteArray iv = QByteArray::fromHex(ivHex);
    QByteArray out(4128, '\0');
    Aes aes;
    aes_ctx context;
    aes.aes_init_enc(&context, 256, reinterpret_cast<unsigned char *>(key.data()));
    aes.aes_init_iv(&context, reinterpret_cast<unsigned char *>(iv.data()));
    aes.aes_enc_cbc(reinterpret_cast<unsigned char *>(out.data()), reinterpret_cast<unsigned char *>(plain.data()),
                    4096, &context);
    return out;
}

QString serversFolder()
{
    return AppConfiguration::getServersFolder();
}

} // namespace

class tst_ServersConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void recordFileHasTheDocumentedBytes()
    {
        TempHome home;
        ServersConfiguration servers;
        servers.listServers.append(serverSeven());
        QVERIFY(servers.saveServers());

        const QString path = home.dataFolder() + "/Servers/Server_7";
        const QByteArray file = readFile(path);
        QCOMPARE(file.size(), 4128);
        QCOMPARE(file.mid(4096), QByteArray(32, '\0'));

        QProcess openssl;
        openssl.start("openssl", {"enc", "-d", "-aes-256-cbc", "-nopad", "-K", keyHex, "-iv", ivHex});
        QVERIFY2(openssl.waitForStarted(), "the openssl program is needed");
        openssl.write(file.left(4096));
        openssl.closeWriteChannel();
        QVERIFY(openssl.waitForFinished(30000));
        QCOMPARE(openssl.exitCode(), 0);
        const QByteArray plain = openssl.readAllStandardOutput();
        QCOMPARE(plain, readFile(TQ_TEST_DATA "/config/server-7-plain-block.bin"));
    }

    void savedServersLoadBack()
    {
        TempHome home;
        {
            ServersConfiguration servers;
            servers.listServers.append(serverSeven());
            auto *other = new NntpServer;
            other->iId = 12;
            other->strHost = "other.example";
            other->strNickname = QString::fromUtf8("Ötherß");
            servers.listServers.append(other);
            QVERIFY(servers.saveServers());
        }
        ServersConfiguration loaded;
        loaded.loadServers();
        QCOMPARE(loaded.listServers.size(), 2);
        NntpServer *seven = loaded.listServers.at(0)->iId == 7 ? loaded.listServers.at(0) : loaded.listServers.at(1);
        NntpServer *twelve = loaded.listServers.at(0)->iId == 12 ? loaded.listServers.at(0) : loaded.listServers.at(1);
        QScopedPointer<NntpServer> expected(serverSeven());
        QCOMPARE(recordOf(*seven), recordOf(*expected));
        QCOMPARE(twelve->strNickname, QString::fromUtf8("Ötherß"));
        QVERIFY(twelve->strLogin.isNull());
        QCOMPARE(seven->uiBytesDownloaded, quint64(0));
    }

    void sameServerTwiceGivesIdenticalFiles()
    {
        TempHome home;
        ServersConfiguration servers;
        servers.listServers.append(serverSeven());
        QVERIFY(servers.saveServers());
        const QByteArray first = readFile(serversFolder() + "/Server_7");
        QVERIFY(servers.saveServers());
        QCOMPARE(readFile(serversFolder() + "/Server_7"), first);
        QCOMPARE(QDir(serversFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"Server_7"});
    }

    void negativeIdNamesTheFileUnsigned()
    {
        TempHome home;
        ServersConfiguration servers;
        auto *server = new NntpServer;
        server->iId = -1;
        servers.listServers.append(server);
        QVERIFY(servers.saveServers());
        QVERIFY(QFileInfo::exists(serversFolder() + "/Server_4294967295"));
    }

    void onlyValidRecordFilesLoad_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("loads");

        QScopedPointer<NntpServer> server(serverSeven());
        const QByteArray good = ServersConfiguration::recordFileContent(*server);
        QTest::newRow("valid") << good << true;
        QTest::newRow("one byte short") << good.left(4127) << false;
        QTest::newRow("one byte long") << good + '\0' << false;

        const auto withSettings = [](qint32 port, qint32 connections) {
            QScopedPointer<NntpServer> s(serverSeven());
            s->iPort = port;
            s->iConnectionCount = connections;
            return encipheredFile(recordOf(*s));
        };
        QTest::newRow("port 0") << withSettings(0, 4) << false;
        QTest::newRow("port 65536") << withSettings(65536, 4) << false;
        QTest::newRow("port 65535") << withSettings(65535, 4) << true;
        QTest::newRow("no connection") << withSettings(119, 0) << false;
        QTest::newRow("100 connections") << withSettings(119, 100) << true;
        QTest::newRow("101 connections") << withSettings(119, 101) << false;
        QTest::newRow("thousands of connections") << withSettings(119, 5000) << false;

        QByteArray cutShort = recordOf(*server);
        cutShort[7] = char(0x7f); // the host claims far more bytes than the block holds
        QTest::newRow("text longer than the block") << encipheredFile(cutShort) << false;
        QByteArray odd = recordOf(*server);
        odd[7] = char(0x07); // odd byte length of a UTF-16 text
        QTest::newRow("damaged text length") << encipheredFile(odd) << false;

        QByteArray noise(4128, '\0');
        quint32 seed = 12345;
        for (char &byte : noise) {
            seed = seed * 1103515245u + 12345u;
            byte = char(seed >> 24);
        }
        QTest::newRow("random bytes") << noise << false;
        QTest::newRow("all zeros") << QByteArray(4128, '\0') << false;
    }

    void onlyValidRecordFilesLoad()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, loads);
        TempHome home;
        QVERIFY(writeFile(serversFolder() + "/any-name.bin", content));
        ServersConfiguration servers;
        servers.loadServers();
        QCOMPARE(servers.listServers.size(), loads ? 1 : 0);
    }

    // What an interrupted save can leave beside a record: a complete copy under another name.
    void twoFilesOfOneIdLoadOneServer()
    {
        TempHome home;
        QScopedPointer<NntpServer> server(serverSeven());
        const QByteArray content = ServersConfiguration::recordFileContent(*server);
        QVERIFY(writeFile(serversFolder() + "/Server_7", content));
        QVERIFY(writeFile(serversFolder() + "/Server_7.xYz123", content));
        ServersConfiguration servers;
        servers.loadServers();
        QCOMPARE(servers.listServers.size(), 1);
    }

    void missingFolderLoadsNothingAndCreatesNothing()
    {
        TempHome home;
        ServersConfiguration servers;
        servers.loadServers();
        QVERIFY(servers.listServers.isEmpty());
        QVERIFY(!QFileInfo::exists(home.dataFolder()));
    }

    void byteCountFileSetsTheCounters()
    {
        TempHome home;
        ServersConfiguration written;
        written.listServers.append(serverSeven());
        written.listServers.first()->histoNbBytes.iCount = 1000000;
        written.listServers.first()->histoNbBytes.dtStart = QDateTime(QDate(2013, 1, 2), QTime(3, 4, 5, 6));
        QVERIFY(written.saveServers());
        written.saveServerHisto(7);
        QCOMPARE(readFile(home.dataFolder() + "/Servers/Histo/Server_7"),
                 readFile(TQ_TEST_DATA "/config/byte-count-record.bin"));

        ServersConfiguration loaded;
        loaded.loadServers();
        QCOMPARE(loaded.listServers.size(), 1);
        QCOMPARE(loaded.listServers.first()->uiBytesDownloaded, quint64(1000000));
        QCOMPARE(loaded.listServers.first()->histoNbBytes.iCount, qint64(1000000));
        QCOMPARE(loaded.listServers.first()->histoNbBytes.dtStart, QDateTime(QDate(2013, 1, 2), QTime(3, 4, 5, 6)));
    }

    void shortByteCountFileIsIgnored()
    {
        TempHome home;
        ServersConfiguration written;
        written.listServers.append(serverSeven());
        QVERIFY(written.saveServers());
        QVERIFY(writeFile(home.dataFolder() + "/Servers/Histo/Server_7", QByteArray(5, '\x01')));
        ServersConfiguration loaded;
        loaded.loadServers();
        QCOMPARE(loaded.listServers.size(), 1);
        QCOMPARE(loaded.listServers.first()->uiBytesDownloaded, quint64(0));
        QCOMPARE(loaded.listServers.first()->histoNbBytes.iCount, qint64(0));
    }

    void byteCountOfUnknownIdWritesNothing()
    {
        TempHome home;
        ServersConfiguration servers;
        servers.listServers.append(serverSeven());
        servers.saveServerHisto(8);
        QVERIFY(QDir(home.dataFolder() + "/Servers/Histo").entryList(QDir::Files).isEmpty());
    }

    void byteCountOfDuplicateIdTakesTheLastServer()
    {
        TempHome home;
        ServersConfiguration servers;
        servers.listServers.append(serverSeven());
        servers.listServers.append(serverSeven());
        servers.listServers.at(0)->histoNbBytes.iCount = 1;
        servers.listServers.at(1)->histoNbBytes.iCount = 2;
        servers.saveServerHisto(7);
        QCOMPARE(readFile(home.dataFolder() + "/Servers/Histo/Server_7").left(8), QByteArray::fromHex("0000000000000002"));
    }

    void allByteCountsAreWritten()
    {
        TempHome home;
        ServersConfiguration servers;
        for (int id = 1; id <= 3; ++id) {
            servers.listServers.append(new NntpServer);
            servers.listServers.last()->iId = id;
            servers.listServers.last()->histoNbBytes.iCount = id * 10;
        }
        servers.saveAllServersHisto();
        QCOMPARE(QDir(home.dataFolder() + "/Servers/Histo").entryList(QDir::Files, QDir::Name),
                 QStringList({"Server_1", "Server_2", "Server_3"}));
        QCOMPARE(readFile(home.dataFolder() + "/Servers/Histo/Server_3").size(), 17);
    }

    void deleteServerRemovesItsFiles()
    {
        TempHome home;
        ServersConfiguration servers;
        servers.listServers.append(serverSeven());
        auto *other = new NntpServer;
        other->iId = 8;
        servers.listServers.append(other);
        QVERIFY(servers.saveServers());
        servers.saveAllServersHisto();

        servers.deleteServer(99);
        QCOMPARE(servers.listServers.size(), 2);
        QCOMPARE(QDir(serversFolder()).entryList(QDir::Files).size(), 2);

        servers.deleteServer(7);
        QCOMPARE(servers.listServers.size(), 1);
        QCOMPARE(servers.listServers.first()->iId, 8);
        QVERIFY(!QFileInfo::exists(serversFolder() + "/Server_7"));
        QVERIFY(!QFileInfo::exists(serversFolder() + "/Histo/Server_7"));
        QVERIFY(QFileInfo::exists(serversFolder() + "/Server_8"));

        servers.deleteServer(7);
        QCOMPARE(servers.listServers.size(), 1);
        QVERIFY(QFileInfo::exists(serversFolder() + "/Histo/Server_8"));
    }

    // The four texts may hold 2032 UTF-16 code units together: a 4095-byte record.
    void longestRecordIsKeptWhole()
    {
        TempHome home;
        ServersConfiguration servers;
        auto *server = new NntpServer;
        server->iId = 1;
        server->strHost = QString(1000, 'h');
        server->strLogin = QString(500, 'l');
        server->strPassword = QString(500, 'p');
        server->strNickname = QString(32, 'n');
        servers.listServers.append(server);
        QCOMPARE(recordOf(*server).size(), 4095);
        QVERIFY(servers.saveServers());
        ServersConfiguration loaded;
        loaded.loadServers();
        QCOMPARE(loaded.listServers.size(), 1);
        QCOMPARE(recordOf(*loaded.listServers.first()), recordOf(*server));
    }

    void tooLongRecordIsRefusedAndTheOthersWritten()
    {
        TempHome home;
        ServersConfiguration servers;
        auto *tooLong = new NntpServer;
        tooLong->iId = 1;
        tooLong->strHost = QString(2033, 'h');
        servers.listServers.append(tooLong);
        servers.listServers.append(serverSeven());
        tooLong->strNickname = "long";
        QVERIFY(!servers.saveServers());
        QVERIFY(!QFileInfo::exists(serversFolder() + "/Server_1"));
        QVERIFY(QFileInfo::exists(serversFolder() + "/Server_7"));
        // What was not saved is said, for the window to tell the user.
        QCOMPARE(servers.lastError, QString("The settings of server long are too long to be stored"));
        QVERIFY(!ServersConfiguration::fitsInRecord(*tooLong));
        QVERIFY(ServersConfiguration::fitsInRecord(*servers.listServers.last()));
        servers.listServers.takeFirst();
        delete tooLong;
        QVERIFY(servers.saveServers());
        QVERIFY(servers.lastError.isEmpty());
    }

    // A failed save leaves the previous file whole (the write goes through a temporary file).
    void failedSaveKeepsThePreviousFile()
    {
        TempHome home;
        ServersConfiguration servers;
        servers.listServers.append(serverSeven());
        QVERIFY(servers.saveServers());
        const QByteArray before = readFile(serversFolder() + "/Server_7");
        servers.listServers.first()->strHost = QString(3000, 'x');
        QVERIFY(!servers.saveServers());
        QCOMPARE(readFile(serversFolder() + "/Server_7"), before);
        QCOMPARE(QDir(serversFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"Server_7"});
    }

    void saveWithoutAFolderFails()
    {
        TempHome home;
        QVERIFY(writeFile(home.dataFolder(), "blocking file"));
        ServersConfiguration servers;
        servers.listServers.append(serverSeven());
        QVERIFY(!servers.saveServers());
        QCOMPARE(servers.lastError, "Failed to create directory " + serversFolder());
    }

    // A record the program wrote that cannot be read now is named for the user and stays as
    // it is; other files of the folder are passed over as before.
    void unreadableRecordsAreNamedAndKept()
    {
        TempHome home;
        QScopedPointer<NntpServer> seven(serverSeven());
        const QByteArray good = ServersConfiguration::recordFileContent(*seven);
        QByteArray zeros(4128, '\0');
        QVERIFY(writeFile(serversFolder() + "/Server_7", good));
        QVERIFY(writeFile(serversFolder() + "/Server_3", good.left(2000)));
        QVERIFY(writeFile(serversFolder() + "/Server_4", zeros));
        QVERIFY(writeFile(serversFolder() + "/Server_5", QByteArray()));
        QVERIFY(writeFile(serversFolder() + "/Server_7.aB3dEf", good.left(100)));
        QVERIFY(writeFile(serversFolder() + "/notes.txt", "x"));
        ServersConfiguration servers;
        servers.loadServers();
        QCOMPARE(servers.listServers.size(), 1);
        QStringList named = servers.listUnreadableFiles;
        named.sort();
        QCOMPARE(named, QStringList({"Server_3", "Server_4", "Server_5"}));
        QCOMPARE(readFile(serversFolder() + "/Server_3"), good.left(2000));
        QCOMPARE(readFile(serversFolder() + "/Server_4"), zeros);
        QVERIFY(QFileInfo::exists(serversFolder() + "/Server_5"));
        // Their ids stay taken.
        QCOMPARE(servers.nextServerId(), 8);
        QVERIFY(servers.saveServers());
        QCOMPARE(readFile(serversFolder() + "/Server_4"), zeros);
    }

    void unwritableRecordIsNamed()
    {
        TempHome home;
        QVERIFY(QDir().mkpath(serversFolder() + "/Server_7/in-the-way"));
        ServersConfiguration servers;
        servers.listServers.append(serverSeven());
        QVERIFY(!servers.saveServers());
        QCOMPARE(servers.lastError, "Failed to write file " + serversFolder() + "/Server_7");
    }
};

QTEST_GUILESS_MAIN(tst_ServersConfiguration)
#include "tst_ServersConfiguration.moc"
