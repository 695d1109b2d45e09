#include "FileSizeLimit.h"
#include "GuiTestHome.h"

#include "config/AppConfiguration.h"
#include "dialogs/UtilsNzbCompressUncompress.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbParser.h"
#include "model/NzbSegment.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

namespace {

QString fixture(const QString &name)
{
    return QStringLiteral(TQ_TEST_DATA "/nzb/") + name;
}

QByteArray readAll(const QString &path, QIODevice::OpenMode mode = QIODevice::ReadOnly)
{
    QFile file(path);
    return file.open(mode) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

QStringList historyFileNames()
{
    return QDir(AppConfiguration::getHistoNzbFolder())
        .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Every file, segment and text of two NZB models, one line per item.
QStringList describe(const NzbFiles &nzb)
{
    QStringList lines;
    for (const NzbFile *file : nzb.getFiles()) {
        lines << file->getSubject() + QLatin1Char('|') + file->getPoster() + QLatin1Char('|')
                     + file->getDate() + QLatin1Char('|') + file->listGroups.join(QLatin1Char(','))
                     + QLatin1Char('|') + QString::number(file->uiSize);
        for (const NzbSegment *segment : file->getSegments())
            lines << QStringLiteral("  ") + segment->getNumber() + QLatin1Char('|') + segment->getBytes()
                         + QLatin1Char('|') + segment->getMessageId();
    }
    return lines;
}

} // namespace

class tst_UtilsNzbCompressUncompress : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        home.reset(new GuiTestHome);
        QVERIFY(home->isValid());
        AppConfiguration::getInstance()->autoSaveHistoNzb = true;
        UtilsNzbCompressUncompress::setClock(nullptr);
    }

    void cleanup()
    {
        UtilsNzbCompressUncompress::setClock(nullptr);
        home.reset();
    }

    void savedCopyLoadsBackAsTheSameNzb()
    {
        const QString source = fixture(QStringLiteral("history_holiday.nzb"));
        QVERIFY(readAll(source).contains("\r\n"));
        const QDateTime before = QDateTime::currentDateTime();
        QString error = QStringLiteral("left over");
        QVERIFY(UtilsNzbCompressUncompress::saveNzbToHistory(
            source, QStringLiteral("Holiday [1/5] - \"Holiday.Pictures.part01.rar\" yEnc (1/2)"), error));
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(error, QString());

        const QList<QFileInfo> listed = UtilsNzbCompressUncompress::listHistoryFiles();
        QCOMPARE(listed.size(), 1);
        const QString fileName = listed.first().fileName();
        QVERIFY2(QRegularExpression(QStringLiteral("^Holiday\\.Pictures\\.part01\\.\\d{17}\\.tvz$"))
                     .match(fileName)
                     .hasMatch(),
                 qPrintable(fileName));
        QCOMPARE(UtilsNzbCompressUncompress::entryName(listed.first()), QStringLiteral("Holiday.Pictures.part01"));
        const QDateTime added = UtilsNzbCompressUncompress::dateAdded(listed.first());
        QCOMPARE(added.toString(QStringLiteral("yyyyMMddhhmmsszzz")), fileName.mid(24, 17));
        QVERIFY(added >= before.addMSecs(-1) && added <= after);

        // The file is qCompress of the NZB read as text: a big-endian length, then zlib data,
        // and line feeds only.
        const QByteArray stored = readAll(listed.first().absoluteFilePath());
        const QByteArray text = readAll(source, QIODevice::ReadOnly | QIODevice::Text);
        QVERIFY(!text.contains('\r'));
        QCOMPARE(stored, qCompress(text));
        QCOMPARE(quint32((uchar(stored[0]) << 24) | (uchar(stored[1]) << 16) | (uchar(stored[2]) << 8) | uchar(stored[3])),
                 quint32(text.size()));

        NzbFiles *loaded = nullptr;
        QVERIFY(UtilsNzbCompressUncompress::loadHistoryFile(listed.first().absoluteFilePath(), loaded, error));
        const std::unique_ptr<NzbFiles> loadedOwner(loaded);
        QString parseError;
        const std::unique_ptr<NzbFiles> original(NzbParser::parseFile(source, parseError));
        QVERIFY(original);
        QCOMPARE(describe(*loaded), describe(*original));
        QCOMPARE(loaded->getFileCount(), qint64(5));
    }

    void switchedOffWritesNothing()
    {
        AppConfiguration::getInstance()->autoSaveHistoNzb = false;
        QString error = QStringLiteral("left over");
        QVERIFY(UtilsNzbCompressUncompress::saveNzbToHistory(fixture(QStringLiteral("history_holiday.nzb")),
                                                             QStringLiteral("Holiday"), error));
        QCOMPARE(error, QString());
        QVERIFY(!QFileInfo::exists(home->dataFolder()));
    }

