#ifndef SERVERSCONFIGURATION_H
#define SERVERSCONFIGURATION_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class NntpServer;

// The configured news servers and their files: one enciphered record file per server in the
// "Servers" folder and one byte-count file per server in its "Histo" sub-folder. Owns the servers.
class ServersConfiguration : public QObject
{
    Q_OBJECT

public:
    explicit ServersConfiguration(QObject *parent = nullptr);
    ~ServersConfiguration() override;

    // Reads every server record file of the server folder into the list. The record files
    // that could not be read stay where they are, named in listUnreadableFiles.
    void loadServers();
    // Writes the record file of every server; false when the folder cannot be created or some
    // server could not be written (the others are written all the same), with lastError
    // saying what was not saved, one line each.
    bool saveServers();
    // Writes the byte-count file of the server with that id (the last one in the list).
    void saveServerHisto(qint32 id);
    void saveAllServersHisto();
    // Removes the first server with that id from the list, deletes it and removes its files.
    void deleteServer(qint32 id);

    // The id for a new server: one more than the highest id, compared as unsigned numbers,
    // among the configured servers and the record files of the server folder (a record that
    // could not be read keeps its file, so its id stays taken); 1 when there is none.
    qint32 nextServerId() const;

    static QString getHistoFolder();
    static QString serverFileName(qint32 id);

    // The server's record padded with zeros to one plain block; empty when the record does not
    // fit in the block.
    static QByteArray plainBlock(const NntpServer &server);
    // The record file's content for a server: the enciphered plain block, then 32 zero bytes.
    // Empty when the record does not fit.
    static QByteArray recordFileContent(const NntpServer &server);
    // A server read from a record file's content; null when the content is not a valid record
    // (wrong size, damaged stream, port or connection count out of range).
    static NntpServer *serverFromFileContent(const QByteArray &content);

    enum {
        PlainBlockSize = 4096,
        RecordFileSize = 4128,
        MaxConnectionCount = 100
    };

    // Whether the record of that server fits in its block.
    static bool fitsInRecord(const NntpServer &server);

    QList<NntpServer *> listServers;
    // File names of the server folder's records that the last load could not read.
    QStringList listUnreadableFiles;
    // What the last save could not write; empty after a save that wrote everything.
    QString lastError;

private:
    NntpServer *findServer(qint32 id) const;
    static bool writeHisto(const NntpServer &server);
    static void loadHisto(NntpServer &server);
    static bool hasValidSettings(const NntpServer &server);
    static bool isRecordFileName(const QString &fileName);
};

#endif // SERVERSCONFIGURATION_H
