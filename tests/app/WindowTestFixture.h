#ifndef WINDOWTESTFIXTURE_H
#define WINDOWTESTFIXTURE_H

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "model/NzbFiles.h"
#include "QsLog/Destination.h"

#include "GuiTestHome.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

// What the window tests of the toolbar, the commands and the end of the queue share: the
// application set up once, a configuration that points into the test's home and adds NZB files
// without a question, small NZB documents, and a log destination that keeps the lines.
namespace WindowTestFixture {

// Once per test program: images, style, identity; the version check goes nowhere.
inline void setUpApplication()
{
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
    ProgramStart::setIdentity();
    QApplication::setQuitOnLastWindowClosed(false);
    qputenv("TESSAQUILL_VERSION_URL", "http://127.0.0.1:1/version.txt");
    MainWindow::systemTrayAvailable = [] { return false; };
}

// Before each window: no server, no saved queue, no drive, the folders in `home`, no end-of-queue
// action, NZB files added to the default destination without a question.
inline void resetConfiguration(const GuiTestHome &home)
{
    AppConfiguration *config = AppConfiguration::getInstance();
    qDeleteAll(config->serversConfiguration.listServers);
    config->serversConfiguration.listServers.clear();
    config->nzbConfiguration.listNzbFiles.clear();
    config->destinationConfiguration.destinations.clear();
    config->shutdownSaved = false;
    config->shutdownType = 0;
    config->autoDownloadNzb = true;
    config->autoSaveHistoNzb = false;
    config->autoSmartDownload = false;
    config->autoCreateSubFolderInDestination = true;
    config->cacheFolder = home.dataFolder() + QStringLiteral("/Cache");
    config->downloadFolder = home.dataFolder() + QStringLiteral("/Download");
    config->destinationFolder = home.dataFolder() + QStringLiteral("/Destination");
    config->drives.clear();
    MainWindow::systemTrayAvailable = [] { return false; };
}

// An NZB with one file per name, two segments each, the message ids made unique by `prefix`.
inline QByteArray nzbDocument(const QString &prefix, const QStringList &files)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n";
    for (const QString &name : files) {
        xml += "<file poster=\"p@x\" date=\"1300000000\" subject=\"&quot;" + name.toUtf8()
               + "&quot; yEnc (1/2)\">\n<groups><group>alt.binaries.test</group></groups>\n<segments>\n";
        for (int i = 1; i <= 2; ++i)
            xml += "<segment bytes=\"1000\" number=\"" + QByteArray::number(i) + "\">" + prefix.toUtf8() + "."
                   + name.toUtf8() + "." + QByteArray::number(i) + "@test</segment>\n";
        xml += "</segments>\n</file>\n";
    }
    return xml + "</nzb>\n";
}

inline bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// The names of the NZBs of the queue record files, in queue order, as the next start reads them
// once the background writes have ended.
inline QStringList recordedNames()
{
    AppConfiguration::getInstance()->nzbConfiguration.flushWrites();
    NzbConfiguration reader;
    reader.loadNzbs();
    QStringList names;
    for (const NzbFiles *nzb : qAsConst(reader.listNzbFiles))
        names << nzb->strName;
    qDeleteAll(reader.listNzbFiles);
    return names;
}

// Written by whichever thread logs (the queue record writer's too), read by the test.
class CapturingDestination : public QsLogging::Destination
{
public:
    void write(const QString &message) override
    {
        QMutexLocker locker(&mutex);
        captured.append(message);
    }
    QStringList lines() const
    {
        QMutexLocker locker(&mutex);
        return captured;
    }
    void clear()
    {
        QMutexLocker locker(&mutex);
        captured.clear();
    }

private:
    mutable QMutex mutex;
    QStringList captured;
};

} // namespace WindowTestFixture

#endif // WINDOWTESTFIXTURE_H
