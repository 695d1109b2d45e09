#include <QtTest>
class tst_DialogDownloadNzb : public QObject { Q_OBJECT };
QTEST_MAIN(tst_DialogDownloadNzb)
#include "tst_DialogDownloadNzb.moc"
