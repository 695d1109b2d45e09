#include "dialogs/DialogImportExportServers.h"
#include "model/NntpServer.h"

#include "FileSizeLimit.h"
#include "ServersTestSupport.h"
#include "StandInProgram.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

namespace {

// Owns what a reader returned.
struct ReadServers
{
    explicit ReadServers(const QList<NntpServer *> &list) : servers(list) {}
    ~ReadServers() { qDeleteAll(servers); }
    QList<NntpServer *> servers;
};

std::unique_ptr<NntpServer> makeServer(qint32 id, const QString &host, qint32 port,
                                       qint32 connections, const QString &login,
                                       const QString &password, const QString &nickname, bool ssl)
{
    return std::unique_ptr<NntpServer>(
        newServer(id, host, port, connections, login, password, nickname, ssl));
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// A servers file of `count` servers, each with a password, then `after` (the root's end when
// empty).
QByteArray serversXml(int count, const QByteArray &after = QByteArray())
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<Servers>\n";
    xml.reserve(count * 110 + after.size() + 100);
    for (int i = 1; i <= count; ++i) {
        const QByteArray number = QByteArray::number(i);
        xml += "<Server><ServerAddress>news" + number + ".example</ServerAddress><Password>p" + number
               + "</Password><Nickname>n" + number + "</Nickname></Server>\n";
    }
    return xml + (after.isEmpty() ? QByteArray("</Servers>\n") : after);
}

} // namespace

class tst_ServersFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void exportedServersReadBackTheSame_data();
    void exportedServersReadBackTheSame();
    void writtenDocument();
    void readingRules_data();
    void readingRules();
    void readingStopsPastTheMostServersTaken_data();
    void readingStopsPastTheMostServersTaken();
    void olderFileOfTooManyServersStartsNoConverter();
    void textsAreReadUpToTheirBounds();
    void fileLargerThanAnyServersFileIsRefused_data();
    void fileLargerThanAnyServersFileIsRefused();
    void theMostServersAtTheirBoundsAreReadBack();

    void olderFilePasswordsGoThroughTheConverter();
    void converterOutputEnding_data();
    void converterOutputEnding();
    void failedConversionsDropTheirRecord_data();
    void failedConversionsDropTheirRecord();
    void converterPastItsTimeLimitIsKilled();
    void missingConverterKeepsRecordsWithoutPassword();

    void exportThatCannotBeCreatedFails_data();
    void exportThatCannotBeCreatedFails();
    void exportThatCannotBeWrittenKeepsTheEarlierFile();
    void exportReplacesAnEarlierFile();

private:
    QString writeConverter(const QByteArray &body);

    std::unique_ptr<QTemporaryDir> dir;
};

void tst_ServersFiles::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

QString tst_ServersFiles::writeConverter(const QByteArray &body)
{
    return StandInProgram::write(dir->path(),
                                 QLatin1String(DialogImportExportServers::ConverterProgram), body);
}

void tst_ServersFiles::exportedServersReadBackTheSame_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("nickname");

    QTest::newRow("plain") << "secret" << "reader" << "Main server";
    QTest::newRow("ampersand and less-than") << "a&b<c>d" << "me&you" << "<fast> & cheap";
    QTest::newRow("blanks inside and around") << " pass word " << " login" << "nick ";
    QTest::newRow("blanks only") << "   " << " " << "  ";
    QTest::newRow("quotes and entities as text") << "\"q\" 'a' &amp; &#65;" << "x" << "y";
    QTest::newRow("tab and line break") << "tab\there" << "line\nbreak" << "z";
    QTest::newRow("non-ASCII") << QString::fromUtf8("pässwörd–日本") << "användare" << "Серв";
    QTest::newRow("empty texts") << QString() << QString() << QString();
}

void tst_ServersFiles::exportedServersReadBackTheSame()
{
    QFETCH(QString, password);
    QFETCH(QString, login);
    QFETCH(QString, nickname);

    const auto first = makeServer(3, QStringLiteral("news.example.com"), 563, 20, login, password,
                                  nickname, true);
    const auto second = makeServer(-2, QStringLiteral("10.0.0.1"), 119, 1, QStringLiteral("b"),
                                   QStringLiteral("c"), QStringLiteral("second"), false);
    const auto third = makeServer(0, QString(), 0, 0, QString(), password, QString(), false);
    const QList<NntpServer *> servers{first.get(), second.get(), third.get()};
    const QString path = dir->filePath(QStringLiteral("servers.tvp"));

    QCOMPARE(DialogImportExportServers::saveServersFile(path, servers),
             DialogImportExportServers::Saved);
    ReadServers read(DialogImportExportServers::readServersFile(path));
    QCOMPARE(describe(read.servers), describe(servers));
    for (const NntpServer *server : read.servers) {
        QVERIFY(!server->parent());
        QVERIFY(!server->bStarted && !server->bReserved);
        QCOMPARE(server->uiBytesDownloaded, quint64(0));
    }
}

