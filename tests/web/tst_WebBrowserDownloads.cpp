#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "web/BrowserTabWidget.h"
#include "web/CaughtFileName.h"
#include "web/MyWebView.h"
#include "web/NetworkAccessManager.h"
#include "web/WebBrowserDownloads.h"

#include "BrowserTestSupport.h"
#include "GuiTestHome.h"
#include "HttpTestServer.h"
#include "ModalAnswerer.h"
#include "ProcessMemory.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWebElement>
#include <QWebFrame>
#include <QWebPage>
#include <QtTest>

#include <functional>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Response = HttpTestServer::Response;

// A body large enough to arrive in many reads: the fixture NZB with a long comment inside.
QByteArray largeNzb()
{
    QByteArray nzb = fixtureNzb();
    QByteArray filler;
    for (int i = 0; i < 4000; ++i)
        filler += "<!-- line " + QByteArray::number(i) + " of a long comment that pads the file -->\n";
    return nzb.replace("<nzb ", filler + "<nzb ");
}

const qint64 MiB = qint64(1) << 20;
const qint64 NzbBound = 256 * MiB;

// Whether the file holds `start` followed by `pattern` repeated up to `size` bytes, read a
// piece at a time.
bool holdsMadeBody(const QString &path, const QByteArray &start, const QByteArray &pattern, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != size || file.read(start.size()) != start)
        return false;
    const QByteArray block = pattern.repeated(int(MiB / pattern.size()));
    while (!file.atEnd()) {
        const QByteArray piece = file.read(block.size());
        if (piece != block.left(piece.size()))
            return false;
    }
    return true;
}

// What the stand-in for the main window's addNzbFile was given, with the bytes of the file at
// the moment the call ended (the browser removes the file afterwards).
struct QueuedNzb {
    QString path;
    QString name;
    QString destination;
    QByteArray content;
};

using RawHeaders = QList<QPair<QByteArray, QByteArray>>;

// A reply that ends as a whole one whatever it brought: Qt's HTTP code may end so an answer
// whose connection closed in the middle of its body.
class EndedAsWholeReply : public QNetworkReply
{
public:
    EndedAsWholeReply(const RawHeaders &headers, const QByteArray &body)
        : content(body)
    {
        setUrl(QUrl(QStringLiteral("http://127.0.0.1/ended")));
        setOperation(QNetworkAccessManager::GetOperation);
        setAttribute(QNetworkRequest::HttpStatusCodeAttribute, 200);
        for (const auto &header : headers)
            setRawHeader(header.first, header.second);
        open(QIODevice::ReadOnly);
        setFinished(true);
    }
    void abort() override {}
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return content.size() - offset + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 size = qMin<qint64>(maxSize, content.size() - offset);
        memcpy(data, content.constData() + offset, size_t(size));
        offset += size;
        return size;
    }

private:
    QByteArray content;
    qint64 offset = 0;
};

struct SaveRequest {
    QString caption;
    QString suggestion;
};

} // namespace

Q_DECLARE_METATYPE(HttpTestServer::Response)
Q_DECLARE_METATYPE(RawHeaders)

class tst_WebBrowserDownloads : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fileNames_data();
    void fileNames();
    void nzbFromAPageGoesToTheQueue_data();
    void nzbFromAPageGoesToTheQueue();
    void otherFilesAreOfferedForSaving_data();
    void otherFilesAreOfferedForSaving();
    void failedDownloadsAreReported_data();
    void failedDownloadsAreReported();
    void answersEndedAsWholeAreChecked_data();
    void answersEndedAsWholeAreChecked();
    void compressedAnswersComeWhole_data();
    void compressedAnswersComeWhole();
    void compressedAnswerComesWholeFromTheCache();
    void progressIsShownWhileDownloading();
    void progressValues_data();
    void progressValues();
    void unsizedDownloadLeavesTheBarAlone();
    void caughtNzbStopsAtTheBound_data();
    void caughtNzbStopsAtTheBound();
    void largeFilesToSaveComeWhole_data();
    void largeFilesToSaveComeWhole();
    void newerDownloadDropsTheRunningOne();
    void downloadDuringTheFirstOnesDialog();
    void failedSaveIsReportedAndOfferedAgain_data();
    void failedSaveIsReportedAndOfferedAgain();
    void requestedDownloadIsSaved_data();
    void requestedDownloadIsSaved();
    void requestedDownloadThatFailsIsReported();
    void saveLinkActionOfThePage();
    void saveDialogOfferedByDefault();

private:
    void catchFrom(const QString &path);
    bool waitForEnd(int count = 1);
    QStringList temporaryFiles() const;

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<QTemporaryDir> temporaryFolder;
    std::unique_ptr<HttpTestServer> server;
    std::unique_ptr<NetworkAccessManager> manager;
    std::unique_ptr<QWidget> window;
    QLabel *label = nullptr;
    QProgressBar *bar = nullptr;
    BrowserTabWidget *tabs = nullptr;
    std::unique_ptr<WebBrowserDownloads> downloads;
    std::unique_ptr<QSignalSpy> ends;
    std::unique_ptr<ModalAnswerer> answerer;

    QList<QueuedNzb> queued;
    std::function<void(const QString &)> whileQueueing; // runs inside the stand-in, as a dialog would
    QList<SaveRequest> saveRequests;
    QStringList saveAnswers;
};

