#include "NzbTestHelpers.h"
#include "model/NzbParser.h"

#include "FifoUnblocker.h"
#include "ProcessMemory.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QXmlStreamWriter>
#include <QtTest>

#include <memory>

namespace {

QString dataPath(const QString &name)
{
    return QStringLiteral(TQ_TEST_DATA "/nzb/") + name;
}

// One line per file: subject, groups, then the segments as key=bytes:message-id.
QString summarise(const NzbFiles *nzb)
{
    QStringList lines;
    for (NzbFile *file : nzb->getFiles()) {
        QStringList segments;
        for (NzbSegment *segment : file->getSegments())
            segments << QStringLiteral("%1=%2:%3").arg(segment->getNumber(), segment->getBytes(), segment->getMessageId());
        lines << QStringLiteral("%1 {%2} [%3] size=%4")
                     .arg(file->getSubject(), file->listGroups.join(QLatin1Char(',')), segments.join(QLatin1Char(' ')))
                     .arg(file->uiSize);
    }
    return lines.join(QLatin1Char('\n'));
}

QByteArray fileEntry(const QByteArray &subject, const QByteArray &body)
{
    return "<file poster=\"p\" date=\"1\" subject=\"" + subject + "\">" + body + "</file>";
}

const QByteArray kGroups = "<groups><group>g</group></groups>";

QByteArray segs(const QByteArray &inner)
{
    return "<segments>" + inner + "</segments>";
}

QByteArray doc(const QByteArray &inner)
{
    return "<?xml version=\"1.0\"?><nzb>" + inner + "</nzb>";
}

} // namespace

class tst_NzbParser : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void rejectsMalformed_data();
    void rejectsMalformed();
    void readsRealShapedFiles_data();
    void readsRealShapedFiles();
    void missingFileIsReported();
    void refusesWhatIsNoRegularFile_data();
    void refusesWhatIsNoRegularFile();
    void refusesOversizedFile();
    void refusesAbsurdlyLongText_data();
    void refusesAbsurdlyLongText();
    void takesLongButSaneText();

    void writerMatchesGoldenFile();
    void writerKeepsLatin1LayoutOfClassicWriter();
    void writerRoundTripsAnyUnicode_data();
    void writerRoundTripsAnyUnicode();
    void writerSkipsExcludedFiles();
    void writerOfEmptyNzb();
};

