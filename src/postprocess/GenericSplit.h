#ifndef GENERICSPLIT_H
#define GENERICSPLIT_H

#include "postprocess/AbstractSplit.h"

// Joins a plain numbered set: base.001, base.002, ... into a file named base, by joining the
// whole volumes in number order for as long as the next number exists. A set with a gap (a
// volume numbered after a missing one) or a volume that is no readable file is not joined.
class GenericSplit : public AbstractSplit
{
public:
    explicit GenericSplit(const QString& firstVolume);

    int unsplit(const QString& destinationFolder) override;
    void setSourceFile(const QString& path) override;

private:
    QString volumePath(quint32 number) const;
    quint32 countVolumes() const;
    QString incompleteSet() const;
};

#endif // GENERICSPLIT_H
