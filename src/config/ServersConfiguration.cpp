#include "config/ServersConfiguration.h"

#include "config/AppConfiguration.h"
#include "config/UtilsFilesFolders.h"
#include "model/NntpServer.h"
#include "platform/Aes.h"

#include <QDataStream>
#include <QDir>
#include <QFile>

#include <cstring>

namespace {

// Fixed key and IV of the server record files: equal settings give equal files.
const unsigned char recordKey[32] = {
    0x3b, 0x7e, 0x19, 0xa4, 0xc2, 0xd8, 0x5f, 0x06, 0xe1, 0xa9, 0x4b, 0x27, 0xd0, 0xc3, 0xf5, 0x8a,
    0x6e, 0x2b, 0x91, 0xd4, 0x7c, 0x05, 0xa3, 0xe8, 0xf1, 0x6d, 0x29, 0xb4, 0xa7, 0xc0, 0xe5, 0x3d};
const unsigned char recordIv[16] = {
    0x9d, 0x4f, 0x2a, 0x6c, 0x81, 0xe0, 0x7b, 0x35, 0xc6, 0xa1, 0x9e, 0x58, 0xf2, 0x0d, 0x4b, 0x73};

const int StreamVersion = 12;

QByteArray cipherBlock(const QByteArray &block, bool encrypt)
{
    unsigned char key[sizeof recordKey];
    unsigned char iv[sizeof recordIv];
    std::memcpy(key, recordKey, sizeof key);
    std::memcpy(iv, recordIv, sizeof iv);

    QByteArray result(ServersConfiguration::RecordFileSize, '\0');
    QByteArray source = block.left(ServersConfiguration::PlainBlockSize);
    source.resize(ServersConfiguration::PlainBlockSize);
    Aes aes;
    aes_ctx context;
    if (encrypt)
        aes.aes_init_enc(&context, 256, key);
    else
        aes.aes_init_dec(&context, 256, key);
    aes.aes_init_iv(&context, iv);
    auto *destination = reinterpret_cast<unsigned char *>(result.data());
    auto *plainOrCipher = reinterpret_cast<unsigned char *>(source.data());
    if (encrypt)
        aes.aes_enc_cbc(destination, plainOrCipher, ServersConfiguration::PlainBlockSize, &context);
    else
        aes.aes_dec_cbc(destination, plainOrCipher, ServersConfiguration::PlainBlockSize, &context);
    return result;
}

} // namespace

ServersConfiguration::ServersConfiguration(QObject *parent)
    : QObject(parent)
{
}

ServersConfiguration::~ServersConfiguration()
{
    qDeleteAll(listServers);
}

QString ServersConfiguration::getHistoFolder()
{
    return AppConfiguration::getServersFolder() + QDir::separator() + QLatin1String("Histo");
}

QString ServersConfiguration::serverFileName(qint32 id)
{
    return QLatin1String("Server_") + QString::number(quint32(id));
}

QByteArray ServersConfiguration::plainBlock(const NntpServer &server)
{
    QByteArray block;
    QDataStream stream(&block, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    stream << server;
    if (block.size() > PlainBlockSize)
        return QByteArray();
    block.append(PlainBlockSize - block.size(), '\0');
    return block;
}

QByteArray ServersConfiguration::recordFileContent(const NntpServer &server)
{
    const QByteArray block = plainBlock(server);
    if (block.isEmpty())
        return QByteArray();
    return cipherBlock(block, true);
}

NntpServer *ServersConfiguration::serverFromFileContent(const QByteArray &content)
{
    if (content.size() != RecordFileSize)
        return nullptr;
    const QByteArray plain = cipherBlock(content, false);
    QDataStream stream(plain);
    stream.setVersion(StreamVersion);
    auto *server = new NntpServer(nullptr);
    stream >> *server;
    if (stream.status() != QDataStream::Ok || !hasValidSettings(*server)) {
        delete server;
        return nullptr;
    }
    return server;
}

NntpServer *ServersConfiguration::findServer(qint32 id) const
{
    for (NntpServer *server : listServers) {
        if (server->iId == id)
            return server;
    }
    return nullptr;
}

bool ServersConfiguration::hasValidSettings(const NntpServer &server)
{
    return server.iPort >= 1 && server.iPort <= 65535 && server.iConnectionCount >= 1
        && server.iConnectionCount <= MaxConnectionCount;
}

qint32 ServersConfiguration::nextServerId() const
{
    quint32 highest = 0;
    for (const NntpServer *server : listServers)
        highest = qMax(highest, quint32(server->iId));
    const QString prefix = serverFileName(0).chopped(1);
    const QDir folder(AppConfiguration::getServersFolder());
    const QStringList names = folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        bool ok = false;
        const quint32 id = name.mid(prefix.size()).toUInt(&ok, 10);
        if (ok && name == serverFileName(qint32(id)))
            highest = qMax(highest, id);
    }
    return qint32(highest + 1);
}

