#ifndef SERVERFIELDRULES_H
#define SERVERFIELDRULES_H

#include <QString>

// What the server editor and the first-run wizard share about a server's fields: the default
// ports and the question about a password that begins or ends with a blank.
class ServerFieldRules
{
public:
    // "563" for NNTP over TLS, "119" otherwise.
    static QString defaultPort(bool ssl);

    // Whether the first or the last character is a blank (U+0020; a tab does not count).
    static bool hasOuterBlank(const QString &password);

    // Asks, in a box without parent and without title, whether to remove the blanks; Ok is the
    // default. The texts come translated in the asking dialog's context. True on Ok.
    static bool askToRemoveBlanks(const QString &text, const QString &informativeText);
};

#endif // SERVERFIELDRULES_H
