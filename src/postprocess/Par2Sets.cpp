#include "postprocess/Par2Sets.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

QFileInfoList Par2Sets::par2Files(const QString& folder)
{
    if (folder.isEmpty()) // an empty path would list the current folder
        return {};
    return QDir(folder).entryInfoList({QStringLiteral("*.par2")}, QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

QFileInfoList Par2Sets::filesToVerify(const QString& folder)
{
    return filesToVerify(par2Files(folder));
}

QFileInfoList Par2Sets::filesToVerify(const QFileInfoList& par2Files)
{
    QSet<QString> setsWithIndex;
    for (const QFileInfo& file : par2Files) {
        if (!isRecoveryVolume(file.fileName()))
            setsWithIndex.insert(setName(file.fileName()).toUpper());
    }
    QFileInfoList chosen;
    QSet<QString> setsTaken = setsWithIndex;
    for (const QFileInfo& file : par2Files) {
        const QString set = setName(file.fileName()).toUpper();
        if (!isRecoveryVolume(file.fileName())) {
            chosen.append(file);
        } else if (!setsTaken.contains(set)) {
            setsTaken.insert(set);
            chosen.append(file);
        }
    }
    return chosen;
}

bool Par2Sets::isRecoveryVolume(const QString& fileName)
{
    const int firstDot = fileName.indexOf(QLatin1Char('.'));
    return firstDot >= 0 && fileName.mid(firstDot + 1).contains(QLatin1String("vol"), Qt::CaseInsensitive);
}

QString Par2Sets::setName(const QString& fileName)
{
    static const QRegularExpression volume(QStringLiteral("^(.*)\\.vol\\d+[+-]\\d+\\.par2$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = volume.match(fileName);
    if (match.hasMatch())
        return match.captured(1);
    if (fileName.endsWith(QLatin1String(".par2"), Qt::CaseInsensitive))
        return fileName.left(fileName.size() - 5);
    return fileName;
}
