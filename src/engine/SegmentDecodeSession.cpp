#include "engine/SegmentDecodeSession.h"

#include "config/PartialFile.h"
#include "engine/NntpSegmentDecoder.h"
#include "engine/SegmentLineReader.h"
#include "engine/YencLineDecoder.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QTextCodec>

#include <algorithm>
#include <climits>
#include <cstring>

// The yEnc routines read and write past their bytes into the slack of both buffers.
static_assert(SegmentLineReader::kSlack >= YencLineDecoder::kReadSlack, "read slack too small for the yEnc routines");
static_assert(SegmentOutputFile::kWriteSlack >= YencLineDecoder::kWriteSlack, "write slack too small for the yEnc routines");

namespace {

bool startsWith(const unsigned char *line, std::size_t length, const char *prefix)
{
    const std::size_t prefixLength = std::strlen(prefix);
    return length >= prefixLength && std::memcmp(line, prefix, prefixLength) == 0;
}

// A view of the line for Qt's byte-array functions. Lines beyond 2 GB are cut: no header or
// control line is ever that long.
QByteArray bytesOf(const unsigned char *line, std::size_t length)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(line), int(std::min<std::size_t>(length, INT_MAX)));
}

// Every byte one character, NUL bytes included (the length field in front of the first line
// usually starts with some).
QString latin1Text(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

// File names in headers are raw bytes: UTF-8 when they are valid UTF-8, else taken as Latin-1.
QString nameFromBytes(const QByteArray &bytes)
{
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForMib(106)->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return text;
    return latin1Text(bytes);
}

// What follows the first occurrence of marker; when the marker is absent, what follows the
// first (marker length - 1) characters, as an index of -1 gives.
QString textAfter(const QString &text, const QString &marker)
{
    return text.mid(text.indexOf(marker) + marker.size());
}

bool isUuencodeCharacter(unsigned char c)
{
    return c >= 0x20 && c <= 0x60;
}

unsigned uuValue(unsigned char c)
{
    return (unsigned(c) - 32) & 63;
}

bool passesUuencodeTest(const unsigned char *line, std::size_t length)
{
    if (length < 1)
        return false;
    const int count = int(line[0]) - 32;
    if (count < 1 || count > 45)
        return false;
    if (length <= std::size_t((int(line[0]) - 31) / 3 * 4))
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (!isUuencodeCharacter(line[i]))
            return false;
    }
    return true;
}

// A line whose length character announces bytes (1 to 45) that the line is too short to hold:
// the line was cut, and its bytes are lost.
bool isShortUuencodeLine(const unsigned char *line, std::size_t length)
{
    if (length < 1)
        return false;
    const int count = int(line[0]) - 32;
    return count >= 1 && count <= 45 && length <= std::size_t((int(line[0]) - 31) / 3 * 4);
}

bool isBase64Character(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/'
        || c == '=';
}

// A line of base64 characters only, whose length is not a whole number of groups: a data line
// that lost its end.
bool isCutBase64Line(const QByteArray &line)
{
    return !line.isEmpty() && line.size() % 4 != 0 && std::all_of(line.cbegin(), line.cend(), isBase64Character);
}

} // namespace

SegmentDecodeSession::SegmentDecodeSession(const QString &inputPath, const QString &outputFolder, const QString &subject,
                                           const SegmentDecodeOptions &options)
    : inputPath(inputPath)
    , outputFolder(outputFolder)
    , subject(subject)
    , options(options)
{
}