    void firstSaveMakesThePrivateFolders()
    {
        QString error;
        QVERIFY(UtilsNzbCompressUncompress::saveNzbToHistory(fixture(QStringLiteral("crlf.nzb")),
                                                             QStringLiteral("crlf.nzb"), error));
        QVERIFY(QFileInfo(AppConfiguration::getHistoNzbFolder()).isDir());
        QCOMPARE(QFileInfo(home->dataFolder()).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
                 QFileDevice::Permissions());
        QCOMPARE(historyFileNames().size(), 1);
        QVERIFY(historyFileNames().first().startsWith(QStringLiteral("crlf.")));
    }

    void namesAreCleanedAndShortened_data()
    {
        QTest::addColumn<QString>("nzbName");
        QTest::addColumn<QString>("namePart");

        QTest::newRow("quoted file name cut at its last full stop")
            << "Pictures [01/10] - \"Holiday.2011.part01.rar\" yEnc (1/50)" << "Holiday.2011.part01";
        QTest::newRow("quoted file name, first 25 characters")
            << "x \"Holiday.Pictures.2011.part01.rar\" y" << "Holiday.Pictures.2011.par";
        QTest::newRow("plain name with full stops") << "A.Very.Long.Name.Of.A.Posting.nzb" << "A.Very.Long.Name.Of.A.Pos";
        QTest::newRow("forbidden characters inside the quotes") << "a \"x:y*z?<w>|.rar\" b" << "xyzw";
        QTest::newRow("slash without full stop") << "Holiday/pictures" << "Holidaypictures";
        QTest::newRow("AC/DC") << "AC/DC Live" << "ACDC Live";
        QTest::newRow("absolute path without full stop") << "/etc/passwd" << "etcpasswd";
        QTest::newRow("single quote without full stop") << "Say \"hi" << "Say hi";
        QTest::newRow("single quote with full stop") << "Say \"hi.nzb" << "Say hi";
        QTest::newRow("adjacent quotes") << "before \"\" after.nzb" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("control characters") << QString::fromUtf8("Line\nBreak\tand\x7f bell\a") << "LineBreakand bell";
        QTest::newRow("blanks left by the cut") << "Holiday Pictures of 2011  x.nzb" << "Holiday Pictures of 2011";
        QTest::newRow("300 characters without full stop") << QString(300, QLatin1Char('x')) << QString(233, QLatin1Char('x'));
        QTest::newRow("two-byte characters without full stop")
            << QString(200, QChar(0xe9)) << QString(116, QChar(0xe9));
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("four-byte characters are never split") << emoji.repeated(59) << emoji.repeated(58);
        QTest::newRow("cut of 25 never splits a pair") << QString(24, QLatin1Char('a')) + emoji + QStringLiteral(".nzb")
                                                        << QString(24, QLatin1Char('a'));
    }