// The names the program writes records under ("Server_" and the id in decimal).
bool ServersConfiguration::isRecordFileName(const QString &fileName)
{
    bool ok = false;
    const QString prefix = serverFileName(0).chopped(1);
    const quint32 id = fileName.mid(prefix.size()).toUInt(&ok, 10);
    return ok && fileName == serverFileName(qint32(id));
}

bool ServersConfiguration::fitsInRecord(const NntpServer &server)
{
    return !plainBlock(server).isEmpty();
}

void ServersConfiguration::loadServers()
{
    listUnreadableFiles.clear();
    const QDir folder(AppConfiguration::getServersFolder());
    if (!folder.exists())
        return;
    const QFileInfoList files = folder.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo &fileInfo : files) {
        QFile file(fileInfo.absoluteFilePath());
        NntpServer *server = nullptr;
        if (fileInfo.size() == RecordFileSize && file.open(QIODevice::ReadOnly))
            server = serverFromFileContent(file.readAll());
        if (!server) {
            // Anything else in the folder (a stranger, what an interrupted save left) is passed
            // over as before; a record is the user's server, and the file stays for its rescue.
            if (isRecordFileName(fileInfo.fileName()))
                listUnreadableFiles.append(fileInfo.fileName());
            continue;
        }
        // Two files of one id (a copy, or what an interrupted save left beside the record)
        // would share the same files: the first one read is kept.
        if (findServer(server->iId)) {
            delete server;
            continue;
        }
        loadHisto(*server);
        listServers.append(server);
    }
}

void ServersConfiguration::loadHisto(NntpServer &server)
{
    QFile file(getHistoFolder() + QDir::separator() + serverFileName(server.iId));
    if (!file.open(QIODevice::ReadOnly))
        return;
    QDataStream stream(file.readAll());
    stream.setVersion(StreamVersion);
    NntpServerHistoNbBytes histo;
    stream >> histo;
    if (stream.status() != QDataStream::Ok)
        return;
    server.histoNbBytes.iCount = histo.iCount;
    server.histoNbBytes.dtStart = histo.dtStart;
    server.uiBytesDownloaded = quint64(histo.iCount);
}

bool ServersConfiguration::saveServers()
{
    lastError.clear();
    const QString folder = AppConfiguration::getServersFolder();
    if (!AppConfiguration::makeDataSubFolder(folder)) {
        lastError = tr("Failed to create directory %1").arg(folder);
        return false;
    }
    QStringList failures;
    for (const NntpServer *server : qAsConst(listServers)) {
        const QByteArray content = recordFileContent(*server);
        const QString path = folder + QDir::separator() + serverFileName(server->iId);
        // A record too long for the block is not stored at all rather than stored cut short.
        if (content.isEmpty())
            failures << tr("The settings of server %1 are too long to be stored").arg(server->strNickname);
        else if (!UtilsFilesFolders::saveFile(path, content))
            failures << tr("Failed to write file %1").arg(path);
    }
    lastError = failures.join(QLatin1Char('\n'));
    return failures.isEmpty();
}

void ServersConfiguration::saveServerHisto(qint32 id)
{
    if (!AppConfiguration::makeDataSubFolder(getHistoFolder()))
        return;
    for (int i = listServers.size() - 1; i >= 0; --i) {
        if (listServers.at(i)->iId == id) {
            writeHisto(*listServers.at(i));
            return;
        }
    }
}

void ServersConfiguration::saveAllServersHisto()
{
    if (!AppConfiguration::makeDataSubFolder(getHistoFolder()))
        return;
    for (const NntpServer *server : qAsConst(listServers))
        writeHisto(*server);
}

bool ServersConfiguration::writeHisto(const NntpServer &server)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    stream << server.histoNbBytes;
    return UtilsFilesFolders::saveFile(getHistoFolder() + QDir::separator() + serverFileName(server.iId), bytes);
}

void ServersConfiguration::deleteServer(qint32 id)
{
    for (int i = 0; i < listServers.size(); ++i) {
        if (listServers.at(i)->iId != id)
            continue;
        delete listServers.takeAt(i);
        QFile::remove(AppConfiguration::getServersFolder() + QDir::separator() + serverFileName(id));
        QFile::remove(getHistoFolder() + QDir::separator() + serverFileName(id));
        return;
    }
}
