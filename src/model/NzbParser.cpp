#include "model/NzbParser.h"

#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"
#include "platform/RegularFile.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <cstring>

namespace {

const qint64 ReadPieceBytes = 1024 * 1024;

bool nameIs(const QXmlStreamReader &xml, QLatin1String lowerName)
{
    return xml.name().compare(lowerName, Qt::CaseInsensitive) == 0;
}

bool attributeIs(const QXmlStreamAttribute &attribute, QLatin1String lowerName)
{
    return attribute.name().compare(lowerName, Qt::CaseInsensitive) == 0;
}

bool atStartElementNamed(const QXmlStreamReader &xml, QLatin1String lowerName)
{
    return !xml.hasError() && xml.isStartElement() && nameIs(xml, lowerName);
}

void readFileAttributes(const QXmlStreamReader &xml, NzbFile *file)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        if (attributeIs(attribute, QLatin1String("poster")))
            file->setPoster(attribute.value().toString());
        else if (attributeIs(attribute, QLatin1String("date")))
            file->setDate(attribute.value().toString());
        else if (attributeIs(attribute, QLatin1String("subject")))
            file->setSubject(attribute.value().toString());
    }
}

// Segments of one file mostly share one size: reusing the previous text keeps one copy.
QString sharedText(const QStringRef &value, QString &previous)
{
    if (previous.isNull() || value != previous)
        previous = value.toString();
    return previous;
}

NzbSegment *readSegment(QXmlStreamReader &xml, QString &previousBytes)
{
    auto *segment = new NzbSegment;
    const QXmlStreamAttributes attributes = xml.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        if (attributeIs(attribute, QLatin1String("bytes")))
            segment->setBytes(sharedText(attribute.value(), previousBytes));
        else if (attributeIs(attribute, QLatin1String("number")))
            segment->setNumber(attribute.value().toString());
    }
    segment->setMessageId(xml.readElementText());
    return segment;
}

// Reads the groups then segments of a "file" element whose start tag is current.
// Returns false when the file lacks that structure and must be dropped.
bool readFileBody(QXmlStreamReader &xml, NzbFile *file)
{
    xml.readNextStartElement();
    if (!atStartElementNamed(xml, QLatin1String("groups")))
        return false;
    xml.readNextStartElement();
    while (atStartElementNamed(xml, QLatin1String("group"))) {
        file->addGroup(xml.readElementText());
        xml.readNextStartElement();
    }

    xml.readNextStartElement();
    if (!atStartElementNamed(xml, QLatin1String("segments")))
        return false;
    xml.readNextStartElement();
    QString previousBytes;
    while (atStartElementNamed(xml, QLatin1String("segment"))) {
        NzbSegment *segment = readSegment(xml, previousBytes);
        if (!segment->isDownloadable())
            qWarning().noquote() << "NZB segment" << segment->getNumber() << "of" << file->getSubject()
                                 << "cannot be downloaded: its number is not a whole number, or its message id is "
                                    "blank or holds a line break or NUL";
        file->addSegment(segment);
        xml.readNextStartElement();
    }
    return true;
}

// No tag, attribute or text of the document is longer than its longest stretch without a '<'.
// Found before the XML reader runs, which would hold such a text several times over.
bool hasStretchLongerThan(const QByteArray &data, int limit)
{
    const char *from = data.constData();
    const char *end = from + data.size();
    while (from < end) {
        const void *found = std::memchr(from, '<', static_cast<size_t>(end - from));
        const char *stop = found ? static_cast<const char *>(found) : end;
        if (stop - from > limit)
            return true;
        from = stop + 1;
    }
    return false;
}

// Characters XML 1.0 does not allow (control characters but tab, line feed and carriage return,
// U+FFFE, U+FFFF and halves of surrogate pairs alone): the XML reader lets some through, but a
// document that holds them is not well-formed, and written back it would not read the same.
bool holdsOnlyXmlCharacters(const QString &text)
{
    const int length = text.size();
    for (int i = 0; i < length; ++i) {
        const QChar c = text.at(i);
        const ushort code = c.unicode();
        if (code < 0x20 ? (code != 0x09 && code != 0x0A && code != 0x0D) : (code == 0xFFFE || code == 0xFFFF))
            return false;
        if (c.isLowSurrogate())
            return false;
        if (c.isHighSurrogate()) {
            if (i + 1 >= length || !text.at(i + 1).isLowSurrogate())
                return false;
            ++i;
        }
    }
    return true;
}

