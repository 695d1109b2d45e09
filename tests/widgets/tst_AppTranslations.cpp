#include "ui_MainWindow.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "widgets/AppTranslations.h"
#include "widgets/SizeSpeedText.h"

#include "WidgetPicture.h"

#include <QtTest>

namespace {

QString mainWindowText(const char *source)
{
    return QCoreApplication::translate("MainWindow", source);
}

QString qtText(const char *source)
{
    return QCoreApplication::translate("QPlatformTheme", source);
}

} // namespace

class tst_AppTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    void everyShippedLanguageIsBesideTheExecutable()
    {
        const QDir folder(QCoreApplication::applicationDirPath());
        for (const QString &language : AppTranslations::shippedLanguages())
            QVERIFY2(folder.exists(QStringLiteral("tessaquill_%1.qm").arg(language)),
                     qPrintable(language));
    }

    void configuredLanguageTranslatesTheProgramAndQt_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("yes");
        QTest::newRow("French") << "fr" << "Paramètres" << "1.5 Mio" << "&Oui";
        QTest::newRow("German") << "de" << "Einstellungen" << "1.5 MiB" << "&Ja";
        QTest::newRow("Spanish") << "es" << "Configuración" << "1.5 MiB" << "&Sí";
    }

    void configuredLanguageTranslatesTheProgramAndQt()
    {
        QFETCH(QString, language);
        QFETCH(QString, settings);
        QFETCH(QString, size);
        QFETCH(QString, yes);
        AppTranslations translations;
        QCOMPARE(translations.install(language), language);
        QVERIFY(translations.isProgramLoaded());
        QVERIFY(translations.isFrameworkLoaded());
        QCOMPARE(mainWindowText("Settings"), settings);
        QCOMPARE(SizeSpeedText::formatSize(1536), size);
        QCOMPARE(qtText("&Yes"), yes);
        // Search-site names are keys as well as labels: they stay as they are.
        QCOMPARE(mainWindowText("BinSearch"), QStringLiteral("BinSearch"));
        QCOMPARE(mainWindowText("nzbking.com"), QStringLiteral("nzbking.com"));
    }

    void translationsLeaveWithTheirObject()
    {
        {
            AppTranslations translations;
            translations.install(QStringLiteral("fr"));
            QCOMPARE(mainWindowText("Exit"), QStringLiteral("Quitter"));
        }
        QCOMPARE(mainWindowText("Exit"), QStringLiteral("Exit"));
        QCOMPARE(qtText("&Yes"), QStringLiteral("&Yes"));
    }

    void missingLanguageFallsBackToEnglish()
    {
        AppTranslations translations;
        QCOMPARE(translations.install(QStringLiteral("xx")), QStringLiteral("en"));
        QVERIFY(translations.isProgramLoaded());
        QCOMPARE(mainWindowText("Settings"), QStringLiteral("Settings"));
        QCOMPARE(SizeSpeedText::formatSize(1536), QStringLiteral("1.5 MiB"));
    }

    void emptyLanguageIsTheSystemOne()
    {
        QCOMPARE(AppTranslations::systemLanguage(), QStringLiteral("de")); // LC_ALL of the test
        AppTranslations translations;
        QCOMPARE(translations.install(QString()), QStringLiteral("de"));
        QCOMPARE(mainWindowText("Exit"), QStringLiteral("Beenden"));
        QCOMPARE(qtText("&No"), QStringLiteral("&Nein"));
    }

    void programFolderWithoutFilesLeavesTextsUntranslated()
    {
        QTemporaryDir empty;
        AppTranslations translations;
        QCOMPARE(translations.install(QStringLiteral("fr"), empty.path()), QStringLiteral("en"));
        QVERIFY(!translations.isProgramLoaded());
        QCOMPARE(mainWindowText("Settings"), QStringLiteral("Settings"));
    }

    void formInFrench()
    {
        AppTranslations translations;
        translations.install(QStringLiteral("fr"));
        QMainWindow window;
        Ui::MainWindow ui;
        ui.setupUi(&window);
        QCOMPARE(ui.actionSettings->text(), QStringLiteral("Paramètres"));
        QCOMPARE(ui.tabWidget->tabText(0), QStringLiteral("Serveurs && Téléchargements"));
        QCOMPARE(ui.menu_File->title(), QStringLiteral("&Fichier"));
        QCOMPARE(ui.actionSettings->shortcut().toString(), QStringLiteral("Ctrl+N"));
        QCOMPARE(ui.comboBoxWebNzbSearch->itemText(0), QStringLiteral("BinSearch"));
        QCOMPARE(ui.lineEditManualLimitBandwidth->inputMask(), QStringLiteral("00000"));
        QVERIFY(ui.labelClickOnStartBtnToBegin->text().contains(QStringLiteral("Démarrer")));
        QVERIFY(!WidgetPicture::save(&window, QStringLiteral("MainWindow_fr")).isEmpty());
    }
};

QTEST_MAIN(tst_AppTranslations)
#include "tst_AppTranslations.moc"
