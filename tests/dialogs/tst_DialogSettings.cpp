#include "dialogs/DialogSettings.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "widgets/AppTranslations.h"
#include "config/AppConfiguration.h"

#include "DialogTestSupport.h"
#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "TextContrast.h"
#include "WidgetPicture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBox>
#include <QtTest>

namespace {

const char *const foldersMustDiffer = "Cache, Download and Destination folders must be defined in different paths.";
const char *const cacheFolderNeeded = "Please enter the full path of the Cache folder.";
const char *const downloadFolderNeeded = "Please enter the full path of the Download folder.";
const char *const destinationFolderNeeded = "Please enter the full path of the Destination folder.";
const char *const patternRefused = "Please check your files filter removal pattern. It must match the following "
                                   "format: *.nzb;*.par2;*.001";
const char *const speedRefused = "The maximum speed limit is invald. It must be between 50 KiB/s and 99999 KiB/s";
const char *const timeoutRefused = "The socket timeout must be between 2 and 30 seconds";
const char *const restartForLanguage =
    "You will have to restart the application in order to apply the new selected language.";

QString withHome(QString text)
{
    return text.replace(QLatin1String("@HOME@"), QDir::homePath());
}

// Applies "objectName=value" as the user would: typed into a line edit, a box ticked ("1") or
// not, a radio button clicked, a combo box entry chosen by index.
bool applyEdit(QDialog &dialog, const QString &edit)
{
    const int equals = edit.indexOf(QLatin1Char('='));
    const QString name = edit.left(equals);
    const QString value = withHome(edit.mid(equals + 1));
    QWidget *widget = dialog.findChild<QWidget *>(name);
    if (auto *line = qobject_cast<QLineEdit *>(widget)) {
        line->setFocus();
        line->clear();
        // QTest types ASCII only; other text goes in as one insertion, through the mask too.
        bool ascii = true;
        for (const QChar c : value)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(line, value);
        else
            line->insert(value);
    } else if (auto *check = qobject_cast<QCheckBox *>(widget)) {
        check->setChecked(value == QLatin1String("1"));
    } else if (auto *radio = qobject_cast<QRadioButton *>(widget)) {
        radio->click();
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        combo->setCurrentIndex(value.toInt());
    } else {
        qWarning("no editable widget %s", qPrintable(name));
        return false;
    }
    return true;
}

QStringList seenTexts(const ModalAnswerer &answerer)
{
    QStringList texts;
    for (const ModalAnswerer::Seen &seen : answerer.seen())
        texts << seen.text;
    return texts;
}

template <typename T>
T *child(QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

} // namespace

class tst_DialogSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    void cleanup()
    {
        detachLogFile();
    }

