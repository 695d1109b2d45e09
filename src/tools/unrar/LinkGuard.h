#ifndef LINKGUARD_H
#define LINKGUARD_H

#include <set>
#include <string>

// Decides which links of an archive may be made in the extraction folder, so that no name in
// it ever leads outside. Paths are relative to the extraction folder, parts separated by '/'.
//
// A symbolic link is made when its target stays inside wherever the link is followed: the
// target is relative, climbs ("..") only at its start and no higher than the link's own
// folder, and never climbs after a name (that name may itself be a link). A hard link is made
// only to a file that this run extracted and that still stands at that path.
class LinkGuard
{
public:
    // Empty when the symbolic link `path` -> `target` may be made; otherwise why not.
    static std::string symlinkRefusal(const std::string &path, const std::string &target);

    // Empty when a hard link to `target` (already made relative and clean) may be made.
    std::string hardlinkRefusal(const std::string &target) const;

    // Records what this run has put at `path`: a plain file (a hard link counts as one), or
    // anything else (folder, symbolic link), which ends the path's use as a hard link target.
    void wrotePlainFile(const std::string &path) { m_plainFiles.insert(path); }
    void wroteOther(const std::string &path) { m_plainFiles.erase(path); }

private:
    std::set<std::string> m_plainFiles;
};

#endif // LINKGUARD_H
