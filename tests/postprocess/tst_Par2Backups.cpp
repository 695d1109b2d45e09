// Telling par2's backups from the files a repair restored: the names a PAR2 file lists (read from
// files the real par2 makes, and from damaged ones), and the choice of backups.
#include "postprocess/Par2Backups.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_Par2Backups : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void namesOfARealSet();
    void namesOfDamagedFiles_data();
    void namesOfDamagedFiles();
    void backups_data();
    void backups();
    void leftoversOfRunsCutOff_data();
    void leftoversOfRunsCutOff();

private:
    QTemporaryDir work;
    QString index;
};

void tst_Par2Backups::initTestCase()
{
    QVERIFY(work.isValid());
    const QStringList names{"a.bin", "b c.rar", QString::fromUtf8("\xC3\xA9t\xC3\xA9.txt"), "d.bin.1"};
    for (int i = 0; i < names.size(); ++i)
        QVERIFY(writeBytes(work.filePath(names.at(i)), QByteArray(5000 + i * 1000, char('a' + i))));
    QProcess create;
    create.setWorkingDirectory(work.path());
    create.start(QStringLiteral("par2"), QStringList{"create", "-q", "-s1000", "-c5", "set.par2"} + names);
    QVERIFY(create.waitForFinished(60000));
    QCOMPARE(create.exitCode(), 0);
    index = work.filePath(QStringLiteral("set.par2"));
}

void tst_Par2Backups::namesOfARealSet()
{
    QStringList names = Par2Backups::namesInSet(index);
    names.sort();
    QCOMPARE(names, (QStringList{"a.bin", "b c.rar", "d.bin.1", QString::fromUtf8("\xC3\xA9t\xC3\xA9.txt")}));
    // A recovery volume lists them as well.
    const QStringList volumes = QDir(work.path()).entryList({"set.vol*.par2"}, QDir::Files, QDir::Name);
    QVERIFY(!volumes.isEmpty());
    QCOMPARE(Par2Backups::namesInSet(work.filePath(volumes.first())).size(), 4);
}

void tst_Par2Backups::namesOfDamagedFiles_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("missing") << "missing";
    QTest::newRow("empty") << "empty";
    QTest::newRow("not a PAR2 file") << "text";
    QTest::newRow("cut in its first packet") << "cut";
    QTest::newRow("packet length past the end") << "length";
    QTest::newRow("packet length zero") << "zero";
}

// Whatever the file holds, reading it ends with what it could read, never hangs or crashes.
void tst_Par2Backups::namesOfDamagedFiles()
{
    QFETCH(QString, damage);
    const QByteArray real = readBytes(index);
    QByteArray bytes;
    if (damage == "empty")
        bytes = "";
    else if (damage == "text")
        bytes = "PAR2 is not what this is\n";
    else if (damage == "cut")
        bytes = real.left(100);
    else if (damage == "length" || damage == "zero") {
        bytes = real;
        const char huge[8] = {0, 0, 0, 0, 0, 0, 0, 0x7f};
        const char zero[8] = {0, 0, 0, 0, 0, 0, 0, 0};
        bytes.replace(8, 8, QByteArray(damage == "length" ? huge : zero, 8));
    }
    const QString path = work.filePath(QStringLiteral("damaged.par2"));
    QFile::remove(path);
    if (damage != "missing")
        QVERIFY(writeBytes(path, bytes));
    QCOMPARE(Par2Backups::namesInSet(path), QStringList());
}

void tst_Par2Backups::backups_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("inSet");
    QTest::addColumn<QStringList>("expected");
    const QStringList set{"a.bin", "b.bin", "c.bin"};
    QTest::newRow("a repaired file's backup") << QStringList{"a.bin", "b.bin", "set.par2"}
                                              << QStringList{"a.bin", "a.bin.1", "b.bin", "set.par2"} << set
                                              << QStringList{"a.bin.1"};
    QTest::newRow("a restored file stays") << QStringList{"a.bin", "set.par2"}
                                           << QStringList{"a.bin", "b.bin", "c.bin", "set.par2"} << set << QStringList();
    QTest::newRow("a second backup") << QStringList{"a.bin", "a.bin.1"} << QStringList{"a.bin", "a.bin.1", "a.bin.2"}
                                     << set << QStringList{"a.bin.2"};
    QTest::newRow("a numbered file the set lists") << QStringList{"d.bin"} << QStringList{"d.bin", "d.bin.1"}
                                                   << QStringList{"d.bin", "d.bin.1"} << QStringList();
    QTest::newRow("no file of that name before") << QStringList{"x"} << QStringList{"x", "y.1"} << set << QStringList();
    QTest::newRow("its file gone") << QStringList{"a.bin"} << QStringList{"a.bin.1"} << set << QStringList();
    QTest::newRow("not numbered") << QStringList{"a.bin"} << QStringList{"a.bin", "a.bin.bak", "a.bin.1x"} << set
                                  << QStringList();
    QTest::newRow("there before the run") << QStringList{"a.bin", "a.bin.1"} << QStringList{"a.bin", "a.bin.1"} << set
                                          << QStringList();
    QTest::newRow("set unreadable") << QStringList{"a.bin"} << QStringList{"a.bin", "a.bin.1", "b.bin"} << QStringList()
                                    << QStringList{"a.bin.1"};
}