bool holdsOnlyXmlCharacters(const NzbFile &file)
{
    if (!holdsOnlyXmlCharacters(file.getSubject()) || !holdsOnlyXmlCharacters(file.getPoster())
        || !holdsOnlyXmlCharacters(file.getDate()))
        return false;
    for (const QString &group : file.listGroups) {
        if (!holdsOnlyXmlCharacters(group))
            return false;
    }
    for (const NzbSegment *segment : qAsConst(file.mapSegments)) {
        if (!holdsOnlyXmlCharacters(segment->getBytes()) || !holdsOnlyXmlCharacters(segment->getMessageId()))
            return false;
    }
    return true;
}

} // namespace

NzbFiles *NzbParser::parse(const QByteArray &data, QString &error)
{
    if (hasStretchLongerThan(data, MaxTextBytes)) {
        error = tr("NZB contains a text longer than %1 bytes").arg(MaxTextBytes);
        return nullptr;
    }
    // Read through a device so that the reader decodes the document piece by piece instead
    // of holding a decoded copy of it whole.
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&buffer);
    xml.readNext();
    auto *nzb = new NzbFiles;
    while (!xml.atEnd() && !xml.hasError()) {
        // NZB files declare no entities: one that does is taken for a faulty one, since a short
        // entity referred to in a short text makes one of megabytes. The declarations come before
        // any reference.
        if (xml.isDTD() && !xml.entityDeclarations().isEmpty()) {
            error = tr("NZB contains error(s)");
            delete nzb;
            return nullptr;
        }
        if (!xml.isStartElement() || !nameIs(xml, QLatin1String("file"))) {
            xml.readNext();
            continue;
        }
        auto *file = new NzbFile;
        readFileAttributes(xml, file);
        if (!readFileBody(xml, file) || file->getSegmentCount() == 0) {
            // Without groups then segments, or without a single segment, the entry cannot be
            // downloaded: it is left out. Go on from the current token.
            delete file;
            continue;
        }
        if (!holdsOnlyXmlCharacters(*file)) {
            delete file;
            xml.raiseError();
            break;
        }
        nzb->addFile(file);
        xml.readNext();
    }
    if (xml.hasError()) {
        error = tr("NZB contains error(s)");
        delete nzb;
        return nullptr;
    }
    return nzb;
}

bool NzbParser::endsWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 tailBytes = 4096;
    file.seek(qMax<qint64>(0, file.size() - tailBytes));
    if (file.read(tailBytes).trimmed().toLower().endsWith("</nzb>"))
        return true;
    file.seek(0);
    QXmlStreamReader xml(&file);
    while (!xml.atEnd())
        xml.readNext();
    return !xml.hasError();
}

// Only a regular file, looked at before it is opened, and no larger than any NZB may be.
NzbFiles *NzbParser::parseFile(const QString &path, QString &error)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        error = notRegularFileText();
        return nullptr;
    }
    if (info.size() > MaxFileBytes) {
        error = tooLargeText();
        return nullptr;
    }
    QFile file;
    switch (RegularFile::openForReading(file, path, QIODevice::Text)) {
    case RegularFile::Opening::Opened:
        break;
    case RegularFile::Opening::NotRegular:
        error = notRegularFileText();
        return nullptr;
    case RegularFile::Opening::CannotOpen:
        error = tr("File does not exist");
        return nullptr;
    }
    // Read in pieces: it may have grown since it was looked at.
    QByteArray data;
    data.reserve(static_cast<int>(qMin(info.size(), MaxFileBytes)));
    while (data.size() <= MaxFileBytes) {
        const QByteArray piece = file.read(qMin<qint64>(ReadPieceBytes, MaxFileBytes + 1 - data.size()));
        if (piece.isEmpty())
            break;
        data += piece;
    }
    file.close();
    if (data.size() > MaxFileBytes) {
        error = tooLargeText();
        return nullptr;
    }
    return parse(data, error);
}

QString NzbParser::notRegularFileText()
{
    return tr("Not a regular file (a folder, a device or a pipe)");
}

QString NzbParser::tooLargeText()
{
    return tr("File larger than %1 MiB").arg(MaxFileBytes / (1024 * 1024));
}