int SegmentDecodeSession::run(QString &firstName, QString &lastName, QString &error)
{
    firstName.clear();
    lastName.clear();
    error.clear();
    firstOutputName = &firstName;
    outputName = &lastName;
    errorText = &error;

    if (inputPath.isEmpty() || !QFile::exists(inputPath))
        return 3;
    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return 5;

    SegmentLineReader reader(input);
    const unsigned char *line = nullptr;
    std::size_t length = 0;
    for (;;) {
        if (mode == Mode::Yenc && yencHasOutput)
            decodeYencLines(reader);
        if (!reader.next(line, length))
            break;
        const int result = examine(line, length);
        if (result != kContinue) {
            closeOutput();
            return outputFailed ? writeFailed() : result;
        }
    }
    // A section without its "=yend" line was cut short, or holds no proof that it was not.
    if (mode == Mode::Yenc && yencHasOutput)
        checkYencSection(-1, false);
    // An attachment still open here never reached its end: a uuencoded body ends with its "end"
    // line, a base64 one with its closing boundary, or with the padding of its last group.
    if (mode == Mode::Uuencode || (mode == Mode::Mime && transferEncoding == "base64" && !base64Padded))
        cutShort = true;
    closeOutput();

    if (outputFailed)
        return writeFailed();
    if (lengthError)
        return 7;
    if (cutShort)
        return 8;
    if (crcError)
        return 1;
    if (headerFound)
        return 0;
    firstName = inputPath;
    return 2;
}

int SegmentDecodeSession::examine(const unsigned char *line, std::size_t length)
{
    ++lineNumber;
    switch (mode) {
    case Mode::None:
        return searchHeader(bytesOf(line, length));
    case Mode::Yenc:
        return yencLine(line, length);
    case Mode::Mime:
        return mimeLine(QByteArray(bytesOf(line, length)));
    case Mode::Uuencode:
        return uuencodeLine(line, length);
    }
    return kContinue;
}

int SegmentDecodeSession::searchHeader(const QByteArray &line)
{
    if (line.contains("=ybegin "))
        return startYenc(line);
    if (line.contains("begin 644 "))
        return startUuencode(line);
    if (line.contains("Content-Type: application/octet-stream;"))
        return startMime(line);
    if (!headerFound && lineNumber >= 11) {
        *firstOutputName = inputPath;
        return 2;
    }
    return kContinue;
}

int SegmentDecodeSession::startYenc(const QByteArray &line)
{
    mode = Mode::Yenc;
    headerFound = true;
    crc.reset();
    output.attachCrc(&crc);
    yencHasOutput = false;
    yencMultiPart = false;

    // Fields are found by their "key=" in a copy of the header without blanks, so that
    // "line= 128" or doubled blanks read like a regular header. The file name keeps its blanks.
    const QString text = latin1Text(line);
    QString fields = text.left(text.indexOf(QLatin1String("name")) - 1);
    fields.remove(QLatin1Char(' '));
    fields.replace(QLatin1String("part="), QLatin1String(" part="));
    fields.replace(QLatin1String("line="), QLatin1String(" line="));
    fields.replace(QLatin1String("size="), QLatin1String(" size="));
    const QString normalised = fields + QLatin1String(" name=") + textAfter(text, QStringLiteral("name="));

    if (!normalised.contains(QLatin1String("line=")) || !normalised.contains(QLatin1String("size=")))
        return kContinue;

    yencMultiPart = fields.contains(QLatin1String("part="));
    const int sizeAt = normalised.indexOf(QLatin1String("size=")) + 5;
    const int blankAt = normalised.indexOf(QLatin1Char(' '), sizeAt);
    expectedSize = std::max<qint64>(0, normalised.mid(sizeAt, blankAt < 0 ? -1 : blankAt - sizeAt).toLongLong());

    const QString nameValue = nameFromBytes(textAfter(normalised, QStringLiteral("name=")).toLatin1());
    int opened = kContinue;
    if (!output.isOpen() || nameValue != currentOutputName)
        opened = openOutput(NntpSegmentDecoder::sanitizeFileName(nameValue));
    yencHasOutput = opened == kContinue;
    if (yencHasOutput) {
        // Until a "=ypart" line places it, the section goes on where the output stands, and no
        // further than the file's size.
        section = YencSection();
        section.fileSize = expectedSize;
        section.start = output.position();
        section.room = std::max<qint64>(0, section.fileSize - section.start);
    }
    return opened;
}

