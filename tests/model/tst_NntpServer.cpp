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
        QCOMPARE(server.iId, 0);
        QCOMPARE(server.iPort, 119);
        QCOMPARE(server.iConnectionCount, 1);
        QVERIFY(server.strHost.isNull() && server.strLogin.isNull() && server.strPassword.isNull()
                && server.strNickname.isNull());
        QVERIFY(!server.bStarted && !server.bReserved && !server.bSsl);
        QCOMPARE(server.uiBytesDownloaded, quint64(0));
        QCOMPARE(server.histoNbBytes.iCount, qint64(0));
        QVERIFY(server.histoNbBytes.dtStart >= before && server.histoNbBytes.dtStart <= after);
    }

    void exampleRecordHasExactBytes()
    {
        NntpServer server;
        server.iId = 3;
        server.strHost = QStringLiteral("h");
        server.strLogin = QLatin1String("");
        server.strPassword = QLatin1String("");
        server.strNickname = QStringLiteral("n");
        server.iConnectionCount = 4;
        server.bSsl = true;
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
        written.iId = -5;
        written.strHost = host;
        written.strLogin = login;
        written.strPassword = password;
        written.strNickname = nickname;
        written.iPort = 563;
        written.iConnectionCount = 20;
        written.bStarted = true;
        written.bReserved = true;
        written.bSsl = false;
        written.uiBytesDownloaded = 99;

        NntpServer read;
        read.uiBytesDownloaded = 1234;
        read.histoNbBytes.iCount = 1234;
        const QDateTime start = read.histoNbBytes.dtStart;
        QDataStream stream(recordOf(written));
        stream.setVersion(12);
        stream >> read;
        QCOMPARE(stream.status(), QDataStream::Ok);
        QVERIFY(stream.atEnd());

        QCOMPARE(read.iId, written.iId);
        QCOMPARE(read.strHost, host);
        QCOMPARE(read.strHost.isNull(), host.isNull());
        QCOMPARE(read.strLogin.isNull(), login.isNull());
        QCOMPARE(read.strPassword.isNull(), password.isNull());
        QCOMPARE(read.strNickname, nickname);
        QCOMPARE(read.iPort, 563);
        QCOMPARE(read.iConnectionCount, 20);
        QVERIFY(read.bStarted && read.bReserved && !read.bSsl);
        // The counters are not part of the record.
        QCOMPARE(read.uiBytesDownloaded, quint64(1234));
        QCOMPARE(read.histoNbBytes.iCount, qint64(1234));
        QCOMPARE(read.histoNbBytes.dtStart, start);
    }

    void copyTakesRecordFieldsOnly()
    {
        NntpServer configured;
        configured.iId = 9;
        configured.strHost = "host";
        configured.strNickname = "nick";
        configured.bSsl = true;
        configured.uiBytesDownloaded = 77;
        NntpServer copy;
        copy.copyRecordFieldsFrom(configured);
        QCOMPARE(recordOf(copy), recordOf(configured));
        QCOMPARE(copy.uiBytesDownloaded, quint64(0));
    }

    void byteCountRecordHasExactBytes()
    {
        NntpServerHistoNbBytes histo;
        histo.iCount = 1000000;
        histo.dtStart = QDateTime(QDate(2013, 1, 2), QTime(3, 4, 5, 6), Qt::LocalTime);
        QCOMPARE(recordOf(histo), golden("byte-count-record.bin"));
    }

    void byteCountRoundTripKeepsMilliseconds()
    {
        NntpServerHistoNbBytes written;
        written.iCount = Q_INT64_C(0x0123456789AB);
        written.dtStart = QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58, 999));
        const QByteArray bytes = recordOf(written);
        QCOMPARE(bytes.size(), 17);
        NntpServerHistoNbBytes read;
        QDataStream stream(bytes);
        stream.setVersion(12);
        stream >> read;
        QCOMPARE(read.iCount, written.iCount);
        QCOMPARE(read.dtStart, written.dtStart);
        QCOMPARE(read.dtStart.time().msec(), 999);
    }

    void resetRestartsCounting()
    {
        NntpServerHistoNbBytes histo;
        histo.iCount = 55;
        histo.dtStart = QDateTime(QDate(2000, 1, 1), QTime(0, 0));
        const QDateTime before = QDateTime::currentDateTime();
        histo.reset();
        QCOMPARE(histo.iCount, qint64(0));
        QVERIFY(histo.dtStart >= before && histo.dtStart <= QDateTime::currentDateTime());
    }
};

QTEST_APPLESS_MAIN(tst_NntpServer)
#include "tst_NntpServer.moc"
