// Writes seed inputs for fuzz_segment_decoder into the folder given as the argument: each is
// one subject byte and a segment file (yEnc single and multi-part, uuencode, MIME, plain text).
#include "SegmentBodyWriter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    using Writer = SegmentBodyWriter;
    const QByteArray data = Writer::randomBytes(700, 1);
    Writer::YencPart part;
    part.number = 2;
    part.total = 3;
    part.begin = 201;
    part.end = 400;
    const QList<QByteArray> bodies = {
        Writer::yencSinglePart("abc.bin", data),
        Writer::yencSinglePart("x:y?.rar", data.left(20), 61),
        Writer::yencMultiPart("abc.bin", data, part),
        Writer::yencMultiPart("a b.rar", data, part, false, true),
        Writer::yencSinglePart("abc.bin", data.left(5)) + Writer::yencSinglePart("def.bin", data.left(9)),
        "=ybegin  part=1  line= 128 size= 5000 name=a b.rar\r\n=ypart begin=1 end=10\r\n"
            + Writer::yencLines(data.left(10)) + "=yend size=10 part=1\r\n",
        Writer::uuencodeFile("pic.jpg", data.left(100)),
        Writer::mimeBase64("\"file.zip\"", data.left(200)),
        "Line one\r\nLine two\r\n",
    };
    int index = 0;
    for (const QByteArray &body : bodies) {
        for (const char subject : {'\0', '\1'}) {
            QFile file(folder + QStringLiteral("/seed-%1").arg(index++));
            if (!file.open(QIODevice::WriteOnly))
                return 1;
            file.write(QByteArray(1, subject) + Writer::segmentFile(body));
        }
    }
    return 0;
}
