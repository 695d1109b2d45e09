#ifndef XTREMSPLIT_H
#define XTREMSPLIT_H

#include "postprocess/AbstractSplit.h"

#include <QHash>

// Joins an XtremSplit set: base.001.xtm, base.002.xtm, ... The first volume starts with a
// 104-byte header giving the joined file's name, the number of volumes and the joined size;
// the joined file is the first volume's data after the header followed by every further
// volume, the last one cut at the joined size.
class XtremSplit : public AbstractSplit
{
public:
    static constexpr qint64 kHeaderSize = 104;

    explicit XtremSplit(const QString& firstVolume);

    int unsplit(const QString& destinationFolder) override;
    void setSourceFile(const QString& path) override;

    // The posted name reduced to a name that stays inside the destination folder: its last
    // component without the characters file names of this program never hold; empty when
    // nothing usable is left (control characters, ".", "..").
    static QString cleanTargetName(const QString& postedName);

private:
    struct Header
    {
        QString name;
        bool flag = false;
        quint32 volumeCount = 0;
        quint64 totalSize = 0;
    };

    static bool readHeader(QFile& volume, Header& header);
    int refuseHeader(const Header& header, const QString& destinationFolder);
    bool isVolumeOfThisSet(const QString& destinationFolder, const QString& name) const;
    // Name of volume `number` in the case the first volume is written in.
    QString volumeName(quint32 number) const;
    // Path of volume `number`: in the first volume's case, else found ignoring case.
    QString volumePath(quint32 number);
    int copyVolumes(QFile& volume, QFile& target, const QString& destinationFolder);

    QString m_suffix;                      // ".xtm" as the first volume writes it
    QHash<QString, QString> m_folderNames; // lower-case name -> name, filled when needed
};

#endif // XTREMSPLIT_H
