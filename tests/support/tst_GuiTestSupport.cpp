#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>
#include <QtTest>

class tst_GuiTestSupport : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxesAreAnsweredInOrder()
    {
        ModalAnswerer answerer;
        answerer.pressNext(QMessageBox::No);
        answerer.acceptNext();
        const int first = QMessageBox::question(nullptr, QStringLiteral("Tessaquill+"),
                                                QStringLiteral("Remove?"),
                                                QMessageBox::Yes | QMessageBox::No,
                                                QMessageBox::Yes);
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("Broken"),
                        QMessageBox::Ok);
        box.setInformativeText(QStringLiteral("details"));
        const int second = box.exec();
        QCOMPARE(first, int(QMessageBox::No));
        QCOMPARE(second, int(QMessageBox::Ok));
        QCOMPARE(answerer.answeredCount(), 2);
        QCOMPARE(answerer.pendingCount(), 0);
        QCOMPARE(answerer.seen().at(0).text, QStringLiteral("Remove?"));
        QCOMPARE(answerer.seen().at(0).defaultButton, QMessageBox::Yes);
        QCOMPARE(answerer.seen().at(1).title, QStringLiteral("Error"));
        QCOMPARE(answerer.seen().at(1).informativeText, QStringLiteral("details"));
        QCOMPARE(answerer.seen().at(1).icon, QMessageBox::Critical);
    }

    void dialogsAreClickedByButtonText()
    {
        ModalAnswerer answerer;
        answerer.clickNext(QStringLiteral("Cancel"));
        answerer.handleNext([](QWidget *window) { qobject_cast<QDialog *>(window)->done(7); });
        QDialog dialog;
        dialog.setObjectName(QStringLiteral("DialogUnderTest"));
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        (new QVBoxLayout(&dialog))->addWidget(buttons);
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(dialog.exec(), 7);
        QCOMPARE(answerer.seen().at(0).objectName, QStringLiteral("DialogUnderTest"));
    }

    void fileChooserTakesThePath()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("queue.nzb"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        ModalAnswerer answerer;
        answerer.chooseFileNext(path);
        const QString chosen = QFileDialog::getOpenFileName(nullptr, QStringLiteral("Open"),
                                                            dir.path(),
                                                            QStringLiteral("NZB (*.nzb)"));
        QCOMPARE(chosen, path);
        QCOMPARE(answerer.seen().at(0).className, QStringLiteral("QFileDialog"));
    }

    void homeAndSettingsStoreAreTemporary()
    {
        const QString realHome = QDir::homePath();
        QString settingsPath;
        {
            GuiTestHome home;
            QVERIFY(home.isValid());
            QVERIFY(home.path() != realHome);
            QSettings settings(QStringLiteral("Ostrel"), QStringLiteral("Tessaquill_Plus"));
            settings.setValue(QStringLiteral("checkedVersion"), 1);
            settings.sync();
            settingsPath = settings.fileName();
            QVERIFY2(settingsPath.startsWith(home.settingsFolder()), qPrintable(settingsPath));
            QVERIFY(QFile::exists(settingsPath));
            QCOMPARE(home.dataFolder(), home.path() + QStringLiteral("/Tessaquill_Plus"));
        }
        QCOMPARE(QDir::homePath(), realHome);
        QVERIFY(!QFile::exists(settingsPath));
    }

    void picturesLandInTheScreenshotFolder()
    {
        QLabel label(QStringLiteral("picture"));
        const QString path = WidgetPicture::save(&label, QStringLiteral("GuiTestSupport"));
        QCOMPARE(path, QDir(WidgetPicture::folder()).filePath(QStringLiteral("GuiTestSupport.png")));
        QVERIFY(!QImage(path).isNull());
    }
};

QTEST_MAIN(tst_GuiTestSupport)
#include "tst_GuiTestSupport.moc"