void tst_WebBrowserDownloads::initTestCase()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    // The temporary files of the downloads go into a folder of this test, to be counted.
    temporaryFolder = std::make_unique<QTemporaryDir>(home->path() + QStringLiteral("/tmp-XXXXXX"));
    QVERIFY(temporaryFolder->isValid());
    qputenv("TMPDIR", QFile::encodeName(temporaryFolder->path()));
    QCOMPARE(QDir::tempPath(), temporaryFolder->path());
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
}

void tst_WebBrowserDownloads::init()
{
    server = std::make_unique<HttpTestServer>();
    QVERIFY2(server->start(), qPrintable(server->errorString()));
    manager = std::make_unique<NetworkAccessManager>();
    window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(window.get());
    tabs = new BrowserTabWidget(window.get());
    tabs->networkManager = manager.get();
    tabs->createTab();
    label = new QLabel(QStringLiteral("Downloading... "), window.get());
    bar = new QProgressBar(window.get());
    layout->addWidget(tabs);
    layout->addWidget(label);
    layout->addWidget(bar);
    window->resize(600, 400);
    window->show();
    label->hide();
    bar->hide();

    queued.clear();
    whileQueueing = nullptr;
    saveRequests.clear();
    saveAnswers.clear();
    downloads = std::make_unique<WebBrowserDownloads>(
        WebBrowserDownloads::Controls{window.get(), label, bar}, manager.get(),
        [this](const QString &path, const QString &name, const QString &destination) {
            if (whileQueueing)
                whileQueueing(path);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            queued.append({path, name, destination, file.readAll()});
        });
    connect(tabs, SIGNAL(unsupportedContent(QNetworkReply*)), downloads.get(),
            SLOT(webBrowserUnsupportedContent(QNetworkReply*)));
    connect(tabs, SIGNAL(downloadRequested(QNetworkRequest)), downloads.get(),
            SLOT(webBrowserDownloadRequested(QNetworkRequest)));
    WebBrowserDownloads::setSaveFileChooser([this](QWidget *, const QString &caption, const QString &suggestion) {
        saveRequests.append({caption, suggestion});
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    });
    ends = std::make_unique<QSignalSpy>(downloads.get(), SIGNAL(downloadEnded()));
    answerer = std::make_unique<ModalAnswerer>();
}

void tst_WebBrowserDownloads::cleanup()
{
    WebBrowserDownloads::setSaveFileChooser(nullptr);
    answerer.reset();
    ends.reset();
    downloads.reset();
    window.reset();
    manager.reset();
    server.reset();
    // Nothing of a download outlives it.
    QTRY_COMPARE(temporaryFiles(), QStringList());
}

QStringList tst_WebBrowserDownloads::temporaryFiles() const
{
    return QDir(temporaryFolder->path()).entryList(QDir::Files | QDir::Hidden);
}

// The page of the first tab follows a link to `path`, as a user clicking it.
void tst_WebBrowserDownloads::catchFrom(const QString &path)
{
    tabs->currentWebView()->load(server->url(path));
}

bool tst_WebBrowserDownloads::waitForEnd(int count)
{
    QElapsedTimer clock;
    clock.start();
    while (ends->count() < count && clock.elapsed() < 20000)
        QTest::qWait(20);
    return ends->count() >= count;
}

