#ifndef DRIVESPACEQUERIES_H
#define DRIVESPACEQUERIES_H

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// The space of the computer's drives, read off the GUI thread: a file system that no longer
// answers (a network mount whose server is gone) can block a query without bound, so each query
// runs in a thread of its own and answers through the event loop. A drive whose last query has
// not returned gets no new one until it has.
class DriveSpaceQueries : public QObject
{
    Q_OBJECT

public:
    // Total and free KiB of the volume holding a folder; false when it cannot be read.
    using Query = std::function<bool(const QString &folder, double &totalKiB, double &freeKiB)>;

    // What the queries of a drive found last.
    struct Answer
    {
        bool bReadable = false;
        double dTotalKiB = 0;
        double dFreeKiB = 0;
    };

    explicit DriveSpaceQueries(QObject *parent = nullptr);
    ~DriveSpaceQueries() override;

    // Starts a query for each folder that has none running; returns how many were started.
    int refresh(const QStringList &folders);
    bool isPending(const QString &folder) const;
    // The last answer for a folder; unreadable until one has come.
    Answer lastAnswer(const QString &folder) const;
    // Forgets the last answer for a folder, so that it counts as unreadable until the next one.
    void forget(const QString &folder);

    // The query every instance uses: AppConfiguration::getDiskSpace unless a test set another.
    static Query query;

signals:
    void answered(QString folder);

private slots:
    void receive(QString folder, bool bReadable, double dTotalKiB, double dFreeKiB);

private:
    struct Link;
    // Shared with the query threads, which outlive this object when a query hangs.
    std::shared_ptr<Link> link;
    QHash<QString, Answer> hashAnswers;
};

#endif // DRIVESPACEQUERIES_H