void tst_ServersFiles::writtenDocument()
{
    const auto server = makeServer(7, QStringLiteral("news.example.com"), 563, 8,
                                   QStringLiteral("me"), QStringLiteral("a&b"),
                                   QStringLiteral("Home"), true);
    const auto other = makeServer(-1, QStringLiteral("h"), 119, 1, QString(), QString(),
                                  QStringLiteral("n"), false);
    const QString path = dir->filePath(QStringLiteral("servers.tvp"));
    QCOMPARE(DialogImportExportServers::saveServersFile(path, {server.get(), other.get()}),
             DialogImportExportServers::Saved);
    QCOMPARE(QString::fromUtf8(fileBytes(path)),
             QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<Servers>\n"
                            "    <Server>\n"
                            "        <Id>7</Id>\n"
                            "        <ServerAddress>news.example.com</ServerAddress>\n"
                            "        <ServerPort>563</ServerPort>\n"
                            "        <ServerNbConnections>8</ServerNbConnections>\n"
                            "        <Login>me</Login>\n"
                            "        <Password>a&amp;b</Password>\n"
                            "        <Nickname>Home</Nickname>\n"
                            "        <IsSsl>True</IsSsl>\n"
                            "    </Server>\n"
                            "    <Server>\n"
                            "        <Id>4294967295</Id>\n"
                            "        <ServerAddress>h</ServerAddress>\n"
                            "        <ServerPort>119</ServerPort>\n"
                            "        <ServerNbConnections>1</ServerNbConnections>\n"
                            "        <Login></Login>\n"
                            "        <Password></Password>\n"
                            "        <Nickname>n</Nickname>\n"
                            "        <IsSsl>False</IsSsl>\n"
                            "    </Server>\n"
                            "</Servers>\n"));
}

void tst_ServersFiles::readingRules_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("servers");
    QTest::addColumn<QString>("why"); // the start of what the user is told when none is read

    QTest::newRow("missing, empty, misspelt and non-numeric elements")
        << "reading-rules.tvp"
        << QStringList{"4|news.one.example|119|1|reader|secret|no port, no count|ssl",
                       "5|news.two.example|0|0|||empty port and count|ssl",
                       "6||119|0|||port in other letter case|ssl",
                       "-1||0|12|||elements in another order|plain",
                       "0||80000|1|||ssl one|plain",
                       "0||119|1|first||  blanks kept  |plain"}
        << QString();
    QTest::newRow("any root; server, SERVER; other children passed over")
        << "record-names.tvp"
        << QStringList{"1||119|1|||capital|plain", "2||119|1|||lower|plain",
                       "3||119|1|||upper|plain"}
        << QString();
    QTest::newRow("no ids: every server gets 0")
        << "no-ids.tvp"
        << QStringList{"0|a.example|119|1|||a|plain", "0|b.example|119|1|||b|plain",
                       "0|c.example|119|1|||c|plain"}
        << QString();
    const QString noServer = QStringLiteral("The file holds no server: it is not a servers file, or an empty one.");
    const QString notXml = QStringLiteral("It is not a servers file: ");
    QTest::newRow("root without servers") << "no-servers.tvp" << QStringList() << noServer;
    QTest::newRow("empty file") << "empty.tvp" << QStringList() << notXml;
    QTest::newRow("not XML") << "not-xml.tvp" << QStringList() << notXml + QStringLiteral("Start tag expected. (line 1, column 1).");
    QTest::newRow("cut short: nothing of it") << "truncated.tvp" << QStringList() << notXml;
    QTest::newRow("missing file") << "absent.tvp" << QStringList()
                                  << QStringLiteral("The file cannot be read: No such file or directory.");
    QTest::newRow("a folder") << "." << QStringList() << QStringLiteral("It is a folder, not a servers file.");
}