void tst_WebBrowserDownloads::fileNames_data()
{
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("disposition");
    QTest::addColumn<QString>("name");

    QTest::newRow("quoted") << QByteArray("application/x-nzb") << QByteArray("attachment; filename=\"Holiday.nzb\"")
                            << QStringLiteral("Holiday.nzb");
    QTest::newRow("token") << QByteArray() << QByteArray("attachment; filename=Holiday.nzb") << QStringLiteral("Holiday.nzb");
    QTest::newRow("blanks around") << QByteArray() << QByteArray("attachment ;  filename = \"a b.nzb\" ")
                                   << QStringLiteral("a b.nzb");
    QTest::newRow("text after ';' dropped") << QByteArray() << QByteArray("attachment; filename=a.nzb; size=10")
                                            << QStringLiteral("a.nzb");
    QTest::newRow("escaped quote removed") << QByteArray() << QByteArray("attachment; filename=\"x\\\"y.nzb\"")
                                           << QStringLiteral("xy.nzb");
    QTest::newRow("parameter in capitals") << QByteArray() << QByteArray("ATTACHMENT; FILENAME=\"Caps.nzb\"")
                                           << QStringLiteral("Caps.nzb");
    QTest::newRow("extended UTF-8") << QByteArray() << QByteArray("attachment; filename*=UTF-8''Caf%C3%A9%20Show.nzb")
                                    << QStringLiteral("Caf\u00e9 Show.nzb");
    QTest::newRow("extended Latin-1, any case") << QByteArray() << QByteArray("attachment; FileName*=iso-8859-1'fr'Caf%E9.nzb")
                                                << QStringLiteral("Caf\u00e9.nzb");
    QTest::newRow("extended wins over plain") << QByteArray()
                                              << QByteArray("attachment; filename=\"plain.nzb\"; filename*=UTF-8''extended.nzb")
                                              << QStringLiteral("extended.nzb");
    QTest::newRow("unknown charset falls back") << QByteArray()
                                                << QByteArray("attachment; filename*=koi8-r''x.nzb; filename=plain.nzb")
                                                << QStringLiteral("plain.nzb");
    QTest::newRow("raw UTF-8 bytes") << QByteArray() << QByteArray("attachment; filename=\"\xc3\xa9t\xc3\xa9.nzb\"")
                                     << QStringLiteral("\u00e9t\u00e9.nzb");
    QTest::newRow("raw Latin-1 bytes") << QByteArray() << QByteArray("attachment; filename=\"\xe9t\xe9.nzb\"")
                                       << QStringLiteral("\u00e9t\u00e9.nzb");
    QTest::newRow("content type first") << QByteArray("application/x-nzb; filename=typed.nzb")
                                        << QByteArray("attachment; filename=other.nzb") << QStringLiteral("typed.nzb");
    QTest::newRow("content type without a name") << QByteArray("application/x-nzb; name=x")
                                                 << QByteArray("attachment; filename=other.nzb") << QStringLiteral("other.nzb");
    QTest::newRow("octet stream without a name") << QByteArray("Application/Octet-Stream") << QByteArray()
                                                 << QStringLiteral("tmp.exe");
    QTest::newRow("octet stream with a name") << QByteArray("application/octet-stream")
                                              << QByteArray("attachment; filename=real.bin") << QStringLiteral("real.bin");
    QTest::newRow("no name") << QByteArray("application/zip") << QByteArray("attachment") << QString();
    QTest::newRow("empty token") << QByteArray() << QByteArray("attachment; filename=;x.nzb") << QString();
    QTest::newRow("a path loses its separators") << QByteArray()
                                                 << QByteArray("attachment; filename=\"../../etc/passwd.nzb\"")
                                                 << QStringLiteral("....etcpasswd.nzb");
    QTest::newRow("only removed characters") << QByteArray() << QByteArray("attachment; filename=\"<>|:*?\"")
                                             << QString();
    QTest::newRow("dots only") << QByteArray() << QByteArray("attachment; filename=\"..\"") << QString();
    QTest::newRow("control characters") << QByteArray() << QByteArray("attachment; filename=\"a\tb\x01.nzb\"")
                                        << QStringLiteral("ab.nzb");
    static const char cutAtNul[] = "attachment; filename=cut.nzb\0tail.exe";
    QTest::newRow("NUL ends the value") << QByteArray() << QByteArray(cutAtNul, sizeof(cutAtNul) - 1)
                                        << QStringLiteral("cut.nzb");
}

void tst_WebBrowserDownloads::fileNames()
{
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, disposition);
    QFETCH(QString, name);
    QCOMPARE(CaughtFileName::fromHeaders(contentType, disposition), name);
}

void tst_WebBrowserDownloads::nzbFromAPageGoesToTheQueue_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("name");

    const QByteArray nzb = fixtureNzb();
    QTest::newRow("quoted disposition")
        << Response::ok(nzb, "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=\"Holiday Movie.nzb\"")
        << QStringLiteral("Holiday Movie");
    QTest::newRow("upper-case suffix, several dots")
        << Response::ok(nzb, "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=My.Show.S01.NZB")
        << QStringLiteral("My.Show.S01");
    QTest::newRow("extended form")
        << Response::ok(nzb, "application/x-nzb").withHeader("Content-Disposition", "attachment; filename*=UTF-8''Caf%C3%A9.nzb")
        << QStringLiteral("Caf\u00e9");
    QTest::newRow("XML shown as an attachment")
        << Response::ok(nzb, "text/xml").withHeader("Content-Disposition", "attachment; filename=\"as xml.nzb\"")
        << QStringLiteral("as xml");
    QTest::newRow("name in the content type") << Response::ok(nzb, "application/x-nzb; filename=typed.nzb")
                                              << QStringLiteral("typed");
    Response chunked = Response::ok(largeNzb(), "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=big.nzb");
    chunked.chunked = true;
    chunked.chunkSize = 4000;
    QTest::newRow("chunked without length") << chunked << QStringLiteral("big");
    Response toTheClose = Response::ok(largeNzb(), "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=close.nzb");
    toTheClose.noContentLength = true;
    QTest::newRow("ends at the close") << toTheClose << QStringLiteral("close");
}

void tst_WebBrowserDownloads::nzbFromAPageGoesToTheQueue()
{
    QFETCH(Response, response);
    QFETCH(QString, name);
    server->addRoute("GET", "/get", response);

    catchFrom(QStringLiteral("/get"));
    QVERIFY(waitForEnd());
    QCOMPARE(queued.size(), 1);
    QCOMPARE(queued.first().name, name);
    QCOMPARE(queued.first().destination, QString());
    QCOMPARE(queued.first().content, response.body);
    QVERIFY(!QFile::exists(queued.first().path));
    QVERIFY(saveRequests.isEmpty());
    QCOMPARE(answerer->answeredCount(), 0);
    QVERIFY(label->isHidden());
    QVERIFY(bar->isHidden());
}

