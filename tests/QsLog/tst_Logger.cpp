#include "QsLog/DebugOutputDestination.h"
#include "QsLog/Destination.h"
#include "QsLog/FileDestination.h"
#include "QsLog/QsLog.h"

#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

namespace {

class CapturingDestination : public QsLogging::Destination
{
public:
    void write(const QString &message) override { lines << message; }
    QStringList lines;
};

const QRegularExpression linePattern(
    QStringLiteral("^(TRACE|DEBUG| INFO| WARN|ERROR|FATAL) (\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}) (.*)$"),
    QRegularExpression::DotMatchesEverythingOption);

int sideEffects = 0;
QString countedText()
{
    ++sideEffects;
    return QStringLiteral("built");
}

} // namespace

class tst_Logger : public QObject
{
    Q_OBJECT

private:
    CapturingDestination capture;
    QsLogging::Logger *logger = QsLogging::Logger::getInstance();

private slots:
    void initTestCase()
    {
        QCOMPARE(logger->level(), int(QsLogging::InfoLevel));
        QCOMPARE(logger->destinationCount(), 0);
    }

    void init()
    {
        capture.lines.clear();
        logger->setLevel(QsLogging::TraceLevel);
        logger->attachDestination(&capture);
    }

    void cleanup() { logger->detachDestination(&capture); }

    void singleton() { QCOMPARE(QsLogging::Logger::getInstance(), logger); }