void tst_ServersFiles::readingRules()
{
    QFETCH(QString, file);
    QFETCH(QStringList, servers);
    QFETCH(QString, why);

    QString whyNone = QStringLiteral("left from before");
    ReadServers read(DialogImportExportServers::readServersFile(serversFixture(file), &whyNone));
    QCOMPARE(describe(read.servers), servers);
    if (why.isEmpty())
        QCOMPARE(whyNone, QStringLiteral("left from before"));
    else
        QVERIFY2(whyNone.startsWith(why), qPrintable(whyNone));
}

const char *const tooManyServers = "The file holds more than 1000 servers; the program imports at most 1000 from one file.";

void tst_ServersFiles::readingStopsPastTheMostServersTaken_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<int>("read");
    QTest::addColumn<QString>("why");

    QTest::newRow("as many as are taken") << 1000 << QByteArray() << 1000 << QString();
    // What follows the server past the most is never read: had it been, the file would be
    // refused as no XML.
    QTest::newRow("one more, then no XML") << 1001 << QByteArray("<<< not XML") << 0 << QString::fromLatin1(tooManyServers);
    QTest::newRow("a hostile file of 100,000") << 100000 << QByteArray() << 0 << QString::fromLatin1(tooManyServers);
}

void tst_ServersFiles::readingStopsPastTheMostServersTaken()
{
    QFETCH(int, count);
    QFETCH(QByteArray, after);
    QFETCH(int, read);
    QFETCH(QString, why);

    const QString path = dir->filePath(QStringLiteral("many.tvp"));
    QVERIFY(writeBytes(path, serversXml(count, after)));
    QString whyNone;
    ReadServers servers(DialogImportExportServers::readServersFile(path, &whyNone));
    QCOMPARE(servers.servers.size(), read);
    QCOMPARE(whyNone, why);
    if (read > 0)
        QCOMPARE(describe(servers.servers.last()), QStringLiteral("0|news1000.example|119|1||p1000|n1000|plain"));
}

void tst_ServersFiles::olderFileOfTooManyServersStartsNoConverter()
{
    // Each password would start the converter once: none is started for a file refused.
    const QString calls = dir->filePath(QStringLiteral("calls"));
    writeConverter("echo \"$1\" >> '" + calls.toUtf8() + "'\nprintf ok");
    const QString path = dir->filePath(QStringLiteral("many.tvs"));
    QVERIFY(writeBytes(path, serversXml(1001)));
    QString whyNone;
    ReadServers read(DialogImportExportServers::readOldServersFile(path, dir->path(), 60000, &whyNone));
    QVERIFY(read.servers.isEmpty());
    QCOMPARE(whyNone, QString::fromLatin1(tooManyServers));
    QVERIFY(!QFileInfo::exists(calls));
}

// A text past its bound is kept one character longer than the bound, so that the import still
// sees it break the bound, and no more of it is held.
void tst_ServersFiles::textsAreReadUpToTheirBounds()
{
    const QByteArray huge(1024 * 1024, 'x');
    const QByteArray digits(64, '1');
    const QByteArray xml = "<Servers><Server><Id>" + digits + "</Id><ServerAddress>" + huge + "</ServerAddress><ServerPort>"
                     + QByteArray(100, '0') + "119</ServerPort><Login>" + huge + "</Login><Password>" + huge
                     + "</Password><Nickname>" + huge + "</Nickname><IsSsl>TRUE" + huge + "</IsSsl></Server></Servers>";
    const QString path = dir->filePath(QStringLiteral("long.tvp"));
    QVERIFY(writeBytes(path, xml));

    ReadServers read(DialogImportExportServers::readServersFile(path));
    QCOMPARE(read.servers.size(), 1);
    const NntpServer &server = *read.servers.first();
    QCOMPARE(server.strHost, QString(513, QLatin1Char('x')));
    QCOMPARE(server.strLogin, QString(513, QLatin1Char('x')));
    QCOMPARE(server.strPassword, QString(513, QLatin1Char('x')));
    QCOMPARE(server.strNickname, QString(257, QLatin1Char('x')));
    // Numbers too long for 32 bits stay no number, whatever their length; a long text is no "TRUE".
    QCOMPARE(server.iId, 0);
    QCOMPARE(server.iPort, 0);
    QVERIFY(!server.bSsl);

    // An older file's stored password past the bound is never handed to the converter: its
    // server is left out, as one whose password cannot be converted.
    const QString calls = dir->filePath(QStringLiteral("calls"));
    writeConverter("echo \"$1\" >> '" + calls.toUtf8() + "'\nprintf ok");
    const QString older = dir->filePath(QStringLiteral("long.tvs"));
    QVERIFY(writeBytes(older, "<Servers><Server><Nickname>long</Nickname><Password>" + QByteArray(513, 'p')
                                  + "</Password></Server><Server><Nickname>longest</Nickname><Password>"
                                  + QByteArray(512, 'p') + "</Password></Server></Servers>"));
    ReadServers converted(DialogImportExportServers::readOldServersFile(older, dir->path(), 60000));
    QCOMPARE(describe(converted.servers), QStringList{"0||119|1||ok|longest|plain"});
    QCOMPARE(fileBytes(calls), QByteArray(512, 'p') + '\n');
}

