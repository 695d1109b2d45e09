#include "config/AppConfiguration.h"
#include "QsLog/Destination.h"
#include "QsLog/QsLog.h"

#include "TempHome.h"

#include <QtTest>

namespace {

QStringList logFiles()
{
    return QDir(AppConfiguration::getLogsFolder()).entryList(QDir::Files, QDir::Name);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

QDateTime creationTimeOf(const QString &path)
{
    const QFileInfo info(path);
    return info.birthTime().isValid() ? info.birthTime() : info.metadataChangeTime();
}

} // namespace

class tst_LogSetup : public QObject
{
    Q_OBJECT

private:
    // Every test starts with a logger without destinations at the default level.
    void detachAll(AppConfiguration &configuration)
    {
        QsLogging::Logger::getInstance()->detachDestination(configuration.fileDestination);
        delete configuration.fileDestination;
        configuration.fileDestination = nullptr;
    }

private slots:
    void init()
    {
        QCOMPARE(QsLogging::Logger::getInstance()->destinationCount(), 0);
        QsLogging::Logger::getInstance()->setLevel(QsLogging::InfoLevel);
    }

    void expiry_data()
    {
        QTest::addColumn<QDateTime>("created");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("autoDelete");
        QTest::addColumn<bool>("expired");
        const QDateTime created(QDate(2023, 3, 1), QTime(10, 0, 0));
        QTest::newRow("week: 7 days and 1 s") << created << created.addDays(7).addSecs(1) << 1 << true;
        QTest::newRow("week: exactly 7 days") << created << created.addDays(7) << 1 << true;
        QTest::newRow("week: 6 days 23 h") << created << created.addDays(6).addSecs(23 * 3600) << 1 << false;
        const QDateTime endOfJanuary(QDate(2023, 1, 31), QTime(15, 30, 0));
        QTest::newRow("month: 31 Jan at 28 Feb same time")
            << endOfJanuary << QDateTime(QDate(2023, 2, 28), QTime(15, 30, 0)) << 2 << true;
        QTest::newRow("month: 31 Jan at 28 Feb a second early")
            << endOfJanuary << QDateTime(QDate(2023, 2, 28), QTime(15, 29, 59)) << 2 << false;
        const QDateTime leapJanuary(QDate(2024, 1, 31), QTime(15, 30, 0));
        QTest::newRow("month: leap year 28 Feb")
            << leapJanuary << QDateTime(QDate(2024, 2, 28), QTime(23, 0, 0)) << 2 << false;
        QTest::newRow("month: leap year 29 Feb")
            << leapJanuary << QDateTime(QDate(2024, 2, 29), QTime(15, 30, 0)) << 2 << true;
        QTest::newRow("never") << created << created.addYears(10) << 0 << false;
    }

    void expiry()
    {
        QFETCH(QDateTime, created);
        QFETCH(QDateTime, now);
        QFETCH(int, autoDelete);
        QFETCH(bool, expired);
        QCOMPARE(AppConfiguration::isLogFileExpired(created, now, autoDelete), expired);
    }

    // The clock is set relative to the real creation times of the files on disk.
    void pruningUsesTheClock_data()
    {
        QTest::addColumn<int>("autoDelete");
        QTest::addColumn<qint64>("secondsAfterOldCreated");
        QTest::addColumn<bool>("oldRemoved");
        QTest::newRow("week, 7 days 1 s") << 1 << qint64(7 * 86400 + 1) << true;
        QTest::newRow("week, 6 days 23 h") << 1 << qint64(6 * 86400 + 23 * 3600) << false;
        QTest::newRow("never") << 0 << qint64(400 * 86400) << false;
        QTest::newRow("month, 40 days") << 2 << qint64(40 * 86400) << true;
        QTest::newRow("month, 20 days") << 2 << qint64(20 * 86400) << false;
    }

    void pruningUsesTheClock()
    {
        QFETCH(int, autoDelete);
        QFETCH(qint64, secondsAfterOldCreated);
        QFETCH(bool, oldRemoved);
        TempHome home;
        const QString old = AppConfiguration::getLogsFolder() + "/2020.01.01-00.00.00.log";
        const QString notALog = AppConfiguration::getLogsFolder() + "/notes.txt";
        QVERIFY(touch(old));
        QVERIFY(touch(notALog));
        const QDateTime now = creationTimeOf(old).addSecs(secondsAfterOldCreated);

        AppConfiguration configuration;
        configuration.logAutoDelete = autoDelete;
        configuration.clock = [now] { return now; };
        QVERIFY(configuration.initLogs());
        // Every file counts, whatever its name; the new file is made after pruning.
        QCOMPARE(QFileInfo::exists(old), !oldRemoved);
        QCOMPARE(QFileInfo::exists(notALog), !oldRemoved);
        QCOMPARE(configuration.currentLogFile, now.toString("yyyy.MM.dd-hh.mm.ss") + ".log");
        QVERIFY(QFileInfo::exists(AppConfiguration::getLogsFolder() + "/" + configuration.currentLogFile));
        detachAll(configuration);
    }

