// Fuzz target: any bytes as an NZB document. The reader must not crash; it refuses with a reason,
// or gives an NZB of which every file can be downloaded (a segment at least, each with a plain
// number and a message id a server can be asked for) and no text is longer than the bound; what
// the writer makes of that NZB reads back to the same files.
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbParser.h"
#include "model/NzbSegment.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Control characters and what is not ASCII are shown as \u escapes.
QByteArray printable(const QString &text)
{
    QByteArray out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || (c.unicode() >= 0x20 && c.unicode() < 0x7f))
            out += char(c.unicode());
        else
            out += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    }
    return out;
}

[[noreturn]] void failure(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, printable(detail.left(4000)).constData());
    std::abort();
}

void checkText(const char *what, const QString &text)
{
    if (text.size() > NzbParser::MaxTextBytes)
        failure(what, QStringLiteral("%1 characters").arg(text.size()));
}

void checkDownloadable(const NzbFiles &nzb)
{
    for (const NzbFile *file : nzb.getFiles()) {
        checkText("subject too long", file->getSubject());
        checkText("poster too long", file->getPoster());
        checkText("date too long", file->getDate());
        for (const QString &group : file->listGroups)
            checkText("group too long", group);
        if (file->getSegmentCount() == 0)
            failure("file without a segment", file->getSubject());
        for (const NzbSegment *segment : file->getSegments()) {
            // Every segment is kept, and its temporary file stays in its folder whatever its number.
            qint64 value = 0;
            if (segment->hasPlaceableNumber() != NzbSegment::parseNumber(segment->getNumber(), &value)
                || segment->getNumberValue() != value)
                failure("segment number misread", segment->getNumber());
            if (segment->hasUsableMessageId() != NzbSegment::isUsableMessageId(segment->getMessageId()))
                failure("message id misread", segment->getMessageId());
            const QString path = segment->getTempFilePath();
            if (!path.isEmpty() && (!path.startsWith(segment->strTempFolder + QLatin1Char('/'))
                                    || path.mid(segment->strTempFolder.size() + 1).contains(QLatin1Char('/'))))
                failure("temporary file out of its folder", path);
            checkText("message id too long", segment->getMessageId());
            checkText("bytes too long", segment->getBytes());
        }
    }
}

// One line per file with everything the writer keeps, segments in number order.
QStringList summary(const NzbFiles &nzb)
{
    QStringList lines;
    for (const NzbFile *file : nzb.getFiles()) {
        QString line = file->getSubject() + QLatin1Char('|') + file->getPoster() + QLatin1Char('|') + file->getDate()
                       + QLatin1Char('|') + file->listGroups.join(QLatin1Char('\x1f'));
        for (const NzbSegment *segment : file->getSegments())
            line += QLatin1Char('|') + segment->getNumber() + QLatin1Char('=') + segment->getBytes() + QLatin1Char(':')
                    + segment->getMessageId();
        lines.append(line);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > size_t(NzbParser::MaxFileBytes))
        return 0;
    QString error;
    std::unique_ptr<NzbFiles> nzb(
        NzbParser::parse(QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size)), error));
    if (!nzb) {
        if (error.isEmpty())
            failure("refused without a reason", QString());
        return 0;
    }
    if (!error.isEmpty())
        failure("read with an error text", error);
    nzb->setSegmentPaths(QStringLiteral("/cache"), 0);
    checkDownloadable(*nzb);
    nzb->sortFiles(true);

    QByteArray written;
    nzb->writeNzb(written);
    QString againError;
    std::unique_ptr<NzbFiles> again(NzbParser::parse(written, againError));
    if (!again) {
        // Escaped for ISO 8859-1, a text near the bound may grow past it.
        if (againError != QStringLiteral("NZB contains a text longer than %1 bytes").arg(NzbParser::MaxTextBytes))
            failure("written document not read back", againError + QLatin1Char('\n') + QString::fromLatin1(written));
        return 0;
    }
    const QStringList before = summary(*nzb);
    const QStringList after = summary(*again);
    if (before != after) {
        int line = 0;
        while (line < before.size() && line < after.size() && before.at(line) == after.at(line))
            ++line;
        failure("written document read back otherwise",
                QStringLiteral("%1 files, then %2; file %3:\n%4\n---\n%5")
                    .arg(before.size())
                    .arg(after.size())
                    .arg(line)
                    .arg(before.value(line), after.value(line)));
    }
    return 0;
}
