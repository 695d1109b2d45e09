#include "SegmentBodyWriter.h"

#include <QDataStream>
#include <QIODevice>
#include <QRandomGenerator>

#include <zlib.h>

#include <algorithm>

namespace {

bool mustEscape(unsigned char encoded, int column, int lineLength)
{
    switch (encoded) {
    case 0x00: case '\n': case '\r': case '=':
        return true;
    case '\t': case ' ':
        return column == 0 || column >= lineLength - 1;
    case '.':
        return column == 0;
    default:
        return false;
    }
}

QByteArray uuChar(unsigned value)
{
    return QByteArray(1, char(value == 0 ? '`' : value + 32));
}

} // namespace

QByteArray SegmentBodyWriter::segmentFile(const QByteArray &body)
{
    QByteArray file;
    QDataStream stream(&file, QIODevice::WriteOnly);
    stream.setVersion(12);
    stream << body;
    return file;
}

QByteArray SegmentBodyWriter::yencLines(const QByteArray &data, int lineLength)
{
    // Worst case: every byte escaped, plus a line end after every line.
    QByteArray out(2 * data.size() + 2 * (data.size() / std::max(1, lineLength / 2) + 1), Qt::Uninitialized);
    char *at = out.data();
    int column = 0;
    for (const char c : data) {
        const unsigned char encoded = static_cast<unsigned char>(static_cast<unsigned char>(c) + 42);
        if (mustEscape(encoded, column, lineLength)) {
            *at++ = '=';
            *at++ = char(static_cast<unsigned char>(encoded + 64));
            column += 2;
        } else {
            *at++ = char(encoded);
            ++column;
        }
        if (column >= lineLength) {
            *at++ = '\r';
            *at++ = '\n';
            column = 0;
        }
    }
    if (column > 0) {
        *at++ = '\r';
        *at++ = '\n';
    }
    out.truncate(int(at - out.data()));
    return out;
}

QByteArray SegmentBodyWriter::yencSinglePart(const QString &name, const QByteArray &data, int lineLength)
{
    return "=ybegin line=" + QByteArray::number(lineLength) + " size=" + QByteArray::number(data.size())
        + " name=" + name.toUtf8() + "\r\n" + yencLines(data, lineLength)
        + "=yend size=" + QByteArray::number(data.size()) + " crc32=" + crcText(crcOf(data)) + "\r\n";
}

QByteArray SegmentBodyWriter::yencSinglePartWithEnd(const QString &name, const QByteArray &data, const QByteArray &endFields)
{
    return "=ybegin line=128 size=" + QByteArray::number(data.size()) + " name=" + name.toUtf8() + "\r\n"
        + yencLines(data) + "=yend " + endFields + "\r\n";
}

QByteArray SegmentBodyWriter::yencMultiPart(const QString &name, const QByteArray &wholeFile, const YencPart &part,
                                            bool withPartCrc, bool withFileCrc, int lineLength)
{
    const QByteArray data = wholeFile.mid(int(part.begin - 1), int(part.end - part.begin + 1));
    QByteArray end = "=yend size=" + QByteArray::number(data.size()) + " part=" + QByteArray::number(part.number);
    if (withPartCrc)
        end += " pcrc32=" + crcText(crcOf(data));
    if (withFileCrc)
        end += " crc32=" + crcText(crcOf(wholeFile));
    return "=ybegin part=" + QByteArray::number(part.number) + " total=" + QByteArray::number(part.total)
        + " line=" + QByteArray::number(lineLength) + " size=" + QByteArray::number(wholeFile.size())
        + " name=" + name.toUtf8() + "\r\n"
        + "=ypart begin=" + QByteArray::number(part.begin) + " end=" + QByteArray::number(part.end) + "\r\n"
        + yencLines(data, lineLength) + end + "\r\n";
}

QByteArray SegmentBodyWriter::uuencodeLines(const QByteArray &data)
{
    QByteArray out;
    for (int at = 0; at < data.size(); at += 45) {
        const QByteArray chunk = data.mid(at, 45);
        out += char(32 + chunk.size());
        for (int i = 0; i < chunk.size(); i += 3) {
            const unsigned b0 = static_cast<unsigned char>(chunk[i]);
            const unsigned b1 = i + 1 < chunk.size() ? static_cast<unsigned char>(chunk[i + 1]) : 0;
            const unsigned b2 = i + 2 < chunk.size() ? static_cast<unsigned char>(chunk[i + 2]) : 0;
            out += uuChar(b0 >> 2) + uuChar(((b0 & 3) << 4) | (b1 >> 4)) + uuChar(((b1 & 15) << 2) | (b2 >> 6))
                + uuChar(b2 & 63);
        }
        out += "\r\n";
    }
    return out;
}

QByteArray SegmentBodyWriter::uuencodeFile(const QString &name, const QByteArray &data)
{
    return "begin 644 " + name.toUtf8() + "\r\n" + uuencodeLines(data) + "`\r\nend\r\n";
}

QByteArray SegmentBodyWriter::mimeBase64(const QString &nameField, const QByteArray &data)
{
    QByteArray body = "This is a multi-part message in MIME format.\r\n"
                      "--=_boundary\r\n"
                      "Content-Type: text/plain; charset=us-ascii\r\n"
                      "\r\n"
                      "See the attachment.\r\n"
                      "--=_boundary\r\n"
                      "Content-Type: application/octet-stream; name="
        + nameField.toUtf8() + "\r\n"
                               "Content-Transfer-Encoding: base64\r\n"
                               "Content-Disposition: attachment\r\n"
                               "\r\n";
    const QByteArray encoded = data.toBase64();
    for (int at = 0; at < encoded.size(); at += 76)
        body += encoded.mid(at, 76) + "\r\n";
    return body + "\r\n--=_boundary--\r\n";
}

QByteArray SegmentBodyWriter::randomBytes(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(generator.bounded(256));
    return bytes;
}

QByteArray SegmentBodyWriter::crcText(quint32 crc)
{
    return QByteArray::number(crc, 16).rightJustified(8, '0');
}

quint32 SegmentBodyWriter::crcOf(const QByteArray &data)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())));
}