void tst_NzbParser::reads_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("expected");

    QTest::newRow("two files")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"10\" number=\"1\">a1@x</segment>"))
               + fileEntry("b.bin", kGroups + segs("<segment bytes=\"20\" number=\"1\">b1@x</segment>")))
        << "a.bin {g} [1=10:a1@x] size=10\nb.bin {g} [1=20:b1@x] size=20";
    QTest::newRow("names in any case")
        << doc("<FILE Poster=\"P\" SUBJECT=\"up.bin\"><Groups><GROUP>g</GROUP></Groups><SEGMENTS>"
               "<Segment BYTES=\"3\" Number=\"1\">u@x</Segment></SEGMENTS></FILE>")
        << "up.bin {g} [1=3:u@x] size=3";
    QTest::newRow("segments before groups drops that file only")
        << doc(fileEntry("bad.bin", segs("<segment bytes=\"1\" number=\"1\">x@x</segment>") + kGroups)
               + fileEntry("good.bin", kGroups + segs("<segment bytes=\"2\" number=\"1\">g@x</segment>")))
        << "good.bin {g} [1=2:g@x] size=2";
    QTest::newRow("empty groups accepted")
        << doc(fileEntry("a.bin", "<groups/>" + segs("<segment bytes=\"1\" number=\"1\">m@x</segment>")))
        << "a.bin {} [1=1:m@x] size=1";
    QTest::newRow("several groups in order")
        << doc(fileEntry("a.bin", "<groups><group>z</group><group>a</group></groups>"
                                  + segs("<segment bytes=\"1\" number=\"1\">m@x</segment>")))
        << "a.bin {z,a} [1=1:m@x] size=1";
    QTest::newRow("message id keeps its blanks and line feeds")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\" number=\"1\">\n  m@x\n</segment>")))
        << "a.bin {g} [1=1:\n  m@x\n] size=1";
    QTest::newRow("same number, two articles: both kept in document order")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"100\" number=\"5\">first@x</segment>"
                                                 "<segment bytes=\"7\" number=\"5\">second@x</segment>"
                                                 "<segment bytes=\"3\" number=\"4\">four@x</segment>")))
        << "a.bin {g} [4=3:four@x 5=100:first@x 5=7:second@x] size=110";
    QTest::newRow("same number, same article: taken once, the later entry")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"100\" number=\"5\">a@x</segment>"
                                                 "<segment bytes=\"7\" number=\"05\"> a@x </segment>")))
        << "a.bin {g} [05=7: a@x ] size=7";
    QTest::newRow("part 6 numbered 5 again")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\" number=\"4\">p4@x</segment>"
                                                 "<segment bytes=\"1\" number=\"5\">p5@x</segment>"
                                                 "<segment bytes=\"1\" number=\"5\">p6@x</segment>"
                                                 "<segment bytes=\"1\" number=\"7\">p7@x</segment>")))
        << "a.bin {g} [4=1:p4@x 5=1:p5@x 5=1:p6@x 7=1:p7@x] size=4";
    QTest::newRow("segments sorted by number, not document order")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\" number=\"10\">ten@x</segment>"
                                                 "<segment bytes=\"1\" number=\"9\">nine@x</segment>")))
        << "a.bin {g} [9=1:nine@x 10=1:ten@x] size=2";
    QTest::newRow("numbers below zero and beyond 32 bits take their place, the others come last")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\" number=\"../../x\">p@x</segment>"
                                                 "<segment bytes=\"1\" number=\"-1\">n@x</segment>"
                                                 "<segment bytes=\"1\" number=\"0x10\">h@x</segment>"
                                                 "<segment bytes=\"1\">none@x</segment>"
                                                 "<segment bytes=\"1\" number=\"4294967296\">b32@x</segment>"
                                                 "<segment bytes=\"1\" number=\"2147483648\">b31@x</segment>"
                                                 "<segment bytes=\"1\" number=\"99999999999999999999\">huge@x</segment>"
                                                 "<segment bytes=\"4\" number=\"2\">ok@x</segment>")))
        << "a.bin {g} [-1=1:n@x 2=4:ok@x 2147483648=1:b31@x 4294967296=1:b32@x ../../x=1:p@x 0x10=1:h@x =1:none@x "
           "99999999999999999999=1:huge@x] size=11";
    QTest::newRow("message ids that no server can be asked for are kept")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\" number=\"1\"></segment>"
                                                 "<segment bytes=\"1\" number=\"2\"> \n </segment>"
                                                 "<segment bytes=\"1\" number=\"3\">a@x&#13;QUIT</segment>"
                                                 "<segment bytes=\"1\" number=\"4\">a@x&#10;QUIT</segment>"
                                                 "<segment bytes=\"1\" number=\"5\">a&#13;&#10;b@x</segment>"
                                                 "<segment bytes=\"4\" number=\"6\">ok@x</segment>"))
               + fileEntry("b.bin", kGroups + segs("<segment bytes=\"1\" number=\"1\">x&#13;y</segment>")))
        << "a.bin {g} [1=1: 2=1: \n  3=1:a@x\rQUIT 4=1:a@x\nQUIT 5=1:a\r\nb@x 6=4:ok@x] size=9\nb.bin {g} [1=1:x\ry] size=1";
    QTest::newRow("a file without a segment is left out, one without a usable segment is kept")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\">none@x</segment>"))
               + fileEntry("b.bin", kGroups + "<segments/>")
               + fileEntry("c.bin", kGroups + segs("<segment bytes=\"1\" number=\"1\">c@x</segment>")))
        << "a.bin {g} [=1:none@x] size=1\nc.bin {g} [1=1:c@x] size=1";
    QTest::newRow("negative and huge byte counts count as zero")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"-100\" number=\"1\">a@x</segment>"
                                                 "<segment bytes=\"123456789012345678901234\" number=\"2\">b@x</segment>"
                                                 "<segment bytes=\"5\" number=\"3\">c@x</segment>")))
        << "a.bin {g} [1=-100:a@x 2=123456789012345678901234:b@x 3=5:c@x] size=5";
    QTest::newRow("entities resolved")
        << doc(fileEntry("&quot;a&amp;b&quot; &#x41F;.bin", kGroups + segs("<segment bytes=\"1\" number=\"1\">&lt;m@x&gt;</segment>")))
        << QString::fromUtf8("\"a&b\" П.bin {g} [1=1:<m@x>] size=1");
    QTest::newRow("utf-8 subject")
        << doc(fileEntry(QString::fromUtf8("Фильм 電影.mkv").toUtf8(), kGroups + segs("<segment bytes=\"1\" number=\"1\">m@x</segment>")))
        << QString::fromUtf8("Фильм 電影.mkv {g} [1=1:m@x] size=1");
    QTest::newRow("other elements and text ignored")
        << doc("<head><meta type=\"x\">y</meta></head>text"
               + fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\" number=\"1\">m@x</segment>")) + "<extra/>")
        << "a.bin {g} [1=1:m@x] size=1";
    QTest::newRow("no files") << doc("") << "";
    QTest::newRow("root element not examined")
        << QByteArray("<whatever>" + fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\" number=\"1\">m@x</segment>")) + "</whatever>")
        << "a.bin {g} [1=1:m@x] size=1";
}

