#include "LinkGuard.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

// The parts of a link target; both separators count, since archives made on Windows use '\'.
std::vector<std::string> targetParts(const std::string &target)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= target.size()) {
        size_t end = target.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = target.size();
        const std::string part = target.substr(start, end - start);
        if (!part.empty() && part != ".")
            parts.push_back(part);
        start = end + 1;
    }
    return parts;
}

bool isAbsolute(const std::string &target)
{
    if (target[0] == '/' || target[0] == '\\')
        return true;
    // "C:\..." or "C:/..." on the system the archive was made on.
    return target.size() >= 2 && std::isalpha(static_cast<unsigned char>(target[0])) && target[1] == ':';
}

} // namespace

std::string LinkGuard::symlinkRefusal(const std::string &path, const std::string &target)
{
    if (target.empty())
        return "the link has no target";
    if (isAbsolute(target))
        return "the link leads to an absolute path (" + target + ")";
    const long depth = std::count(path.begin(), path.end(), '/');
    long climbs = 0;
    bool named = false;
    for (const std::string &part : targetParts(target)) {
        if (part != "..") {
            named = true;
        } else if (named) {
            // "name/.." leaves the extraction folder when "name" is a link to ".".
            return "the link climbs after a name (" + target + ")";
        } else if (++climbs > depth) {
            return "the link leads outside the extraction folder (" + target + ")";
        }
    }
    return std::string();
}

std::string LinkGuard::hardlinkRefusal(const std::string &target) const
{
    if (target.empty() || m_plainFiles.count(target) == 0)
        return "the hard link's target " + target + " is no file this archive extracted";
    return std::string();
}
