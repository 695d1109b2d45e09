#include "NntpTestArticle.h"

#include <QStringList>

namespace {

const int GeneratedLineLength = 128;

struct FaultName {
    NntpTestArticle::Fault fault;
    const char *name;
};

const FaultName faultNames[] = {
    {NntpTestArticle::Fault::None, ""},
    {NntpTestArticle::Fault::Missing, "missing"},
    {NntpTestArticle::Fault::Stall, "stall"},
    {NntpTestArticle::Fault::Drop, "drop"},
    {NntpTestArticle::Fault::SplitStatus, "split"},
    {NntpTestArticle::Fault::Endless, "endless"},
    {NntpTestArticle::Fault::EndlessStatus, "endlessstatus"},
    {NntpTestArticle::Fault::WrongStatus, "wrongstatus"},
    {NntpTestArticle::Fault::NoStatus, "nostatus"},
};

} // namespace

QString NntpTestArticle::faultName(Fault fault)
{
    for (const FaultName &entry : faultNames)
        if (entry.fault == fault)
            return QString::fromLatin1(entry.name);
    return QString();
}

bool NntpTestArticle::faultFromName(const QString &name, Fault &fault)
{
    for (const FaultName &entry : faultNames)
        if (name == QLatin1String(entry.name)) {
            fault = entry.fault;
            return true;
        }
    return false;
}

QString NntpTestArticle::generatedId(qint64 size, quint32 seed, Fault fault)
{
    QString id = QStringLiteral("tq.%1.%2").arg(size).arg(seed);
    if (fault != Fault::None)
        id += QLatin1Char('.') + faultName(fault);
    return id + QStringLiteral("@gen");
}

bool NntpTestArticle::parseGeneratedId(const QString &messageId, qint64 &size, quint32 &seed, Fault &fault)
{
    if (!messageId.endsWith(QLatin1String("@gen")))
        return false;
    const QStringList parts = messageId.chopped(4).split(QLatin1Char('.'));
    if (parts.size() < 3 || parts.size() > 4 || parts.at(0) != QLatin1String("tq"))
        return false;
    bool sizeOk = false, seedOk = false;
    size = parts.at(1).toLongLong(&sizeOk);
    seed = parts.at(2).toUInt(&seedOk);
    fault = Fault::None;
    if (!sizeOk || !seedOk || size < 0 || size == 1)
        return false;
    return parts.size() == 3 || faultFromName(parts.at(3), fault);
}

QByteArray NntpTestArticle::generatedBody(qint64 size, quint32 seed)
{
    QByteArray body(static_cast<int>(size), Qt::Uninitialized);
    quint32 state = seed * 2654435761u + 12345u;
    auto next = [&state]() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    char *data = body.data();
    qint64 pos = 0;
    int lineNumber = 0;
    while (pos < size) {
        qint64 lineEnd = qMin<qint64>(pos + GeneratedLineLength, size - 2);
        if (size - (lineEnd + 2) == 1)
            --lineEnd;  // never leave a single byte for a last line
        qint64 i = pos;
        // Every seventh line begins with a dot, every eleventh with two.
        if (lineNumber % 7 == 0 && i < lineEnd)
            data[i++] = '.';
        if (lineNumber % 11 == 0 && i < lineEnd)
            data[i++] = '.';
        for (; i < lineEnd; ++i)
            data[i] = static_cast<char>(33 + next() % 94);
        data[lineEnd] = '\r';
        data[lineEnd + 1] = '\n';
        pos = lineEnd + 2;
        ++lineNumber;
    }
    return body;
}

QByteArray NntpTestArticle::wireBody(const QByteArray &body)
{
    QByteArray wire;
    wire.reserve(body.size() + body.size() / 64 + 8);
    bool atLineStart = true;
    for (const char c : body) {
        if (atLineStart && c == '.')
            wire.append('.');
        wire.append(c);
        atLineStart = c == '\n';
    }
    if (!wire.isEmpty() && !wire.endsWith("\r\n"))
        wire.append("\r\n");
    wire.append(".\r\n");
    return wire;
}

QByteArray NntpTestArticle::segmentFile(const QByteArray &body)
{
    const quint32 length = static_cast<quint32>(body.size());
    QByteArray file;
    file.reserve(body.size() + 4);
    for (int shift = 24; shift >= 0; shift -= 8)
        file.append(static_cast<char>((length >> shift) & 0xff));
    return file + body;
}
