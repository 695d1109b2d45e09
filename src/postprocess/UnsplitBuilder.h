#ifndef UNSPLITBUILDER_H
#define UNSPLITBUILDER_H

#include <QObject>
#include <QString>
#include <QStringList>

class XtremSplit;
class GenericSplit;

// Finds the split-volume sets of a folder and builds the joiner for the first of them.
class UnsplitBuilder : public QObject
{
    Q_OBJECT

public:
    UnsplitBuilder() = delete;

    // The "*.001.xtm" sets of `folder` (any case): their first volumes are appended to
    // `firstVolumes` in name order and a joiner on the first is returned (owned by the
    // caller); null, with the list untouched, when there is none.
    static XtremSplit* getXtremSplit(const QString& folder, QStringList& firstVolumes);
    // The same for plain "*.001" sets, whatever they hold, but for the ".001" files that the
    // extraction takes as RAR archives (RarSignature::isNumberedArchive): a RAR archive cut into
    // pieces is joined, a numbered RAR volume set is not.
    static GenericSplit* getGenericSplit(const QString& folder, QStringList& firstVolumes);

private:
    static QStringList firstVolumesMatching(const QString& folder, const QString& pattern);
};

#endif // UNSPLITBUILDER_H
