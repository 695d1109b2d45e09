#ifndef ENTRYPLACEMENT_H
#define ENTRYPLACEMENT_H

#include <string>

// Where a file entry is written while it is extracted, and how it takes its real name once
// whole. An entry is written under a name of its own beside its real name ("<name>.tq-extracting")
// and renamed only once it is checked, so that an extraction cut off midway (a kill, a crash, a
// full disk) never leaves an unfinished file under a real name; an extraction done again replaces
// that leftover of its own.
class EntryPlacement
{
public:
    enum class Policy {
        Replace,      // whatever stands at the real name is replaced
        KeepExisting, // what stands there stays; the entry takes the first free "name (n).ext"
        Skip          // what stands there stays; the entry is not placed
    };

    struct Placed
    {
        bool ok = false;
        std::string path;   // where the entry is now (ok)
        bool already = false; // a file of the same content stood there: nothing was added
        bool taken = false;   // Skip: the real name was taken, the entry was dropped
        int error = 0;        // errno of the failure (not ok, not taken)
    };

    static const char *suffix() { return ".tq-extracting"; }

    // The name `path` is written under until whole; cut to fit a file name's 255 bytes.
    static std::string unfinishedPath(const std::string &path);
    // Removes what an earlier, interrupted extraction left at `unfinished` (a file or a link,
    // never a folder). False when something stays there.
    static bool clearUnfinished(const std::string &unfinished);
    // Gives the whole file at `unfinished` its real name `path` by the policy. What stood at a
    // name and has the very same content is taken for this entry extracted before (by a run that
    // was cut off after it): the entry then adds nothing beside it.
    static Placed place(const std::string &unfinished, const std::string &path, Policy policy);

    // "name (n).ext": the n-th name tried beside a taken one.
    static std::string numberedPath(const std::string &path, int number);
    // Whether both paths are plain files with the same bytes.
    static bool sameContent(const std::string &a, const std::string &b);

private:
    // rename() that never replaces: false with errno EEXIST when `to` exists.
    static bool renameNoReplace(const std::string &from, const std::string &to);
};

#endif // ENTRYPLACEMENT_H
