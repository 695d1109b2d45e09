#ifndef UTILSNZBCOMPRESSUNCOMPRESS_H
#define UTILSNZBCOMPRESSUNCOMPRESS_H

#include <QDateTime>
#include <QFileInfo>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class NzbFiles;
class QFile;

// The NZB history: a compressed copy (qCompress of the NZB file, extension ".tvz") of every NZB
// queued for download, kept in the folder "HISTO_NZB" of the data folder under the name
// "<name>.<yyyyMMddhhmmsszzz>.tvz". There is no index: the folder listing is the history.
// Static helpers only; nothing creates an instance. Everything runs in the GUI thread.
//
// No widget is used here: the class lives with the history window but could join the core
// library unchanged if the engine ever needed it.
class UtilsNzbCompressUncompress : public QObject
{
    Q_OBJECT

public:
    explicit UtilsNzbCompressUncompress(QObject *parent = nullptr);

    // Copies the NZB file into the history (when "AutoSaveHistoNzb" is on; true without doing
    // anything otherwise). False with a translated message when no complete copy was written;
    // a partial file is never left behind.
    static bool saveNzbToHistory(const QString &nzbFilePath, const QString &nzbName, QString &errorText);

    // The history files ("*.tvz", any case), newest modification first; empty without a folder.
    static QList<QFileInfo> listHistoryFiles();

    // Reads a history file back into a new NZB that the caller owns. On failure the pointer is
    // left as it was and the error text says why.
    static bool loadHistoryFile(const QString &historyFilePath, NzbFiles *&nzb, QString &errorText);

    // The name a history entry is shown with: its file name less the stamp and the extension.
    static QString entryName(const QFileInfo &historyFile);

    // When an entry was added: the stamp in its file name, else the file's birth time, else
    // its modification time (Linux file systems may keep no birth time).
    static QDateTime dateAdded(const QFileInfo &historyFile);

    // A file name (without its extension) made of an NZB name or a subject: the text between
    // the first and the last double quote when there are two, then, when it holds a full stop,
    // the text before the last one cut to `cutLength` characters and trimmed. Every name loses
    // the characters file names cannot hold (the class [\/:*?"<>|] and control characters)
    // and is shortened so that, with `suffixBytes` more bytes, it fits in one file name.
    static QString fileNamePart(const QString &text, int cutLength, int suffixBytes);

    // The stamp clock, replaceable by tests (a null function restores the real clock).
    static void setClock(const std::function<QDateTime()> &clock);

    // The dot, the 17-digit stamp and ".tvz" that end every history file name.
    enum { StampedSuffixLength = 22, NameCutLength = 25, MaxFileNameBytes = 255, MaxNameAttempts = 10 };

private:
    static QDateTime now();
    static bool readNzbFile(const QString &nzbFilePath, QByteArray &content);
    static bool writeNewFile(QFile &file, const QByteArray &content);
};

#endif // UTILSNZBCOMPRESSUNCOMPRESS_H