void tst_NzbParser::reads()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, expected);
    QString error = QStringLiteral("untouched");
    std::unique_ptr<NzbFiles> nzb(NzbParser::parse(document, error));
    QVERIFY(nzb);
    QCOMPARE(error, QStringLiteral("untouched"));
    QCOMPARE(summarise(nzb.get()), expected);
    for (NzbFile *file : nzb->getFiles()) {
        QCOMPARE(file->getNzbFiles(), nzb.get());
        for (NzbSegment *segment : file->getSegments())
            QCOMPARE(segment->getNzbFile(), file);
    }
}

void tst_NzbParser::rejectsMalformed_data()
{
    QTest::addColumn<QByteArray>("document");
    const QByteArray good = fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\" number=\"1\">m@x</segment>"));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not xml") << QByteArray("\x00\x01\x02garbage\xff", 12);
    QTest::newRow("unclosed after a good file") << QByteArray("<nzb>" + good + "<file poster=\"p\"><groups>");
    QTest::newRow("mismatched tags") << QByteArray("<nzb>" + good + "</nzz>");
    QTest::newRow("element inside segment")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\" number=\"1\">m<b/>@x</segment>")));
    QTest::newRow("element inside group")
        << doc(fileEntry("a.bin", "<groups><group>g<x>y</x></group></groups>" + segs("<segment number=\"1\">m</segment>")));
    QTest::newRow("undefined entity") << doc(fileEntry("&nope;", kGroups));
    // With an external DTD the XML reader lets a reference it cannot resolve through as text,
    // and control characters with it; written back, such an NZB would not read the same.
    const QByteArray external = "<?xml version=\"1.0\"?><!DOCTYPE nzb PUBLIC \"-//newzBin//DTD NZB 1.1//EN\" \"nzb.dtd\">";
    QTest::newRow("control character in a subject")
        << QByteArray(external + "<nzb>" + fileEntry("&l\x01t;a.bin", kGroups + segs("<segment number=\"1\">m@x</segment>")) + "</nzb>");
    // "+200" in UTF-7 is half a surrogate pair.
    QTest::newRow("half a surrogate pair in a size")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-7\"?><nzb>"
                      + fileEntry("a.bin", kGroups + segs("<segment bytes=\"5+200\" number=\"1\">m@x</segment>")) + "</nzb>");
    QTest::newRow("control character in a poster")
        << QByteArray(external + "<nzb><file poster=\"&p\x1f;\" subject=\"a.bin\">" + kGroups
                      + segs("<segment number=\"1\">m@x</segment>") + "</file></nzb>");
    QTest::newRow("entity expansion bomb")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE nzb [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                      "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
                      "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
                      "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>"
                      "<nzb><file subject=\"&f;\"><groups/><segments><segment number=\"1\">m</segment></segments></file></nzb>");
}

void tst_NzbParser::rejectsMalformed()
{
    QFETCH(QByteArray, document);
    QString error;
    std::unique_ptr<NzbFiles> nzb(NzbParser::parse(document, error));
    QVERIFY(!nzb);
    QCOMPARE(error, QStringLiteral("NZB contains error(s)"));
}

