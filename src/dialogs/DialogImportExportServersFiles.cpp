// Servers files: the writer, the reader of the current file and the reader of the older one
// with its password converter.
#include "dialogs/DialogImportExportServers.h"

#include "QsLog/QsLog.h"
#include "dialogs/ServerFieldRules.h"
#include "model/NntpServer.h"
#include "platform/UtilsProcess.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <functional>
#include <memory>

const char *const DialogImportExportServers::ConverterProgram = "MigrateFromOldTessaquill";

namespace {

// The texts of one record element's children, the first child of each name only.
using RecordTexts = QHash<QString, QString>;

// Decides, for a server just read, whether it is kept; it may change the server.
using RecordFilter = std::function<bool(NntpServer &)>;

// How much of a number's text is read: more than any 32-bit number takes, with some blanks
// around it. A longer text is cut and so, like any text too long, is no number.
constexpr int NumberTextBound = 32;

// How many characters of each element of a record are read; 0 for an element that is no
// field, passed over. A text is kept one character past the editor's bound, so that a text
// too long is still seen to be too long, and no more of it is held.
int readBound(const QString &name)
{
    using Rules = ServerFieldRules;
    static const QHash<QString, int> bounds{{QStringLiteral("Id"), NumberTextBound},
                                            {QStringLiteral("ServerAddress"), Rules::MaxHostLength + 1},
                                            {QStringLiteral("ServerPort"), NumberTextBound},
                                            {QStringLiteral("ServerNbConnections"), NumberTextBound},
                                            {QStringLiteral("Login"), Rules::MaxLoginLength + 1},
                                            {QStringLiteral("Password"), Rules::MaxPasswordLength + 1},
                                            {QStringLiteral("Nickname"), Rules::MaxNicknameLength + 1},
                                            {QStringLiteral("IsSsl"), NumberTextBound}};
    return bounds.value(name, 0);
}

// The character data directly inside the current element (text and CDATA, entities
// resolved), its first `bound` characters; nested elements and comments are passed over.
// Leaves the reader on the element's end.
QString readElementText(QXmlStreamReader &xml, int bound)
{
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement())
            break;
        if (xml.isStartElement())
            xml.skipCurrentElement();
        else if (xml.isCharacters() && text.size() < bound)
            text += xml.text().left(bound - text.size());
    }
    return text;
}

RecordTexts readRecord(QXmlStreamReader &xml)
{
    RecordTexts texts;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement())
            break;
        if (!xml.isStartElement())
            continue;
        const QString name = xml.qualifiedName().toString();
        const int bound = readBound(name);
        if (bound == 0 || texts.contains(name))
            xml.skipCurrentElement();
        else
            texts.insert(name, readElementText(xml, bound));
    }
    return texts;
}

// Every child element of the root whose name, upper-cased, is "SERVER", in document order;
// false when the document is not well-formed XML or holds more servers than are taken
// (nothing of it is used then, and nothing past the server too many is read; `error` says
// why). Whitespace inside values is kept as it is: a password of blanks stays a password of
// blanks.
bool readRecords(const QByteArray &document, QList<RecordTexts> &records, QString &error)
{
    QXmlStreamReader xml(document);
    xml.setNamespaceProcessing(false);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.qualifiedName().toString().toUpper() != QLatin1String("SERVER")) {
            xml.skipCurrentElement();
            continue;
        }
        if (records.size() == DialogImportExportServers::MaxServersInFile) {
            error = DialogImportExportServers::tr("The file holds more than %1 servers; the program imports at most "
                                                  "%1 from one file.")
                        .arg(int(DialogImportExportServers::MaxServersInFile));
            return false;
        }
        records << readRecord(xml);
    }
    if (!xml.hasError())
        return true;
    error = DialogImportExportServers::tr("It is not a servers file: %1 (line %2, column %3).")
                .arg(xml.errorString())
                .arg(xml.lineNumber())
                .arg(xml.columnNumber());
    return false;
}

qint32 numberOrZero(const QString &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok);
    return ok ? qint32(value) : 0;
}

qint32 numberOr(const RecordTexts &texts, const char *name, qint32 missing)
{
    const auto it = texts.constFind(QLatin1String(name));
    return it == texts.constEnd() ? missing : numberOrZero(*it);
}

NntpServer *serverFromRecord(const RecordTexts &texts)
{
    auto *server = new NntpServer;
    server->iId = numberOr(texts, "Id", 0);
    server->strHost = texts.value(QStringLiteral("ServerAddress"));
    server->iPort = numberOr(texts, "ServerPort", 119);
    server->iConnectionCount = numberOr(texts, "ServerNbConnections", 1);
    server->strLogin = texts.value(QStringLiteral("Login"));
    server->strNickname = texts.value(QStringLiteral("Nickname"));
    server->strPassword = texts.value(QStringLiteral("Password"));
    server->bSsl = texts.value(QStringLiteral("IsSsl")).toUpper() == QLatin1String("TRUE");
    return server;
}

void tell(QString *whyNone, const QString &reason)
{
    if (whyNone)
        *whyNone = reason;
}

