#ifndef RARSIGNATURE_H
#define RARSIGNATURE_H

#include <QString>

// What the first bytes of a file say about it as a RAR archive. Decides who takes a numbered
// ".001" file: the extraction (a RAR archive under a numbered name, or a volume of a RAR set
// numbered that way) or the join (the first piece of a file cut into pieces, whatever it holds,
// a RAR archive cut with a splitting tool included).
class RarSignature
{
public:
    enum class Volume { Yes, No, Unknown };

    // Whether the file begins with the RAR marker "Rar!" (in any case).
    static bool startsAsRar(const QString& path);

    // What the archive's main header says: one volume of a multi-volume set, or not; Unknown
    // when the header cannot be read (encrypted RAR 5 headers, a damaged start, no RAR at all).
    static Volume mainHeaderVolume(const QString& path);

    // Whether a ".001" file is the extraction's: a RAR archive standing alone (no ".002" beside
    // it), a volume of a numbered RAR set, or one whose main header cannot be read. The first
    // piece of a RAR archive cut into pieces (its main header says it is no volume, and a
    // ".002" follows it) is not: the join puts the archive back together first.
    static bool isNumberedArchive(const QString& path);
};

#endif // RARSIGNATURE_H
