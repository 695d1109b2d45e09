#include "app/DriveSpaceQueries.h"

#include "config/AppConfiguration.h"

#include <QMetaObject>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QSet>

#include <thread>

// What a query thread needs of its owner once it has an answer: the owner, while it lives, and
// the folders still being asked.
struct DriveSpaceQueries::Link
{
    QMutex mutex;
    DriveSpaceQueries *owner = nullptr;
    QSet<QString> setPending;
};

DriveSpaceQueries::Query DriveSpaceQueries::query = &AppConfiguration::getDiskSpace;

DriveSpaceQueries::DriveSpaceQueries(QObject *parent)
    : QObject(parent)
    , link(std::make_shared<Link>())
{
    link->owner = this;
}

DriveSpaceQueries::~DriveSpaceQueries()
{
    QMutexLocker locker(&link->mutex);
    link->owner = nullptr;
}

int DriveSpaceQueries::refresh(const QStringList &folders)
{
    int started = 0;
    for (const QString &folder : folders) {
        {
            QMutexLocker locker(&link->mutex);
            if (link->setPending.contains(folder))
                continue;
            link->setPending.insert(folder);
        }
        // Detached: a thread stuck in the file system must hold neither this object nor the
        // program's exit. It reaches its owner only through the shared link.
        std::thread([shared = link, folder, ask = query] {
            double total = 0;
            double free = 0;
            const bool readable = ask && ask(folder, total, free);
            QMutexLocker locker(&shared->mutex);
            shared->setPending.remove(folder);
            if (shared->owner)
                QMetaObject::invokeMethod(shared->owner, "receive", Qt::QueuedConnection, Q_ARG(QString, folder),
                                          Q_ARG(bool, readable), Q_ARG(double, total), Q_ARG(double, free));
        }).detach();
        ++started;
    }
    return started;
}

bool DriveSpaceQueries::isPending(const QString &folder) const
{
    QMutexLocker locker(&link->mutex);
    return link->setPending.contains(folder);
}

DriveSpaceQueries::Answer DriveSpaceQueries::lastAnswer(const QString &folder) const
{
    return hashAnswers.value(folder);
}

void DriveSpaceQueries::forget(const QString &folder)
{
    hashAnswers.remove(folder);
}

void DriveSpaceQueries::receive(QString folder, bool bReadable, double dTotalKiB, double dFreeKiB)
{
    Answer answer;
    answer.bReadable = bReadable;
    answer.dTotalKiB = dTotalKiB;
    answer.dFreeKiB = dFreeKiB;
    hashAnswers.insert(folder, answer);
    emit answered(folder);
}
