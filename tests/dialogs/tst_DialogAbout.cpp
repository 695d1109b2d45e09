#include "dialogs/DialogAbout.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"

#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class tst_DialogAbout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    void form()
    {
        DialogAbout dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("DialogAbout"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About Tessaquill+"));
        QCOMPARE(dialog.minimumSize(), QSize(607, 311));
        QCOMPARE(dialog.maximumSize(), QSize(607, 311));
        QCOMPARE(dialog.font().family(), QStringLiteral("Arial"));
        QCOMPARE(dialog.font().pointSize(), 12);

        auto *logo = dialog.findChild<QLabel *>(QStringLiteral("label"));
        QVERIFY(logo);
        QCOMPARE(logo->size(), QSize(221, 221));
        QVERIFY(!logo->pixmap(Qt::ReturnByValue).isNull());
        QVERIFY(logo->hasScaledContents());
        auto *frame = dialog.findChild<QFrame *>(QStringLiteral("frame"));
        QVERIFY(frame);
        QCOMPARE(frame->frameShape(), QFrame::StyledPanel);
        QCOMPARE(frame->frameShadow(), QFrame::Raised);

        auto *name = dialog.findChild<QLabel *>(QStringLiteral("labelTessaquillPlus"));
        QVERIFY(name && name->font().bold());
        QCOMPARE(name->text(), QStringLiteral("Tessaquill+"));
        for (const char *lineName : {"labelTessaquillPlus", "labelVersion", "labelCopyright",
                                     "labelContact"}) {
            auto *line = dialog.findChild<QLabel *>(QLatin1String(lineName));
            QVERIFY2(line && line->parentWidget() == frame, lineName);
        }
        QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("labelCopyright"))->wordWrap());
        QVERIFY(!dialog.findChild<QLabel *>(QStringLiteral("labelCopyright"))->text().isEmpty());
        auto *contact = dialog.findChild<QLabel *>(QStringLiteral("labelContact"));
        QVERIFY(contact->openExternalLinks());
        QVERIFY(!contact->text().isEmpty());
        auto *system = dialog.findChild<QLabel *>(QStringLiteral("labelSystemInfo"));
        QVERIFY(system && system->font().bold() && system->wordWrap());

        auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QVERIFY(buttons);
        QCOMPARE(buttons->standardButtons(), QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok));
        WidgetPicture::save(&dialog, QStringLiteral("DialogAbout"));
    }

    void versionAndSystemLines()
    {
        DialogAbout dialog;
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("labelVersion"))->text(),
                 QStringLiteral("Version 1.4.1"));
        // This machine: the Linux system's own name, the build's word size and byte order.
        const QString expected = QSysInfo::prettyProductName() + QStringLiteral(" - ")
            + QString::number(QSysInfo::WordSize) + QStringLiteral(" bits")
            + (QSysInfo::ByteOrder == QSysInfo::LittleEndian ? QStringLiteral(" (Little Endian)")
                                                              : QStringLiteral(" (Big Endian)"));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("labelSystemInfo"))->text(), expected);
        QVERIFY(!QSysInfo::prettyProductName().isEmpty());
        QVERIFY(!expected.contains(QLatin1String("Windows")));
    }

    void systemLine_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<int>("wordSize");
        QTest::addColumn<int>("byteOrder");
        QTest::addColumn<QString>("line");

        QTest::newRow("64-bit little-endian")
            << "Debian GNU/Linux 12 (bookworm)" << 64 << int(QSysInfo::LittleEndian)
            << "Debian GNU/Linux 12 (bookworm) - 64 bits (Little Endian)";
        QTest::newRow("32-bit little-endian")
            << "Debian GNU/Linux 12 (bookworm)" << 32 << int(QSysInfo::LittleEndian)
            << "Debian GNU/Linux 12 (bookworm) - 32 bits (Little Endian)";
        QTest::newRow("64-bit big-endian") << "Debian GNU/Linux 12 (bookworm)" << 64
                                           << int(QSysInfo::BigEndian)
                                           << "Debian GNU/Linux 12 (bookworm) - 64 bits (Big Endian)";
    }

    void systemLine()
    {
        QFETCH(QString, system);
        QFETCH(int, wordSize);
        QFETCH(int, byteOrder);
        QFETCH(QString, line);
        QCOMPARE(DialogAbout::systemLine(system, wordSize, QSysInfo::Endian(byteOrder)), line);
    }

    void okAndEscapeClose()
    {
        ModalAnswerer answerer;
        answerer.clickNext(QStringLiteral("OK"));
        answerer.handleNext([](QWidget *window) { QTest::keyClick(window, Qt::Key_Escape); });
        DialogAbout dialog;
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(answerer.seen().size(), 2);
        QCOMPARE(answerer.seen().at(0).className, QStringLiteral("DialogAbout"));
    }
};

QTEST_MAIN(tst_DialogAbout)
#include "tst_DialogAbout.moc"