QList<NntpServer *> readServers(const QString &filePath, const RecordFilter &keep, QString *whyNone)
{
    QFile file(filePath);
    if (QFileInfo(filePath).isDir()) {
        tell(whyNone, DialogImportExportServers::tr("It is a folder, not a servers file."));
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        tell(whyNone, DialogImportExportServers::tr("The file cannot be read: %1.").arg(file.errorString()));
        return {};
    }
    // No further than the largest servers file: a larger one, or a device without end, is
    // refused before anything of it is parsed.
    const QByteArray document = file.read(qint64(DialogImportExportServers::MaxServersFileBytes) + 1);
    file.close();
    if (document.size() > DialogImportExportServers::MaxServersFileBytes) {
        tell(whyNone, DialogImportExportServers::tr("The file is larger than %1 MiB, more than any servers file "
                                                    "takes.")
                          .arg(DialogImportExportServers::MaxServersFileBytes / (1024 * 1024)));
        return {};
    }
    QList<RecordTexts> records;
    QString error;
    if (!readRecords(document, records, error)) {
        tell(whyNone, error);
        return {};
    }
    if (records.isEmpty()) {
        tell(whyNone, DialogImportExportServers::tr("The file holds no server: it is not a servers file, or an empty "
                                                    "one."));
        return {};
    }

    QList<NntpServer *> servers;
    for (const RecordTexts &texts : qAsConst(records)) {
        std::unique_ptr<NntpServer> server(serverFromRecord(texts));
        if (!keep || keep(*server))
            servers << server.release();
    }
    if (servers.isEmpty())
        tell(whyNone, DialogImportExportServers::tr("The passwords of its servers could not be converted; the log "
                                                    "names the servers."));
    return servers;
}

// Runs the converter on one stored password. The stored text is the converter's one and only
// argument, whatever blanks or quotes it holds. Only a run that ends by itself with exit
// status 0 gives a password: anything else would put an error text in its place.
bool convertOldPassword(const QString &stored, const QString &converterFolder, int timeLimitMs,
                        const QString &nickname, QString &password)
{
    ProcessRunOptions options;
    options.programFolder = converterFolder;
    options.systemPathFallback = false;
    options.timeLimitMs = timeLimitMs;
    const ProcessRun run = UtilsProcess::runHidden(
        QString::fromLatin1(DialogImportExportServers::ConverterProgram), {stored}, options);
    if (!run.started) {
        QLOG_WARN() << QStringLiteral("Servers file: the password converter %1 could not be "
                                      "started; server %2 left out")
                           .arg(QString::fromLatin1(DialogImportExportServers::ConverterProgram),
                                nickname);
        return false;
    }
    if (run.timedOut || run.exitCode != 0) {
        QLOG_WARN() << QStringLiteral("Servers file: the password converter %1 for server %2; "
                                      "server left out")
                           .arg(run.timedOut ? QStringLiteral("ran out of time")
                                             : QStringLiteral("failed with status %1")
                                                   .arg(run.exitCode),
                                nickname);
        return false;
    }
    password = run.output;
    if (password.endsWith(QLatin1String("\r\n")))
        password.chop(2);
    return true;
}

void writeServer(QXmlStreamWriter &xml, const NntpServer &server)
{
    xml.writeStartElement(QStringLiteral("Server"));
    xml.writeTextElement(QStringLiteral("Id"), QString::number(quint32(server.iId)));
    xml.writeTextElement(QStringLiteral("ServerAddress"), server.strHost);
    xml.writeTextElement(QStringLiteral("ServerPort"), QString::number(quint32(server.iPort)));
    xml.writeTextElement(QStringLiteral("ServerNbConnections"),
                         QString::number(quint32(server.iConnectionCount)));
    xml.writeTextElement(QStringLiteral("Login"), server.strLogin);
    xml.writeTextElement(QStringLiteral("Password"), server.strPassword);
    xml.writeTextElement(QStringLiteral("Nickname"), server.strNickname);
    xml.writeTextElement(QStringLiteral("IsSsl"),
                         server.bSsl ? QStringLiteral("True") : QStringLiteral("False"));
    xml.writeEndElement();
}

bool writeServers(QIODevice &device, const QList<NntpServer *> &servers)
{
    QXmlStreamWriter xml(&device);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("Servers"));
    for (const NntpServer *server : servers)
        writeServer(xml, *server);
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError();
}

} // namespace

QList<NntpServer *> DialogImportExportServers::readServersFile(const QString &filePath, QString *whyNone)
{
    return readServers(filePath, RecordFilter(), whyNone);
}

QList<NntpServer *> DialogImportExportServers::readOldServersFile(const QString &filePath, QString *whyNone)
{
    return readOldServersFile(filePath, QString(), ConverterTimeLimitMs, whyNone);
}

QList<NntpServer *> DialogImportExportServers::readOldServersFile(const QString &filePath,
                                                                  const QString &converterFolder,
                                                                  int timeLimitMs, QString *whyNone)
{
    return readServers(
        filePath,
        [&](NntpServer &server) {
            if (server.strPassword.isEmpty())
                return true;
            if (server.strPassword.size() > ServerFieldRules::MaxPasswordLength) {
                // Read only in part: what the converter made of that part would be no password.
                QLOG_WARN() << QStringLiteral("Servers file: the stored password of server %1 is longer than %2 "
                                              "characters; server left out")
                                   .arg(server.strNickname)
                                   .arg(int(ServerFieldRules::MaxPasswordLength));
                return false;
            }
            return convertOldPassword(server.strPassword, converterFolder, timeLimitMs, server.strNickname,
                                      server.strPassword);
        },
        whyNone);
}

DialogImportExportServers::SaveResult
DialogImportExportServers::saveServersFile(const QString &filePath,
                                           const QList<NntpServer *> &servers)
{
    // Replacing a device or a pipe by a regular file is never what the user meant (and writing
    // into /dev/full "succeeds" until the data is lost).
    const QFileInfo target(filePath);
    if (target.exists() && !target.isFile())
        return NotCreated;
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return NotCreated;
    // The passwords are in clear: only the user may read the file, also when it replaces one
    // that others could read. Set before anything is written.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return NotCreated;
    }
    // The explicit flush matters: a write that the disk cuts short shows only there, and
    // commit() would otherwise put the short file in place and report success.
    if (!writeServers(file, servers) || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return NotWritten;
    }
    return file.commit() ? Saved : NotWritten;
}
