// NZBs added while the folder of the queue records refuses writes (a disk mounted read-only, then
// a full one): the user is told at once, once per cause, and again at exit; what was saved before
// stays as it was, and a later start finds it.
#include "app/MainWindow.h"
#include "config/AppConfiguration.h"
#include "config/NzbConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFiles.h"

#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "ReadOnlyFolder.h"
#include "SmallFileSystem.h"
#include "WidgetPicture.h"
#include "WindowTestFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <memory>

using namespace WindowTestFixture;

namespace {

const QString kBoxStart = QStringLiteral("The download queue could not be saved in ");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The boxes about the queue that are open now.
QList<QMessageBox *> queueBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible() && box->text().startsWith(kBoxStart))
            boxes << box;
    }
    return boxes;
}

QStringList openQueueBoxes()
{
    QStringList texts;
    for (const QMessageBox *box : queueBoxes())
        texts << box->text();
    return texts;
}

void closeQueueBoxes()
{
    for (QMessageBox *box : queueBoxes())
        box->close();
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

class tst_MainWindowQueueRecords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recordsThatCannotBeWritten();

private:
    NzbFiles *add(MainWindow &window, const QString &name);

    std::unique_ptr<GuiTestHome> home;
};

void tst_MainWindowQueueRecords::initTestCase()
{
    setUpApplication();
}

NzbFiles *tst_MainWindowQueueRecords::add(MainWindow &window, const QString &name)
{
    const QString path = home->path() + QLatin1Char('/') + name + QStringLiteral(".nzb");
    if (!writeFile(path, nzbDocument(name, {name + QStringLiteral(".bin")})))
        return nullptr;
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const int before = manager->listNzbFiles.size();
    window.addNzbFile(path, name, QString());
    AppConfiguration::getInstance()->nzbConfiguration.flushWrites();
    QCoreApplication::processEvents();
    return manager->listNzbFiles.size() == before + 1 ? manager->listNzbFiles.last() : nullptr;
}

// One exit per test program: it stops the process's download manager for good.
void tst_MainWindowQueueRecords::recordsThatCannotBeWritten()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    resetConfiguration(*home);
    const QString folder = AppConfiguration::getNzbFolder();
    MainWindow window;
    window.resize(1000, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(add(window, QStringLiteral("earlier")));
    const QStringList saved = QDir(folder).entryList(QDir::Files, QDir::Name);
    QCOMPARE(saved, (QStringList{"Nzb_0", "Nzb_0.rec"}));
    const QByteArray earlierRecord = readFile(folder + QStringLiteral("/Nzb_0"));
    QVERIFY(openQueueBoxes().isEmpty());

    // The folder refuses writes: the user sees why at once, and once only for that cause.
    auto readOnly = std::make_unique<ReadOnlyFolder>(folder);
    QVERIFY(readOnly->isValid());
    QString reason = systemError(readOnly->errorCode());
    QVERIFY(add(window, QStringLiteral("later")));
    QTRY_COMPARE(openQueueBoxes().size(), 1);
    QVERIFY2(openQueueBoxes().first().startsWith(kBoxStart + folder + QStringLiteral(": ") + reason + QLatin1Char('\n')),
             qPrintable(openQueueBoxes().first()));
    WidgetPicture::save(queueBoxes().first(), QStringLiteral("MainWindowQueueRecords_notSaved"));
    closeQueueBoxes();
    QVERIFY(add(window, QStringLiteral("third")));
    QTest::qWait(100);
    QCOMPARE(openQueueBoxes(), QStringList());
    QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), saved);
    QCOMPARE(readFile(folder + QStringLiteral("/Nzb_0")), earlierRecord);

    // A full disk is another cause, told too (where the test may mount one).
    readOnly.reset();
    auto disk = std::make_unique<SmallFileSystem>(folder, 4096);
    if (disk->isMounted()) {
        QVERIFY(writeFile(folder + QStringLiteral("/filler"), QByteArray(4096, 'f')));
        reason = systemError(ENOSPC);
        QVERIFY(add(window, QStringLiteral("fourth")));
        QTRY_COMPARE(openQueueBoxes().size(), 1);
        QVERIFY2(openQueueBoxes().first().startsWith(kBoxStart + folder + QStringLiteral(": ") + reason),
                 qPrintable(openQueueBoxes().first()));
        closeQueueBoxes();
    } else {
        disk.reset();
        readOnly = std::make_unique<ReadOnlyFolder>(folder);
    }

    // The exit says it again, then ends.
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Yes);
    answerer.pressNext(QMessageBox::Ok);
    window.close();
    QCOMPARE(answerer.answeredCount(), 2);
    const ModalAnswerer::Seen &atExit = answerer.seen().at(1);
    QCOMPARE(atExit.icon, QMessageBox::Critical);
    QVERIFY2(atExit.text.startsWith(kBoxStart + folder + QStringLiteral(": ") + reason), qPrintable(atExit.text));

    // A later start, with room again, finds what was saved before, undamaged.
    disk.reset();
    readOnly.reset();
    QCOMPARE(readFile(folder + QStringLiteral("/Nzb_0")), earlierRecord);
    NzbConfiguration later;
    later.loadNzbs();
    QCOMPARE(later.listNzbFiles.size(), 1);
    QCOMPARE(later.listNzbFiles.first()->strName, QStringLiteral("earlier"));
    qDeleteAll(later.listNzbFiles);
}

QTEST_MAIN(tst_MainWindowQueueRecords)
#include "tst_MainWindowQueueRecords.moc"
