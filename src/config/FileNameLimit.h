#ifndef FILENAMELIMIT_H
#define FILENAMELIMIT_H

#include <QString>

// File systems limit the length of a file name (255 bytes on most): a posted name can be longer.
// Such a name is shortened rather than never written.
class FileNameLimit
{
public:
    // The most bytes a file name can have in `folder` (or, while it does not exist, in the
    // nearest folder above it that does).
    static int maxBytes(const QString &folder);
    // Bytes of the name as the file system stores it.
    static int bytesOf(const QString &name);
    // The name when it has at most maxBytes bytes, else the name cut short so that it has: its
    // extension (one to three short suffixes such as ".mkv", ".part01.rar" or ".vol03+04.par2")
    // is kept, the text before it is cut, never inside a character.
    static QString fit(const QString &name, int maxBytes);

private:
    static QString extensionOf(const QString &name);
    static QString cutToBytes(const QString &text, int maxBytes);
};

#endif // FILENAMELIMIT_H