int SegmentDecodeSession::startUuencode(const QByteArray &line)
{
    mode = Mode::Uuencode;
    headerFound = true;
    const QString name = nameFromBytes(line.mid(line.indexOf("begin 644 ") + 10));
    return openOutput(NntpSegmentDecoder::sanitizeFileName(name));
}

int SegmentDecodeSession::startMime(const QByteArray &line)
{
    mode = Mode::Mime;
    headerFound = true;
    transferEncoding.clear();
    base64Padded = false;
    QString name = NntpSegmentDecoder::sanitizeFileName(nameFromBytes(line.mid(line.indexOf("name=") + 5)));
    if (name.startsWith(QLatin1Char('\'')) && name.endsWith(QLatin1Char('\'')))
        name = name.mid(1, name.size() - 2);
    return openOutput(name);
}

int SegmentDecodeSession::openOutput(QString name)
{
    // A name the subject does not mention, or one that could not name a plain file here
    // (empty, ".", "..", control characters), gives way to the subject.
    if (!subject.isEmpty() && (!isUsableName(name) || !subject.toUpper().contains(name.toUpper())))
        name = NntpSegmentDecoder::sanitizeFileName(subject);
    if (!isUsableName(name))
        return fail(5, QStringLiteral("Invalid output file name"));
    if (options.outputName) {
        name = options.outputName(name);
        if (!isUsableName(name))
            return fail(5, QStringLiteral("Invalid output file name"));
    }

    *outputName = name;
    currentOutputName = name;
    if (firstOutputName->isEmpty())
        *firstOutputName = name;

    // An empty folder would put the file at the root of the file system.
    if (outputFolder.isEmpty() || !QDir().mkpath(outputFolder))
        return fail(5, QStringLiteral("Failed to create output directory"));
    closeOutput();
    const QString path = outputFolder + QDir::separator() + name;
    if (!output.open(options.writeAside ? PartialFile::pathFor(path) : path))
        return 4;
    return kContinue;
}

