#include <QtTest>
class tst_DialogSettingsProxy : public QObject { Q_OBJECT };
QTEST_MAIN(tst_DialogSettingsProxy)
#include "tst_DialogSettingsProxy.moc"
