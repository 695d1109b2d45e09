#ifndef PAR2SETS_H
#define PAR2SETS_H

#include <QFileInfoList>
#include <QString>

// The PAR2 sets of a folder. A set is verified through its index file ("movie.par2"); a set
// posted without one is verified through one of its recovery volumes ("movie.vol03+04.par2"),
// since every volume carries the description of the whole set as well.
class Par2Sets
{
public:
    // One PAR2 file per set of the folder, in name order: the index file, or the first recovery
    // volume by name of a set that has no index file. "*.par2" in any case, plain files only.
    static QFileInfoList filesToVerify(const QString& folder);
    // The same, of the folder's PAR2 files as par2Files() lists them.
    static QFileInfoList filesToVerify(const QFileInfoList& par2Files);
    // The folder's "*.par2" files (any case, plain files only) in name order; none for an
    // empty path.
    static QFileInfoList par2Files(const QString& folder);

    // Whether a PAR2 file name is a recovery volume's: ".vol" (any case) in the part of the
    // name after its first dot (so "my.volume.par2" counts as one).
    static bool isRecoveryVolume(const QString& fileName);

    // The name of the set a PAR2 file belongs to: the file name without ".par2" and, for a
    // recovery volume, without its ".volNN+NN" part ("movie" for movie.vol03+04.par2).
    static QString setName(const QString& fileName);
};

#endif // PAR2SETS_H