void tst_Par2Backups::backups()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(QStringList, inSet);
    QFETCH(QStringList, expected);
    QCOMPARE(Par2Backups::backups(before, after, inSet), expected);
}

void tst_Par2Backups::leftoversOfRunsCutOff_data()
{
    QTest::addColumn<bool>("noted");          // the folder was noted before par2 first ran
    QTest::addColumn<QStringList>("posted");  // in the folder when it was noted
    QTest::addColumn<QStringList>("since");   // appeared since (runs cut off, volumes fetched)
    QTest::addColumn<QStringList>("gone");    // removed since
    QTest::addColumn<QStringList>("inSet");
    QTest::addColumn<QStringList>("expected");
    const QStringList set{"a.bin", "b.bin", "d.bin.1"};
    QTest::newRow("the backup of a run cut off") << true << QStringList{"a.bin", "set.par2"} << QStringList{"a.bin.1"}
                                                 << QStringList() << set << QStringList{"a.bin.1"};
    QTest::newRow("backups of two runs cut off") << true << QStringList{"a.bin"} << QStringList{"a.bin.1", "a.bin.2"}
                                                 << QStringList() << set << QStringList{"a.bin.1", "a.bin.2"};
    QTest::newRow("posted .1 files stay, beside a backup")
        << true << QStringList{"a.bin", "tool", "tool.1", "a.bin.7"} << QStringList{"a.bin.1"} << QStringList() << set
        << QStringList{"a.bin.1"};
    QTest::newRow("a numbered file the set lists stays") << true << QStringList{"d.bin"} << QStringList{"d.bin.1"}
                                                         << QStringList() << set << QStringList();
    QTest::newRow("recovery volumes fetched since") << true << QStringList{"a.bin", "set.par2"}
                                                    << QStringList{"set.vol00+01.par2", "set.vol01+02.par2"}
                                                    << QStringList() << set << QStringList();
    QTest::newRow("its file gone") << true << QStringList{"a.bin"} << QStringList{"a.bin.1"} << QStringList{"a.bin"}
                                   << set << QStringList();
    QTest::newRow("no note: nothing is taken for a backup")
        << false << QStringList{"a.bin"} << QStringList{"a.bin.1"} << QStringList() << set << QStringList();
}

// A run of par2 cut off (the program killed) leaves its backups, which the next run finds among
// the files it is given. The note made before the first run tells them from posted files; a later
// note never replaces it.
void tst_Par2Backups::leftoversOfRunsCutOff()
{
    QFETCH(bool, noted);
    QFETCH(QStringList, posted);
    QFETCH(QStringList, since);
    QFETCH(QStringList, gone);
    QFETCH(QStringList, inSet);
    QFETCH(QStringList, expected);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const QString &name : posted)
        QVERIFY(writeBytes(folder.filePath(name), name.toUtf8()));
    if (noted)
        QVERIFY(Par2Backups::noteOriginals(folder.path()));
    for (const QString &name : since)
        QVERIFY(writeBytes(folder.filePath(name), "par2's " + name.toUtf8()));
    for (const QString &name : gone)
        QVERIFY(QFile::remove(folder.filePath(name)));
    if (noted) // the next run notes again: the first note stays
        QVERIFY(Par2Backups::noteOriginals(folder.path()));
    QCOMPARE(Par2Backups::leftovers(folder.path(), inSet), expected);

    Par2Backups::forgetOriginals(folder.path());
    QVERIFY(!QFileInfo::exists(folder.filePath(Par2Backups::noteName())));
    QCOMPARE(Par2Backups::leftovers(folder.path(), inSet), QStringList());
}

QTEST_GUILESS_MAIN(tst_Par2Backups)
#include "tst_Par2Backups.moc"
