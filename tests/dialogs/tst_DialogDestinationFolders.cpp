#include <QtTest>
class tst_DialogDestinationFolders : public QObject { Q_OBJECT };
QTEST_MAIN(tst_DialogDestinationFolders)
#include "tst_DialogDestinationFolders.moc"