void tst_ServersFiles::fileLargerThanAnyServersFileIsRefused_data()
{
    QTest::addColumn<QString>("file");

    QTest::newRow("a server and a comment past the bound") << "commented.tvp";
    QTest::newRow("a device without end") << "/dev/zero";
}

void tst_ServersFiles::fileLargerThanAnyServersFileIsRefused()
{
    QFETCH(QString, file);

    const QByteArray server = "<Servers><Server><ServerAddress>a.example</ServerAddress><Nickname>a</Nickname></Server>";
    QVERIFY(writeBytes(dir->filePath(QStringLiteral("commented.tvp")),
                       server + "<!--" + QByteArray(DialogImportExportServers::MaxServersFileBytes, 'c')
                           + "--></Servers>"));
    const QString path = file.startsWith(QLatin1Char('/')) ? file : dir->filePath(file);
    QString whyNone;
    ReadServers read(DialogImportExportServers::readServersFile(path, &whyNone));
    QVERIFY(read.servers.isEmpty());
    QCOMPARE(whyNone, QStringLiteral("The file is larger than 16 MiB, more than any servers file takes."));
}

// The bounds refuse nothing the program writes: the most servers it takes, every text at the
// editor's bound and each character written escaped, are read back whole.
void tst_ServersFiles::theMostServersAtTheirBoundsAreReadBack()
{
    std::vector<std::unique_ptr<NntpServer>> owned;
    QList<NntpServer *> servers;
    const QString longest(512, QLatin1Char('"'));
    for (int i = 0; i < DialogImportExportServers::MaxServersInFile; ++i) {
        owned.push_back(makeServer(-1, longest, 65535, 100, longest, longest, QString(256, QLatin1Char('"')), true));
        servers << owned.back().get();
    }
    const QString path = dir->filePath(QStringLiteral("most.tvp"));
    QCOMPARE(DialogImportExportServers::saveServersFile(path, servers), DialogImportExportServers::Saved);
    QVERIFY(QFileInfo(path).size() > 10 * 1024 * 1024);
    ReadServers read(DialogImportExportServers::readServersFile(path));
    QCOMPARE(read.servers.size(), servers.size());
    QCOMPARE(describe(read.servers.last()), describe(servers.last()));
}

void tst_ServersFiles::olderFilePasswordsGoThroughTheConverter()
{
    // Each stored password reaches the converter as its one argument, whatever it holds; the
    // record with an empty password starts no converter.
    const QString calls = dir->filePath(QStringLiteral("calls"));
    writeConverter("printf '%s:%s\\n' \"$#\" \"$1\" >> '" + calls.toUtf8() + "'\n"
                   "printf 'clear-%s\\r\\n' \"$1\"");

    ReadServers read(
        DialogImportExportServers::readOldServersFile(serversFixture(QStringLiteral("older.tvs")),
                                                      dir->path(), 60000));
    QCOMPARE(describe(read.servers),
             (QStringList{"1|news.first.example|119|4|first|clear-stored one|first|plain",
                          "2|news.second.example|563|8|||no password|ssl",
                          "3|news.third.example|119|1|third|clear-\"quoted\" & $HOME|third|plain",
                          "4|news.fourth.example|119|1|fourth|clear-two;words|fourth|plain"}));
    QCOMPARE(QString::fromUtf8(fileBytes(calls)),
             QStringLiteral("1:stored one\n1:\"quoted\" & $HOME\n1:two;words\n"));
}