    void namesAreCleanedAndShortened()
    {
        QFETCH(QString, nzbName);
        QFETCH(QString, namePart);
        QCOMPARE(UtilsNzbCompressUncompress::fileNamePart(nzbName, 25, 22), namePart);

        // The name is one that a file can carry: the save succeeds and the entry shows it.
        QString error;
        QVERIFY2(UtilsNzbCompressUncompress::saveNzbToHistory(fixture(QStringLiteral("crlf.nzb")), nzbName, error),
                 qPrintable(error));
        const QList<QFileInfo> listed = UtilsNzbCompressUncompress::listHistoryFiles();
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed.first().absolutePath(), QDir(AppConfiguration::getHistoNzbFolder()).absolutePath());
        QCOMPARE(UtilsNzbCompressUncompress::entryName(listed.first()), namePart);
        QVERIFY(QFile::encodeName(listed.first().fileName()).size() <= 255);
    }

    void sameStampTakesTheNextFreeOne()
    {
        const QDateTime stamp(QDate(2011, 3, 15), QTime(9, 30, 0, 123));
        int calls = 0;
        UtilsNzbCompressUncompress::setClock([&calls, stamp] { return stamp.addMSecs(calls++ < 2 ? 0 : 1); });
        QString error;
        QVERIFY(UtilsNzbCompressUncompress::saveNzbToHistory(fixture(QStringLiteral("crlf.nzb")), QStringLiteral("Same"), error));
        QVERIFY(UtilsNzbCompressUncompress::saveNzbToHistory(fixture(QStringLiteral("crlf.nzb")), QStringLiteral("Same"), error));
        QCOMPARE(historyFileNames(),
                 QStringList({QStringLiteral("Same.20110315093000123.tvz"), QStringLiteral("Same.20110315093000124.tvz")}));
    }

    void tenTakenStampsGiveUp()
    {
        int calls = 0;
        UtilsNzbCompressUncompress::setClock([&calls] {
            ++calls;
            return QDateTime(QDate(2011, 3, 15), QTime(9, 30));
        });
        QString error;
        QVERIFY(UtilsNzbCompressUncompress::saveNzbToHistory(fixture(QStringLiteral("crlf.nzb")), QStringLiteral("a.b.nzb"), error));
        calls = 0;
        QVERIFY(!UtilsNzbCompressUncompress::saveNzbToHistory(fixture(QStringLiteral("crlf.nzb")), QStringLiteral("a.b.nzb"), error));
        QCOMPARE(error, QStringLiteral("Failed to find a name for NZB history (a.b)"));
        QCOMPARE(calls, 10);
        QCOMPARE(historyFileNames().size(), 1);
    }

    void failedSavesLeaveNothing_data()
    {
        QTest::addColumn<QString>("blocker");  // a regular file put where a folder belongs
        QTest::addColumn<bool>("nzbMissing");
        QTest::addColumn<QString>("errorStart");

        QTest::newRow("data folder is a file") << "Tessaquill_Plus" << false << "Failed to create folder ";
        QTest::newRow("history folder is a file") << "Tessaquill_Plus/HISTO_NZB" << false << "Failed to create folder ";
        QTest::newRow("NZB file missing") << "" << true << "Failed to open NZB file ";
    }

    void failedSavesLeaveNothing()
    {
        QFETCH(QString, blocker);
        QFETCH(bool, nzbMissing);
        QFETCH(QString, errorStart);
        if (!blocker.isEmpty())
            QVERIFY(writeFile(home->path() + QLatin1Char('/') + blocker, "not a folder"));
        const QString nzb = nzbMissing ? home->path() + QStringLiteral("/missing.nzb") : fixture(QStringLiteral("crlf.nzb"));

        QString error;
        QVERIFY(!UtilsNzbCompressUncompress::saveNzbToHistory(nzb, QStringLiteral("Holiday"), error));
        QVERIFY2(error.startsWith(errorStart), qPrintable(error));
        if (nzbMissing)
            QCOMPARE(error, errorStart + nzb);
        else
            QCOMPARE(error, errorStart + AppConfiguration::getHistoNzbFolder());
        QVERIFY(UtilsNzbCompressUncompress::listHistoryFiles().isEmpty());
        QDirIterator everything(home->path(), {QStringLiteral("*.tvz")}, QDir::Files | QDir::Hidden,
                                QDirIterator::Subdirectories);
        QVERIFY(!everything.hasNext());
    }

    void shortWriteIsReportedAndRemoved()
    {
        QVERIFY(AppConfiguration::makeDataSubFolder(AppConfiguration::getHistoNzbFolder()));
        const QString source = fixture(QStringLiteral("history_holiday.nzb"));
        QVERIFY(qCompress(readAll(source)).size() > 256);
        QString error;
        bool saved = true;
        {
            FileSizeLimit limit(64);
            QVERIFY(limit.active);
            saved = UtilsNzbCompressUncompress::saveNzbToHistory(source, QStringLiteral("Holiday.nzb"), error);
        }
        QVERIFY(!saved);
        QVERIFY2(QRegularExpression(QStringLiteral("^Failed to write NZB history file .*/HISTO_NZB/Holiday\\.\\d{17}\\.tvz$"))
                     .match(error)
                     .hasMatch(),
                 qPrintable(error));
        QCOMPARE(historyFileNames(), QStringList());
    }

    void loadFailures_data()
    {
        QTest::addColumn<bool>("makeFolder");
        QTest::addColumn<bool>("makeFile");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error"); // %1: the file's path

        QTest::newRow("no history folder") << false << false << QByteArray() << "No NZB History folder found !";
        QTest::newRow("no such file") << true << false << QByteArray() << "Failed to open NZB History file %1";
        QTest::newRow("not compressed") << true << true << QByteArray("<nzb></nzb> in plain text")
                                        << "NZB History file %1: data is corrupt";
        QTest::newRow("too short for a length") << true << true << QByteArray("\x00\x01", 2)
                                                << "NZB History file %1: data is corrupt";
        QTest::newRow("stored empty file") << true << true << qCompress(QByteArray())
                                           << "NZB History file %1: data is corrupt";
        QTest::newRow("not an NZB document") << true << true << qCompress("<nzb><file subject=\"x\">")
                                             << "NZB contains error(s)";
    }

    void loadFailures()
    {
        QFETCH(bool, makeFolder);
        QFETCH(bool, makeFile);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        const QString path = AppConfiguration::getHistoNzbFolder() + QStringLiteral("/Broken.20110315093000123.tvz");
        if (makeFolder)
            QVERIFY(QDir().mkpath(AppConfiguration::getHistoNzbFolder()));
        if (makeFile)
            QVERIFY(writeFile(path, content));

        NzbFiles earlier;
        NzbFiles *nzb = &earlier;
        QString errorText;
        QVERIFY(!UtilsNzbCompressUncompress::loadHistoryFile(path, nzb, errorText));
        QCOMPARE(errorText, error.contains(QLatin1String("%1")) ? error.arg(path) : error);
        QCOMPARE(nzb, &earlier);
    }

    void listingHoldsHistoryFilesNewestFirst()
    {
        const QString folder = AppConfiguration::getHistoNzbFolder();
        const QStringList files = {QStringLiteral("b.20240101000000000.tvz"), QStringLiteral("a.20240101000000000.TVZ"),
                                   QStringLiteral(".20240101000000000.tvz"), QStringLiteral("notes.txt"),
                                   QStringLiteral("c.tvz.bak")};
        for (const QString &name : files)
            QVERIFY(writeFile(folder + QLatin1Char('/') + name, "x"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/folder.tvz")));
        setModified(folder + QStringLiteral("/b.20240101000000000.tvz"), QDateTime(QDate(2020, 1, 1), QTime(12, 0)));
        setModified(folder + QStringLiteral("/a.20240101000000000.TVZ"), QDateTime(QDate(2022, 1, 1), QTime(12, 0)));
        setModified(folder + QStringLiteral("/.20240101000000000.tvz"), QDateTime(QDate(2021, 1, 1), QTime(12, 0)));

        QStringList listed;
        for (const QFileInfo &entry : UtilsNzbCompressUncompress::listHistoryFiles())
            listed << entry.fileName();
        QCOMPARE(listed, QStringList({QStringLiteral("a.20240101000000000.TVZ"), QStringLiteral(".20240101000000000.tvz"),
                                      QStringLiteral("b.20240101000000000.tvz")}));
    }

    void listingWithoutFolderIsEmpty()
    {
        QVERIFY(UtilsNzbCompressUncompress::listHistoryFiles().isEmpty());
    }

    void entryNameAndDateAdded_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QDateTime>("fromStamp"); // invalid: taken from the file's times

        QTest::newRow("stamped") << "Holiday.Pictures.20110315093000123.tvz" << "Holiday.Pictures"
                                 << QDateTime(QDate(2011, 3, 15), QTime(9, 30, 0, 123));
        QTest::newRow("empty name") << ".20111231235959999.tvz" << ""
                                    << QDateTime(QDate(2011, 12, 31), QTime(23, 59, 59, 999));
        QTest::newRow("upper-case extension") << "x.20110315093000123.TVZ" << "x"
                                              << QDateTime(QDate(2011, 3, 15), QTime(9, 30, 0, 123));
        QTest::newRow("impossible stamp") << "x.20111332250000000.tvz" << "x" << QDateTime();
        QTest::newRow("stamp with a letter") << "x.2011031509300012y.tvz" << "x" << QDateTime();
        QTest::newRow("shorter than a stamp") << "short.tvz" << "short.tvz" << QDateTime();
    }

    void entryNameAndDateAdded()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, name);
        QFETCH(QDateTime, fromStamp);
        const QString path = AppConfiguration::getHistoNzbFolder() + QLatin1Char('/') + fileName;
        QVERIFY(writeFile(path, "x"));
        const QDateTime modified(QDate(2001, 2, 3), QTime(4, 5, 6));
        setModified(path, modified);

        const QFileInfo entry(path);
        QCOMPARE(UtilsNzbCompressUncompress::entryName(entry), name);
        QDateTime expected = fromStamp;
        if (!expected.isValid())
            expected = entry.birthTime().isValid() ? entry.birthTime() : modified;
        QCOMPARE(UtilsNzbCompressUncompress::dateAdded(entry), expected);
        if (!entry.birthTime().isValid())
            qInfo("no birth time on this file system: the modification time stands in");
    }

private:
    std::unique_ptr<GuiTestHome> home;
};

QTEST_GUILESS_MAIN(tst_UtilsNzbCompressUncompress)
#include "tst_UtilsNzbCompressUncompress.moc"
