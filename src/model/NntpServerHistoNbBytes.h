#ifndef NNTPSERVERHISTONBBYTES_H
#define NNTPSERVERHISTONBBYTES_H

#include <QDataStream>
#include <QDateTime>
#include <QObject>

// The persisted byte count of one news server and the moment counting started.
class NntpServerHistoNbBytes : public QObject
{
    Q_OBJECT

public:
    NntpServerHistoNbBytes();

    // Count 0, counting from now.
    void reset();

    qint64 iCount = 0;
    QDateTime dtStart;
};

// Record: count (8 bytes), then start as a version-12 stream writes a QDateTime; 17 bytes.
QDataStream &operator<<(QDataStream &stream, const NntpServerHistoNbBytes &histo);
QDataStream &operator>>(QDataStream &stream, NntpServerHistoNbBytes &histo);

#endif // NNTPSERVERHISTONBBYTES_H
