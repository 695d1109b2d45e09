#ifndef SEGMENTFOLDERS_H
#define SEGMENTFOLDERS_H

#include <QString>

// The Cache folder holds one folder of segment files per posted file; the connections create a
// file per article in it and the decoders remove the folder once its file is decoded. On ext4
// (without a journal, as on many virtual machines), a new inode is taken from the block group
// of its folder, and every inode freed there in the last minutes is looked at and passed over
// first: with all segment folders in the Cache folder's group, creating a segment file came to
// take milliseconds in a long download. Marked as the top of a hierarchy, the Cache folder has
// its sub-folders spread over the block groups of the disk, so that each posted file's segment
// files are made in a group of their own.
class SegmentFolders
{
public:
    // Makes the folder that holds segment folders (with its parents) and marks it so; true when
    // the folder exists. File systems without the mark (tmpfs, network file systems) are left as
    // they are: they have no such cost.
    static bool prepareParent(const QString &folder);
    // Whether the folder carries the mark.
    static bool isMarked(const QString &folder);
};

#endif // SEGMENTFOLDERS_H