bool SegmentDecodeSession::isUsableName(const QString &name) const
{
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

int SegmentDecodeSession::yencLine(const unsigned char *line, std::size_t length)
{
    if (startsWith(line, length, "=ypart "))
        return yencPart(bytesOf(line, length));
    if (startsWith(line, length, "=yend ")) {
        yencEnd(bytesOf(line, length));
        return kContinue;
    }
    if (length == 0)
        return kContinue;
    if (!yencHasOutput)
        return fail(5, QStringLiteral("yEnc data without an output file"));
    unsigned char *out = output.reserve(length);
    commitYenc(YencLineDecoder::decode(line, length, out));
    return kContinue;
}

void SegmentDecodeSession::decodeYencLines(SegmentLineReader &reader)
{
    // The data lines waiting in the reader's buffer in one go, up to the next "=ypart " or
    // "=yend " line; the line counter only matters before the first header, so it is left be.
    const unsigned char *lines = nullptr;
    std::size_t length = 0;
    while (reader.wholeLines(lines, length)) {
        std::size_t consumed = 0;
        unsigned char *out = output.reserve(length);
        commitYenc(YencLineDecoder::decodeLines(lines, length, out, consumed));
        reader.consume(consumed);
        if (consumed < length)
            return;
    }
}

// Decoded bytes beyond the section's room are counted, never written: an article that holds more
// than its part must not write over the next part.
void SegmentDecodeSession::commitYenc(std::size_t decoded)
{
    const qint64 kept = std::min<qint64>(qint64(decoded), section.room);
    section.decoded += qint64(decoded);
    section.written += kept;
    section.room -= kept;
    output.commit(std::size_t(kept));
}

int SegmentDecodeSession::yencPart(const QByteArray &line)
{
    yencMultiPart = true;
    const QList<QByteArray> pieces = line.split(' ');
    qint64 end = -1;
    for (const QByteArray &piece : pieces) {
        if (!piece.startsWith("end="))
            continue;
        bool ok = false;
        end = piece.mid(4).toLongLong(&ok);
        if (!ok)
            end = -1;
        if (options.outputLimit >= 0 && end > options.outputLimit)
            return fail(5, QStringLiteral("yEnc part beyond the posted file"));
    }
    for (const QByteArray &piece : pieces) {
        if (!piece.startsWith("begin"))
            continue;
        // yEnc counts the bytes of a file from 1. A part outside the file would seek anywhere
        // (a sparse file of terabytes) or, with 0, write at a wrong place.
        const qint64 begin = piece.mid(6).toLongLong();
        if (begin < 1 || (expectedSize >= 0 && begin > expectedSize))
            return fail(5, QStringLiteral("Invalid yEnc part offset"));
        // A header can claim any size: the caller knows how large the posted file can be.
        if (options.outputLimit >= 0 && begin > options.outputLimit)
            return fail(5, QStringLiteral("yEnc part beyond the posted file"));
        // Writing on at the current position would put the part over another one.
        if (yencHasOutput && !output.seek(begin - 1))
            return fail(5, QStringLiteral("Cannot seek to the yEnc part offset"));
        if (yencHasOutput)
            placePart(begin, end);
    }
    return kContinue;
}

// The part's bytes go from begin to end (counted from 1, end -1 when unknown), within the file.
// Data before the "=ypart" line belongs to no part: what it wrote is told, and the article is damaged.
void SegmentDecodeSession::placePart(qint64 begin, qint64 end)
{
    if (section.decoded > 0) {
        section.damaged = true;
        tellWritten();
        section.decoded = 0;
    }
    section.start = begin - 1;
    qint64 last = section.fileSize;
    if (end >= 0) {
        section.partLength = end - begin + 1;
        section.damaged = section.damaged || end < begin || end > section.fileSize;
        last = std::min(end, section.fileSize);
    }
    section.room = std::max<qint64>(0, last - section.start);
}

void SegmentDecodeSession::yencEnd(const QByteArray &line)
{
    mode = Mode::None;
    output.feedCrc();
    output.attachCrc(nullptr);

    const QList<QByteArray> pieces = line.split(' ');
    bool hasPartCrc = false;
    qint64 endSize = -1;
    for (const QByteArray &piece : pieces) {
        hasPartCrc = hasPartCrc || piece.startsWith("pcrc32");
        yencMultiPart = yencMultiPart || piece.startsWith("part=");
        if (piece.startsWith("size=")) {
            bool ok = false;
            endSize = piece.mid(5).toLongLong(&ok);
            if (!ok)
                endSize = -1;
        }
    }
    // The "crc32" of a part is the CRC of the whole file: it says nothing about this part.
    for (const QByteArray &piece : pieces) {
        if (hasPartCrc && piece.startsWith("pcrc32"))
            compareCrc(piece, 7);
        else if (!hasPartCrc && !yencMultiPart && piece.startsWith("crc32"))
            compareCrc(piece, 6);
    }

    if (yencHasOutput)
        checkYencSection(endSize, true);
    yencHasOutput = false;
    if (expectedSize == -1 || (output.isOpen() && output.size() == expectedSize)) {
        closeOutput();
        currentOutputName.clear();
        expectedSize = -1;
    }
}

// A section decoded to another length than its part, its single-part file or its "=yend size="
// announce is a damaged article, and so is one that ended without its "=yend" line. What it
// wrote is told to the caller.
void SegmentDecodeSession::checkYencSection(qint64 endSize, bool ended)
{
    const bool partLengthDiffers = section.partLength >= 0 ? section.decoded != section.partLength
                                                           : !yencMultiPart && section.decoded != section.fileSize;
    if (!ended || section.damaged || partLengthDiffers || (endSize >= 0 && section.decoded != endSize))
        lengthError = true;
    tellWritten();
}

// Tells the caller where the section wrote since it was placed.
void SegmentDecodeSession::tellWritten()
{
    if (options.decodedParts && section.written > 0)
        options.decodedParts->append({currentOutputName, section.fileSize, section.start, section.written});
    section.start += section.written;
    section.written = 0;
}

void SegmentDecodeSession::compareCrc(const QByteArray &piece, int prefixLength)
{
    if (piece.mid(prefixLength).toULongLong(nullptr, 16) != crc.finished())
        crcError = true;
}

int SegmentDecodeSession::mimeLine(QByteArray line)
{
    const bool encodingHeader = line.startsWith("Content-Transfer-Encoding:");
    if (encodingHeader) {
        line = line.mid(27);
        transferEncoding = line;
    }
    // Every boundary line begins with "--" ("------=_NextPart..." too); none is base64 data.
    if (line.startsWith("--") || line.startsWith("Content-Type:")) {
        transferEncoding.clear();
        leaveSection();
        return kContinue;
    }
    if (line.startsWith("Content-Disposition:"))
        line.clear();
    if (transferEncoding != "base64" || encodingHeader || line.isEmpty())
        return kContinue;
    if (line.size() % 4 != 0) {
        cutShort = cutShort || isCutBase64Line(line);
        return kContinue;
    }
    const QByteArray bytes = QByteArray::fromBase64(line);
    output.write(reinterpret_cast<const unsigned char *>(bytes.constData()), std::size_t(bytes.size()));
    base64Padded = line.endsWith('=');
    return kContinue;
}

int SegmentDecodeSession::uuencodeLine(const unsigned char *line, std::size_t length)
{
    if (length == 0)
        return kContinue;
    if (length == 3 && std::memcmp(line, "end", 3) == 0) {
        leaveSection();
        return kContinue;
    }
    if (!passesUuencodeTest(line, length)) {
        cutShort = cutShort || isShortUuencodeLine(line, length);
        return kContinue;
    }

    auto valid = [line, length](std::size_t position) {
        return position < length && isUuencodeCharacter(line[position]);
    };
    int remaining = int(line[0]) - 32;
    unsigned char *out = output.reserve(std::size_t(remaining));
    std::size_t produced = 0;
    const char *error = nullptr;
    for (std::size_t p = 1; remaining > 0 && !error; remaining -= 3, p += 4) {
        if (remaining >= 3 && !(valid(p) && valid(p + 1) && valid(p + 2) && valid(p + 3))) {
            error = "33";
        } else if (remaining < 3 && !(valid(p) && valid(p + 1))) {
            error = "34";
        } else if (remaining == 2 && !valid(p + 2)) {
            out[produced++] = static_cast<unsigned char>(uuValue(line[p]) * 4 + uuValue(line[p + 1]) / 16);
            error = "35";
        } else {
            out[produced++] = static_cast<unsigned char>(uuValue(line[p]) * 4 + uuValue(line[p + 1]) / 16);
            if (remaining >= 2)
                out[produced++] = static_cast<unsigned char>(uuValue(line[p + 1]) * 16 + uuValue(line[p + 2]) / 4);
            if (remaining >= 3)
                out[produced++] = static_cast<unsigned char>(uuValue(line[p + 2]) * 64 + uuValue(line[p + 3]));
        }
    }
    // The bytes of the groups before a faulty one are written, as they are for earlier lines.
    output.commit(produced);
    return error ? fail(5, QString::fromLatin1(error)) : kContinue;
}

void SegmentDecodeSession::leaveSection()
{
    mode = Mode::None;
    currentOutputName.clear();
    closeOutput();
}

// A write that failed in any output of this call fails the call, whatever comes after it.
void SegmentDecodeSession::closeOutput()
{
    if (!output.close() && !outputFailed) {
        outputFailed = true;
        outputError = output.errorString();
    }
}

int SegmentDecodeSession::writeFailed()
{
    return fail(6, outputError);
}

int SegmentDecodeSession::fail(int result, const QString &text)
{
    *errorText = text;
    return result;
}
