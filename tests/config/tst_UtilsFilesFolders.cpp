#include "config/UtilsFilesFolders.h"

#include "TestFiles.h"
#include "../support/FifoUnblocker.h"
#include "../support/SmallFileSystem.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 13 + (i >> 8));
    return bytes;
}

} // namespace

class tst_UtilsFilesFolders : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    void init() { QVERIFY(QDir(dir.path()).removeRecursively() && QDir().mkpath(dir.path())); }

    void copyFileCopies_data()
    {
        QTest::addColumn<int>("sourceSize");
        QTest::addColumn<int>("existingDestinationSize");
        QTest::newRow("empty source") << 0 << -1;
        QTest::newRow("one chunk") << 16000 << -1;
        QTest::newRow("two chunks and a byte") << 32001 << -1;
        QTest::newRow("over a larger file") << 100 << 50000;
        QTest::newRow("over a smaller file") << 50000 << 100;
    }

    void copyFileCopies()
    {
        QFETCH(int, sourceSize);
        QFETCH(int, existingDestinationSize);
        const QByteArray content = pattern(sourceSize);
        QVERIFY(writeFile(path("src.bin"), content));
        if (existingDestinationSize >= 0)
            QVERIFY(writeFile(path("dst.bin"), QByteArray(existingDestinationSize, 'z')));
        QVERIFY(UtilsFilesFolders::copyFile(path("src.bin"), path("dst.bin")));
        QCOMPARE(readFile(path("dst.bin")), content);
        QCOMPARE(readFile(path("src.bin")), content);
    }

    void copyFileCreatesTheFolderChain()
    {
        QVERIFY(writeFile(path("src.bin"), "abc"));
        QVERIFY(UtilsFilesFolders::copyFile(path("src.bin"), path("a/b/c/dst.bin")));
        QCOMPARE(readFile(path("a/b/c/dst.bin")), QByteArray("abc"));
    }

    void copyFileOntoItselfTouchesNothing_data()
    {
        QTest::addColumn<QString>("sourceName");
        QTest::addColumn<QString>("destinationName");
        QTest::addColumn<bool>("viaLink");
        QTest::newRow("same string") << "f.bin" << "f.bin" << false;
        QTest::newRow("extra current-folder step") << "f.bin" << "./f.bin" << false;
        QTest::newRow("parent step") << "f.bin" << "sub/../f.bin" << false;
        QTest::newRow("symbolic link to the source") << "f.bin" << "link.bin" << true;
    }

    void copyFileOntoItselfTouchesNothing()
    {
        QFETCH(QString, sourceName);
        QFETCH(QString, destinationName);
        QFETCH(bool, viaLink);
        QVERIFY(writeFile(path(sourceName), "keep me"));
        QDir().mkpath(path("sub"));
        if (viaLink)
            QVERIFY(QFile::link(path(sourceName), path(destinationName)));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const bool copied = UtilsFilesFolders::copyFile(sourceName, destinationName);
        QDir::setCurrent(previous);
        QVERIFY(copied);
        QCOMPARE(readFile(path(sourceName)), QByteArray("keep me"));
    }

    void copyFileMissingSourceKeepsDestination()
    {
        QVERIFY(writeFile(path("dst.bin"), "precious"));
        QVERIFY(!UtilsFilesFolders::copyFile(path("missing.bin"), path("dst.bin")));
        QCOMPARE(readFile(path("dst.bin")), QByteArray("precious"));
    }

    // Tests run as root, so an unwritable destination is a path below a regular file.
    void copyFileUnopenableDestination()
    {
        QVERIFY(writeFile(path("src.bin"), "abc"));
        QVERIFY(writeFile(path("plain"), "x"));
        QVERIFY(!UtilsFilesFolders::copyFile(path("src.bin"), path("plain/dst.bin")));
        QCOMPARE(readFile(path("src.bin")), QByteArray("abc"));
    }

    void copyFileReportsAShortWrite()
    {
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("no /dev/full on this system");
        QVERIFY(writeFile(path("src.bin"), pattern(40000)));
        QVERIFY(!UtilsFilesFolders::copyFile(path("src.bin"), "/dev/full"));
    }

    // What is there and is no regular file is refused with why, and stays as it was. The test
    // holds the pipe's reading end open itself: a copy that opened the pipe would then not wait
    // for a reader (the test would not hang) and its bytes would show in the pipe.
    void copyFileRefusesWhatIsNoRegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("why");
        QTest::newRow("named pipe") << "pipe" << "not a regular file";
        QTest::newRow("link to a named pipe") << "link to pipe" << "not a regular file";
        QTest::newRow("folder") << "folder" << "is a folder";
    }

    void copyFileRefusesWhatIsNoRegularFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, why);
        QVERIFY(writeFile(path("src.bin"), "the copy"));
        const QString pipe = path("pipe");
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        QVERIFY(reader >= 0);
        QString target = pipe;
        if (kind == "link to pipe") {
            target = path("link");
            QVERIFY(QFile::link(pipe, target));
        } else if (kind == "folder") {
            target = path("folder");
            QVERIFY(writeFile(path("folder/inside.txt"), "mine"));
        }

        QString error;
        const bool copied = UtilsFilesFolders::copyFile(path("src.bin"), target, &error);
        char buffer[64];
        const ssize_t came = ::read(reader, buffer, sizeof buffer);
        ::close(reader);

        QVERIFY(!copied);
        QVERIFY2(error.contains(target) && error.contains(why), qPrintable(error));
        QVERIFY2(came <= 0, "bytes were written into the pipe");
        struct stat status {};
        QVERIFY(::lstat(QFile::encodeName(pipe).constData(), &status) == 0 && S_ISFIFO(status.st_mode));
        QCOMPARE(readFile(path("folder/inside.txt")), kind == "folder" ? QByteArray("mine") : QByteArray("<unreadable>"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
                 kind == "link to pipe" ? 3 : 2);
    }

    // A source that is a named pipe is not waited on either (the unblocker lets a copy that
    // opens it go on, so that the test fails instead of hanging).
    void copyFileRefusesAPipeAsSource()
    {
        const QString pipe = path("pipe");
        FifoUnblocker unblocker(pipe);
        QVERIFY(unblocker.isMade());
        QVERIFY(writeFile(path("dst.bin"), "precious"));
        QString error;
        QVERIFY(!UtilsFilesFolders::copyFile(pipe, path("dst.bin"), &error));
        QVERIFY(!unblocker.wasOpened());
        QVERIFY2(error.contains(pipe), qPrintable(error));
        QCOMPARE(readFile(path("dst.bin")), QByteArray("precious"));
    }

    // The disk fills in the middle of the copy: the file it was to replace is kept whole, with
    // nothing left beside it, and the reason is given.
    void copyFileThatFailsKeepsTheReplacedFile()
    {
        const QByteArray copy = pattern(1024 * 1024);
        QVERIFY(writeFile(path("src.bin"), copy));
        const QString small = path("small");
        const QByteArray old = QByteArray(100 * 1024, 'o');
        {
            SmallFileSystem disk(small, 256 * 1024);
            if (!disk.isValid())
                QSKIP("no way to make a small file system here");
            QVERIFY(writeFile(small + "/dst.bin", old));
            QString error;
            QVERIFY(!UtilsFilesFolders::copyFile(path("src.bin"), small + "/dst.bin", &error));
            QCOMPARE(readFile(small + "/dst.bin"), old);
            QVERIFY2(!error.isEmpty(), "no reason given");
            QCOMPARE(QDir(small).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"dst.bin"});
        }
        QCOMPARE(readFile(path("src.bin")), copy);
    }

    // The copy takes the place of the file it replaces, keeping that file's permissions.
    void copyFileKeepsThePermissionsOfTheReplacedFile()
    {
        QVERIFY(writeFile(path("src.bin"), "new"));
        QVERIFY(writeFile(path("dst.bin"), "old"));
        QVERIFY(::chmod(QFile::encodeName(path("dst.bin")).constData(), 0600) == 0);
        QVERIFY(UtilsFilesFolders::copyFile(path("src.bin"), path("dst.bin")));
        QCOMPARE(readFile(path("dst.bin")), QByteArray("new"));
        struct stat status {};
        QVERIFY(::stat(QFile::encodeName(path("dst.bin")).constData(), &status) == 0);
        QCOMPARE(int(status.st_mode & 07777), 0600);
    }

    void removeFolderOnMissingFolder()
    {
        QVERIFY(!UtilsFilesFolders::removeFolder(QDir(path("nothing-here"))));
    }

    void removeFolderRemovesADeepTree()
    {
        QVERIFY(writeFile(path("top/a.txt"), "a"));
        QVERIFY(writeFile(path("top/one/b.txt"), "b"));
        QVERIFY(writeFile(path("top/one/two/c.txt"), "c"));
        QVERIFY(QDir().mkpath(path("top/one/two/three")));
        QVERIFY(QDir().mkpath(path("top/empty")));
        QVERIFY(!UtilsFilesFolders::removeFolder(QDir(path("top"))));
        QVERIFY(!QFileInfo::exists(path("top")));
    }

    void removeFolderLeavesHiddenEntries()
    {
        QVERIFY(writeFile(path("top/visible.txt"), "v"));
        QVERIFY(writeFile(path("top/.hidden"), "h"));
        QVERIFY(UtilsFilesFolders::removeFolder(QDir(path("top"))));
        QVERIFY(QFileInfo::exists(path("top/.hidden")));
        QVERIFY(!QFileInfo::exists(path("top/visible.txt")));
    }

    // A link inside the tree is removed as a link; what it points to stays whole.
    void removeFolderDoesNotFollowLinks()
    {
        QVERIFY(writeFile(path("outside/keep.txt"), "keep"));
        QVERIFY(writeFile(path("outside/deeper/keep2.txt"), "keep2"));
        QVERIFY(writeFile(path("outside-file.txt"), "file"));
        QVERIFY(writeFile(path("top/sub/x.txt"), "x"));
        QVERIFY(QFile::link(path("outside"), path("top/sub/link-to-folder")));
        QVERIFY(QFile::link(path("outside-file.txt"), path("top/link-to-file")));
        QVERIFY(QFile::link(path("gone"), path("top/dangling")));

        const bool leftSomething = UtilsFilesFolders::removeFolder(QDir(path("top")));

        QCOMPARE(readFile(path("outside/keep.txt")), QByteArray("keep"));
        QCOMPARE(readFile(path("outside/deeper/keep2.txt")), QByteArray("keep2"));
        QCOMPARE(readFile(path("outside-file.txt")), QByteArray("file"));
        QVERIFY(!leftSomething);
        QVERIFY(!QFileInfo::exists(path("top")) && !QFileInfo(path("top")).isSymLink());
    }

    void removeFolderGivenALinkRemovesOnlyTheLink()
    {
        QVERIFY(writeFile(path("outside/keep.txt"), "keep"));
        QVERIFY(QFile::link(path("outside"), path("link")));
        QVERIFY(!UtilsFilesFolders::removeFolder(QDir(path("link"))));
        QVERIFY(!QFileInfo(path("link")).isSymLink());
        QCOMPARE(readFile(path("outside/keep.txt")), QByteArray("keep"));
    }

    void saveFileReplacesContent()
    {
        QVERIFY(writeFile(path("f.bin"), QByteArray(1000, 'a')));
        QVERIFY(UtilsFilesFolders::saveFile(path("f.bin"), "short"));
        QCOMPARE(readFile(path("f.bin")), QByteArray("short"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"f.bin"});
    }

    void saveFileInMissingFolderKeepsNothingBehind()
    {
        QVERIFY(writeFile(path("plain"), "x"));
        QVERIFY(!UtilsFilesFolders::saveFile(path("plain/f.bin"), "data"));
        QCOMPARE(readFile(path("plain")), QByteArray("x"));
    }
};

QTEST_GUILESS_MAIN(tst_UtilsFilesFolders)
#include "tst_UtilsFilesFolders.moc"
