#ifndef PARTIALFILE_H
#define PARTIALFILE_H

#include <QString>

// A file a step writes is written under a name of its own until it is whole, and only then
// takes its real name, in one rename: whenever the step is stopped (a crash, the machine off),
// nothing unfinished stands under a real name. The partial name lies in the same folder (so the
// rename never copies), is hidden, and is made from the real name alone, so that the step done
// again writes to the same partial name and replaces what it left there.
class PartialFile
{
public:
    enum class Result {
        Published,    // the file has its real name
        AlreadyThere, // a file of the same content stood at the real name: the partial file went
        NameTaken,    // another file stands at the real name: the partial file stays
        Failed
    };

    // The partial path of the file at `path`.
    static QString pathFor(const QString &path);
    // Whether a file name is a partial name (what a stopped step leaves).
    static bool isPartialName(const QString &fileName);
    // Removes what a stopped step left at the partial path of `path` (a plain file only).
    static void removeLeftover(const QString &path);

    // Gives the file at `partial` the name `target`, never over another file. A file that stands
    // at `target` with the same content is the one this step wrote before it was stopped (after
    // its rename, before it could note it): it is kept, and the partial file removed.
    static Result publish(const QString &partial, const QString &target, QString *reason = nullptr);

    // Renames without ever replacing what stands at `to`: 0, or the errno (EEXIST when taken).
    static int renameNoReplace(const QByteArray &from, const QByteArray &to);
    // Whether two paths name plain files of the same size and bytes.
    static bool sameContent(const QString &first, const QString &second);

private:
    PartialFile() = delete;
};

#endif // PARTIALFILE_H
