#ifndef NZBRECORDLEDGER_H
#define NZBRECORDLEDGER_H

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>

// What the queue record files hold as far as this program wrote them: per file, the digest of
// the content written last and the file's identity on the disk right after (inode, size, time
// of change). A record whose content is the same as the file's need not be written again, as
// long as the file is still the one written (anyone who changes or replaces it changes its
// identity). Shared by the GUI thread and the record writer.
class NzbRecordLedger
{
public:
    // `content` ends with its digest, as a record file does.
    bool holds(const QString &path, const QByteArray &content) const;
    void wrote(const QString &path, const QByteArray &content);
    void forget(const QString &path);
    void clear();

private:
    struct Written
    {
        QByteArray digest;
        QByteArray identity;
    };
    static QByteArray identityOf(const QString &path);

    mutable QMutex mutex;
    QHash<QString, Written> hashWritten;
};

#endif // NZBRECORDLEDGER_H