void tst_WebBrowserDownloads::otherFilesAreOfferedForSaving_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("suggested");

    QTest::newRow("octet stream without a name") << Response::ok(QByteArray(5000, 'x'), "application/octet-stream")
                                                 << QStringLiteral("tmp.exe");
    QTest::newRow("named archive") << Response::ok(QByteArray(3000, 'z'), "application/zip")
                                          .withHeader("Content-Disposition", "attachment; filename=\"notes.zip\"")
                                   << QStringLiteral("notes.zip");
    QTest::newRow("no name: dropped") << Response::ok(QByteArray(100, 'z'), "application/zip") << QString();
    QTest::newRow("a name of removed characters: dropped")
        << Response::ok(QByteArray(100, 'z'), "application/zip").withHeader("Content-Disposition", "attachment; filename=\"||\"")
        << QString();
}

void tst_WebBrowserDownloads::otherFilesAreOfferedForSaving()
{
    QFETCH(Response, response);
    QFETCH(QString, suggested);
    server->addRoute("GET", "/file", response);
    const QString target = home->path() + QStringLiteral("/saved/") + suggested;
    saveAnswers << target;

    catchFrom(QStringLiteral("/file"));
    QVERIFY(waitForEnd());
    QVERIFY(queued.isEmpty());
    QCOMPARE(answerer->answeredCount(), 0);
    if (suggested.isEmpty()) {
        QVERIFY(saveRequests.isEmpty());
        return;
    }
    QCOMPARE(saveRequests.size(), 1);
    QCOMPARE(saveRequests.first().caption, QStringLiteral("Save file..."));
    QCOMPARE(saveRequests.first().suggestion, QDir::homePath() + QStringLiteral("/") + suggested);
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), response.body);
}

void tst_WebBrowserDownloads::failedDownloadsAreReported_data()
{
    QTest::addColumn<Response>("response");

    const QByteArray nzb = fixtureNzb();
    QTest::newRow("404 with an NZB name") << Response::withStatus(404, nzb)
                                               .withHeader("Content-Type", "application/x-nzb")
                                               .withHeader("Content-Disposition", "attachment; filename=gone.nzb");
    Response closed = Response::ok(nzb, "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=cut.nzb");
    closed.closeAfterBodyBytes = nzb.size() / 2;
    QTest::newRow("connection closed in the body") << closed;
    Response chunkedClosed = closed;
    chunkedClosed.chunked = true;
    chunkedClosed.chunkSize = 500;
    QTest::newRow("chunked, closed in the body") << chunkedClosed;
    Response octets = Response::ok(QByteArray(4000, 'o'), "application/octet-stream");
    octets.closeAfterBodyBytes = 1000;
    QTest::newRow("a file to save, closed in the body") << octets;
}

void tst_WebBrowserDownloads::failedDownloadsAreReported()
{
    QFETCH(Response, response);
    server->addRoute("GET", "/broken", response);
    answerer->pressNext(QMessageBox::Ok);
    saveAnswers << home->path() + QStringLiteral("/never-saved");

    catchFrom(QStringLiteral("/broken"));
    QVERIFY(waitForEnd());
    QVERIFY(answerer->waitForAnswered(1));
    QCOMPARE(answerer->seen().first().text, QStringLiteral("Download failed"));
    QCOMPARE(answerer->seen().first().title, QStringLiteral("Tessaquill+"));
    QVERIFY(!answerer->seen().first().informativeText.isEmpty());
    QVERIFY(queued.isEmpty());
    QVERIFY(saveRequests.isEmpty());
    QVERIFY(!QFile::exists(home->path() + QStringLiteral("/never-saved")));
    QVERIFY(label->isHidden());
}

void tst_WebBrowserDownloads::answersEndedAsWholeAreChecked_data()
{
    QTest::addColumn<RawHeaders>("headers");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("failure"); // empty: the file goes on (queued or offered)

    const QByteArray nzb = fixtureNzb();
    const QByteArray half = nzb.left(nzb.size() / 2);
    const RawHeaders nzbHeaders{{"Content-Type", "application/x-nzb"},
                                {"Content-Disposition", "attachment; filename=show.nzb"}};
    const QString nzbCut = QStringLiteral("The connection was closed before the end of the NZB file.");
    QTest::newRow("announced length not reached")
        << RawHeaders{{"Content-Type", "application/zip"},
                      {"Content-Disposition", "attachment; filename=a.zip"},
                      {"Content-Length", "4000"}}
        << QByteArray(1000, 'z') << QStringLiteral("The connection was closed after 1000 of 4000 bytes.");
    QTest::newRow("NZB cut, chunked") << (RawHeaders(nzbHeaders) << qMakePair(QByteArray("Transfer-Encoding"), QByteArray("chunked")))
                                      << half << nzbCut;
    QTest::newRow("NZB cut, read to the close") << nzbHeaders << half << nzbCut;
    QTest::newRow("NZB cut just before its end") << nzbHeaders << nzb.left(nzb.lastIndexOf("</nzb>") + 5) << nzbCut;
    QTest::newRow("NZB of another encoding, cut")
        << nzbHeaders << QByteArray("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<nzb><file subject=\"caf\xe9\">")
        << nzbCut;
    QTest::newRow("NZB whole, blanks after its end") << nzbHeaders << nzb + "\r\n\r\n  " << QString();
    QTest::newRow("NZB whole, a comment after its end") << nzbHeaders << nzb + "<!-- listed by an indexer -->\n" << QString();
    QTest::newRow("NZB whole, of its announced length")
        << (RawHeaders(nzbHeaders) << qMakePair(QByteArray("Content-Length"), QByteArray::number(nzb.size()))) << nzb
        << QString();
}

