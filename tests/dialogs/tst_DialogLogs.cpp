#include <QtTest>
class tst_DialogLogs : public QObject { Q_OBJECT };
QTEST_MAIN(tst_DialogLogs)
#include "tst_DialogLogs.moc"
