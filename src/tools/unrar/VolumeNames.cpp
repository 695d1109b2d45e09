#include "VolumeNames.h"

#include <cctype>

namespace {

size_t fileNameStart(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// Adds one to the digits that end at `end` (exclusive); a carry out of the first digit grows
// the number by a "1" (9 -> 10); returns false when there are no digits there.
bool incrementDigits(std::string &s, size_t end, size_t floor)
{
    size_t i = end;
    while (i > floor && std::isdigit(static_cast<unsigned char>(s[i - 1])))
        --i;
    if (i == end)
        return false;
    for (size_t k = end; k-- > i;) {
        if (s[k] != '9') {
            ++s[k];
            return true;
        }
        s[k] = '0';
    }
    s.insert(i, 1, '1');
    return true;
}

std::string nextInName(const std::string &path)
{
    const size_t start = fileNameStart(path);
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < start)
        return {};
    std::string next = path;
    return incrementDigits(next, dot, start) ? next : std::string();
}

std::string nextInExtension(const std::string &path)
{
    const size_t start = fileNameStart(path);
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < start || dot + 1 == path.size())
        return {};
    std::string next = path;
    std::string ext = path.substr(dot + 1);
    std::string lower;
    for (char c : ext)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "rar") {
        next.replace(dot + 1, 3, std::string(1, ext[0] == 'R' ? 'R' : 'r') + "00");
        return next;
    }
    const size_t end = next.size();
    size_t digits = end;
    while (digits > dot + 1 && std::isdigit(static_cast<unsigned char>(next[digits - 1])))
        --digits;
    if (digits == end)
        return {};
    const bool allNines = next.find_first_not_of('9', digits) == std::string::npos;
    if (allNines && digits > dot + 1 && std::isalpha(static_cast<unsigned char>(next[digits - 1]))) {
        // r99 -> s00: the letter carries.
        for (size_t k = digits; k < end; ++k)
            next[k] = '0';
        ++next[digits - 1];
        return next;
    }
    incrementDigits(next, end, dot + 1);
    return next;
}

} // namespace

bool hasPartNumber(const std::string &path)
{
    const std::string name = path.substr(fileNameStart(path));
    std::string lower;
    for (char c : name)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.size() < 5 || lower.compare(lower.size() - 4, 4, ".rar") != 0)
        return false;
    size_t i = lower.size() - 4;
    const size_t digitsEnd = i;
    while (i > 0 && std::isdigit(static_cast<unsigned char>(lower[i - 1])))
        --i;
    return i < digitsEnd && i >= 5 && lower.compare(i - 5, 5, ".part") == 0;
}

std::string nextVolumeName(const std::string &path, bool numberedInName)
{
    if (numberedInName) {
        std::string next = nextInName(path);
        if (!next.empty())
            return next;
    }
    return nextInExtension(path);
}