    void formHasItsWidgets_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        const auto row = [](const char *name, const char *kind, const char *text, const char *toolTip = "") {
            QTest::newRow(name) << name << kind << text << toolTip;
        };
        row("toolBox", "QToolBox", "");
        row("groupBoxFolders", "QGroupBox", "Program folders");
        row("lineEditCacheFolder", "QLineEdit", "@HOME@/Tessaquill_Plus/Cache");
        row("PushButtonCacheFolder", "QPushButton", "...", "Select cache folder");
        row("lineEditDownloadFolder", "QLineEdit", "@HOME@/Tessaquill_Plus/Download");
        row("PushButtonDownloadFolder", "QPushButton", "...", "Select download folder");
        row("lineEditDestinationFolder", "QLineEdit", "@HOME@/Tessaquill_Plus/Destination");
        row("PushButtonDestinationFolder", "QPushButton", "...", "Select destination folder");
        row("pushButtonRestoreDefaultFolders", "QPushButton", "Restore default folders",
            "Restore default Cache, Download and Destination folders");
        row("pushButtonDestinations", "QPushButton", "Configure Destination folders",
            "Open the Destination folders configuration");
        row("checkBoxAutoCreateSubFolderInDest", "QCheckBox", "Create a sub-folder for each download in Destination");
        row("checkBoxAutoUnrar", "QCheckBox", "Automatic Unrar", "Automatic Unrar at the end of the download");
        row("checkBoxAutoUnsplit", "QCheckBox", "Automatic Unsplit", "Automatic Unsplit at the end of the download");
        row("checkBoxAutoSaveHistoNzb", "QCheckBox", "Enable NZB download history", "Enable NZB download history");
        row("checkBoxAutoDownload", "QCheckBox", "Auto download NZB when added to Tessaquill+",
            "Automatically add NZB in the Download list");
        row("checkBoxSmartDownload", "QCheckBox", "Enable \"Smart Download\" (PAR2 files are downloaded if needed)",
            "Enable Tessaquill+ \"Smart Download\"");
        row("checkBoxAlwaysKeepPar2Files", "QCheckBox", "Always keep PAR2 files",
            "Always keep PAR2 files at the end of the download");
        row("lineEditFilesExtToRemove", "QLineEdit", "");
        row("radioButtonAutoDetectBandwidth", "QRadioButton",
            "Automatic detection of the maximum speed for the bandwidth limit");
        row("radioButtonManualBandwidth", "QRadioButton", "Manually set the limit");
        row("lineEditMaximumSpeed", "QLineEdit", "");
        row("lineEditSocketTimeout", "QLineEdit", "30");
        row("comboBoxLogMode", "QComboBox", "");
        row("labelInfoLog", "QLabel", "Logs are enabled with INFOS, WARNINGS and ERRORS");
        row("labelLogDelete", "QLabel", "Delete log files:");
        row("comboBoxDeleteLogs", "QComboBox", "");
        row("radioButtonNoProxy", "QRadioButton", "No proxy");
        row("radioButtonProxyEnabled", "QRadioButton", "Proxy enabled");
        row("labelInfoSearchProxies", "QLabel", "Please wait while detecting proxies...");
        row("tableWidgetListProxies", "QTableWidget", "");
        row("pushButtonRefreshProxies", "QPushButton", "", "Refresh list of proxies");
        row("textEditProxyInfo", "QTextEdit", "");
        row("labelProxyLogin", "QLabel", "Login:");
        row("lineEditProxyLogin", "QLineEdit", "");
        row("labelProxyPassword", "QLabel", "Password:");
        row("lineEditProxyPassword", "QLineEdit", "");
        row("PushButtonExportServers", "QPushButton", "Export Servers");
        row("PushButtonImportServers", "QPushButton", "Import Servers");
        row("comboBoxSelectLanguage", "QComboBox", "");
        row("buttonBox", "QDialogButtonBox", "");
    }

    void formHasItsWidgets()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        GuiTestHome home;
        resetConfiguration();
        DialogSettings dialog;
        QWidget *widget = dialog.findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
        QCOMPARE(widget->toolTip(), toolTip);
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(button->text(), text);
        else if (auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->text(), text);
        else if (auto *line = qobject_cast<QLineEdit *>(widget))
            QCOMPARE(line->text(), withHome(text));
    }

    void formLayout()
    {
        GuiTestHome home;
        resetConfiguration();
        DialogSettings dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(dialog.minimumSize(), QSize(663, 615));
        QCOMPARE(dialog.maximumSize(), QSize(663, 615));
        QCOMPARE(dialog.font().family(), QStringLiteral("Arial"));

        auto *toolBox = child<QToolBox>(dialog, "toolBox");
        const QStringList pages = {"pageGeneralSettings", "pageDownload", "pageLogs",
                                   "pageProxy", "pageImportExport", "pageLanguage"};
        const QStringList titles = {"General settings", "Download", "Logs",
                                    "Proxy configuration", "Import / Export", "Language"};
        QCOMPARE(toolBox->count(), pages.size());
        for (int i = 0; i < pages.size(); ++i) {
            QCOMPARE(toolBox->widget(i)->objectName(), pages.at(i));
            QCOMPARE(toolBox->itemText(i), titles.at(i));
            QVERIFY(!toolBox->itemIcon(i).isNull());
        }

        const auto entries = [](QComboBox *combo) {
            QStringList texts;
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
            return texts;
        };
        QCOMPARE(entries(child<QComboBox>(dialog, "comboBoxLogMode")),
                 QStringList({"Log disabled", "Log with INFO level", "Log with WARNING level", "Log with ERROR level"}));
        QCOMPARE(entries(child<QComboBox>(dialog, "comboBoxDeleteLogs")),
                 QStringList({"Never", "Every week", "Every month"}));
        QCOMPARE(entries(child<QComboBox>(dialog, "comboBoxSelectLanguage")),
                 QStringList({"French", "English", "German", "Spanish"}));
        // Every language offered has its translation shipped, in the order of the entries.
        QCOMPARE(AppTranslations::shippedLanguages(), QStringList({"fr", "en", "de", "es"}));

        QCOMPARE(child<QLineEdit>(dialog, "lineEditMaximumSpeed")->inputMask(), QStringLiteral("00000"));
        QCOMPARE(child<QLineEdit>(dialog, "lineEditSocketTimeout")->inputMask(), QStringLiteral("00"));
        QCOMPARE(child<QLineEdit>(dialog, "lineEditProxyPassword")->echoMode(), QLineEdit::PasswordEchoOnEdit);
        QVERIFY(child<QLabel>(dialog, "labelInfoSearchProxies")->isHidden());
        for (const char *name : {"tableWidgetListProxies", "pushButtonRefreshProxies", "textEditProxyInfo",
                                 "lineEditProxyLogin", "lineEditProxyPassword"})
            QVERIFY2(!dialog.findChild<QWidget *>(QLatin1String(name))->isEnabled(), name);
        QVERIFY(child<QRadioButton>(dialog, "radioButtonNoProxy")->isChecked());
        QCOMPARE(child<QTableWidget>(dialog, "tableWidgetListProxies")->horizontalHeaderItem(0)->text(),
                 QStringLiteral("Host name"));
    }

    void openingShowsTheStoredValues()
    {
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration *config = AppConfiguration::getInstance();
        config->cacheFolder = QStringLiteral("/srv/cache");
        config->downloadFolder = QStringLiteral("/srv/download");
        config->destinationFolder = QStringLiteral("/srv/done");
        config->autoDeleteFilesExtension = QStringLiteral("*.nfo;*.sfv");
        config->autoUnrar = false;
        config->autoKeepPar2Files = true;
        config->socketTimeout = 12;

        DialogSettings dialog;
        QCOMPARE(child<QLineEdit>(dialog, "lineEditCacheFolder")->text(), QStringLiteral("/srv/cache"));
        QCOMPARE(child<QLineEdit>(dialog, "lineEditDownloadFolder")->text(), QStringLiteral("/srv/download"));
        QCOMPARE(child<QLineEdit>(dialog, "lineEditDestinationFolder")->text(), QStringLiteral("/srv/done"));
        QCOMPARE(child<QLineEdit>(dialog, "lineEditFilesExtToRemove")->text(), QStringLiteral("*.nfo;*.sfv"));
        QVERIFY(!child<QCheckBox>(dialog, "checkBoxAutoUnrar")->isChecked());
        QVERIFY(child<QCheckBox>(dialog, "checkBoxAutoUnsplit")->isChecked());
        QVERIFY(child<QCheckBox>(dialog, "checkBoxAlwaysKeepPar2Files")->isChecked());
        QVERIFY(child<QCheckBox>(dialog, "checkBoxSmartDownload")->isChecked());
        QVERIFY(!child<QCheckBox>(dialog, "checkBoxAutoDownload")->isChecked());
        QCOMPARE(child<QLineEdit>(dialog, "lineEditSocketTimeout")->text(), QStringLiteral("12"));
        // Automatic bandwidth: the speed field is disabled, gray and empty for a limit of 0.
        QVERIFY(child<QRadioButton>(dialog, "radioButtonAutoDetectBandwidth")->isChecked());
        auto *speed = child<QLineEdit>(dialog, "lineEditMaximumSpeed");
        QVERIFY(!speed->isEnabled());
        QVERIFY(speed->styleSheet().contains(QLatin1String("background: dimgray")));
        QVERIFY(speed->text().isEmpty());
        QCOMPARE(child<QToolBox>(dialog, "toolBox")->currentIndex(), 0);

        const QStringList pageNames = {"", "_download", "_logs", "_proxy", "_import_export", "_language"};
        for (int page = 0; page < pageNames.size(); ++page) {
            if (page == 3)
                continue; // the proxy page's picture is taken with a proxy listed
            child<QToolBox>(dialog, "toolBox")->setCurrentIndex(page);
            WidgetPicture::save(&dialog, QLatin1String("DialogSettings") + pageNames.at(page));
        }
        dialog.reject();

        // A manual limit opens usable with its value; the next opening starts on page 0 again.
        config->autoDetectBandwidthLimit = false;
        config->autoSpeedLimit = 750;
        DialogSettings again;
        QVERIFY(child<QRadioButton>(again, "radioButtonManualBandwidth")->isChecked());
        QVERIFY(child<QLineEdit>(again, "lineEditMaximumSpeed")->isEnabled());
        QVERIFY(child<QLineEdit>(again, "lineEditMaximumSpeed")->styleSheet().contains(QLatin1String("background: white")));
        QCOMPARE(child<QLineEdit>(again, "lineEditMaximumSpeed")->text(), QStringLiteral("750"));
        QCOMPARE(child<QToolBox>(again, "toolBox")->currentIndex(), 0);
    }

    // Switched to automatic detection, the limit field keeps its value, gray and disabled: the
    // value must still stand out from the gray.
    void disabledLimitFieldIsReadable()
    {
        AppConfiguration *config = AppConfiguration::getInstance();
        config->autoDetectBandwidthLimit = false;
        config->autoSpeedLimit = 750;
        DialogSettings dialog;
        child<QToolBox>(dialog, "toolBox")->setCurrentIndex(1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        child<QRadioButton>(dialog, "radioButtonAutoDetectBandwidth")->setChecked(true);
        auto *speed = child<QLineEdit>(dialog, "lineEditMaximumSpeed");
        QVERIFY(!speed->isEnabled());
        QCOMPARE(speed->text(), QStringLiteral("750"));
        const double contrast = TextContrast::ofWidget(speed);
        QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
        WidgetPicture::save(&dialog, QStringLiteral("DialogSettings_download_automatic_limit"));
        dialog.reject();
    }

    void logAndLanguageEntriesFollowTheStoredValues_data()
    {
        QTest::addColumn<int>("logLevel");
        QTest::addColumn<int>("autoDelete");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("logEntry");
        QTest::addColumn<QString>("explanation");
        QTest::addColumn<int>("deleteEntry");
        QTest::addColumn<int>("languageEntry");
        const QString off = QStringLiteral("Logs are disabled");
        QTest::newRow("trace is shown off") << 0 << 2 << "en" << 0 << off << 2 << 1;
        QTest::newRow("debug is shown off") << 1 << 1 << "en" << 0 << off << 1 << 1;
        QTest::newRow("fatal is shown off") << 5 << 2 << "en" << 0 << off << 2 << 1;
        QTest::newRow("off") << 6 << 0 << "en" << 0 << off << 0 << 1;
        QTest::newRow("info") << 2 << 2 << "en" << 1 << "Logs are enabled with INFOS, WARNINGS and ERRORS" << 2 << 1;
        QTest::newRow("warnings") << 3 << 2 << "en" << 2 << "Logs are enabled with WARNINGS and ERRORS" << 2 << 1;
        QTest::newRow("errors") << 4 << 2 << "en" << 3 << "Logs are enabled with ERRORS" << 2 << 1;
        QTest::newRow("unknown deletion shows never") << 2 << 3 << "en" << 1
                                                      << "Logs are enabled with INFOS, WARNINGS and ERRORS" << 0 << 1;
        QTest::newRow("French in capitals") << 2 << 2 << "FR" << 1 << "Logs are enabled with INFOS, WARNINGS and ERRORS"
                                            << 2 << 0;
        QTest::newRow("German") << 2 << 2 << "de" << 1 << "Logs are enabled with INFOS, WARNINGS and ERRORS" << 2 << 2;
        QTest::newRow("Spanish") << 2 << 2 << "es" << 1 << "Logs are enabled with INFOS, WARNINGS and ERRORS" << 2 << 3;
        QTest::newRow("unknown language shows English")
            << 2 << 2 << "it" << 1 << "Logs are enabled with INFOS, WARNINGS and ERRORS" << 2 << 1;
        QTest::newRow("empty language shows English")
            << 2 << 2 << "" << 1 << "Logs are enabled with INFOS, WARNINGS and ERRORS" << 2 << 1;
    }

    void logAndLanguageEntriesFollowTheStoredValues()
    {
        QFETCH(int, logLevel);
        QFETCH(int, autoDelete);
        QFETCH(QString, language);
        QFETCH(int, logEntry);
        QFETCH(QString, explanation);
        QFETCH(int, deleteEntry);
        QFETCH(int, languageEntry);
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration *config = AppConfiguration::getInstance();
        config->logLevel = logLevel;
        config->logAutoDelete = autoDelete;
        config->languageName = language;

        DialogSettings dialog;
        QCOMPARE(child<QComboBox>(dialog, "comboBoxLogMode")->currentIndex(), logEntry);
        QCOMPARE(child<QLabel>(dialog, "labelInfoLog")->text(), explanation);
        QCOMPARE(child<QComboBox>(dialog, "comboBoxDeleteLogs")->isEnabled(), logEntry > 0);
        QCOMPARE(child<QLabel>(dialog, "labelLogDelete")->isEnabled(), logEntry > 0);
        QCOMPARE(child<QComboBox>(dialog, "comboBoxDeleteLogs")->currentIndex(), deleteEntry);
        QCOMPARE(child<QComboBox>(dialog, "comboBoxSelectLanguage")->currentIndex(), languageEntry);
    }

    void editsAreWrittenToTheConfigurationFile_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        QTest::newRow("cache folder") << QStringList{"lineEditCacheFolder=@HOME@/elsewhere/cache"} << "Folders"
                                      << "Cache" << "@HOME@/elsewhere/cache" << none;
        QTest::newRow("download folder as typed") << QStringList{"lineEditDownloadFolder=@HOME@/x/dl/"} << "Folders"
                                                  << "Download" << "@HOME@/x/dl/" << none;
        QTest::newRow("destination folder") << QStringList{"lineEditDestinationFolder=/srv/done"} << "Folders"
                                            << "Destination" << "/srv/done" << none;
        QTest::newRow("folders differing in case are two")
            << QStringList{"lineEditCacheFolder=@HOME@/Store", "lineEditDownloadFolder=@HOME@/store"} << "Folders"
            << "Download" << "@HOME@/store" << none;
        QTest::newRow("unrar off") << QStringList{"checkBoxAutoUnrar=0"} << "Auto" << "AutoUnrar" << "0" << none;
        QTest::newRow("unsplit off") << QStringList{"checkBoxAutoUnsplit=0"} << "Auto" << "AutoUnsplit" << "0" << none;
        QTest::newRow("history on") << QStringList{"checkBoxAutoSaveHistoNzb=1"} << "Auto" << "AutoSaveHistoNzb" << "1"
                                    << none;
        QTest::newRow("auto download on") << QStringList{"checkBoxAutoDownload=1"} << "Auto" << "AutoDownloadNzb"
                                          << "1" << none;
        QTest::newRow("smart download off") << QStringList{"checkBoxSmartDownload=0"} << "Auto" << "AutoSmartDownload"
                                            << "0" << none;
        QTest::newRow("keep par2 on") << QStringList{"checkBoxAlwaysKeepPar2Files=1"} << "Auto" << "AutoKeepPar2Files"
                                      << "1" << none;
        QTest::newRow("no sub-folder") << QStringList{"checkBoxAutoCreateSubFolderInDest=0"} << "Auto"
                                       << "AutoCreateSubFolderInDestination" << "0" << none;
        QTest::newRow("pattern cleaned") << QStringList{"lineEditFilesExtToRemove= *.nzb ; *.par2;"} << "Auto"
                                         << "AutoDeleteFilesExtension" << "*.nzb;*.par2" << none;
        QTest::newRow("pattern loses one final ;") << QStringList{"lineEditFilesExtToRemove=*.nzb;;"} << "Auto"
                                                   << "AutoDeleteFilesExtension" << "*.nzb;" << none;
        QTest::newRow("pattern without separator") << QStringList{"lineEditFilesExtToRemove=*.nzb*.par2"} << "Auto"
                                                   << "AutoDeleteFilesExtension" << "*.nzb*.par2" << none;
        QTest::newRow("pattern in capitals") << QStringList{"lineEditFilesExtToRemove=*.NZB"} << "Auto"
                                             << "AutoDeleteFilesExtension" << "*.NZB" << none;
        QTest::newRow("pattern of another script") << QStringList{"lineEditFilesExtToRemove=*.фото;*.001"} << "Auto"
                                                   << "AutoDeleteFilesExtension" << "*.фото;*.001" << none;
        QTest::newRow("pattern emptied") << QStringList{"lineEditFilesExtToRemove="} << "Auto"
                                         << "AutoDeleteFilesExtension" << "" << none;
        QTest::newRow("least manual limit") << QStringList{"lineEditMaximumSpeed=50"} << "Auto" << "AutoSpeedLimit"
                                            << "50" << none;
        QTest::newRow("highest manual limit") << QStringList{"lineEditMaximumSpeed=99999"} << "Auto"
                                              << "AutoSpeedLimit" << "99999" << none;
        QTest::newRow("manual is not automatic") << QStringList{"lineEditMaximumSpeed=800"} << "Auto"
                                                 << "AutoDetectBandwidthLimit" << "0" << none;
        QTest::newRow("automatic stores no limit") << QStringList{"radioButtonAutoDetectBandwidth=1"} << "Auto"
                                                   << "AutoSpeedLimit" << "0" << none;
        QTest::newRow("automatic") << QStringList{"radioButtonAutoDetectBandwidth=1"} << "Auto"
                                   << "AutoDetectBandwidthLimit" << "1" << none;
        QTest::newRow("least timeout") << QStringList{"lineEditSocketTimeout=2"} << "Auto" << "SocketTimeout" << "2"
                                       << none;
        QTest::newRow("highest timeout") << QStringList{"lineEditSocketTimeout=30"} << "Auto" << "SocketTimeout"
                                         << "30" << none;
        QTest::newRow("logs off") << QStringList{"comboBoxLogMode=0"} << "Logs" << "Log_Level" << "6" << none;
        QTest::newRow("logs of warnings") << QStringList{"comboBoxLogMode=2"} << "Logs" << "Log_Level" << "3" << none;
        QTest::newRow("logs of errors") << QStringList{"comboBoxLogMode=3"} << "Logs" << "Log_Level" << "4" << none;
        QTest::newRow("weekly log deletion") << QStringList{"comboBoxDeleteLogs=1"} << "Logs" << "AutoDelete" << "1"
                                             << none;
        QTest::newRow("no log deletion") << QStringList{"comboBoxDeleteLogs=0"} << "Logs" << "AutoDelete" << "0"
                                         << none;
        QTest::newRow("German") << QStringList{"comboBoxSelectLanguage=2"} << "Language" << "Name" << "de"
                                << QStringList{restartForLanguage};
        QTest::newRow("language unchanged") << QStringList{"comboBoxSelectLanguage=1"} << "Language" << "Name" << "en"
                                            << none;
    }

    void editsAreWrittenToTheConfigurationFile()
    {
        QFETCH(QStringList, edits);
        QFETCH(QString, group);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QStringList, messages);
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration *config = AppConfiguration::getInstance();
        config->autoDeleteFilesExtension = QStringLiteral("*.nfo");
        config->autoDetectBandwidthLimit = false;
        config->autoSpeedLimit = 500;
        config->socketTimeout = 10;

        ModalAnswerer answerer;
        for (int i = 0; i < messages.size(); ++i)
            answerer.acceptNext();
        DialogSettings dialog;
        dialog.show();
        for (const QString &edit : qAsConst(edits))
            QVERIFY(applyEdit(dialog, edit));
        clickButtonBox(&dialog, QDialogButtonBox::Ok);

        QCOMPARE(seenTexts(answerer), messages);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(storedValue(group, key), withHome(stored));
    }

    void refusalsKeepTheDialogOpen_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("textsAfter");
        const QStringList none;
        QTest::newRow("empty cache folder") << QStringList{"lineEditCacheFolder="} << cacheFolderNeeded << 0
                                            << "lineEditCacheFolder" << none;
        QTest::newRow("blank download folder") << QStringList{"lineEditDownloadFolder=   "} << downloadFolderNeeded
                                               << 0 << "lineEditDownloadFolder" << none;
        QTest::newRow("relative destination folder") << QStringList{"lineEditDestinationFolder=Downloads/done"}
                                                     << destinationFolderNeeded << 0 << "lineEditDestinationFolder"
                                                     << none;
        QTest::newRow("two empty folders") << QStringList{"lineEditDownloadFolder=", "lineEditDestinationFolder="}
                                           << downloadFolderNeeded << 0 << "lineEditDownloadFolder" << none;
        QTest::newRow("equal texts") << QStringList{"lineEditDownloadFolder=/srv/x", "lineEditCacheFolder=/srv/x"}
                                     << foldersMustDiffer << 0 << "lineEditCacheFolder" << none;
        QTest::newRow("a trailing separator")
            << QStringList{"lineEditDownloadFolder=@HOME@/Tessaquill_Plus/Cache/"} << foldersMustDiffer << 0
            << "lineEditCacheFolder" << none;
        QTest::newRow("download and destination through ./")
            << QStringList{"lineEditDestinationFolder=@HOME@/Tessaquill_Plus/./Download"} << foldersMustDiffer << 0
            << "lineEditCacheFolder" << none;
        QTest::newRow("destination through ..")
            << QStringList{"lineEditDestinationFolder=@HOME@/Tessaquill_Plus/Cache/../Download//"}
            << foldersMustDiffer << 0 << "lineEditCacheFolder" << none;
        QTest::newRow("destination is a link to the download folder")
            << QStringList{"lineEditDownloadFolder=@HOME@/real", "lineEditDestinationFolder=@HOME@/link"}
            << foldersMustDiffer << 0 << "lineEditCacheFolder" << none;
        QTest::newRow("download folder is a file")
            << QStringList{"lineEditDownloadFolder=@HOME@/notes.txt"}
            << "The Download folder cannot be used: @HOME@/notes.txt is a file, not a folder." << 0
            << "lineEditDownloadFolder" << none;
        QTest::newRow("destination folder under a file")
            << QStringList{"lineEditDestinationFolder=@HOME@/notes.txt/done"}
            << "The Destination folder cannot be used: @HOME@/notes.txt is a file: no folder can be made in it." << 0
            << "lineEditDestinationFolder" << none;
        QTest::newRow("cache folder of a name too long")
            << QStringList{"lineEditCacheFolder=@HOME@/" + QString(256, QLatin1Char('c'))}
            << "The Cache folder cannot be used: the name " + QString(40, QLatin1Char('c'))
                   + "... is longer than the system allows." << 0 << "lineEditCacheFolder" << none;
        QTest::newRow("pattern of two extensions") << QStringList{"lineEditFilesExtToRemove=*.tar.gz"}
                                                   << patternRefused << 1 << "lineEditFilesExtToRemove" << none;
        QTest::newRow("pattern without star") << QStringList{"lineEditFilesExtToRemove=nzb"} << patternRefused << 1
                                              << "lineEditFilesExtToRemove" << none;
        QTest::newRow("pattern starting with ;") << QStringList{"lineEditFilesExtToRemove=;*.nzb"} << patternRefused
                                                 << 1 << "lineEditFilesExtToRemove" << none;
        QTest::newRow("pattern with ;; inside") << QStringList{"lineEditFilesExtToRemove=*.nzb;;*.par2"}
                                                << patternRefused << 1 << "lineEditFilesExtToRemove" << none;
        QTest::newRow("speed below the least")
            << QStringList{"radioButtonManualBandwidth=1", "lineEditMaximumSpeed=49"} << speedRefused << 1
            << "lineEditMaximumSpeed" << none;
        QTest::newRow("speed left empty") << QStringList{"radioButtonManualBandwidth=1", "lineEditMaximumSpeed="}
                                          << speedRefused << 1 << "lineEditMaximumSpeed" << none;
        QTest::newRow("timeout of 1") << QStringList{"lineEditSocketTimeout=1"} << timeoutRefused << 1
                                      << "lineEditSocketTimeout" << none;
        QTest::newRow("timeout of 31") << QStringList{"lineEditSocketTimeout=31"} << timeoutRefused << 1
                                       << "lineEditSocketTimeout" << none;
        QTest::newRow("timeout left empty") << QStringList{"lineEditSocketTimeout="} << timeoutRefused << 1
                                            << "lineEditSocketTimeout" << none;
        QTest::newRow("failing timeout keeps the cleaned pattern")
            << QStringList{"lineEditFilesExtToRemove= *.nzb ;", "lineEditSocketTimeout=1"} << timeoutRefused << 1
            << "lineEditSocketTimeout" << QStringList{"lineEditFilesExtToRemove=*.nzb"};
    }

    void refusalsKeepTheDialogOpen()
    {
        QFETCH(QStringList, edits);
        QFETCH(QString, message);
        QFETCH(int, page);
        QFETCH(QString, field);
        QFETCH(QStringList, textsAfter);
        GuiTestHome home;
        resetConfiguration();
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("real")));
        QVERIFY(QFile::link(home.path() + QLatin1String("/real"), home.path() + QLatin1String("/link")));
        QVERIFY(writeSmallFile(home.path() + QLatin1String("/notes.txt"), "not a folder"));

        ModalAnswerer answerer;
        answerer.pressNext(QMessageBox::Ok);
        DialogSettings dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (const QString &edit : qAsConst(edits))
            QVERIFY(applyEdit(dialog, edit));
        clickButtonBox(&dialog, QDialogButtonBox::Ok);

        QCOMPARE(seenTexts(answerer), QStringList{withHome(message)});
        QCOMPARE(answerer.seen().first().title, QStringLiteral("Tessaquill+"));
        QCOMPARE(answerer.seen().first().icon, QMessageBox::Critical);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.result() != QDialog::Accepted);
        QVERIFY(!QFile::exists(AppConfiguration::getConfigurationFile()));
        QCOMPARE(child<QToolBox>(dialog, "toolBox")->currentIndex(), page);
        auto *faulty = dialog.findChild<QLineEdit *>(field);
        QCOMPARE(dialog.focusWidget(), faulty);
        if (!faulty->text().isEmpty()) {
            QVERIFY(faulty->hasSelectedText());
            QCOMPARE(faulty->selectionStart(), 0);
            QCOMPARE(faulty->selectedText().trimmed(), faulty->text().trimmed());
        }
        for (const QString &expected : qAsConst(textsAfter)) {
            const int equals = expected.indexOf(QLatin1Char('='));
            QCOMPARE(dialog.findChild<QLineEdit *>(expected.left(equals))->text(), expected.mid(equals + 1));
        }
        // Nothing reached the configuration either.
        QCOMPARE(AppConfiguration::getInstance()->cacheFolder, AppConfiguration::defaultCacheFolder());
        QCOMPARE(AppConfiguration::getInstance()->socketTimeout, 30U);
    }

    void storedValuesWithoutAnEntryAreStoredAsShown()
    {
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration *config = AppConfiguration::getInstance();
        config->logLevel = 1;
        config->logAutoDelete = 3;
        DialogSettings dialog;
        dialog.show();
        clickButtonBox(&dialog, QDialogButtonBox::Ok);
        QCOMPARE(storedValue("Logs", "Log_Level"), QStringLiteral("6"));
        QCOMPARE(storedValue("Logs", "AutoDelete"), QStringLiteral("0"));
    }

    void languageIsStoredAsTheCodeOfItsEntry_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("restartAsked");
        QTest::newRow("French in capitals") << "FR" << "fr" << true;
        QTest::newRow("unknown code") << "it" << "en" << true;
        QTest::newRow("English") << "en" << "en" << false;
        QTest::newRow("Spanish") << "es" << "es" << false;
    }

    void languageIsStoredAsTheCodeOfItsEntry()
    {
        QFETCH(QString, language);
        QFETCH(QString, stored);
        QFETCH(bool, restartAsked);
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration::getInstance()->languageName = language;
        ModalAnswerer answerer;
        if (restartAsked)
            answerer.pressNext(QMessageBox::Ok);
        DialogSettings dialog;
        dialog.show();
        clickButtonBox(&dialog, QDialogButtonBox::Ok);
        QCOMPARE(seenTexts(answerer), restartAsked ? QStringList{restartForLanguage} : QStringList());
        if (restartAsked)
            QCOMPARE(answerer.seen().first().icon, QMessageBox::Information);
        QCOMPARE(AppConfiguration::getInstance()->languageName, stored);
        QCOMPARE(storedValue("Language", "Name"), stored);
    }

    void logLevelIsAppliedAtOnce()
    {
        GuiTestHome home;
        resetConfiguration();
        QVERIFY(AppConfiguration::makeDataSubFolder(AppConfiguration::getLogsFolder()));
        QsLogging::Logger *logger = QsLogging::Logger::getInstance();
        const int destinations = logger->destinationCount();
        {
            DialogSettings dialog;
            dialog.show();
            child<QComboBox>(dialog, "comboBoxLogMode")->setCurrentIndex(3);
            clickButtonBox(&dialog, QDialogButtonBox::Ok);
        }
        QCOMPARE(logger->level(), 4);
        QCOMPARE(logger->destinationCount(), destinations + 1);
        QVERIFY(QFile::exists(AppConfiguration::getLogsFolder() + QLatin1String("/dialog-test.log")));

        DialogSettings off;
        off.show();
        child<QComboBox>(off, "comboBoxLogMode")->setCurrentIndex(0);
        clickButtonBox(&off, QDialogButtonBox::Ok);
        QCOMPARE(logger->level(), 6);
    }

    void cancelLeavesTheConfigurationAsItWas()
    {
        GuiTestHome home;
        resetConfiguration();
        DialogSettings dialog;
        dialog.show();
        QVERIFY(applyEdit(dialog, QStringLiteral("lineEditCacheFolder=/srv/other")));
        QVERIFY(applyEdit(dialog, QStringLiteral("checkBoxAutoUnrar=0")));
        QVERIFY(applyEdit(dialog, QStringLiteral("comboBoxLogMode=3")));
        clickButtonBox(&dialog, QDialogButtonBox::Cancel);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        const AppConfiguration *config = AppConfiguration::getInstance();
        QCOMPARE(config->cacheFolder, AppConfiguration::defaultCacheFolder());
        QVERIFY(config->autoUnrar);
        QCOMPARE(config->logLevel, 2);
        QVERIFY(!QFile::exists(AppConfiguration::getConfigurationFile()));
    }

    void aConfigurationThatCannotBeSavedIsReported()
    {
        GuiTestHome home;
        resetConfiguration();
        // A folder where the file should be: the file cannot be replaced.
        QVERIFY(QDir().mkpath(AppConfiguration::getConfigurationFile()));
        ModalAnswerer answerer;
        answerer.pressNext(QMessageBox::Ok);
        DialogSettings dialog;
        dialog.show();
        QVERIFY(applyEdit(dialog, QStringLiteral("checkBoxAutoUnrar=0")));
        clickButtonBox(&dialog, QDialogButtonBox::Ok);

        QCOMPARE(answerer.answeredCount(), 1);
        const ModalAnswerer::Seen &seen = answerer.seen().first();
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.title, QStringLiteral("Tessaquill+"));
        QVERIFY2(seen.text.contains(QLatin1String("Failed to write configuration file ")
                                    + AppConfiguration::getConfigurationFile()),
                 qPrintable(seen.text));
        // The values hold for the rest of the run.
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!AppConfiguration::getInstance()->autoUnrar);
    }

    void restoringDefaultFoldersChangesOnlyTheFields()
    {
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration *config = AppConfiguration::getInstance();
        config->cacheFolder = QStringLiteral("/srv/cache");
        DialogSettings dialog;
        dialog.show();
        QVERIFY(applyEdit(dialog, QStringLiteral("lineEditDownloadFolder=/srv/dl")));
        child<QPushButton>(dialog, "pushButtonRestoreDefaultFolders")->click();
        const QString data = QDir::homePath() + QDir::separator() + QLatin1String("Tessaquill_Plus") + QDir::separator();
        QCOMPARE(child<QLineEdit>(dialog, "lineEditCacheFolder")->text(), data + QLatin1String("Cache"));
        QCOMPARE(child<QLineEdit>(dialog, "lineEditDownloadFolder")->text(), data + QLatin1String("Download"));
        QCOMPARE(child<QLineEdit>(dialog, "lineEditDestinationFolder")->text(), data + QLatin1String("Destination"));
        QCOMPARE(config->cacheFolder, QStringLiteral("/srv/cache"));
    }

    void folderButtonsAskForAFolder_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::newRow("cache") << "PushButtonCacheFolder" << "lineEditCacheFolder" << "Choose cache directory";
        QTest::newRow("download") << "PushButtonDownloadFolder" << "lineEditDownloadFolder"
                                  << "Choose download directory";
        QTest::newRow("destination") << "PushButtonDestinationFolder" << "lineEditDestinationFolder"
                                     << "Choose destination directory";
    }

    void folderButtonsAskForAFolder()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, caption);
        GuiTestHome home;
        resetConfiguration();
        const QString chosen = home.path() + QLatin1String("/chosen");
        QVERIFY(QDir().mkpath(chosen));
        DialogSettings dialog;
        dialog.show();
        auto *line = dialog.findChild<QLineEdit *>(field);
        const QString before = line->text();

        ModalAnswerer answerer;
        answerer.rejectNext();
        dialog.findChild<QPushButton *>(button)->click();
        QCOMPARE(line->text(), before);

        answerer.chooseFileNext(chosen);
        dialog.findChild<QPushButton *>(button)->click();
        QCOMPARE(line->text(), chosen);
        QCOMPARE(answerer.seen().at(1).className, QStringLiteral("QFileDialog"));
        QCOMPARE(answerer.seen().at(1).title, caption);
    }

    void destinationsButtonOpensTheEditor()
    {
        GuiTestHome home;
        resetConfiguration();
        DialogSettings dialog;
        dialog.show();
        ModalAnswerer answerer;
        answerer.rejectNext();
        child<QPushButton>(dialog, "pushButtonDestinations")->click();
        QCOMPARE(answerer.answeredCount(), 1);
        QCOMPARE(answerer.seen().first().objectName, QStringLiteral("DialogDestinationFolders"));
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(tst_DialogSettings)
#include "tst_DialogSettings.moc"