// Qt may end an answer whose connection closed in its body as a whole one: a file that does not
// hold what was announced, or an NZB that stops before its end, is a failed download.
void tst_WebBrowserDownloads::answersEndedAsWholeAreChecked()
{
    QFETCH(RawHeaders, headers);
    QFETCH(QByteArray, body);
    QFETCH(QString, failure);
    if (!failure.isEmpty())
        answerer->pressNext(QMessageBox::Ok);
    const QString target = home->path() + QStringLiteral("/saved/a.zip");
    saveAnswers << target;

    downloads->webBrowserUnsupportedContent(new EndedAsWholeReply(headers, body));
    QVERIFY(waitForEnd());
    if (failure.isEmpty()) {
        QCOMPARE(queued.size(), 1);
        QCOMPARE(queued.first().content, body);
        QCOMPARE(answerer->answeredCount(), 0);
        return;
    }
    QVERIFY(answerer->waitForAnswered(1));
    QCOMPARE(answerer->seen().first().text, QStringLiteral("Download failed"));
    QCOMPARE(answerer->seen().first().informativeText, failure);
    QVERIFY(queued.isEmpty());
    QVERIFY(saveRequests.isEmpty());
    QVERIFY(!QFile::exists(target));
}

void tst_WebBrowserDownloads::compressedAnswersComeWhole_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<QByteArray>("content");

    // Qt unpacks the body and drops the length, which was the packed one's.
    const QByteArray nzb = largeNzb();
    QTest::newRow("NZB") << Response::ok(qCompress(nzb).mid(4), "application/x-nzb")
                                .withHeader("Content-Encoding", "deflate")
                                .withHeader("Content-Disposition", "attachment; filename=packed.nzb")
                         << nzb;
    const QByteArray archive = QByteArray(200000, 'a') + QByteArray(100, 'b');
    QTest::newRow("file to save") << Response::ok(qCompress(archive).mid(4), "application/zip")
                                         .withHeader("Content-Encoding", "deflate")
                                         .withHeader("Content-Disposition", "attachment; filename=a.zip")
                                  << archive;
}

void tst_WebBrowserDownloads::compressedAnswersComeWhole()
{
    QFETCH(Response, response);
    QFETCH(QByteArray, content);
    server->addRoute("GET", "/packed", response);
    const QString target = home->path() + QStringLiteral("/saved/a.zip");
    saveAnswers << target;

    catchFrom(QStringLiteral("/packed"));
    QVERIFY(waitForEnd());
    QCOMPARE(answerer->answeredCount(), 0);
    if (queued.isEmpty()) {
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), content);
        return;
    }
    QCOMPARE(queued.first().content, content);
}

// A packed answer that the cache keeps comes whole the second time too, from the cache.
void tst_WebBrowserDownloads::compressedAnswerComesWholeFromTheCache()
{
    const QByteArray archive = QByteArray(300000, 'c') + QByteArray(10, 'd');
    server->addRoute("GET", "/kept.zip", Response::ok(qCompress(archive).mid(4), "application/zip")
                                             .withHeader("Content-Encoding", "deflate")
                                             .withHeader("Cache-Control", "max-age=3600"));
    const QString target = home->path() + QStringLiteral("/saved/kept.zip");
    saveAnswers << target << target;
    QTemporaryDir cacheFolder(home->path() + QStringLiteral("/cache-XXXXXX"));
    auto *cache = new QNetworkDiskCache(manager.get());
    cache->setCacheDirectory(cacheFolder.path());
    manager->setCache(cache);

    for (int time = 1; time <= 2; ++time) {
        QFile::remove(target);
        downloads->webBrowserDownloadRequested(QNetworkRequest(server->url(QStringLiteral("/kept.zip"))));
        QVERIFY(waitForEnd(time));
        QCOMPARE(answerer->answeredCount(), 0);
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), archive);
    }
    QCOMPARE(server->requests().size(), 1);
}

void tst_WebBrowserDownloads::progressIsShownWhileDownloading()
{
    const QByteArray nzb = largeNzb();
    Response stalled = Response::ok(nzb, "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=s.nzb");
    stalled.stallAfterBodyBytes = nzb.size() / 2;
    server->addRoute("GET", "/stalled", stalled);
    catchFrom(QStringLiteral("/stalled"));
    QTRY_VERIFY_WITH_TIMEOUT(downloads->isDownloading(), 15000);
    QVERIFY(label->isVisible());
    QVERIFY(bar->isVisible());
    QCOMPARE(label->text(), QStringLiteral("Downloading... "));
    // The user leaves it: the window goes, the download with it, and nothing is left behind.
    downloads.reset();
    QVERIFY(queued.isEmpty());
}

