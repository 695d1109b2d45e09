#ifndef SERVERFIELDRULES_H
#define SERVERFIELDRULES_H

#include <QString>

class QLineEdit;

// What the server editor, the first-run wizard and the servers import share about a server's
// fields: their bounds, the default ports and the question about a password that begins or ends
// with a blank.
class ServerFieldRules
{
public:
    // A server record has one fixed block: texts within these lengths always fit in it
    // (at most 3615 of its 4096 bytes).
    enum {
        MaxHostLength = 512,
        MaxNicknameLength = 256,
        MaxLoginLength = 512,
        MaxPasswordLength = 512,
        LowestPort = 1,
        // A port is 16 bits wide: anything above would be cut when connecting.
        HighestPort = 65535,
        MaxConnections = 100
    };

    // Puts the text into a field bounded to `bound` characters. A longer text (a server stored
    // before the bounds) is kept whole: the field then takes it, and no more.
    static void setBoundedText(QLineEdit *field, const QString &text, int bound);

    // "563" for NNTP over TLS, "119" otherwise.
    static QString defaultPort(bool ssl);

    // An address typed with its port ("news.example.net:563", "[2001:db8::1]:119") split in
    // two. An IPv6 address without brackets holds no port.
    enum AddressPort { NoPort, WithPort, BadPort };
    struct SplitAddress
    {
        QString host; // trimmed, without the brackets of an IPv6 address
        int port = 0; // the port typed after the address, 0 when none
        AddressPort kind = NoPort;
        QString portText; // what follows the address's last ':' (BadPort: what was refused)
    };
    static SplitAddress splitAddress(const QString &text);

    // Whether the first or the last character is a blank (U+0020; a tab does not count).
    static bool hasOuterBlank(const QString &password);

    // Asks, in a box without parent and without title, whether to remove the blanks; Ok is the
    // default. The texts come translated in the asking dialog's context. True on Ok.
    static bool askToRemoveBlanks(const QString &text, const QString &informativeText);
};

#endif // SERVERFIELDRULES_H