    void lineLayout_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("trace") << 0 << "TRACE ";
        QTest::newRow("debug") << 1 << "DEBUG ";
        QTest::newRow("info") << 2 << " INFO ";
        QTest::newRow("warn") << 3 << " WARN ";
        QTest::newRow("error") << 4 << "ERROR ";
        QTest::newRow("fatal") << 5 << "FATAL ";
    }

    void lineLayout()
    {
        QFETCH(int, level);
        QFETCH(QString, prefix);
        const QDateTime before = QDateTime::currentDateTime();
        QsLogging::LogEntry(level) << QString("File %1 of NZB %2: done");
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(capture.lines.size(), 1);
        const QString line = capture.lines.first();
        QVERIFY(line.startsWith(prefix));
        const QRegularExpressionMatch match = linePattern.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        const QDateTime stamp = QDateTime::fromString(match.captured(2), "yyyy-MM-ddThh:mm:ss.zzz");
        QVERIFY(stamp >= before.addMSecs(-1) && stamp <= after);
        QCOMPARE(match.captured(3), QString("\"File %1 of NZB %2: done\" "));
    }

    void fixedTimeFormat()
    {
        const QDateTime time(QDate(2013, 1, 2), QTime(3, 4, 5, 6));
        QCOMPARE(QsLogging::LogEntry::formatLine(4, time, "\"x\" "), QString("ERROR 2013-01-02T03:04:05.006 \"x\" "));
        QCOMPARE(QsLogging::LogEntry::formatLine(3, time, "%1 %2"), QString(" WARN 2013-01-02T03:04:05.006 %1 %2"));
    }

    void messageItems_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");
        QTest::newRow("quote inside") << QString("say \"hi\"") << QString("\"say \"hi\"\" ");
        QTest::newRow("backslash") << QString("C:\\dir") << QString("\"C:\\dir\" ");
        QTest::newRow("line breaks") << QString("error:\nline two\nline three") << QString("\"error:\nline two\nline three\" ");
        QTest::newRow("percent") << QString("100% of %1") << QString("\"100% of %1\" ");
        QTest::newRow("empty") << QString() << QString("\"\" ");
        QTest::newRow("unicode") << QString::fromUtf8("Ünïcode ☃") << QString::fromUtf8("\"Ünïcode ☃\" ");
    }

    void messageItems()
    {
        QFETCH(QString, message);
        QFETCH(QString, expected);
        QLOG_INFO() << message;
        QCOMPARE(capture.lines.size(), 1);
        QCOMPARE(linePattern.match(capture.lines.first()).captured(3), expected);
    }

    void everyItemFollowedByABlank()
    {
        QLOG_WARN() << QString("a") << 42 << QByteArray("b") << QLatin1String("c");
        QCOMPARE(linePattern.match(capture.lines.first()).captured(3), QString("\"a\" 42 \"b\" \"c\" "));
    }

    void levelFilterSkipsBuildingTheMessage()
    {
        logger->setLevel(QsLogging::WarnLevel);
        sideEffects = 0;
        QLOG_INFO() << countedText();
        QLOG_DEBUG() << countedText();
        QCOMPARE(sideEffects, 0);
        QVERIFY(capture.lines.isEmpty());
        QLOG_WARN() << countedText();
        QLOG_ERROR() << countedText();
        QCOMPARE(sideEffects, 2);
        QCOMPARE(capture.lines.size(), 2);
    }

    void statementInsideUnbracedIfElse()
    {
        for (bool warn : {true, false}) {
            if (warn)
                QLOG_WARN() << QString("warned");
            else
                QLOG_ERROR() << QString("failed");
        }
        QCOMPARE(capture.lines.size(), 2);
        QVERIFY(capture.lines.at(0).startsWith(" WARN"));
        QVERIFY(capture.lines.at(1).startsWith("ERROR"));
    }

    void offLevelLetsNothingThrough()
    {
        logger->setLevel(QsLogging::OffLevel);
        QLOG_FATAL() << QString("x");
        QVERIFY(capture.lines.isEmpty());
    }

    void destinationsInAttachmentOrder()
    {
        CapturingDestination second;
        logger->attachDestination(&second);
        logger->attachDestination(nullptr);
        QCOMPARE(logger->destinationCount(), 2);
        QLOG_INFO() << QString("both");
        logger->detachDestination(&second);
        QCOMPARE(second.lines, capture.lines);
        QCOMPARE(logger->destinationCount(), 1);
    }

    void fileDestinationWritesWholeLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("run.log");
        {
            QFile existing(path);
            QVERIFY(existing.open(QIODevice::WriteOnly));
            existing.write("old content that must go\n");
        }
        QScopedPointer<QsLogging::Destination> file(QsLogging::newFileDestination(path));
        logger->attachDestination(file.data());
        QLOG_ERROR() << QString("first");
        QLOG_WARN() << QString::fromUtf8("second \"é\"\nmore");
        // Flushed at each line: readable while the destination is still open.
        QFile log(path);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray content = log.readAll();
        logger->detachDestination(file.data());
        const QList<QByteArray> lines = content.split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines.at(0).startsWith("ERROR 20"));
        QVERIFY(lines.at(0).endsWith(" \"first\" "));
        QVERIFY(lines.at(1).startsWith(" WARN 20"));
        QVERIFY(lines.at(1).endsWith(QString::fromUtf8(" \"second \"é\"").toUtf8()));
        QCOMPARE(lines.at(2), QByteArray("more\" "));
        QCOMPARE(lines.at(3), QByteArray());
    }

    void concurrentLinesNeverInterleave()
    {
        QTemporaryDir dir;
        QScopedPointer<QsLogging::Destination> file(QsLogging::newFileDestination(dir.filePath("threads.log")));
        logger->detachDestination(&capture);
        logger->attachDestination(file.data());
        QList<QThread *> threads;
        for (int t = 0; t < 4; ++t) {
            threads << QThread::create([t] {
                for (int i = 0; i < 500; ++i)
                    QLOG_INFO() << QString("thread %1 line %2 %3").arg(t).arg(i).arg(QString(40, QChar('a' + t)));
            });
            threads.last()->start();
        }
        for (QThread *thread : threads) {
            QVERIFY(thread->wait(30000));
            delete thread;
        }
        logger->detachDestination(file.data());
        QFile log(dir.filePath("threads.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().split('\n');
        QCOMPARE(lines.size(), 2001);
        for (int i = 0; i < 2000; ++i)
            QVERIFY2(linePattern.match(QString::fromUtf8(lines.at(i))).hasMatch(), lines.at(i).constData());
    }

    void debugOutputDestinationExists()
    {
        QScopedPointer<QsLogging::Destination> debugger(QsLogging::newDebugOutputDestination());
        QVERIFY(dynamic_cast<QsLogging::DebugOutputDestination *>(debugger.data()) != nullptr);
        debugger->write(QStringLiteral("a line for an attached debugger"));
    }
};

QTEST_GUILESS_MAIN(tst_Logger)
#include "tst_Logger.moc"