void tst_WebBrowserDownloads::progressValues_data()
{
    QTest::addColumn<qint64>("received");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<int>("value");

    QTest::newRow("no size announced") << qint64(500) << qint64(-1) << 7;
    QTest::newRow("nothing announced") << qint64(0) << qint64(0) << 7;
    QTest::newRow("a third, truncated") << qint64(1) << qint64(3) << 33;
    QTest::newRow("all") << qint64(4096) << qint64(4096) << 100;
    QTest::newRow("beyond 32 bits") << (qint64(1) << 40) << (qint64(1) << 41) << 50;
}

void tst_WebBrowserDownloads::progressValues()
{
    QFETCH(qint64, received);
    QFETCH(qint64, total);
    QFETCH(int, value);
    bar->setValue(7);
    downloads->webBrowserDownloadProgress(received, total);
    QCOMPARE(bar->value(), value);
}

void tst_WebBrowserDownloads::unsizedDownloadLeavesTheBarAlone()
{
    const QByteArray nzb = largeNzb();
    Response unsized = Response::ok(nzb, "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=u.nzb");
    unsized.chunked = true;
    unsized.chunkSize = 2000;
    unsized.chunkPauseMs = 2;
    server->addRoute("GET", "/unsized", unsized);
    // Chunks of no announced size leave the bar alone; only the last report, whose total is
    // what arrived, fills it, just before it goes.
    QList<int> values;
    connect(bar, &QProgressBar::valueChanged, this, [&values](int v) { values.append(v); });
    catchFrom(QStringLiteral("/unsized"));
    QVERIFY(waitForEnd());
    for (int v : qAsConst(values))
        QVERIFY2(v == 0 || v == 100, qPrintable(QString::number(v)));
    QCOMPARE(queued.size(), 1);
    QCOMPARE(queued.first().content, nzb);
    QVERIFY(bar->isHidden());
    QCOMPARE(bar->value(), 0);
}

void tst_WebBrowserDownloads::caughtNzbStopsAtTheBound_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<bool>("named");

    const QByteArray start = "<?xml version=\"1.0\"?>\n<nzb>";
    const QByteArray pattern = "<!-- and more -->\n";
    Response endless = Response::generated(start, -1, pattern, "application/x-nzb")
                           .withHeader("Content-Disposition", "attachment; filename=endless.nzb");
    endless.noContentLength = false;
    endless.chunked = true;
    QTest::newRow("without end, chunked") << endless << true;
    Response untilClose = endless;
    untilClose.chunked = false;
    untilClose.noContentLength = true;
    QTest::newRow("without end, until the close") << untilClose << true;
    Response announced = Response::generated(start, NzbBound + 1 - start.size(), pattern, "application/x-nzb")
                             .withHeader("Content-Disposition", "attachment; filename=huge.nzb");
    QTest::newRow("length announced") << announced << true;
    Response nameless = Response::generated(start, -1, pattern, "application/x-nzb");
    nameless.noContentLength = false;
    nameless.chunked = true;
    QTest::newRow("without end and without a name") << nameless << false;
}

// A caught NZB goes to its temporary file a read buffer at a time, and past the largest size
// an NZB may have it is stopped and said so; a file without a name, which would be dropped
// at the end anyway, is dropped there without a word.
void tst_WebBrowserDownloads::caughtNzbStopsAtTheBound()
{
    QFETCH(Response, response);
    QFETCH(bool, named);
    server->addRoute("GET", "/huge", response);
    if (named)
        answerer->pressNext(QMessageBox::Ok);

    QVERIFY(ProcessMemory::resetPeak());
    const qint64 before = ProcessMemory::residentBytes();
    catchFrom(QStringLiteral("/huge"));
    QElapsedTimer clock;
    clock.start();
    while (ends->isEmpty() && clock.elapsed() < 60000)
        QTest::qWait(20);
    QCOMPARE(ends->count(), 1);
    const qint64 growth = ProcessMemory::peakBytes() - before;
    QVERIFY2(growth < 64 * MiB, qPrintable(QStringLiteral("peak grew by %1 MiB").arg(growth / MiB)));
    QVERIFY(queued.isEmpty());
    QVERIFY(saveRequests.isEmpty());
    QVERIFY(!downloads->isDownloading());
    QVERIFY(label->isHidden());
    if (!named) {
        QCOMPARE(answerer->answeredCount(), 0);
        return;
    }
    QVERIFY(answerer->waitForAnswered(1));
    QCOMPARE(answerer->seen().first().text, QStringLiteral("Download failed"));
    QCOMPARE(answerer->seen().first().informativeText,
             QStringLiteral("The file is larger than 256 MiB, more than an NZB file may hold."));
}

void tst_WebBrowserDownloads::largeFilesToSaveComeWhole_data()
{
    QTest::addColumn<bool>("caught");
    QTest::addColumn<qint64>("size");

    QTest::newRow("caught, larger than an NZB may be") << true << NzbBound + 3 * MiB;
    QTest::newRow("asked for by the page") << false << 64 * MiB;
}

