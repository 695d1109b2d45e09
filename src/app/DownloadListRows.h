#ifndef DOWNLOADLISTROWS_H
#define DOWNLOADLISTROWS_H

#include <QIcon>
#include <QList>
#include <QString>
#include <QtGlobal>

class NzbFile;
class NzbFiles;
class QTreeWidgetItem;

// What the rows of the download list show, shared by everything that writes them: the columns,
// the two percentage rules, a file's display subject, and the search for the NZB or file behind
// a row (rows hold nothing of the model; the model holds its rows).
class DownloadListRows
{
public:
    enum Column {
        ColumnSubject = 0,
        ColumnProgress = 1,
        ColumnSize = 2,
        ColumnDate = 3,
        ColumnDestination = 4,
        ColumnMessages = 5,
        ColumnCount = 6
    };

    // Downloaded bytes against the size to download: 100 when nothing is left to download,
    // never above 100.
    // `arrivingBytes`: of a segment not counted yet, that is about to be.
    static quint64 nzbPercentage(const NzbFiles *nzb, quint64 arrivingBytes = 0);
    // Processed segments against the segment count: 100 for a file without segments, never
    // outside 0..100. `arriving`: segments not counted yet, that are about to be.
    static quint64 filePercentage(const NzbFile *file, int arriving = 0);
    // The text between the first and the last double quote of a subject, or the whole subject.
    static QString displaySubject(const QString &subject);

    static void setProgress(QTreeWidgetItem *row, quint64 percentage);
    static void setMessage(QTreeWidgetItem *row, const QString &message);
    static void setIcon(QTreeWidgetItem *row, const QString &image);
    // The icon of a compiled-in image, made once and shared by every row that shows it.
    static QIcon icon(const QString &image);
    static bool hasWarningMark(const QTreeWidgetItem *row);
    static void setWarningMark(QTreeWidgetItem *row, bool warning);
    static void setSubjectColour(QTreeWidgetItem *row, Qt::GlobalColor colour);

    // The icon of a file row by its state: decoded, all segments processed, paused, waiting.
    static QString fileStateImage(const NzbFile *file);
    static QString extractionImage(const NzbFiles *nzb);

    // The NZB of a queue whose row is `row`; null when none.
    static NzbFiles *nzbOfRow(const QList<NzbFiles *> &queue, const QTreeWidgetItem *row);
    // The file of a queue whose row is `row`; null when none.
    static NzbFile *fileOfRow(const QList<NzbFiles *> &queue, const QTreeWidgetItem *row);
};

#endif // DOWNLOADLISTROWS_H
