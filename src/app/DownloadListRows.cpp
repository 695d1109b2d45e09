#include "app/DownloadListRows.h"

#include "model/NzbFile.h"
#include "model/NzbFiles.h"

#include <QBrush>
#include <QHash>
#include <QIcon>
#include <QTreeWidgetItem>

quint64 DownloadListRows::nzbPercentage(const NzbFiles *nzb, quint64 arrivingBytes)
{
    const NzbFiles::ByteProgress progress = nzb->getByteProgress();
    const quint64 size = progress.sizeToDownload;
    const quint64 downloaded = progress.downloaded + qMin(arrivingBytes, size);
    if (size == 0 || downloaded >= size)
        return 100;
    // Below the size, so below 100; a wide product cannot overflow.
    return quint64((unsigned __int128)downloaded * 100 / size);
}

quint64 DownloadListRows::filePercentage(const NzbFile *file, int arriving)
{
    const int count = file->getSegmentCount();
    if (count < 1)
        return 100;
    const qint64 percentage = (qint64(file->iProcessed) + arriving) * 100 / count;
    if (percentage < 0 || percentage > 100)
        return 100;
    return quint64(percentage);
}

QString DownloadListRows::displaySubject(const QString &subject)
{
    const int first = subject.indexOf(QLatin1Char('"'));
    const int last = subject.lastIndexOf(QLatin1Char('"'));
    if (first < 0 || last <= first)
        return subject;
    return subject.mid(first + 1, last - first - 1);
}

void DownloadListRows::setProgress(QTreeWidgetItem *row, quint64 percentage)
{
    row->setData(ColumnProgress, Qt::DisplayRole, QVariant::fromValue<quint64>(percentage));
}

void DownloadListRows::setMessage(QTreeWidgetItem *row, const QString &message)
{
    row->setText(ColumnMessages, message);
}

void DownloadListRows::setIcon(QTreeWidgetItem *row, const QString &image)
{
    row->setIcon(ColumnSubject, icon(image));
}

QIcon DownloadListRows::icon(const QString &image)
{
    // Kept to the end of the process: icons must not outlive the application object.
    static auto *icons = new QHash<QString, QIcon>;
    auto it = icons->find(image);
    if (it == icons->end())
        it = icons->insert(image, QIcon(image));
    return *it;
}

bool DownloadListRows::hasWarningMark(const QTreeWidgetItem *row)
{
    return row->data(ColumnSubject, Qt::UserRole).toInt() != 0;
}

void DownloadListRows::setWarningMark(QTreeWidgetItem *row, bool warning)
{
    row->setData(ColumnSubject, Qt::UserRole, warning ? 1 : 0);
}

void DownloadListRows::setSubjectColour(QTreeWidgetItem *row, Qt::GlobalColor colour)
{
    QBrush brush = row->foreground(ColumnSubject);
    brush.setColor(colour);
    // A default brush has no style: give it one, or the colour would never be painted.
    if (brush.style() == Qt::NoBrush)
        brush.setStyle(Qt::SolidPattern);
    row->setForeground(ColumnSubject, brush);
}

QString DownloadListRows::fileStateImage(const NzbFile *file)
{
    if (file->isDecoded())
        return QStringLiteral(":/images/download_ok.png");
    if (file->isAllSegmentsProcessed())
        return QStringLiteral(":/images/download_downloading.png");
    if (file->bPaused)
        return QStringLiteral(":/images/download_pause.png");
    return QStringLiteral(":/images/download_wait.png");
}

QString DownloadListRows::extractionImage(const NzbFiles *nzb)
{
    return nzb->bSkipExtraction ? QStringLiteral(":/images/notwinrar.png") : QStringLiteral(":/images/winrar.png");
}

NzbFiles *DownloadListRows::nzbOfRow(const QList<NzbFiles *> &queue, const QTreeWidgetItem *row)
{
    if (!row)
        return nullptr;
    for (NzbFiles *nzb : queue) {
        if (nzb->pTreeItem == row)
            return nzb;
    }
    return nullptr;
}

NzbFile *DownloadListRows::fileOfRow(const QList<NzbFiles *> &queue, const QTreeWidgetItem *row)
{
    if (!row)
        return nullptr;
    for (const NzbFiles *nzb : queue) {
        if (row->parent() && nzb->pTreeItem != row->parent())
            continue;
        for (NzbFile *file : nzb->getFiles()) {
            if (file->pTreeItem == row)
                return file;
        }
    }
    return nullptr;
}