// A file to save has no bound but the disk's, and still takes no more memory than a read
// buffer while it comes.
void tst_WebBrowserDownloads::largeFilesToSaveComeWhole()
{
    QFETCH(bool, caught);
    QFETCH(qint64, size);
    const QByteArray start = "BIG";
    const QByteArray pattern = "0123456789abcdef";
    server->addRoute("GET", "/big.iso", Response::generated(start, size - start.size(), pattern, "application/octet-stream")
                                            .withHeader("Content-Disposition", "attachment; filename=big.iso"));
    const QString target = home->path() + QStringLiteral("/big-saved.iso");
    QFile::remove(target);
    saveAnswers << target;

    QVERIFY(ProcessMemory::resetPeak());
    const qint64 before = ProcessMemory::residentBytes();
    if (caught)
        catchFrom(QStringLiteral("/big.iso"));
    else
        downloads->webBrowserDownloadRequested(QNetworkRequest(server->url(QStringLiteral("/big.iso"))));
    QElapsedTimer clock;
    clock.start();
    while (ends->isEmpty() && clock.elapsed() < 60000)
        QTest::qWait(20);
    QCOMPARE(ends->count(), 1);
    const qint64 growth = ProcessMemory::peakBytes() - before;
    QVERIFY2(growth < 64 * MiB, qPrintable(QStringLiteral("peak grew by %1 MiB").arg(growth / MiB)));
    QCOMPARE(answerer->answeredCount(), 0);
    QCOMPARE(saveRequests.size(), 1);
    QVERIFY(holdsMadeBody(target, start, pattern, size));
    QFile::remove(target);
}

void tst_WebBrowserDownloads::newerDownloadDropsTheRunningOne()
{
    const QByteArray nzb = fixtureNzb();
    Response stalled = Response::ok(nzb, "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=old.nzb");
    stalled.stallAfterBodyBytes = 100;
    server->addRoute("GET", "/old", stalled);
    server->addRoute("GET", "/new", Response::ok(nzb, "application/x-nzb")
                                        .withHeader("Content-Disposition", "attachment; filename=new.nzb"));

    catchFrom(QStringLiteral("/old"));
    QTRY_VERIFY_WITH_TIMEOUT(downloads->isDownloading(), 15000);
    tabs->createTab();
    catchFrom(QStringLiteral("/new"));
    QVERIFY(waitForEnd(2));
    QCOMPARE(queued.size(), 1);
    QCOMPARE(queued.first().name, QStringLiteral("new"));
    QCOMPARE(queued.first().content, nzb);
    QCOMPARE(answerer->answeredCount(), 0); // the dropped one says nothing
}

void tst_WebBrowserDownloads::downloadDuringTheFirstOnesDialog()
{
    const QByteArray first = fixtureNzb();
    const QByteArray second = largeNzb();
    server->addRoute("GET", "/first", Response::ok(first, "application/x-nzb")
                                          .withHeader("Content-Disposition", "attachment; filename=first.nzb"));
    server->addRoute("GET", "/second", Response::ok(second, "application/x-nzb")
                                           .withHeader("Content-Disposition", "attachment; filename=second.nzb"));

    // While the first NZB's question is open, the user catches a second one from the page.
    whileQueueing = [this](const QString &) {
        whileQueueing = nullptr;
        catchFrom(QStringLiteral("/second"));
        QEventLoop dialog;
        connect(downloads.get(), &WebBrowserDownloads::downloadEnded, &dialog, &QEventLoop::quit);
        QTimer::singleShot(20000, &dialog, &QEventLoop::quit);
        dialog.exec();
    };
    catchFrom(QStringLiteral("/first"));
    QVERIFY(waitForEnd(2));
    QCOMPARE(queued.size(), 2);
    QCOMPARE(queued.at(0).name, QStringLiteral("second"));
    QCOMPARE(queued.at(0).content, second);
    QCOMPARE(queued.at(1).name, QStringLiteral("first"));
    QCOMPARE(queued.at(1).content, first);
    QVERIFY(queued.at(0).path != queued.at(1).path);
    QVERIFY(!downloads->isDownloading());
    QVERIFY(bar->isHidden());
}

// A path that cannot take the file (a file where its folder should be, a named pipe) is said so
// with why, and the save dialog comes back. The test holds the pipe's reading end itself: a
// save that opened the pipe would then not wait (freezing the test), and its bytes would show.
void tst_WebBrowserDownloads::failedSaveIsReportedAndOfferedAgain_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::addColumn<QString>("why");
    QTest::newRow("a file where its folder should be") << false << "Not a directory";
    QTest::newRow("a named pipe") << true << "not a regular file";
}