    void logFileOfTheRun()
    {
        TempHome home;
        AppConfiguration configuration;
        configuration.logLevel = 3;
        configuration.clock = [] { return QDateTime(QDate(2013, 1, 2), QTime(3, 4, 5)); };
        QVERIFY(configuration.initLogs());
        QCOMPARE(configuration.currentLogFile, QString("2013.01.02-03.04.05.log"));
        QCOMPARE(QsLogging::Logger::getInstance()->level(), 3);
        QCOMPARE(QsLogging::Logger::getInstance()->destinationCount(), 1);
        QVERIFY(configuration.fileDestination != nullptr);
        QLOG_INFO() << QString("not written");
        QLOG_WARN() << QString("written");
        const QByteArray content = readFile(AppConfiguration::getLogsFolder() + "/2013.01.02-03.04.05.log");
        QVERIFY(content.startsWith(" WARN "));
        QVERIFY(content.endsWith(" \"written\" \n"));
        QVERIFY(!content.contains("not written"));
        detachAll(configuration);
    }

    void loggingOffAtStartThenOn()
    {
        TempHome home;
        AppConfiguration configuration;
        configuration.logLevel = 6;
        QVERIFY(configuration.initLogs());
        QVERIFY(!configuration.currentLogFile.isEmpty());
        QVERIFY(logFiles().isEmpty());
        QCOMPARE(QsLogging::Logger::getInstance()->destinationCount(), 0);
        QLOG_FATAL() << QString("nothing passes level 6");

        configuration.setLogLevel(3);
        QCOMPARE(logFiles(), QStringList{configuration.currentLogFile});
        QLOG_INFO() << QString("info");
        QLOG_ERROR() << QString("error");
        const QByteArray content = readFile(AppConfiguration::getLogsFolder() + "/" + configuration.currentLogFile);
        QVERIFY(content.startsWith("ERROR "));
        QCOMPARE(content.count('\n'), 1);

        // Off and on again: the same file, no second one.
        configuration.setLogLevel(6);
        QLOG_ERROR() << QString("hidden");
        configuration.setLogLevel(2);
        QLOG_INFO() << QString("again");
        QCOMPARE(logFiles(), QStringList{configuration.currentLogFile});
        QCOMPARE(QsLogging::Logger::getInstance()->destinationCount(), 1);
        const QByteArray after = readFile(AppConfiguration::getLogsFolder() + "/" + configuration.currentLogFile);
        QVERIFY(!after.contains("hidden"));
        QVERIFY(after.contains("\"again\""));
        detachAll(configuration);
    }

    void secondStartInTheSameSecondTruncates()
    {
        TempHome home;
        const auto fixed = [] { return QDateTime(QDate(2020, 5, 6), QTime(7, 8, 9)); };
        AppConfiguration first;
        first.clock = fixed;
        QVERIFY(first.initLogs());
        QLOG_INFO() << QString("first run");
        detachAll(first);

        AppConfiguration second;
        second.clock = fixed;
        QVERIFY(second.initLogs());
        const QByteArray content = readFile(AppConfiguration::getLogsFolder() + "/" + second.currentLogFile);
        QVERIFY(content.isEmpty());
        detachAll(second);
    }

    void logsFolderThatCannotBeMade()
    {
        TempHome home;
        QVERIFY(touch(AppConfiguration::getLogsFolder()));
        AppConfiguration configuration;
        configuration.logLevel = 4;
        QVERIFY(!configuration.initLogs());
        QCOMPARE(configuration.lastError, "Failed to create directory " + AppConfiguration::getLogsFolder());
        QCOMPARE(QsLogging::Logger::getInstance()->level(), 4);
        QVERIFY(configuration.currentLogFile.isEmpty());
        QCOMPARE(QsLogging::Logger::getInstance()->destinationCount(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_LogSetup)
#include "tst_LogSetup.moc"
