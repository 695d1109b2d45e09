#include "postprocess/UnsplitBuilder.h"

#include "postprocess/GenericSplit.h"
#include "postprocess/RarSignature.h"
#include "postprocess/XtremSplit.h"

#include <QDir>

#include <algorithm>

QStringList UnsplitBuilder::firstVolumesMatching(const QString& folder, const QString& pattern)
{
    if (folder.isEmpty()) // an empty path would list the current folder
        return QStringList();
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QStringList(pattern), QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    QStringList paths;
    for (const QFileInfo& entry : entries)
        paths.append(entry.absoluteFilePath());
    return paths;
}

XtremSplit* UnsplitBuilder::getXtremSplit(const QString& folder, QStringList& firstVolumes)
{
    const QStringList found = firstVolumesMatching(folder, QStringLiteral("*.001.xtm"));
    if (found.isEmpty())
        return nullptr;
    firstVolumes.append(found);
    return new XtremSplit(found.first());
}

GenericSplit* UnsplitBuilder::getGenericSplit(const QString& folder, QStringList& firstVolumes)
{
    QStringList found = firstVolumesMatching(folder, QStringLiteral("*.001"));
    found.erase(std::remove_if(found.begin(), found.end(), &RarSignature::isNumberedArchive),
                found.end());
    if (found.isEmpty())
        return nullptr;
    firstVolumes.append(found);
    return new GenericSplit(found.first());
}
