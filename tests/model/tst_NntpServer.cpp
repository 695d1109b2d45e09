#include "model/NntpServer.h"

#include <QBuffer>
#include <QDataStream>
#include <QtTest>

namespace {

QByteArray recordOf(const NntpServer &server)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(12);
    stream << server;
    return bytes;
}

QByteArray recordOf(const NntpServerHistoNbBytes &histo)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(12);
    stream << histo;
    return bytes;
}

QByteArray golden(const char *name)
{
    QFile file(QStringLiteral(TQ_TEST_DATA "/config/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", name);
    return file.readAll();
}

} // namespace

class tst_NntpServer : public QObject
{
    Q_OBJECT

private slots:
    void newServerHasConstructionValues()
    {
        const QDateTime before = QDateTime::currentDateTime();
        NntpServer server;
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(server.id, 0);
        QCOMPARE(server.port, 119);
        QCOMPARE(server.connectionCount, 1);
        QVERIFY(server.host.isNull() && server.login.isNull() && server.password.isNull()
                && server.nickname.isNull());
        QVERIFY(!server.started && !server.reserved && !server.ssl);
        QCOMPARE(server.bytesDownloaded, quint64(0));
        QCOMPARE(server.histoNbBytes.count, qint64(0));
        QVERIFY(server.histoNbBytes.start >= before && server.histoNbBytes.start <= after);
    }

    void exampleRecordHasExactBytes()
    {
        NntpServer server;
        server.id = 3;
        server.host = QStringLiteral("h");
        server.login = QLatin1String("");
        server.password = QLatin1String("");
        server.nickname = QStringLiteral("n");
        server.connectionCount = 4;
        server.ssl = true;
        QCOMPARE(recordOf(server), golden("server-record-example.bin"));
    }

    void recordRoundTrip_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("nickname");
        QTest::newRow("null texts") << QString() << QString() << QString() << QString();
        QTest::newRow("empty texts") << QString("") << QString("") << QString("") << QString("");
        QTest::newRow("mixed") << QString("news.example.org") << QString() << QString("")
                               << QString::fromUtf8("Ünïcode ☃");
    }

    void recordRoundTrip()
    {
        QFETCH(QString, host);
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(QString, nickname);
        NntpServer written;
        written.id = -5;
        written.host = host;
        written.login = login;
        written.password = password;
        written.nickname = nickname;
        written.port = 563;
        written.connectionCount = 20;
        written.started = true;
        written.reserved = true;
        written.ssl = false;
        written.bytesDownloaded = 99;

        NntpServer read;
        read.bytesDownloaded = 1234;
        read.histoNbBytes.count = 1234;
        const QDateTime start = read.histoNbBytes.start;
        QDataStream stream(recordOf(written));
        stream.setVersion(12);
        stream >> read;
        QCOMPARE(stream.status(), QDataStream::Ok);
        QVERIFY(stream.atEnd());

        QCOMPARE(read.id, written.id);
        QCOMPARE(read.host, host);
        QCOMPARE(read.host.isNull(), host.isNull());
        QCOMPARE(read.login.isNull(), login.isNull());
        QCOMPARE(read.password.isNull(), password.isNull());
        QCOMPARE(read.nickname, nickname);
        QCOMPARE(read.port, 563);
        QCOMPARE(read.connectionCount, 20);
        QVERIFY(read.started && read.reserved && !read.ssl);
        // The counters are not part of the record.
        QCOMPARE(read.bytesDownloaded, quint64(1234));
        QCOMPARE(read.histoNbBytes.count, qint64(1234));
        QCOMPARE(read.histoNbBytes.start, start);
    }

    void copyTakesRecordFieldsOnly()
    {
        NntpServer configured;
        configured.id = 9;
        configured.host = "host";
        configured.nickname = "nick";
        configured.ssl = true;
        configured.bytesDownloaded = 77;
        NntpServer copy;
        copy.copyRecordFieldsFrom(configured);
        QCOMPARE(recordOf(copy), recordOf(configured));
        QCOMPARE(copy.bytesDownloaded, quint64(0));
    }

    void byteCountRecordHasExactBytes()
    {
        NntpServerHistoNbBytes histo;
        histo.count = 1000000;
        histo.start = QDateTime(QDate(2013, 1, 2), QTime(3, 4, 5, 6), Qt::LocalTime);
        QCOMPARE(recordOf(histo), golden("byte-count-record.bin"));
    }

    void byteCountRoundTripKeepsMilliseconds()
    {
        NntpServerHistoNbBytes written;
        written.count = Q_INT64_C(0x0123456789AB);
        written.start = QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58, 999));
        const QByteArray bytes = recordOf(written);
        QCOMPARE(bytes.size(), 17);
        NntpServerHistoNbBytes read;
        QDataStream stream(bytes);
        stream.setVersion(12);
        stream >> read;
        QCOMPARE(read.count, written.count);
        QCOMPARE(read.start, written.start);
        QCOMPARE(read.start.time().msec(), 999);
    }

    void resetRestartsCounting()
    {
        NntpServerHistoNbBytes histo;
        histo.count = 55;
        histo.start = QDateTime(QDate(2000, 1, 1), QTime(0, 0));
        const QDateTime before = QDateTime::currentDateTime();
        histo.reset();
        QCOMPARE(histo.count, qint64(0));
        QVERIFY(histo.start >= before && histo.start <= QDateTime::currentDateTime());
    }
};

QTEST_APPLESS_MAIN(tst_NntpServer)
#include "tst_NntpServer.moc"