void tst_NzbParser::readsRealShapedFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nzb 1.1 with head and meta") << "nzb11_head_meta.nzb"
        << QString::fromUtf8("[1/2] - \"movie.part01.rar\" yEnc (1/2) 1000 {alt.binaries.test,alt.binaries.misc} "
                             "[1=500:part1of2.abc@test.invalid 2=600:part2of2.abc@test.invalid] size=1100\n"
                             "[2/2] - \"Фильм.nfo\" yEnc (1/1) 10 {alt.binaries.test} [1=10:nfo.abc@test.invalid] size=10");
    QTest::newRow("latin-1 declared") << "latin1_declared.nzb" << QString::fromUtf8("café.bin {g} [1=5:m@x] size=5");
    QTest::newRow("crlf line ends") << "crlf.nzb" << "crlf.bin {g} [1=5:m@x] size=5";
}

void tst_NzbParser::readsRealShapedFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QString error;
    std::unique_ptr<NzbFiles> nzb(NzbParser::parseFile(dataPath(file), error));
    QVERIFY2(nzb, qPrintable(error));
    QCOMPARE(summarise(nzb.get()), expected);
    QCOMPARE(nzb->getFileAt(0)->getPoster().isEmpty(), false);
}

void tst_NzbParser::missingFileIsReported()
{
    QString error;
    QVERIFY(!NzbParser::parseFile(dataPath(QStringLiteral("no-such-file.nzb")), error));
    QCOMPARE(error, QStringLiteral("File does not exist"));
}

// A folder, a device or a named pipe given as NZB is refused before it is opened: a pipe would
// hold the reader in open() for good, a device like /dev/zero would be read without end.
void tst_NzbParser::refusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder";
    QTest::newRow("named pipe") << "pipe";
    QTest::newRow("device that is empty") << "/dev/null";
    QTest::newRow("device without end") << "/dev/zero";
}

void tst_NzbParser::refusesWhatIsNoRegularFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = kind;
    std::unique_ptr<FifoUnblocker> pipe;
    if (kind == QLatin1String("folder")) {
        path = dir.filePath(QStringLiteral("folder.nzb"));
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("pipe")) {
        path = dir.filePath(QStringLiteral("pipe.nzb"));
        pipe = std::make_unique<FifoUnblocker>(path);
        QVERIFY(pipe->isMade());
    }
    QVERIFY(ProcessMemory::resetPeak());
    QString error;
    std::unique_ptr<NzbFiles> nzb(NzbParser::parseFile(path, error));
    QVERIFY(!nzb);
    QCOMPARE(error, QStringLiteral("Not a regular file (a folder, a device or a pipe)"));
    if (pipe)
        QVERIFY(!pipe->wasOpened());
    QVERIFY(ProcessMemory::peakBytes() < 256 * 1024 * 1024);
}

// Far larger than any real NZB: refused without being read (the file here is sparse).
void tst_NzbParser::refusesOversizedFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("huge.nzb")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\" number=\"1\">m@x</segment>")))) > 0);
    QVERIFY(file.resize(NzbParser::MaxFileBytes + 1));
    file.close();
    QVERIFY(ProcessMemory::resetPeak());
    QString error;
    std::unique_ptr<NzbFiles> nzb(NzbParser::parseFile(file.fileName(), error));
    QVERIFY(!nzb);
    QCOMPARE(error, QStringLiteral("File larger than 256 MiB"));
    QVERIFY(ProcessMemory::peakBytes() < 128 * 1024 * 1024);
}

