#ifndef NZBSEGMENT_H
#define NZBSEGMENT_H

#include <QObject>
#include <QString>
#include <QStringList>

class NzbFile;
class QDataStream;

// One news article of a posted file: its size and number as the NZB gives them, its message
// id, where its body is kept while downloading, and its download status.
class NzbSegment : public QObject
{
    Q_OBJECT

public:
    explicit NzbSegment(QObject *parent = nullptr);
    ~NzbSegment() override;

    void setNzbFile(NzbFile *file);
    NzbFile *getNzbFile() const;

    void setBytes(const QString &bytes);
    QString getBytes() const;
    // The bytes text as a number; a text that is no number counts 0.
    quint64 getBytesValue() const;
    // Whether the segment's bytes count among its file's and NZB's (downloaded or missing).
    bool isCredited() const { return bBytesCredited; }

    void setNumber(const QString &number);
    QString getNumber() const;
    // Whether the number places the segment among its file's articles: a whole number (decimal
    // digits, with a sign or not) that fits 64 bits. The number's value, 0 when it does not.
    bool hasPlaceableNumber() const { return bNumberPlaceable; }
    qint64 getNumberValue() const;
    // The how-manieth segment of its file with this number it is, from 0 (segments that cannot be
    // placed count as one number). Set by NzbFile::addSegment().
    void setNumberOccurrence(int occurrence) { iNumberOccurrence = occurrence; }
    int getNumberOccurrence() const { return iNumberOccurrence; }

    void setMessageId(const QString &messageId);
    QString getMessageId() const;
    // Whether a server can be asked for the article: a message id that is not blank and holds no
    // line break or NUL.
    bool hasUsableMessageId() const { return bMessageIdUsable; }
    // Whether the article can be fetched and put in its place at all.
    bool isDownloadable() const { return bNumberPlaceable && bMessageIdUsable; }

    static bool parseNumber(const QString &number, qint64 *value);
    static bool isUsableMessageId(const QString &messageId);

    void setTempFilePath(const QString &path);
    QString getTempFilePath() const;
    // Places the temporary file in a folder, named after the segment's number.
    void setTempFolder(const QString &folder);

    // Status setters; the first of them after a reset credits the bytes to file and NZB. The
    // status changes together with the file's counters, under the file's mutex.
    void setDownloaded();
    void setMissing();
    void clearStatus();

    // The four status flags, as a queue record holds them.
    struct Status
    {
        bool downloaded = false;
        bool downloading = false;
        bool failed = false;
        bool missing = false;
    };
    // The segment's record with the given status (the texts never change once the NZB is queued).
    void writeRecord(QDataStream &out, const Status &status) const;

    bool isDownloadedOrDownloading() const;
    bool isFailed() const;
    bool isMissing() const;

    // Nicknames of the servers on which the article was reported missing.
    QStringList listServersTried;
    // Folder holding the temporary file; removed by the file decoder once the file is built.
    QString strTempFolder{""};

    bool bDownloaded = false;
    bool bDownloading = false;
    bool bFailed = false;
    bool bMissing = false;

private:
    void setStatus(bool downloaded, bool missing);
    void setStatusAndCredit(bool downloaded, bool missing);
    void clearStatusLocked();

    NzbFile *pNzbFile = nullptr;
    QString strBytes;
    QString strNumber;
    // A queue holds hundreds of thousands of segments: message ids (ASCII in practice) are
    // kept as Latin-1 bytes when they can be, and the temporary path is derived from the
    // folder and the number unless it was set to something else.
    QByteArray baMessageIdLatin1;
    QString strMessageIdWide;
    bool bMessageIdWide = false;
    QString strTempFilePath{""};
    bool bTempPathDerived = false;
    bool bBytesCredited = false;
    bool bNumberPlaceable = false;
    bool bMessageIdUsable = false;
    int iNumberOccurrence = 0;

    // The file resets and recounts its segments' statuses under its own mutex.
    friend class NzbFile;
    friend QDataStream &operator<<(QDataStream &out, const NzbSegment &segment);
    friend QDataStream &operator>>(QDataStream &in, NzbSegment &segment);
};

QDataStream &operator<<(QDataStream &out, const NzbSegment &segment);
QDataStream &operator>>(QDataStream &in, NzbSegment &segment);

#endif // NZBSEGMENT_H