void tst_ServersFiles::converterOutputEnding_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("password");

    QTest::newRow("CR LF removed") << QByteArray("pw\\r\\n") << "pw";
    QTest::newRow("lone LF kept") << QByteArray("pw\\n") << "pw\n";
    QTest::newRow("two CR LF pairs keep one") << QByteArray("pw\\r\\n\\r\\n") << "pw\r\n";
    QTest::newRow("CR LF inside kept") << QByteArray("a\\r\\nb") << "a\r\nb";
    QTest::newRow("nothing printed") << QByteArray("") << "";
    QTest::newRow("UTF-8") << QByteArray("p\\303\\244ss\\r\\n") << QString::fromUtf8("päss");
}

void tst_ServersFiles::converterOutputEnding()
{
    QFETCH(QByteArray, output);
    QFETCH(QString, password);

    writeConverter("printf '" + output + "'");
    ReadServers read(
        DialogImportExportServers::readOldServersFile(serversFixture(QStringLiteral("older.tvs")),
                                                      dir->path(), 60000));
    QCOMPARE(read.servers.size(), 4);
    QCOMPARE(read.servers.at(0)->strPassword, password);
    QCOMPARE(read.servers.at(1)->strPassword, QString());
}

void tst_ServersFiles::failedConversionsDropTheirRecord_data()
{
    QTest::addColumn<QByteArray>("failure");

    // What the converter does for the password of the third record.
    QTest::newRow("non-zero exit after an error text")
        << QByteArray("echo 'cannot convert this password'; exit 3");
    QTest::newRow("error text on standard error")
        << QByteArray("echo 'cannot convert' >&2; exit 1");
    QTest::newRow("killed by a signal") << QByteArray("printf partial; kill -9 $$");
}

void tst_ServersFiles::failedConversionsDropTheirRecord()
{
    QFETCH(QByteArray, failure);

    writeConverter("case \"$1\" in *quoted*) " + failure + " ;; esac\nprintf 'ok'");
    ReadServers read(
        DialogImportExportServers::readOldServersFile(serversFixture(QStringLiteral("older.tvs")),
                                                      dir->path(), 60000));
    QCOMPARE(describe(read.servers),
             (QStringList{"1|news.first.example|119|4|first|ok|first|plain",
                          "2|news.second.example|563|8|||no password|ssl",
                          "4|news.fourth.example|119|1|fourth|ok|fourth|plain"}));
}

void tst_ServersFiles::converterPastItsTimeLimitIsKilled()
{
    // A converter that hangs on the first password: that record is dropped, the converter is
    // gone, and the following records are still converted.
    const QString pidFile = dir->filePath(QStringLiteral("pid"));
    writeConverter("if [ \"$1\" = 'stored one' ]; then echo $$ > '" + pidFile.toUtf8()
                   + "'; exec sleep 600; fi\nprintf 'ok'");

    ReadServers read(
        DialogImportExportServers::readOldServersFile(serversFixture(QStringLiteral("older.tvs")),
                                                      dir->path(), 500));
    QCOMPARE(describe(read.servers),
             (QStringList{"2|news.second.example|563|8|||no password|ssl",
                          "3|news.third.example|119|1|third|ok|third|plain",
                          "4|news.fourth.example|119|1|fourth|ok|fourth|plain"}));
    const qint64 pid = StandInProgram::readPid(pidFile);
    QVERIFY(pid > 0);
    QVERIFY(StandInProgram::isGone(pid));
}

void tst_ServersFiles::missingConverterKeepsRecordsWithoutPassword()
{
    // The converter is looked for in the given folder only, never on the PATH.
    QTemporaryDir empty;
    ReadServers read(DialogImportExportServers::readOldServersFile(
        serversFixture(QStringLiteral("older.tvs")), empty.path(), 60000));
    QCOMPARE(describe(read.servers),
             QStringList{"2|news.second.example|563|8|||no password|ssl"});

    // The program's own folder holds no converter: the same result without a folder given.
    ReadServers fromProgramFolder(
        DialogImportExportServers::readOldServersFile(serversFixture(QStringLiteral("older.tvs"))));
    QCOMPARE(describe(fromProgramFolder.servers), describe(read.servers));

    // When every server of the file is left out so, the user is told why.
    const QString onlyPasswords = dir->filePath(QStringLiteral("passwords.tvs"));
    QVERIFY(writeBytes(onlyPasswords, "<Servers><Server><ServerAddress>a.example</ServerAddress>"
                                      "<Password>stored</Password><Nickname>a</Nickname></Server></Servers>"));
    QString whyNone;
    ReadServers none(DialogImportExportServers::readOldServersFile(onlyPasswords, empty.path(), 60000, &whyNone));
    QVERIFY(none.servers.isEmpty());
    QCOMPARE(whyNone, QStringLiteral("The passwords of its servers could not be converted; the log names the servers."));
}