// A subject, poster, group or message id of megabytes (or just past the bound) is no NZB's: the
// whole document is refused, and quickly, without holding the text several times over. A
// document that declares entities of its own is refused as faulty: a short one, referred to in a
// short text, makes a text of megabytes.
void tst_NzbParser::refusesAbsurdlyLongText_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("error");
    const QString tooLong = QStringLiteral("NZB contains a text longer than 65536 bytes");
    const QByteArray huge(2 * 1024 * 1024, 'x');
    const QByteArray justOver(NzbParser::MaxTextBytes + 1, 'y');
    const QByteArray segment = segs("<segment bytes=\"1\" number=\"1\">m@x</segment>");
    QTest::newRow("subject of megabytes") << doc(fileEntry(huge, kGroups + segment)) << tooLong;
    QTest::newRow("subject just over the bound") << doc(fileEntry(justOver, kGroups + segment)) << tooLong;
    QTest::newRow("poster of megabytes")
        << doc("<file poster=\"" + huge + "\" subject=\"s\">" + kGroups + segment + "</file>") << tooLong;
    QTest::newRow("group of megabytes")
        << doc(fileEntry("a.bin", "<groups><group>" + huge + "</group></groups>" + segment)) << tooLong;
    QTest::newRow("message id of megabytes")
        << doc(fileEntry("a.bin", kGroups + segs("<segment bytes=\"1\" number=\"1\">" + huge + "</segment>"))) << tooLong;
    QTest::newRow("text between elements") << doc(huge + fileEntry("a.bin", kGroups + segment)) << tooLong;
    QByteArray references;
    for (int i = 0; i < 20000; ++i)
        references += "&a;";
    QTest::newRow("entity of its own, 80 million characters in 64 KB")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE nzb [<!ENTITY a \"" + QByteArray(4000, 'x') + "\">]><nzb>"
                      + fileEntry(references, kGroups + segment) + "</nzb>")
        << QStringLiteral("NZB contains error(s)");
    QTest::newRow("entity of its own, harmless")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE nzb [<!ENTITY a \"b\">]><nzb>" + fileEntry("&a;", kGroups + segment)
                      + "</nzb>")
        << QStringLiteral("NZB contains error(s)");
}

void tst_NzbParser::refusesAbsurdlyLongText()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, error);
    QVERIFY(ProcessMemory::resetPeak());
    QString parseError;
    std::unique_ptr<NzbFiles> nzb(NzbParser::parse(document, parseError));
    QVERIFY(!nzb);
    QCOMPARE(parseError, error);
    QVERIFY(ProcessMemory::peakBytes() < 128 * 1024 * 1024);
}

// Texts far longer than real ones, but within the bound with their tag, are read as they are.
void tst_NzbParser::takesLongButSaneText()
{
    const QString subject(NzbParser::MaxTextBytes - 100, QLatin1Char('s'));
    const QString id = QString(4000, QLatin1Char('i')) + QStringLiteral("@x");
    QString error;
    std::unique_ptr<NzbFiles> nzb(NzbParser::parse(
        doc(fileEntry(subject.toLatin1(), kGroups + segs("<segment bytes=\"1\" number=\"1\">" + id.toLatin1() + "</segment>"))),
        error));
    QVERIFY2(nzb, qPrintable(error));
    QCOMPARE(nzb->getFileAt(0)->getSubject(), subject);
    QCOMPARE(nzb->getFileAt(0)->getSegments().first()->getMessageId(), id);
}

namespace {

std::unique_ptr<NzbFiles> sampleNzb(bool withTextBeyondLatin1 = false)
{
    auto nzb = std::make_unique<NzbFiles>();
    NzbFile *a = makeFile(QStringLiteral("\"a & b\" <x>.rar"), 2, 100);
    a->setPoster(QString::fromUtf8("Jos\u00e9 <jose@test.invalid>"));
    a->addGroup(QStringLiteral("alt.binaries.misc"));
    nzb->addFile(a);
    nzb->addFile(makeFile(QStringLiteral("b.par2"), 1, 50));
    if (withTextBeyondLatin1)
        nzb->addFile(makeFile(QString::fromUtf8("Фильм 電影 \U0001F600.mkv"), 1, 7));
    return nzb;
}

QByteArray readData(const QString &name)
{
    QFile file(dataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

} // namespace

void tst_NzbParser::writerMatchesGoldenFile()
{
    QByteArray written;
    sampleNzb(true)->writeNzb(written);
    const QByteArray golden = readData(QStringLiteral("golden_written.nzb"));
    QVERIFY(!golden.isEmpty());
    QCOMPARE(written, golden);
}

// For text that Latin-1 can hold, the document is byte for byte what a Latin-1 stream
// writer makes, so NZBs written before keep their layout.
void tst_NzbParser::writerKeepsLatin1LayoutOfClassicWriter()
{
    std::unique_ptr<NzbFiles> nzb = sampleNzb();
    QByteArray expected;
    QBuffer buffer(&expected);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.setCodec(QTextCodec::codecForName("ISO 8859-1"));
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE nzb PUBLIC \"-//newzBin//DTD NZB 1.0//EN\" \"http://www.newzbin.com/DTD/nzb/nzb-1.0.dtd\">"));
    xml.writeComment(QStringLiteral(" NZB Generated by Tessaquill+ "));
    xml.writeStartElement(QStringLiteral("nzb"));
    xml.writeAttribute(QStringLiteral("xmlns"), QStringLiteral("http://www.newzbin.com/DTD/2003/nzb"));
    for (NzbFile *file : nzb->getFiles()) {
        xml.writeStartElement(QStringLiteral("file"));
        xml.writeAttribute(QStringLiteral("poster"), file->getPoster());
        xml.writeAttribute(QStringLiteral("date"), file->getDate());
        xml.writeAttribute(QStringLiteral("subject"), file->getSubject());
        xml.writeStartElement(QStringLiteral("groups"));
        for (const QString &group : qAsConst(file->listGroups))
            xml.writeTextElement(QStringLiteral("group"), group);
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("segments"));
        for (NzbSegment *segment : file->getSegments()) {
            xml.writeStartElement(QStringLiteral("segment"));
            xml.writeAttribute(QStringLiteral("bytes"), segment->getBytes());
            xml.writeAttribute(QStringLiteral("number"), segment->getNumber());
            xml.writeCharacters(segment->getMessageId());
            xml.writeEndElement();
        }
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndDocument();

