#include "NzbTestHelpers.h"

#include <QDir>
#include <QtTest>

class tst_NzbPrepare : public QObject
{
    Q_OBJECT

private slots:
    void sortPutsIndexThenRarThenVolumes();
    void smartDownloadPausesVolumes();
    void setWithoutIndexKeepsOneVolume_data();
    void setWithoutIndexKeepsOneVolume();
    void selectPar2Volumes_data();
    void selectPar2Volumes();
    void rebuildPar2VolumeListKeepsOrderAndPauses();
    void folderName_data();
    void folderName();
    void destinationAndDownloadFolder();
    void hostileNamesStayInsideTheirBase_data();
    void hostileNamesStayInsideTheirBase();
    void updateDestinationSubFolder();
    void segmentPaths();
};

static QStringList subjects(const QList<NzbFile *> &files)
{
    QStringList result;
    for (NzbFile *file : files)
        result << file->getSubject();
    return result;
}

void tst_NzbPrepare::sortPutsIndexThenRarThenVolumes()
{
    NzbFiles nzb;
    nzb.addFile(makeFile(QStringLiteral("a.r01"), 1, 100));
    nzb.addFile(makeFile(QStringLiteral("a.rar"), 1, 100));
    nzb.addFile(makeFile(QStringLiteral("a.par2"), 1, 10));
    nzb.addFile(makeFile(QStringLiteral("a.vol03+04.par2"), 4, 100));
    nzb.addFile(makeFile(QStringLiteral("a.vol00+01.par2"), 1, 100));
    nzb.addFile(makeFile(QStringLiteral("a.nfo"), 1, 5));
    nzb.sortFiles(false);
    QCOMPARE(subjects(nzb.getFiles()), (QStringList{"a.par2", "a.rar", "a.nfo", "a.r01", "a.vol00+01.par2", "a.vol03+04.par2"}));
    QCOMPARE(subjects(nzb.listPar2Volumes), (QStringList{"a.vol00+01.par2", "a.vol03+04.par2"}));
    QCOMPARE(nzb.uiTotalSize, quint64(715));
    QCOMPARE(nzb.uiSizeToDownload, quint64(715));
}

void tst_NzbPrepare::smartDownloadPausesVolumes()
{
    NzbFiles nzb;
    nzb.addFile(makeFile(QStringLiteral("x.rar"), 1, 100));
    nzb.addFile(makeFile(QStringLiteral("x.PAR2"), 1, 10));
    nzb.addFile(makeFile(QStringLiteral("x.vol00+01.par2"), 1, 30)); // lower case is recognised too
    nzb.addFile(makeFile(QStringLiteral("x.Vol01+02.Par2"), 2, 30));
    nzb.sortFiles(true);
    QCOMPARE(nzb.getFilesByPauseState(true).size(), 2);
    QVERIFY(!nzb.getFileAt(0)->bPaused);
    QCOMPARE(nzb.uiTotalSize, quint64(200));
    QCOMPARE(nzb.uiSizeToDownload, quint64(110));
}

void tst_NzbPrepare::setWithoutIndexKeepsOneVolume_data()
{
    QTest::addColumn<QStringList>("subjects"); // "subject|segments" each, 30 bytes a segment
    QTest::addColumn<QStringList>("downloaded"); // the volumes left unpaused
    QTest::newRow("index posted") << QStringList{"x.par2|1", "x.vol01+02.par2|2", "x.vol00+01.par2|1"}
                                  << QStringList();
    QTest::newRow("no index: the smallest volume")
        << QStringList{"x.vol03+04.par2|4", "x.vol01+02.par2|2", "x.vol00+01.par2|1"} << QStringList{"x.vol00+01.par2"};
    QTest::newRow("two sets, one without index")
        << QStringList{"\"a.par2\" yEnc (1/1)|1", "\"a.vol00+01.par2\" yEnc (1/1)|1", "\"b.vol01+02.par2\" yEnc (1/2)|2",
                       "\"b.vol00+01.par2\" yEnc (1/1)|1"}
        << QStringList{"\"b.vol00+01.par2\" yEnc (1/1)"};
    QTest::newRow("names with blanks, index in another case")
        << QStringList{"[1/3] \"My Film.PAR2\" yEnc (1/1)|1", "[2/3] \"My Film.vol00+01.par2\" yEnc (1/1)|1"}
        << QStringList();
}

