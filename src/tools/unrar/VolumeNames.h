#ifndef VOLUMENAMES_H
#define VOLUMENAMES_H

#include <string>

// Names of the volumes of a set, from the name of one of them:
//  - numbered in the name: "name.part1.rar" -> "name.part2.rar", "x.part09.rar" -> "x.part10.rar";
//  - numbered in the extension: "name.rar" -> "name.r00" -> ... "name.r99" -> "name.s00",
//    and "name.001" -> "name.002".
// Returns an empty text when the name has no place for a number.
std::string nextVolumeName(const std::string &path, bool numberedInName);

// True when the file name (not the folder) ends in ".part<digits>.rar", in any case.
bool hasPartNumber(const std::string &path);

#endif // VOLUMENAMES_H