void tst_ServersFiles::exportThatCannotBeCreatedFails_data()
{
    QTest::addColumn<QString>("target");

    QTest::newRow("device /dev/full") << "/dev/full";
    QTest::newRow("below a regular file") << "file/servers.tvp";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("missing folder") << "missing/servers.tvp";
}

void tst_ServersFiles::exportThatCannotBeCreatedFails()
{
    QFETCH(QString, target);

    QVERIFY(writeBytes(dir->filePath(QStringLiteral("file")), "a regular file"));
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("folder")));
    const QString path = target.startsWith(QLatin1Char('/')) ? target : dir->filePath(target);
    struct stat before {};
    const bool isDevice = stat(path.toLocal8Bit().constData(), &before) == 0
                          && S_ISCHR(before.st_mode);

    const auto server = makeServer(1, QStringLiteral("h"), 119, 1, QString(), QStringLiteral("p"),
                                   QStringLiteral("n"), false);
    QCOMPARE(DialogImportExportServers::saveServersFile(path, {server.get()}),
             DialogImportExportServers::NotCreated);

    QCOMPARE(fileBytes(dir->filePath(QStringLiteral("file"))), QByteArray("a regular file"));
    QVERIFY(QFileInfo(dir->filePath(QStringLiteral("folder"))).isDir());
    if (isDevice) {
        // Still the device, not a file put in its place.
        struct stat after {};
        QCOMPARE(stat(path.toLocal8Bit().constData(), &after), 0);
        QVERIFY(S_ISCHR(after.st_mode));
        QCOMPARE(after.st_rdev, before.st_rdev);
    }
}

void tst_ServersFiles::exportThatCannotBeWrittenKeepsTheEarlierFile()
{
    // The disk fills up half-way through: the export fails and the file already there is whole.
    const QString path = dir->filePath(QStringLiteral("servers.tvp"));
    QVERIFY(writeBytes(path, "earlier export"));
    std::vector<std::unique_ptr<NntpServer>> owned;
    QList<NntpServer *> servers;
    for (int id = 1; id <= 20; ++id) {
        owned.push_back(makeServer(id, QStringLiteral("news%1.example.com").arg(id), 119, 4,
                                   QStringLiteral("login"), QStringLiteral("password"),
                                   QStringLiteral("server %1").arg(id), false));
        servers << owned.back().get();
    }

    DialogImportExportServers::SaveResult result;
    {
        FileSizeLimit limit(200);
        QVERIFY(limit.active);
        result = DialogImportExportServers::saveServersFile(path, servers);
    }
    QCOMPARE(int(result), int(DialogImportExportServers::NotWritten));
    QCOMPARE(fileBytes(path), QByteArray("earlier export"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"servers.tvp"});

    // With room again the same export goes through.
    QCOMPARE(DialogImportExportServers::saveServersFile(path, servers),
             DialogImportExportServers::Saved);
    ReadServers read(DialogImportExportServers::readServersFile(path));
    QCOMPARE(read.servers.size(), 20);
}

void tst_ServersFiles::exportReplacesAnEarlierFile()
{
    const QString path = dir->filePath(QStringLiteral("servers.tvp"));
    QVERIFY(writeBytes(path, QByteArray(5000, 'x')));
    const auto server = makeServer(9, QStringLiteral("h"), 119, 1, QString(), QString(),
                                   QStringLiteral("only"), false);
    QCOMPARE(DialogImportExportServers::saveServersFile(path, {server.get()}),
             DialogImportExportServers::Saved);
    ReadServers read(DialogImportExportServers::readServersFile(path));
    QCOMPARE(describe(read.servers), QStringList{"9|h|119|1|||only|plain"});
    QVERIFY(!fileBytes(path).contains("xxx"));
}

QTEST_MAIN(tst_ServersFiles)
#include "tst_ServersFiles.moc"