// A set posted without its index file can be verified only through one of its volumes: smart
// download fetches the smallest one with the other files, and holds the others back.
void tst_NzbPrepare::setWithoutIndexKeepsOneVolume()
{
    QFETCH(QStringList, subjects);
    QFETCH(QStringList, downloaded);
    NzbFiles nzb;
    nzb.addFile(makeFile(QStringLiteral("x.rar"), 1, 100));
    for (const QString &entry : subjects)
        nzb.addFile(makeFile(entry.section(QLatin1Char('|'), 0, 0), entry.section(QLatin1Char('|'), 1).toInt(), 30));
    nzb.sortFiles(true);
    QStringList unpaused;
    quint64 toDownload = 0;
    for (NzbFile *file : nzb.getFiles()) {
        if (file->bPaused)
            continue;
        toDownload += file->uiSize;
        if (NzbFiles::isPar2VolumeSubject(file->getSubject()))
            unpaused << file->getSubject();
    }
    QCOMPARE(unpaused, downloaded);
    QCOMPARE(nzb.uiSizeToDownload, toDownload);
}

void tst_NzbPrepare::selectPar2Volumes_data()
{
    QTest::addColumn<quint64>("needed");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("exactly enough") << quint64(3) << "x" << QStringList{"x.vol00+01.par2", "x.vol01+02.par2"};
    QTest::newRow("fewer than needed") << quint64(10) << "x"
                                       << QStringList{"x.vol00+01.par2", "x.vol01+02.par2", "x.vol03+04.par2"};
    QTest::newRow("none needed") << quint64(0) << "x" << QStringList{};
    QTest::newRow("other base name") << quint64(1) << "y" << QStringList{};
    QTest::newRow("base name case-insensitive") << quint64(1) << "X" << QStringList{"x.vol00+01.par2"};
}

void tst_NzbPrepare::selectPar2Volumes()
{
    QFETCH(quint64, needed);
    QFETCH(QString, baseName);
    QFETCH(QStringList, expected);
    NzbFiles nzb;
    nzb.addFile(makeFile(QStringLiteral("x.par2"), 1, 10)); // with its index: every volume held back
    nzb.addFile(makeFile(QStringLiteral("x.vol03+04.par2"), 4, 100));
    nzb.addFile(makeFile(QStringLiteral("x.vol00+01.par2"), 1, 100));
    nzb.addFile(makeFile(QStringLiteral("x.vol01+02.par2"), 2, 100));
    nzb.sortFiles(true);
    QCOMPARE(subjects(nzb.selectPar2Volumes(needed, baseName)), expected);
}

void tst_NzbPrepare::rebuildPar2VolumeListKeepsOrderAndPauses()
{
    NzbFiles nzb;
    nzb.addFile(makeFile(QStringLiteral("x.vol03+04.par2"), 4, 100));
    nzb.addFile(makeFile(QStringLiteral("x.rar"), 1, 100));
    nzb.addFile(makeFile(QStringLiteral("x.vol00+01.par2"), 1, 100));
    nzb.getFileAt(0)->bPaused = true;
    nzb.getFileAt(2)->bPaused = true;
    const QStringList order = subjects(nzb.getFiles());
    nzb.rebuildPar2VolumeList();
    QCOMPARE(subjects(nzb.getFiles()), order);
    QCOMPARE(subjects(nzb.listPar2Volumes), (QStringList{"x.vol00+01.par2", "x.vol03+04.par2"}));
    QCOMPARE(subjects(nzb.selectPar2Volumes(1, QStringLiteral("x"))), QStringList{"x.vol00+01.par2"});
}

void tst_NzbPrepare::folderName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("name with extension") << "Show.S01E01.720p" << "Show.S01E01";
    QTest::newRow("quoted file name") << "[1/9] - \"movie.part01.rar\" yEnc (1/50)" << "movie.part01";
    QTest::newRow("no full stop kept whole") << "Plain Name Without Stop" << "Plain Name Without Stop";
    QTest::newRow("cut to fifty then stripped")
        << QString(49, QLatin1Char('a')) + QStringLiteral("  bbb.mkv") << QString(49, QLatin1Char('a'));
    QTest::newRow("forbidden characters removed") << "a:b*c?d<e>f|g\\h/i.txt" << "abcdefghi";
    QTest::newRow("separators without a full stop") << "evil/name" << "evilname";
    QTest::newRow("control characters") << QStringLiteral("a\x01" "b\tc") << "abc";
    QTest::newRow("only dots") << "..." << NzbFiles::fallbackFolderName();
    QTest::newRow("hidden extension only") << ".nfo" << NzbFiles::fallbackFolderName();
    QTest::newRow("dot dot") << "..\"" << NzbFiles::fallbackFolderName();
    QTest::newRow("empty") << "" << NzbFiles::fallbackFolderName();
    QTest::newRow("blanks and dots") << " . . " << NzbFiles::fallbackFolderName();
    QTest::newRow("quoted slash dot dot") << "\"../../etc/passwd\"" << NzbFiles::fallbackFolderName();
}

void tst_NzbPrepare::folderName()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(NzbFiles::folderName(text), expected);
}