    QByteArray written;
    nzb->writeNzb(written);
    QCOMPARE(written, expected);
}

void tst_NzbParser::writerRoundTripsAnyUnicode_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("cyrillic") << QString::fromUtf8("Фильм.2024.mkv");
    QTest::newRow("cjk") << QString::fromUtf8("電影 映画 영화.rar");
    QTest::newRow("outside the basic plane") << QString::fromUtf8("emoji \U0001F600 \U0001D11E.bin");
    QTest::newRow("latin-1 and markup characters") << QString::fromUtf8("é ñ ü \" ' < > & ;");
    QTest::newRow("tabs and line ends") << QStringLiteral("a\tb\nc\rd\r\ne");
}

void tst_NzbParser::writerRoundTripsAnyUnicode()
{
    QFETCH(QString, text);
    NzbFiles nzb;
    NzbFile *file = makeFile(text, 2, 10);
    file->setPoster(text);
    file->addGroup(text);
    // The reader leaves out a segment whose message id holds a line end (no server could be
    // asked for it); the group, written the same way, still carries them.
    file->getSegments().first()->setMessageId(QString(text).remove(QLatin1Char('\r')).remove(QLatin1Char('\n')));
    nzb.addFile(file);

    QByteArray first;
    nzb.writeNzb(first);
    QVERIFY(first.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"));
    QString error;
    std::unique_ptr<NzbFiles> back(NzbParser::parse(first, error));
    QVERIFY2(back, qPrintable(error));
    QCOMPARE(summarise(back.get()), summarise(&nzb));
    QCOMPARE(back->getFileAt(0)->getPoster(), text);

    QByteArray second;
    back->writeNzb(second);
    QCOMPARE(second, first);
}

void tst_NzbParser::writerSkipsExcludedFiles()
{
    NzbFiles nzb;
    nzb.addFile(makeFile(QStringLiteral("one.bin"), 2));
    nzb.addFile(makeFile(QStringLiteral("two.bin"), 1));
    nzb.addFile(makeFile(QStringLiteral("three.bin"), 3));
    nzb.getFileAt(1)->bExcluded = true;
    QByteArray written;
    nzb.writeNzb(written);
    QString error;
    std::unique_ptr<NzbFiles> back(NzbParser::parse(written, error));
    QVERIFY(back);
    QCOMPARE(back->getFileCount(), qint64(2));
    nzb.removeFile(nzb.getFileAt(1));
    QCOMPARE(summarise(back.get()), summarise(&nzb));
}

void tst_NzbParser::writerOfEmptyNzb()
{
    NzbFiles nzb;
    QByteArray written;
    nzb.writeNzb(written);
    QCOMPARE(written, QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                                 "<!DOCTYPE nzb PUBLIC \"-//newzBin//DTD NZB 1.0//EN\" \"http://www.newzbin.com/DTD/nzb/nzb-1.0.dtd\">\n"
                                 "<!-- NZB Generated by Tessaquill+ -->\n"
                                 "<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\"/>\n"));
}

QTEST_GUILESS_MAIN(tst_NzbParser)
#include "tst_NzbParser.moc"
