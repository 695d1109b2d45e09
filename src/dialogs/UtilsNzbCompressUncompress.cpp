#include "dialogs/UtilsNzbCompressUncompress.h"

#include "config/AppConfiguration.h"
#include "engine/NntpSegmentDecoder.h"
#include "model/NzbFiles.h"
#include "model/NzbParser.h"

#include <QDir>
#include <QFile>
#include <QThread>

namespace {

const char kStampFormat[] = "yyyyMMddhhmmsszzz";
const char kExtension[] = ".tvz";

std::function<QDateTime()> &stampClock()
{
    static std::function<QDateTime()> clock;
    return clock;
}

// The first `count` characters, without splitting a surrogate pair.
QString leftCharacters(const QString &text, int count)
{
    QString left = text.left(count);
    if (!left.isEmpty() && left.size() < text.size() && QChar(left.back()).isHighSurrogate())
        left.chop(1);
    return left;
}

QString withoutControlCharacters(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control)
            clean.append(c);
    }
    return clean;
}

// Drops characters from the end until the name's bytes on disk fit the budget.
QString fittedToBytes(QString name, int maxBytes)
{
    while (!name.isEmpty() && QFile::encodeName(name).size() > maxBytes) {
        name.chop(QChar(name.back()).isLowSurrogate() && name.size() > 1 ? 2 : 1);
        name = name.trimmed();
    }
    return name;
}

bool isFreePath(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() && !info.isSymLink();
}

} // namespace

UtilsNzbCompressUncompress::UtilsNzbCompressUncompress(QObject *parent)
    : QObject(parent)
{
}

void UtilsNzbCompressUncompress::setClock(const std::function<QDateTime()> &clock)
{
    stampClock() = clock;
}

QDateTime UtilsNzbCompressUncompress::now()
{
    return stampClock() ? stampClock()() : QDateTime::currentDateTime();
}

QString UtilsNzbCompressUncompress::fileNamePart(const QString &text, int cutLength, int suffixBytes)
{
    QString name = text;
    const int firstQuote = name.indexOf(QLatin1Char('"'));
    const int lastQuote = name.lastIndexOf(QLatin1Char('"'));
    if (firstQuote >= 0 && firstQuote < lastQuote)
        name = NntpSegmentDecoder::sanitizeFileName(name.mid(firstQuote + 1, lastQuote - firstQuote - 1));

    const int lastStop = name.lastIndexOf(QLatin1Char('.'));
    if (lastStop >= 0)
        name = leftCharacters(NntpSegmentDecoder::sanitizeFileName(name.left(lastStop)), cutLength).trimmed();
    else
        name = NntpSegmentDecoder::sanitizeFileName(name); // "AC/DC Live" must not name a folder

    return fittedToBytes(withoutControlCharacters(name), MaxFileNameBytes - suffixBytes);
}

bool UtilsNzbCompressUncompress::saveNzbToHistory(const QString &nzbFilePath, const QString &nzbName,
                                                  QString &errorText)
{
    errorText.clear();
    if (!AppConfiguration::getInstance()->autoSaveHistoNzb)
        return true;

    const QString folder = AppConfiguration::getHistoNzbFolder();
    if (!QFileInfo(folder).isDir() && !AppConfiguration::makeDataSubFolder(folder)) {
        errorText = tr("Failed to create folder %1").arg(folder);
        return false;
    }

    QByteArray content;
    if (!readNzbFile(nzbFilePath, content)) {
        errorText = tr("Failed to open NZB file %1").arg(nzbFilePath);
        return false;
    }
    const QByteArray compressed = qCompress(content);

    const QString name = nzbName.isEmpty() ? QString() : fileNamePart(nzbName, NameCutLength, StampedSuffixLength);
    const auto stampedPath = [&folder, &name] {
        return folder + QDir::separator() + name + QLatin1Char('.') + now().toString(QLatin1String(kStampFormat))
               + QLatin1String(kExtension);
    };
    QString path = stampedPath();
    for (int taken = 1; !isFreePath(path); ++taken) {
        if (taken == MaxNameAttempts) {
            errorText = tr("Failed to find a name for NZB history (%1)").arg(name);
            return false;
        }
        QThread::msleep(10);
        path = stampedPath();
    }

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        errorText = tr("Failed to open NZB history file in write mode : %1").arg(path);
        return false;
    }
    if (!writeNewFile(file, compressed)) {
        file.remove();
        errorText = tr("Failed to write NZB history file %1").arg(path);
        return false;
    }
    return true;
}

bool UtilsNzbCompressUncompress::readNzbFile(const QString &nzbFilePath, QByteArray &content)
{
    // Text mode: the history keeps line feeds only.
    QFile file(nzbFilePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    content = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool UtilsNzbCompressUncompress::writeNewFile(QFile &file, const QByteArray &content)
{
    bool complete = file.write(content) == content.size();
    complete = file.flush() && complete;
    file.close();
    return complete && file.error() == QFileDevice::NoError;
}

QList<QFileInfo> UtilsNzbCompressUncompress::listHistoryFiles()
{
    const QDir folder(AppConfiguration::getHistoNzbFolder());
    if (!folder.exists())
        return {};
    // Hidden too: an entry saved with an empty name is called ".<stamp>.tvz".
    return folder.entryInfoList({QStringLiteral("*.tvz")}, QDir::Files | QDir::Hidden, QDir::Time);
}

bool UtilsNzbCompressUncompress::loadHistoryFile(const QString &historyFilePath, NzbFiles *&nzb,
                                                 QString &errorText)
{
    if (!QFileInfo(AppConfiguration::getHistoNzbFolder()).isDir()) {
        errorText = tr("No NZB History folder found !");
        return false;
    }
    QFile file(historyFilePath);
    if (!file.open(QIODevice::ReadOnly)) {
        errorText = tr("Failed to open NZB History file %1").arg(historyFilePath);
        return false;
    }
    const QByteArray content = qUncompress(file.readAll());
    file.close();
    if (content.isEmpty()) {
        errorText = tr("NZB History file %1: data is corrupt").arg(historyFilePath);
        return false;
    }
    NzbFiles *loaded = NzbParser::parse(content, errorText);
    if (!loaded)
        return false;
    nzb = loaded;
    return true;
}

QString UtilsNzbCompressUncompress::entryName(const QFileInfo &historyFile)
{
    const QString fileName = historyFile.fileName();
    if (fileName.size() < StampedSuffixLength)
        return fileName;
    return fileName.left(fileName.size() - StampedSuffixLength);
}

QDateTime UtilsNzbCompressUncompress::dateAdded(const QFileInfo &historyFile)
{
    const QString fileName = historyFile.fileName();
    const int stampStart = fileName.size() - StampedSuffixLength + 1;
    if (stampStart >= 1 && fileName.at(stampStart - 1) == QLatin1Char('.')
        && fileName.endsWith(QLatin1String(kExtension), Qt::CaseInsensitive)) {
        const QDateTime stamp =
            QDateTime::fromString(fileName.mid(stampStart, 17), QLatin1String(kStampFormat));
        if (stamp.isValid())
            return stamp;
    }
    const QDateTime birth = historyFile.birthTime();
    return birth.isValid() ? birth : historyFile.lastModified();
}