void tst_NzbPrepare::destinationAndDownloadFolder()
{
    NzbFiles nzb;
    nzb.addFile(makeFile(QStringLiteral("junk \"movie.part01.rar\" yEnc (1/2)")));
    nzb.strName = QStringLiteral("Show.S01E01.720p");
    nzb.setDestination(QStringLiteral("/data/Dest"), true);
    QCOMPARE(nzb.strBaseDestination, QStringLiteral("/data/Dest"));
    QCOMPARE(nzb.getDestination(), QStringLiteral("/data/Dest/Show.S01E01"));
    nzb.setDestination(QStringLiteral("/data/Dest"), false);
    QCOMPARE(nzb.getDestination(), QStringLiteral("/data/Dest"));
    nzb.setDownloadFolder(QStringLiteral("/data/Dl"));
    QCOMPARE(nzb.strDownloadFolder, QStringLiteral("/data/Dl/movie.part01"));

    NzbFiles empty;
    empty.setDownloadFolder(QStringLiteral("/data/Dl"));
    QCOMPARE(empty.strDownloadFolder, QStringLiteral("/data/Dl"));
}

void tst_NzbPrepare::hostileNamesStayInsideTheirBase_data()
{
    QTest::addColumn<QString>("name");
    for (const char *hostile : {"..", ".", "...", ".nfo", "../../x.nzb", "/etc/passwd", "a/../../b", "\"..\"", " ", "\"/\".x"})
        QTest::newRow(hostile) << QString::fromLatin1(hostile);
}

void tst_NzbPrepare::hostileNamesStayInsideTheirBase()
{
    QFETCH(QString, name);
    QTemporaryDir base;
    NzbFiles nzb;
    nzb.addFile(makeFile(name));
    nzb.strName = name;
    nzb.setDestination(base.path(), true);
    nzb.setDownloadFolder(base.path());
    for (const QString &folder : {nzb.getDestination(), nzb.strDownloadFolder}) {
        const QString clean = QDir::cleanPath(folder);
        QVERIFY2(clean.startsWith(base.path() + QLatin1Char('/')), qPrintable(folder));
        QCOMPARE(QFileInfo(clean).absolutePath(), base.path());
    }
}

void tst_NzbPrepare::updateDestinationSubFolder()
{
    NzbFiles nzb;
    nzb.strName = QStringLiteral("Old.Name.x");
    nzb.setDestination(QStringLiteral("/d"), true);
    nzb.strName = QStringLiteral("New.Name.x");
    nzb.updateDestinationSubFolder(false);
    QCOMPARE(nzb.getDestination(), QStringLiteral("/d/Old.Name"));
    nzb.updateDestinationSubFolder(true);
    QCOMPARE(nzb.getDestination(), QStringLiteral("/d/New.Name"));

    NzbFiles noBase;
    noBase.strName = QStringLiteral("N.x");
    noBase.strDestination = QStringLiteral("/keep");
    noBase.updateDestinationSubFolder(true);
    QCOMPARE(noBase.getDestination(), QStringLiteral("/keep"));
}

void tst_NzbPrepare::segmentPaths()
{
    NzbFiles nzb;
    nzb.addFile(makeFile(QStringLiteral("a"), 1));
    NzbFile *second = makeFile(QStringLiteral("b"), 0);
    second->addSegment(makeSegment(QStringLiteral("17"), QStringLiteral("1")));
    second->addSegment(makeSegment(QStringLiteral("0017"), QStringLiteral("1"))); // another article of 17
    second->addSegment(makeSegment(QStringLiteral("4294967296"), QStringLiteral("1")));
    second->addSegment(makeSegment(QStringLiteral("-1"), QStringLiteral("1")));
    second->addSegment(makeSegment(QStringLiteral("../x"), QStringLiteral("1")));
    second->addSegment(makeSegment(QStringLiteral("y"), QStringLiteral("1")));
    nzb.addFile(second);
    nzb.setSegmentPaths(QStringLiteral("/cache"), 2);
    QStringList paths;
    for (const NzbSegment *segment : second->getSegments()) {
        QCOMPARE(segment->strTempFolder, QStringLiteral("/cache/2-1"));
        paths << segment->getTempFilePath();
    }
    // Each segment has a file of its own, in the folder, whatever its number says.
    QCOMPARE(paths, (QStringList{"/cache/2-1/-1.tmp", "/cache/2-1/17.tmp", "/cache/2-1/17_2.tmp",
                                 "/cache/2-1/4294967296.tmp", "/cache/2-1/unplaced_1.tmp", "/cache/2-1/unplaced_2.tmp"}));
    QCOMPARE(nzb.getFileAt(0)->getSegments().first()->getTempFilePath(), QStringLiteral("/cache/2-0/1.tmp"));
}

QTEST_GUILESS_MAIN(tst_NzbPrepare)
#include "tst_NzbPrepare.moc"