void tst_WebBrowserDownloads::failedSaveIsReportedAndOfferedAgain()
{
    QFETCH(bool, pipe);
    QFETCH(QString, why);
    const QByteArray content(2048, 'k');
    server->addRoute("GET", "/keep", Response::ok(content, "application/octet-stream"));
    QString impossible;
    int reader = -1;
    if (pipe) {
        impossible = home->path() + QStringLiteral("/pipe.exe");
        QVERIFY(::mkfifo(QFile::encodeName(impossible).constData(), 0600) == 0);
        reader = ::open(QFile::encodeName(impossible).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        QVERIFY(reader >= 0);
    } else {
        QFile blocker(home->path() + QStringLiteral("/a-file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        impossible = blocker.fileName() + QStringLiteral("/tmp.exe");
    }
    const QString possible = home->path() + QStringLiteral("/kept/tmp.exe");
    saveAnswers << impossible << possible;
    answerer->pressNext(QMessageBox::Ok);

    catchFrom(QStringLiteral("/keep"));
    QVERIFY(waitForEnd());
    char buffer[16];
    const ssize_t throughPipe = reader >= 0 ? ::read(reader, buffer, sizeof buffer) : 0;
    if (reader >= 0)
        ::close(reader);
    QVERIFY2(throughPipe <= 0, "the file was written into the pipe");
    QCOMPARE(answerer->answeredCount(), 1);
    const QString said = answerer->seen().first().text;
    QVERIFY2(said.startsWith(QStringLiteral("The file could not be saved to %1: ").arg(impossible)) && said.contains(why),
             qPrintable(said));
    QCOMPARE(answerer->seen().first().icon, QMessageBox::Critical);
    QCOMPARE(saveRequests.size(), 2);
    QCOMPARE(saveRequests.at(1).suggestion, impossible);
    QFile saved(possible);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), content);
}

void tst_WebBrowserDownloads::requestedDownloadIsSaved_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("suggested");

    QTest::newRow("file name of the address") << QStringLiteral("/files/report.nzb") << QStringLiteral("report.nzb");
    QTest::newRow("address ending in a slash") << QStringLiteral("/files/") << QString();
    QTest::newRow("redirected to the file") << QStringLiteral("/moved/report.nzb") << QStringLiteral("report.nzb");
}

void tst_WebBrowserDownloads::requestedDownloadIsSaved()
{
    QFETCH(QString, path);
    QFETCH(QString, suggested);
    const QByteArray content = fixtureNzb();
    server->addRoute("GET", "/files/report.nzb", Response::ok(content, "application/x-nzb"));
    server->addRoute("GET", "/files/", Response::ok(content, "text/html"));
    server->addRoute("GET", "/moved/report.nzb", Response::redirect(302, "/files/report.nzb"));
    const QString target = home->path() + QStringLiteral("/requested.nzb");
    QFile::remove(target);
    saveAnswers << target;

    // The page's own "save link" action asks for the download.
    emit tabs->currentWebView()->page()->downloadRequested(QNetworkRequest(server->url(path)));
    QVERIFY(waitForEnd());
    QVERIFY(queued.isEmpty()); // never queued on this road, NZB or not
    QCOMPARE(saveRequests.size(), 1);
    QCOMPARE(saveRequests.first().suggestion, QDir::homePath() + QStringLiteral("/") + suggested);
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), content);
}

void tst_WebBrowserDownloads::requestedDownloadThatFailsIsReported()
{
    server->addRoute("GET", "/missing.nzb", Response::withStatus(404, "<html>not here</html>"));
    answerer->pressNext(QMessageBox::Ok);
    downloads->webBrowserDownloadRequested(QNetworkRequest(server->url(QStringLiteral("/missing.nzb"))));
    QVERIFY(waitForEnd());
    QCOMPARE(answerer->answeredCount(), 1);
    QCOMPARE(answerer->seen().first().text, QStringLiteral("Download failed"));
    QVERIFY(saveRequests.isEmpty());
}

void tst_WebBrowserDownloads::saveLinkActionOfThePage()
{
    const QByteArray content = fixtureNzb();
    server->addRoute("GET", "/links", Response::ok("<html><body><p><a id=\"nzb\" href=\"/files/linked.nzb\">"
                                                    "the NZB</a></p></body></html>"));
    server->addRoute("GET", "/files/linked.nzb", Response::ok(content, "application/x-nzb"));
    QSignalSpy loaded(tabs->currentWebView(), SIGNAL(loadFinished(bool)));
    catchFrom(QStringLiteral("/links"));
    QVERIFY(loaded.wait(15000));
    const QString target = home->path() + QStringLiteral("/linked.nzb");
    saveAnswers << target;

    // The page's "save link" action on the link under the pointer.
    QWebPage *page = tabs->currentWebView()->page();
    page->updatePositionDependentActions(page->mainFrame()->findFirstElement(QStringLiteral("#nzb")).geometry().center());
    page->triggerAction(QWebPage::DownloadLinkToDisk);
    QVERIFY(waitForEnd());
    QVERIFY(queued.isEmpty());
    QCOMPARE(saveRequests.size(), 1);
    QCOMPARE(saveRequests.first().suggestion, QDir::homePath() + QStringLiteral("/linked.nzb"));
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), content);
}

void tst_WebBrowserDownloads::saveDialogOfferedByDefault()
{
    WebBrowserDownloads::setSaveFileChooser(nullptr);
    const QByteArray content(1500, 'd');
    server->addRoute("GET", "/default", Response::ok(content, "application/zip")
                                            .withHeader("Content-Disposition", "attachment; filename=archive.zip"));
    const QString target = home->path() + QStringLiteral("/chosen.zip");
    QString caption;
    QString proposed;
    answerer->handleNext([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        if (!dialog) {
            w->close();
            return;
        }
        caption = dialog->windowTitle();
        proposed = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(target);
        static_cast<QDialog *>(dialog)->accept();
    });

    catchFrom(QStringLiteral("/default"));
    QVERIFY(waitForEnd());
    QCOMPARE(caption, QStringLiteral("Save file..."));
    QCOMPARE(proposed, QStringLiteral("archive.zip"));
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), content);
}

QTEST_MAIN(tst_WebBrowserDownloads)
#include "tst_WebBrowserDownloads.moc"
