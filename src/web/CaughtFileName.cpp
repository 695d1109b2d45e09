#include "web/CaughtFileName.h"

#include "engine/NntpSegmentDecoder.h"

#include <QTextCodec>

namespace {

// Header values are bytes: UTF-8 when they are valid UTF-8, Latin-1 otherwise.
QString headerText(const QByteArray &bytes)
{
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 ? text : QString::fromLatin1(bytes);
}

// The value at `position`: a quoted string (with its backslash escapes) or a token up to ';'.
QByteArray parameterValue(const QByteArray &header, int position)
{
    while (position < header.size() && (header.at(position) == ' ' || header.at(position) == '\t'))
        ++position;
    if (position < header.size() && header.at(position) == '"') {
        QByteArray value;
        for (int i = position + 1; i < header.size(); ++i) {
            const char c = header.at(i);
            if (c == '"')
                break;
            if (c == '\\' && i + 1 < header.size())
                value += header.at(++i);
            else
                value += c;
        }
        return value;
    }
    const int end = header.indexOf(';', position);
    return header.mid(position, end < 0 ? -1 : end - position).trimmed();
}

// The value of parameter `name` (lower case), its name in any letter case; `found` says
// whether the parameter was there at all.
QByteArray parameter(const QByteArray &header, const QByteArray &name, bool *found)
{
    const QByteArray lower = header.toLower();
    for (int at = lower.indexOf(name); at >= 0; at = lower.indexOf(name, at + 1)) {
        // A parameter name starts the value or follows a ';' (blanks between).
        int before = at - 1;
        while (before >= 0 && (lower.at(before) == ' ' || lower.at(before) == '\t'))
            --before;
        if (before >= 0 && lower.at(before) != ';')
            continue;
        int equals = at + name.size();
        while (equals < lower.size() && (lower.at(equals) == ' ' || lower.at(equals) == '\t'))
            ++equals;
        if (equals >= lower.size() || lower.at(equals) != '=')
            continue;
        *found = true;
        return parameterValue(header, equals + 1);
    }
    *found = false;
    return QByteArray();
}

// "charset'language'percent-encoded" of the extended form; empty for a charset we cannot read.
QString extendedValue(const QByteArray &value)
{
    const int first = value.indexOf('\'');
    const int second = first < 0 ? -1 : value.indexOf('\'', first + 1);
    if (second < 0)
        return QString();
    const QByteArray charset = value.left(first).trimmed().toLower();
    const QByteArray bytes = QByteArray::fromPercentEncoding(value.mid(second + 1));
    if (charset == "utf-8")
        return QString::fromUtf8(bytes);
    if (charset == "iso-8859-1")
        return QString::fromLatin1(bytes);
    return QString();
}

QString withoutUnsafeCharacters(const QString &name)
{
    QString safe = NntpSegmentDecoder::sanitizeFileName(name);
    for (int i = safe.size() - 1; i >= 0; --i) {
        if (safe.at(i).category() == QChar::Other_Control)
            safe.remove(i, 1);
    }
    if (safe == QLatin1String(".") || safe == QLatin1String(".."))
        return QString();
    return safe;
}

} // namespace

QString CaughtFileName::fileNameParameter(const QByteArray &headerValue)
{
    const int nul = headerValue.indexOf('\0');
    const QByteArray header = nul < 0 ? headerValue : headerValue.left(nul);
    bool found = false;
    const QByteArray extended = parameter(header, "filename*", &found);
    if (found) {
        const QString name = extendedValue(extended);
        if (!name.isEmpty())
            return name;
    }
    return headerText(parameter(header, "filename", &found));
}

QString CaughtFileName::fromHeaders(const QByteArray &contentType, const QByteArray &contentDisposition)
{
    QString name = fileNameParameter(contentType);
    if (name.isEmpty())
        name = fileNameParameter(contentDisposition);
    if (name.isEmpty() && contentType.toLower().contains("application/octet-stream"))
        name = QStringLiteral("tmp.exe");
    return withoutUnsafeCharacters(name);
}
