#ifndef NEWSPOSTINGFIXTURE_H
#define NEWSPOSTINGFIXTURE_H

#include "../engine/SegmentBodyWriter.h"
#include "config/AppConfiguration.h"
#include "model/NntpServer.h"
#include "QsLog/Logger.h"

#include "NntpTestServer.h"
#include "WindowTestFixture.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// What the window tests that download from the test news server share: files posted to the
// server in yEnc parts with their NZB, their PAR2 files made by par2, and the checks of what
// reached the disk.
namespace NewsPostingFixture {

struct Posted
{
    QString name;
    QByteArray data;
};

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

inline QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Before each window that downloads: the configuration counts as read, PAR2 files are not
// kept, and the program logs (INFO and up) into a new file of its Logs folder. False when the
// log file cannot be made.
inline bool logIntoFiles()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    config->loaded = true;
    config->autoKeepPar2Files = false;
    if (config->fileDestination) {
        QsLogging::Logger::getInstance()->detachDestination(config->fileDestination);
        delete config->fileDestination;
        config->fileDestination = nullptr;
    }
    config->logLevel = 2;
    return config->initLogs();
}

// What the program wrote into its log files.
inline QString logText()
{
    QString text;
    const QDir logs(AppConfiguration::getLogsFolder());
    for (const QString &name : logs.entryList(QDir::Files))
        text += QString::fromUtf8(readFile(logs.filePath(name)));
    return text;
}

// The PAR2 files that `par2 create` makes for `files` with these options (the PAR2 file's name
// last); empty when par2 fails.
inline QList<Posted> par2Files(const QList<Posted> &files, const QStringList &options)
{
    QTemporaryDir made;
    QList<Posted> created;
    if (!made.isValid())
        return created;
    QStringList arguments = QStringList{QStringLiteral("create"), QStringLiteral("-q")} + options;
    for (const Posted &file : files) {
        if (!WindowTestFixture::writeFile(made.filePath(file.name), file.data))
            return created;
        arguments << file.name;
    }
    QProcess par2;
    par2.setWorkingDirectory(made.path());
    par2.start(QStringLiteral("par2"), arguments);
    if (!par2.waitForFinished(60000) || par2.exitStatus() != QProcess::NormalExit || par2.exitCode() != 0)
        return created;
    for (const QString &name : entries(made.path())) {
        if (name.endsWith(QLatin1String(".par2")))
            created.append({name, readFile(made.filePath(name))});
    }
    return created;
}

// The files followed by their PAR2 files (index and one recovery volume, blocks of `blockSize`
// bytes, `recoveryBlocks` of them); empty when par2 fails.
inline QList<Posted> withPar2Files(const QList<Posted> &files, const QString &setName, int blockSize, int recoveryBlocks)
{
    const QList<Posted> par2 = par2Files(files, {QStringLiteral("-s%1").arg(blockSize), QStringLiteral("-c%1").arg(recoveryBlocks),
                                                 QStringLiteral("-n1"), setName + QStringLiteral(".par2")});
    return par2.isEmpty() ? QList<Posted>() : files + par2;
}

// Each posted file goes to the server in yEnc parts of `partSize` bytes, under message ids
// "<tag>.<file>.<part>@test"; the NZB file "<tag>.nzb" is written into `folder`. Its path, empty
// when it could not be written.
inline QString post(NntpTestServer &news, const QString &folder, const QString &tag, const QList<Posted> &files,
                    int partSize, NntpTestArticle::Fault fault = NntpTestArticle::Fault::None)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n";
    for (int f = 0; f < files.size(); ++f) {
        const Posted &file = files.at(f);
        const int parts = qMax(1, (file.data.size() + partSize - 1) / partSize);
        xml += "<file poster=\"p@x\" date=\"1300000000\" subject=\"&quot;" + file.name.toHtmlEscaped().toUtf8()
               + "&quot; yEnc (1/" + QByteArray::number(parts) + ")\">\n<groups><group>alt.binaries.test</group></groups>\n<segments>\n";
        for (int p = 0; p < parts; ++p) {
            SegmentBodyWriter::YencPart part;
            part.number = p + 1;
            part.total = parts;
            part.begin = qint64(p) * partSize + 1;
            part.end = qMin<qint64>(qint64(p + 1) * partSize, file.data.size());
            const QByteArray body = SegmentBodyWriter::yencMultiPart(file.name, file.data, part);
            const QString id = QStringLiteral("%1.%2.%3@test").arg(tag).arg(f).arg(p + 1);
            news.addArticle(id, body, -1, fault);
            xml += "<segment bytes=\"" + QByteArray::number(body.size()) + "\" number=\"" + QByteArray::number(p + 1)
                   + "\">" + id.toUtf8() + "</segment>\n";
        }
        xml += "</segments>\n</file>\n";
    }
    const QString path = folder + QLatin1Char('/') + tag + QStringLiteral(".nzb");
    return WindowTestFixture::writeFile(path, xml + "</nzb>\n") ? path : QString();
}

// A started server of two connections on 127.0.0.1, without a login.
inline NntpServer *startedServer(qint32 id, const QString &nickname, quint16 port)
{
    auto *server = new NntpServer;
    server->iId = id;
    server->strHost = QStringLiteral("127.0.0.1");
    server->iPort = port;
    server->strNickname = nickname;
    server->iConnectionCount = 2;
    server->bStarted = true;
    return server;
}

} // namespace NewsPostingFixture

#endif // NEWSPOSTINGFIXTURE_H
