#include "model/NzbSegment.h"

#include "model/NzbFile.h"

#include <QDataStream>
#include <QMutexLocker>

NzbSegment::NzbSegment(QObject *parent)
    : QObject(parent)
{
}

NzbSegment::~NzbSegment() = default;

void NzbSegment::setNzbFile(NzbFile *file) { pNzbFile = file; }
NzbFile *NzbSegment::getNzbFile() const { return pNzbFile; }

void NzbSegment::setBytes(const QString &bytes) { strBytes = bytes; }
QString NzbSegment::getBytes() const { return strBytes; }

quint64 NzbSegment::getBytesValue() const
{
    bool ok = false;
    const quint64 value = strBytes.toULongLong(&ok, 10);
    return ok ? value : 0;
}

void NzbSegment::setNumber(const QString &number)
{
    strNumber = number;
    qint64 value = 0;
    bNumberPlaceable = parseNumber(number, &value);
}

// Read again when asked rather than kept: a queue holds hundreds of thousands of segments.
qint64 NzbSegment::getNumberValue() const
{
    qint64 value = 0;
    parseNumber(strNumber, &value);
    return value;
}

QString NzbSegment::getNumber() const { return strNumber; }

bool NzbSegment::parseNumber(const QString &number, qint64 *value)
{
    *value = 0;
    const QString text = number.trimmed();
    int first = 0;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')))
        first = 1;
    if (text.size() <= first)
        return false;
    for (int i = first; i < text.size(); ++i) {
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    const qint64 parsed = text.toLongLong(&ok, 10);
    if (ok)
        *value = parsed;
    return ok;
}

bool NzbSegment::isUsableMessageId(const QString &messageId)
{
    const QString id = messageId.trimmed();
    return !id.isEmpty() && !id.contains(QLatin1Char('\r')) && !id.contains(QLatin1Char('\n'))
           && !id.contains(QChar(0));
}

namespace {

bool fitsLatin1(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

} // namespace

void NzbSegment::setMessageId(const QString &messageId)
{
    bMessageIdUsable = isUsableMessageId(messageId);
    bMessageIdWide = !messageId.isNull() && !fitsLatin1(messageId);
    if (bMessageIdWide) {
        strMessageIdWide = messageId;
        baMessageIdLatin1.clear();
    } else {
        strMessageIdWide.clear();
        baMessageIdLatin1 = messageId.isNull() ? QByteArray() : messageId.toLatin1();
        if (!messageId.isNull() && baMessageIdLatin1.isNull())
            baMessageIdLatin1 = QByteArray("");
    }
}

QString NzbSegment::getMessageId() const
{
    if (bMessageIdWide)
        return strMessageIdWide;
    if (baMessageIdLatin1.isNull())
        return QString();
    return QString::fromLatin1(baMessageIdLatin1.constData(), baMessageIdLatin1.size());
}

void NzbSegment::setTempFilePath(const QString &path)
{
    strTempFilePath = path;
    bTempPathDerived = false;
}

QString NzbSegment::getTempFilePath() const
{
    if (!bTempPathDerived)
        return strTempFilePath;
    // Built from the number's value, never from its text, so that no NZB can steer a
    // temporary path out of its folder; a second segment of one number gets a name of its own.
    QString name = bNumberPlaceable ? QString::number(getNumberValue()) : QStringLiteral("unplaced");
    if (iNumberOccurrence > 0 || !bNumberPlaceable)
        name += QLatin1Char('_') + QString::number(iNumberOccurrence + 1);
    return strTempFolder + QLatin1Char('/') + name + QStringLiteral(".tmp");
}

void NzbSegment::setTempFolder(const QString &folder)
{
    strTempFolder = folder;
    strTempFilePath = QStringLiteral("");
    bTempPathDerived = true;
}

void NzbSegment::setStatus(bool downloaded, bool missing)
{
    bDownloaded = downloaded;
    bDownloading = false;
    bFailed = false;
    bMissing = missing;
}

// A queue record taken meanwhile sees the status and the counters together.
void NzbSegment::setStatusAndCredit(bool downloaded, bool missing)
{
    QMutexLocker locker(pNzbFile ? &pNzbFile->mutex : nullptr);
    setStatus(downloaded, missing);
    if (bBytesCredited)
        return;
    if (pNzbFile)
        pNzbFile->addDownloadedBytesLocked(getBytesValue());
    bBytesCredited = true;
}

void NzbSegment::setDownloaded()
{
    setStatusAndCredit(true, false);
}

void NzbSegment::setMissing()
{
    setStatusAndCredit(false, true);
}

void NzbSegment::clearStatus()
{
    QMutexLocker locker(pNzbFile ? &pNzbFile->mutex : nullptr);
    clearStatusLocked();
}

void NzbSegment::clearStatusLocked()
{
    setStatus(false, false);
    bBytesCredited = false;
}

bool NzbSegment::isDownloadedOrDownloading() const { return bDownloaded || bDownloading; }
bool NzbSegment::isFailed() const { return bFailed; }
bool NzbSegment::isMissing() const { return bMissing; }

void NzbSegment::writeRecord(QDataStream &out, const Status &status) const
{
    out << strBytes << strNumber << getMessageId() << getTempFilePath() << strTempFolder
        << status.downloaded << status.downloading << status.failed << status.missing;
}

QDataStream &operator<<(QDataStream &out, const NzbSegment &segment)
{
    segment.writeRecord(out, {segment.bDownloaded, segment.bDownloading, segment.bFailed, segment.bMissing});
    return out;
}

QDataStream &operator>>(QDataStream &in, NzbSegment &segment)
{
    QString number;
    QString messageId;
    QString tempFilePath;
    in >> segment.strBytes >> number >> messageId >> tempFilePath >> segment.strTempFolder
       >> segment.bDownloaded >> segment.bDownloading >> segment.bFailed >> segment.bMissing;
    segment.setNumber(number);
    segment.setMessageId(messageId);
    segment.setTempFilePath(tempFilePath);
    return in;
}
