#ifndef NNTPTESTARTICLE_H
#define NNTPTESTARTICLE_H

#include <QByteArray>
#include <QString>

// An article the test news server serves: its body as the client must store it (lines
// with CR LF, no dot-stuffing, no terminating line), its number and the fault it plays.
//
// Articles need not be registered: a message id made by generatedId() names a body that
// both the server and a test can rebuild from the id alone, e.g.
// "tq.750000.17.stall@gen" = 750000 bytes from seed 17, served with a stall.
struct NntpTestArticle
{
    enum class Fault {
        None,
        Missing,      // "430 no such article"
        Stall,        // half the body, then silence
        Drop,         // half the body, then the connection is closed
        SplitStatus,  // the status line arrives in two packets
        Endless,      // the body never ends (lines keep coming)
        EndlessStatus, // the status line "222 ..." never ends (bytes without a line feed)
        WrongStatus,   // BODY is answered with a status line of another command, and no body
        NoStatus       // BODY is not answered at all (silence until the client leaves)
    };

    QByteArray body;
    qint64 number = -1;
    Fault fault = Fault::None;

    static QString generatedId(qint64 size, quint32 seed, Fault fault = Fault::None);
    // True when the id is a generated one; fills size, seed and fault.
    static bool parseGeneratedId(const QString &messageId, qint64 &size, quint32 &seed, Fault &fault);
    // Deterministic printable body of exactly `size` bytes (0 or at least 2), lines ending
    // with CR LF; some lines begin with one or two dots so that dot-stuffing is exercised.
    static QByteArray generatedBody(qint64 size, quint32 seed);
    // The body as it travels: dot-stuffed, followed by the terminating line.
    static QByteArray wireBody(const QByteArray &body);
    // What a segment temporary file holding this body contains: its 32-bit big-endian
    // length, then the body.
    static QByteArray segmentFile(const QByteArray &body);

    static QString faultName(Fault fault);
    static bool faultFromName(const QString &name, Fault &fault);
};

#endif // NNTPTESTARTICLE_H
