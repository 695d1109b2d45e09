#include "ui_MainWindow.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"

#include "WidgetPicture.h"

#include <QDirIterator>
#include <QImageReader>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest>

namespace {

// The form as the main window builds it, on a bare window.
struct Form
{
    Form() { ui.setupUi(&window); }
    template<typename T = QObject>
    T *find(const QString &name) const
    {
        return window.findChild<T *>(name);
    }
    QMainWindow window;
    Ui::MainWindow ui;
};

// Pixmaps hold premultiplied pixels: compare both sides in that form.
QImage normalized(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Whether an icon shows the picture of a compiled-in image, at the image's own size.
bool showsImage(const QIcon &icon, const QString &path)
{
    const QImage expected(path);
    if (expected.isNull() || icon.isNull())
        return false;
    return normalized(icon.pixmap(expected.size()).toImage()) == normalized(expected);
}

QString images(const QString &name)
{
    return QStringLiteral(":/images/") + name;
}

} // namespace

class tst_MainWindowForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    void everyReferencedImageResolves()
    {
        // Every ":/images/<name>" written in the sources and forms, and every file of the
        // resource, loads as an image.
        QSet<QString> names;
        const QRegularExpression reference(QStringLiteral(":/images/([A-Za-z0-9_.+-]+)"));
        QDirIterator files(QStringLiteral(TQ_SOURCE_DIR),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui")},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            auto matches = reference.globalMatch(QString::fromUtf8(file.readAll()));
            while (matches.hasNext())
                names << matches.next().captured(1);
        }
        QVERIFY(names.size() > 40);
        const QStringList shipped = QDir(QStringLiteral(":/images")).entryList(QDir::Files);
        QVERIFY(shipped.size() >= 85);
        for (const QString &name : shipped)
            names << name;
        for (const QString &name : qAsConst(names)) {
            QImageReader reader(images(name));
            QVERIFY2(!reader.read().isNull(),
                     qPrintable(name + QLatin1String(": ") + reader.errorString()));
        }
    }

    void objectsHaveTheirNamesAndKinds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        const QList<QPair<const char *, const char *>> objects = {
            {"centralWidget", "QWidget"}, {"gridLayout_10", "QGridLayout"},
            {"tabWidget", "QTabWidget"}, {"tabServersDownload", "QWidget"},
            {"tabSearch", "QWidget"}, {"tabWebBrowser", "QWidget"},
            {"verticalLayout_5", "QVBoxLayout"}, {"horizontalLayout", "QHBoxLayout"},
            {"frame_2", "QFrame"}, {"gridLayout", "QGridLayout"},
            {"verticalLayout_6", "QVBoxLayout"}, {"frame_3", "QFrame"},
            {"gridLayout_3", "QGridLayout"}, {"frame_4", "QFrame"}, {"gridLayout_5", "QGridLayout"},
            {"frame", "QFrame"}, {"gridLayout_2", "QGridLayout"}, {"verticalLayout_4", "QVBoxLayout"},
            {"frame_5", "QFrame"}, {"gridLayout_4", "QGridLayout"},
            {"horizontalLayout_3", "QHBoxLayout"}, {"frame_6", "QFrame"},
            {"verticalLayout_8", "QVBoxLayout"}, {"groupBox", "QGroupBox"},
            {"gridLayout_6", "QGridLayout"}, {"verticalLayout_9", "QVBoxLayout"},
            {"groupBox_2", "QGroupBox"}, {"gridLayout_7", "QGridLayout"},
            {"groupBox_4", "QGroupBox"}, {"gridLayout_12", "QGridLayout"},
            {"horizontalLayout_7", "QHBoxLayout"}, {"tableWidgetServers", "QTableWidget"},
            {"labelClickOnStartBtnToBegin", "QLabel"}, {"verticalSliderBandwidth", "QSlider"},
            {"DownloadGraph", "ChartXY"}, {"label_5", "QLabel"},
            {"lineEditManualLimitBandwidth", "QLineEdit"}, {"label_6", "QLabel"},
            {"tableWidgetDownloadInfos", "QTableWidget"},
            {"radioButtonDecodingPriorityHigh", "QRadioButton"},
            {"radioButtonDecodingPriorityLow", "QRadioButton"},
            {"tableWidgetServerThreads", "QTableWidget"}, {"menuBar", "QMenuBar"},
            {"menu_File", "QMenu"}, {"menu_Tools", "QMenu"}, {"menu_Help", "QMenu"},
            {"mainToolBar", "QToolBar"}, {"statusBar", "QStatusBar"},
            // search page
            {"gridLayout_11", "QGridLayout"}, {"gridLayout_9", "QGridLayout"},
            {"horizontalLayout_4", "QHBoxLayout"}, {"horizontalLayout_6", "QHBoxLayout"},
            {"horizontalLayout_5", "QHBoxLayout"}, {"horizontalLayout_SearchTabs", "QHBoxLayout"},
            {"horizontalLayout_SearchControls", "QHBoxLayout"}, {"groupBox_3", "QGroupBox"},
            {"gridLayout_8", "QGridLayout"}, {"groupBox_5", "QGroupBox"},
            {"gridLayout_13", "QGridLayout"}, {"groupBox_6", "QGroupBox"},
            {"gridLayout_14", "QGridLayout"}, {"horizontalLayout_8", "QHBoxLayout"},
            {"label_2", "QLabel"}, {"lineEditSearch", "QLineEdit"},
            {"pushButtonSearchNzb", "QPushButton"}, {"pushButtonSearchClear", "QPushButton"},
            {"radioButtonSearchPopularGroups", "QRadioButton"},
            {"radioButtonSearchOtherGroups", "QRadioButton"}, {"label_3", "QLabel"},
            {"comboBoxSearchResultsPerPage", "QComboBox"}, {"label_4", "QLabel"},
            {"comboBoxSearchMaximumAge", "QComboBox"},
            {"checkBoxSearchOnlyShowCollections", "QCheckBox"},
            {"checkBoxSearchOnlyShowNfo", "QCheckBox"}, {"label_7", "QLabel"},
            {"lineEditSearchSizeMin", "QLineEdit"}, {"label_8", "QLabel"},
            {"lineEditSearchSizeMax", "QLineEdit"}, {"label_9", "QLabel"},
            {"pushButtonSearchCloseAllTabs", "QPushButton"},
            {"tabWidgetSearchNzb", "CustomTabWidget"},
            {"pushButtonSearchDownloadNzb", "QPushButton"},
            {"pushButtonSearchDownloadNzbDestination", "QPushButton"},
            // browser page
            {"gridLayout1", "QGridLayout"}, {"verticalLayout", "QVBoxLayout"},
            {"verticalLayout_3", "QVBoxLayout"}, {"horizontalLayout_2", "QHBoxLayout"},
            {"verticalLayout_2", "QVBoxLayout"}, {"horizontalLayout_Status", "QHBoxLayout"},
            {"pushButtonWebBack", "QPushButton"}, {"pushButtonWebForward", "QPushButton"},
            {"pushButtonWebReload", "QPushButton"}, {"pushButtonWebHome", "QPushButton"},
            {"pushButtonWebFavourite", "QPushButton"}, {"lineEditWebUrl", "QLineEdit"},
            {"pushButtonGoUrl", "QPushButton"}, {"lineEditWebSearch", "QLineEdit"},
            {"pushButtonWebSearch", "QPushButton"}, {"comboBoxWebNzbSearch", "QComboBox"},
            {"pushButtonGoNzbEngine", "QPushButton"}, {"labelWebDownloading", "QLabel"},
            {"progressBarWebDownload", "QProgressBar"}, {"labelLoadStartedInfo", "QLabel"},
            {"label", "QLabel"}, {"comboBoxWebZoom", "QComboBox"},
        };
        for (const auto &object : objects)
            QTest::newRow(object.first) << object.first << object.second;
    }

    void objectsHaveTheirNamesAndKinds()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        Form form;
        const QList<QObject *> found = form.window.findChildren<QObject *>(name);
        QCOMPARE(found.size(), 1);
        QCOMPARE(QString::fromLatin1(found.first()->metaObject()->className()), kind);
    }

    void actions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<bool>("arial");
        auto row = [](const char *name, const char *text, const char *tip, const char *key,
                      const char *icon, bool arial) {
            QTest::newRow(name) << name << text << tip << key << icon << arial;
        };
        row("actionSettings", "Settings", "Settings", "Ctrl+N", "settings.png", true);
        row("actionNZB", "Load NZB file", "Load NZB file", "Ctrl+O", "Open_Nzb.png", true);
        row("actionLogs", "Show logs", "Show logs", "Ctrl+L", "log.png", true);
        row("actionAbout_Tessaquill_Plus", "About Tessaquill+...", "About Tessaquill+...",
            "Ctrl+I", "Information.png", true);
        row("actionShutdown", "Shutdown...", "Shutdown...", "", "shutdown.png", true);
        row("actionUpdate", "Update", "A new version is available!", "Ctrl+U",
            "software-update.png", true);
        row("actionConfiguration_Wizard", "Configuration Wizard", "Configuration Wizard", "Ctrl+W",
            "wizard.png", true);
        row("actionDestinations", "Destinations", "Open Destination folders", "Ctrl+D",
            "Destinations.png", false);
        row("actionMinimize", "Minimize", "Minimize application", "", "minimize2.png", false);
        row("actionManual_repair_extraction_unsplit", "Manual repair / extraction / unsplit",
            "Manual repair / extraction / unsplit", "Ctrl+M", "ManualRepairExtract.png", true);
        row("actionExit", "Exit", "Exit Tessaquill+", "Ctrl+X",
            "Crystal_Clear_action_button_cancel.png", true);
        // No tool tip of its own: Qt shows the text.
        row("actionNZB_history", "NZB history", "NZB history", "", "NZB_ico.png", true);
    }

    void actions()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        QFETCH(QString, shortcut);
        QFETCH(QString, icon);
        QFETCH(bool, arial);
        Form form;
        auto *action = form.find<QAction>(name);
        QVERIFY(action);
        QCOMPARE(action->parent(), &form.window);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->toolTip(), toolTip);
        QCOMPARE(action->shortcut().toString(), shortcut);
        QVERIFY(!action->isCheckable());
        QVERIFY(showsImage(action->icon(), images(icon)));
        QCOMPARE(action->font().family() == QLatin1String("Arial"), arial);
    }

    void menusAndToolBar()
    {
        Form form;
        auto entries = [](const QWidget *widget) {
            QStringList list;
            for (QAction *action : widget->actions())
                list << (action->isSeparator() ? QStringLiteral("|") : action->objectName());
            return list;
        };
        QCOMPARE(form.ui.menuBar->font().pointSize(), 9);
        const QList<QAction *> menus = form.ui.menuBar->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus.at(0)->menu(), form.ui.menu_File);
        QCOMPARE(menus.at(1)->menu(), form.ui.menu_Tools);
        QCOMPARE(menus.at(2)->menu(), form.ui.menu_Help);
        QCOMPARE(form.ui.menu_File->title(), QStringLiteral("&File"));
        QCOMPARE(form.ui.menu_Tools->title(), QStringLiteral("&Tools"));
        QCOMPARE(form.ui.menu_Help->title(), QStringLiteral("&Help"));
        QCOMPARE(entries(form.ui.menu_File), QStringList({"actionNZB", "|", "actionExit"}));
        QCOMPARE(entries(form.ui.menu_Tools),
                 QStringList({"actionSettings", "actionConfiguration_Wizard",
                              "actionManual_repair_extraction_unsplit", "actionNZB_history",
                              "actionLogs", "actionShutdown"}));
        QCOMPARE(entries(form.ui.menu_Help), QStringList({"actionAbout_Tessaquill_Plus"}));
        QCOMPARE(entries(form.ui.mainToolBar),
                 QStringList({"actionSettings", "actionNZB", "actionShutdown",
                              "actionDestinations", "actionConfiguration_Wizard"}));
        QCOMPARE(form.window.toolBarArea(form.ui.mainToolBar), Qt::TopToolBarArea);
        QCOMPARE(form.ui.mainToolBar->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(form.ui.mainToolBar->contextMenuPolicy(), Qt::NoContextMenu);
        QCOMPARE(form.ui.mainToolBar->font().pointSize(), 12);
        QCOMPARE(form.ui.statusBar->toolTip(), QStringLiteral("Free disk space information"));
        QCOMPARE(form.ui.statusBar->font().pointSize(), 11);
        QCOMPARE(form.window.menuBar(), form.ui.menuBar);
        QCOMPARE(form.window.statusBar(), form.ui.statusBar);
    }

    void shortcutsTriggerTheirActions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key");
        QTest::newRow("Ctrl+N opens the settings") << "actionSettings" << int(Qt::Key_N);
        QTest::newRow("Ctrl+X exits") << "actionExit" << int(Qt::Key_X);
        QTest::newRow("Ctrl+O loads an NZB") << "actionNZB" << int(Qt::Key_O);
    }

    void shortcutsTriggerTheirActions()
    {
        QFETCH(QString, name);
        QFETCH(int, key);
        Form form;
        form.window.show();
        QApplication::setActiveWindow(&form.window);
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        QSignalSpy triggered(form.find<QAction>(name), &QAction::triggered);
        QTest::keyClick(&form.window, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(triggered.count(), 1);
    }

    void window()
    {
        Form form;
        QWidget &window = form.window;
        QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tessaquill+"));
        QCOMPARE(window.size(), QSize(1307, 670));
        QCOMPARE(window.minimumSize(), QSize(870, 660));
        QCOMPARE(window.font().family(), QStringLiteral("Arial"));
        QCOMPARE(window.font().pointSize(), 10);
        QVERIFY(showsImage(window.windowIcon(), images("logo_tessaquill.png")));
        QCOMPARE(form.window.iconSize(), QSize(32, 32));
        QVERIFY(form.window.isDockNestingEnabled());
        QVERIFY(!form.window.documentMode());
        for (const char *name : {"centralWidget", "tabWidget", "tabServersDownload"})
            QVERIFY2(form.find<QWidget>(name)->acceptDrops(), name);
        QVERIFY(window.acceptDrops());
        QVERIFY(window.styleSheet().startsWith(QLatin1String("QMainWindow")));
        QVERIFY(form.ui.centralWidget->styleSheet().startsWith(QLatin1String("QWidget#centralWidget")));
        QVERIFY(form.ui.tabWidget->styleSheet().startsWith(QLatin1String("QTabWidget#tabWidget")));
        QCOMPARE(form.window.centralWidget(), form.ui.centralWidget);
    }

    void tabs()
    {
        Form form;
        QTabWidget *tabs = form.ui.tabWidget;
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(tabs->tabShape(), QTabWidget::Rounded);
        const QStringList pages{"tabServersDownload", "tabSearch", "tabWebBrowser"};
        const QStringList titles{"Servers && Downloads", "Search", "Web browser"};
        const QStringList icons{"server.png", "SearchNzb.png", "world.png"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(tabs->widget(i)->objectName(), pages.at(i));
            QCOMPARE(tabs->tabText(i), titles.at(i));
            QVERIFY(showsImage(tabs->tabIcon(i), images(icons.at(i))));
        }
    }

    void iconButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QSize>("iconSize");
        QTest::addColumn<QSize>("fixedSize");
        QTest::addColumn<bool>("enabled");
        auto row = [](const char *name, const char *tip, const char *icon, int iconSide,
                      QSize fixed, bool enabled) {
            QTest::newRow(name) << name << tip << icon << QSize(iconSide, iconSide) << fixed
                                << enabled;
        };
        const QSize big(40, 40);
        row("pushButtonAddServer", "Add a new server", "serv-add.png", 50, QSize(50, 50), true);
        row("pushButtonModifyServer", "Modify selected server", "serv-edit.png", 50, QSize(50, 50), true);
        row("pushButtonDeleteServer", "Remove selected server", "serv-del.png", 50, QSize(50, 50), true);
        row("pushButtonPausePlay", "Pause connections", "Pause.png", 36, big, true);
        row("pushButtonDifferedPause", "Pause...", "pause_down.png", 16, QSize(16, 40), true);
        row("pushButtonDeleteNzbFinished", "Clear NZB completed", "clean_balai.png", 36, big, true);
        row("pushButtonDeleteSelNzb", "Delete selected NZB", "Crystal_Clear_action_button_cancel.png", 36, big, false);
        row("pushButtonMoveUpNzb", "Move NZB up", "Arrow_up.png", 36, big, false);
        row("pushButtonMoveDownNzb", "Move NZB down", "Arrow_down.png", 36, big, false);
        row("pushButtonOpenDestinationFolder", "Open download / destination folder", "folder_destination.png", 36, big, false);
        row("pushButtonPauseFile", "Pause selected files", "Pause_File.png", 36, big, false);
        row("pushButtonPlayFile", "Unpause selected files", "Play_File.png", 36, big, false);
        row("pushButtonRedownloadFiles", "Redownload selected files", "download_again.png", 36, big, false);
        row("pushButtonDeleteFiles", "Delete selected file(s)", "Crystal_Clear_action_button_cancel.png", 36, big, false);
        row("pushButtonMoveUpFiles", "Move file(s) up", "Arrow_up.png", 36, big, false);
        row("pushButtonMoveDownFiles", "Move file(s) down", "Arrow_down.png", 36, big, false);
        row("pushButtonSearchDownloadNzb", "Download selected results", "folder_download.png", 32, QSize(50, 50), true);
        row("pushButtonWebBack", "Click to go back", "back.png", 20, QSize(), true);
        row("pushButtonWebForward", "Click to go forward", "forward.png", 20, QSize(), true);
        row("pushButtonWebReload", "Click to refresh the page", "reload.png", 20, QSize(), true);
        row("pushButtonWebHome", "Go to Home Page", "home.png", 20, QSize(), false);
        row("pushButtonWebFavourite", "Configuration and Favourites", "Favoris.png", 20, QSize(), true);
        row("pushButtonWebSearch", "Google Search", "loupe.png", 20, QSize(), true);
        row("pushButtonGoNzbEngine", "Go to the selected NZB engine", "nzb_search.png", 20, QSize(), true);
    }

    void iconButtons()
    {
        QFETCH(QString, name);
        QFETCH(QString, toolTip);
        QFETCH(QString, icon);
        QFETCH(QSize, iconSize);
        QFETCH(QSize, fixedSize);
        QFETCH(bool, enabled);
        Form form;
        auto *button = form.find<QPushButton>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), QString());
        QCOMPARE(button->toolTip(), toolTip);
        QVERIFY(showsImage(button->icon(), images(icon)));
        QCOMPARE(button->iconSize(), iconSize);
        if (fixedSize.isValid()) {
            QCOMPARE(button->minimumSize(), fixedSize);
            QCOMPARE(button->maximumSize(), fixedSize);
        }
        QCOMPARE(button->isEnabled(), enabled);
    }

    void textsOfWidgets_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("value");
        auto row = [](const char *name, const char *property, const QString &value) {
            QTest::newRow(qPrintable(QStringLiteral("%1.%2").arg(name, property)))
                << name << property << value;
        };
        row("tableWidgetServers", "toolTip", "List of servers");
        row("verticalSliderBandwidth", "toolTip", "No bandwidth limiting");
        row("verticalSliderBandwidth", "statusTip", "");
        row("label_5", "text", "Manually set the bandwidth limit :");
        // A mask whose blank is the default ' ' reads back without its "; " part.
        row("lineEditManualLimitBandwidth", "inputMask", "00000");
        row("label_6", "text", "KiB/s");
        row("groupBox", "title", "Download controls");
        row("groupBox_2", "title", "Files controls");
        row("groupBox_4", "title", "Decoding priority");
        row("radioButtonDecodingPriorityHigh", "text", "High");
        row("radioButtonDecodingPriorityLow", "text", "Low");
        row("tableWidgetServerThreads", "toolTip", "");
        row("label_2", "text", "Search for NZB - Powered by BinSearch");
        row("pushButtonSearchNzb", "text", "Search !");
        row("pushButtonSearchNzb", "toolTip", "Search !");
        row("pushButtonSearchClear", "text", "Clear");
        row("pushButtonSearchClear", "toolTip", "Clear search words");
        row("groupBox_3", "title", "Groups");
        row("groupBox_5", "title", "Results");
        row("groupBox_6", "title", "Experimental options");
        row("radioButtonSearchPopularGroups", "text", "Search in the most popular groups");
        row("radioButtonSearchOtherGroups", "text", "Search in the other groups");
        row("label_3", "text", "Results per page :");
        row("label_4", "text", "Maximum age (Days) :");
        row("checkBoxSearchOnlyShowCollections", "text", "Only show collections (Hide individual files)");
        row("checkBoxSearchOnlyShowNfo", "text", "Only show posts that have a .nfo");
        row("label_7", "text", "Size must be between");
        row("lineEditSearchSizeMin", "inputMask", "000000000");
        row("label_8", "text", "MiB and");
        row("lineEditSearchSizeMax", "inputMask", "000000000");
        row("label_9", "text", "MiB");
        row("pushButtonSearchCloseAllTabs", "text", "Close all tabs");
        row("pushButtonSearchCloseAllTabs", "toolTip", "Close all opened search tabs");
        row("pushButtonSearchDownloadNzbDestination", "toolTip", "Download in Destination folder...");
        row("pushButtonSearchDownloadNzbDestination", "text", "");
        row("lineEditWebSearch", "toolTip", "Google Search");
        row("comboBoxWebNzbSearch", "toolTip", "NZB search engines");
        row("labelWebDownloading", "text", "Downloading... ");
        row("labelLoadStartedInfo", "text", "TextLabel");
        row("label", "text", "");
        row("comboBoxWebZoom", "toolTip", "Zoom");
    }

    void textsOfWidgets()
    {
        QFETCH(QString, name);
        QFETCH(QString, property);
        QFETCH(QString, value);
        Form form;
        QObject *object = form.find(name);
        QVERIFY(object);
        const QVariant actual = object->property(qPrintable(property));
        QVERIFY(actual.isValid());
        QCOMPARE(actual.toString(), value);
    }

    void richTexts()
    {
        Form form;
        QTextDocument label;
        label.setHtml(form.ui.labelClickOnStartBtnToBegin->text());
        QCOMPARE(label.toPlainText(), QStringLiteral("Click on Start button to begin"));
        QVERIFY(form.ui.labelClickOnStartBtnToBegin->text().contains(QLatin1String("color:#ff0000")));
        QCOMPARE(form.ui.labelClickOnStartBtnToBegin->alignment(), Qt::AlignHCenter | Qt::AlignTop);
        QVERIFY(form.ui.labelClickOnStartBtnToBegin->wordWrap());
        QVERIFY(form.ui.labelClickOnStartBtnToBegin->font().bold());
        QVERIFY(form.ui.labelClickOnStartBtnToBegin->font().italic());
        QTextDocument tip;
        tip.setHtml(form.ui.pushButtonGoUrl->toolTip());
        QCOMPARE(tip.toPlainText(), QStringLiteral("Click to load the Web page"));
        QVERIFY(showsImage(form.ui.pushButtonGoUrl->icon(), images("Play.png")));
        QVERIFY(showsImage(form.ui.pushButtonSearchNzb->icon(), images("BinSeach.ico")));
        QVERIFY(showsImage(form.ui.pushButtonSearchClear->icon(), images("clean_balai.png")));
        QVERIFY(showsImage(form.ui.pushButtonSearchCloseAllTabs->icon(),
                           images("Crystal_Clear_action_button_cancel.png")));
        QVERIFY(showsImage(form.ui.pushButtonSearchDownloadNzbDestination->icon(),
                           images("pause_down.png")));
        QCOMPARE(normalized(form.ui.label->pixmap(Qt::ReturnByValue).toImage()),
                 normalized(QImage(images("loupe_black.png"))));
        QVERIFY(form.ui.label->hasScaledContents());
    }

    void initialStatesOfTheFirstPage()
    {
        Form form;
        const Ui::MainWindow &ui = form.ui;
        QSlider *slider = ui.verticalSliderBandwidth;
        QVERIFY(!slider->isEnabled());
        QCOMPARE(slider->orientation(), Qt::Vertical);
        QCOMPARE(slider->minimum(), 1);
        QCOMPARE(slider->maximum(), 4);
        QCOMPARE(slider->value(), 4);
        QCOMPARE(slider->pageStep(), 1);
        QCOMPARE(slider->tickPosition(), QSlider::TicksRight);
        QCOMPARE(slider->minimumSize(), QSize(30, 82));
        QCOMPARE(slider->maximumSize(), QSize(30, 82));
        QCOMPARE(slider->contextMenuPolicy(), Qt::NoContextMenu);
        QVERIFY(ui.radioButtonDecodingPriorityHigh->isChecked());
        QVERIFY(!ui.radioButtonDecodingPriorityLow->isChecked());
        QCOMPARE(ui.DownloadGraph->minimumHeight(), 82);
        QCOMPARE(ui.DownloadGraph->maximumHeight(), 82);
        QCOMPARE(ui.DownloadGraph->minimumWidth(), 0);
        QCOMPARE(ui.frame_2->minimumWidth(), 350);
        QCOMPARE(ui.frame_5->minimumWidth(), 800);
        QCOMPARE(ui.groupBox->minimumSize(), QSize(308, 60));
        QCOMPARE(ui.groupBox_2->maximumWidth(), 280);
        QCOMPARE(ui.groupBox_4->maximumWidth(), 170);
        QVERIFY(!ui.pushButtonDifferedPause->isFlat());
        for (QFrame *frame : {ui.frame, ui.frame_2, ui.frame_3, ui.frame_4, ui.frame_5, ui.frame_6}) {
            QCOMPARE(frame->frameShape(), QFrame::StyledPanel);
            QCOMPARE(frame->frameShadow(), QFrame::Raised);
            QCOMPARE(frame->lineWidth(), 0);
        }

        QTableWidget *servers = ui.tableWidgetServers;
        QCOMPARE(servers->columnCount(), 4);
        QCOMPARE(servers->rowCount(), 0);
        QVERIFY(servers->styleSheet().contains(QLatin1String("url(:/images/data-center-nntp.png)")));
        QCOMPARE(servers->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(servers->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(servers->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!servers->showGrid());
        QVERIFY(servers->horizontalHeader()->isVisibleTo(servers));
        QVERIFY(servers->horizontalHeader()->stretchLastSection());
        QVERIFY(!servers->verticalHeader()->isVisibleTo(servers));
        QCOMPARE(servers->verticalHeader()->defaultSectionSize(), 40);
        QCOMPARE(servers->horizontalHeaderItem(3)->text(), QStringLiteral("4"));

        QTableWidget *threads = ui.tableWidgetServerThreads;
        QCOMPARE(threads->columnCount(), 3);
        QCOMPARE(threads->rowCount(), 0);
        QVERIFY(threads->alternatingRowColors());
        QCOMPARE(threads->gridStyle(), Qt::NoPen);
        QCOMPARE(threads->horizontalHeaderItem(1)->text(), QStringLiteral("Nouvelle colonne"));
        QCOMPARE(threads->horizontalHeader()->minimumSectionSize(), 30);

        QTableWidget *infos = ui.tableWidgetDownloadInfos;
        QCOMPARE(infos->rowCount(), 5);
        QCOMPARE(infos->columnCount(), 2);
        QVERIFY(!infos->horizontalHeader()->isVisibleTo(infos));
        QVERIFY(!infos->verticalHeader()->isVisibleTo(infos));
        QCOMPARE(infos->verticalHeader()->defaultSectionSize(), 27);
        QCOMPARE(infos->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(infos->gridStyle(), Qt::DotLine);
        QCOMPARE(infos->selectionMode(), QAbstractItemView::NoSelection);
        QVERIFY(!infos->showDropIndicator());
        QCOMPARE(infos->minimumHeight(), 141);
        const QStringList labels{"Current speed", "Average speed", "Downloaded", "To download",
                                 "Remaining time"};
        for (int row = 0; row < 5; ++row) {
            QCOMPARE(infos->item(row, 0)->text(), labels.at(row));
            QCOMPARE(infos->verticalHeaderItem(row)->text(), labels.at(row));
            QVERIFY(infos->item(row, 0)->font().bold());
            QCOMPARE(infos->item(row, 0)->font().pointSize(), 8);
            QCOMPARE(infos->item(row, 1)->text(), QString());
            QCOMPARE(infos->item(row, 1)->font().pointSize(), 12);
            QCOMPARE(Qt::Alignment(infos->item(row, 1)->textAlignment()),
                     Qt::AlignRight | Qt::AlignVCenter);
        }
        QCOMPARE(infos->horizontalHeaderItem(0)->text(), QStringLiteral("Labels"));
        QCOMPARE(infos->horizontalHeaderItem(1)->text(), QStringLiteral("Infos"));
        QVERIFY(!infos->isSortingEnabled());
    }

    void downloadListCellIsOnlyASpacer()
    {
        // The download list is placed by looking up frame_5's only grid layout by its name.
        Form form;
        const QList<QGridLayout *> grids =
            form.ui.frame_5->findChildren<QGridLayout *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(grids.size(), 1);
        QCOMPARE(grids.first()->objectName(), QStringLiteral("gridLayout_4"));
        QLayoutItem *cell = grids.first()->itemAtPosition(0, 0);
        QVERIFY(cell && cell->spacerItem());
        QCOMPARE(form.ui.frame->parent(), form.ui.tabServersDownload);
        QCOMPARE(form.ui.frame_5->parent(), form.ui.frame);
        QCOMPARE(form.find<QVBoxLayout>("verticalLayout_2")->parent(), form.ui.verticalLayout);
    }

    void numberFieldsTakeDigitsOnly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("bandwidth: five digits") << "lineEditManualLimitBandwidth" << "1234567" << "12345";
        QTest::newRow("bandwidth: letters dropped") << "lineEditManualLimitBandwidth" << "1a2b" << "12";
        QTest::newRow("bandwidth: empty") << "lineEditManualLimitBandwidth" << "" << "";
        QTest::newRow("size: nine digits") << "lineEditSearchSizeMin" << "12345678901" << "123456789";
        QTest::newRow("size: no sign") << "lineEditSearchSizeMax" << "-7x" << "7";
    }

    void numberFieldsTakeDigitsOnly()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Form form;
        auto *edit = form.find<QLineEdit>(name);
        edit->setFocus();
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text().trimmed(), kept);
        QVERIFY(edit->hasAcceptableInput());
        QCOMPARE(edit->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    }

    void initialStatesOfTheSearchAndBrowserPages()
    {
        Form form;
        const Ui::MainWindow &ui = form.ui;
        QCOMPARE(ui.tabWidgetSearchNzb->count(), 0);
        QCOMPARE(ui.tabWidgetSearchNzb->currentIndex(), -1);
        QVERIFY(ui.tabWidgetSearchNzb->tabsClosable());
        QVERIFY(ui.tabWidgetSearchNzb->isMovable());
        QCOMPARE(ui.comboBoxSearchResultsPerPage->count(), 0);
        QCOMPARE(ui.comboBoxSearchMaximumAge->count(), 0);
        QCOMPARE(ui.comboBoxSearchMaximumAge->maxVisibleItems(), 15);
        QVERIFY(ui.radioButtonSearchPopularGroups->isChecked());
        QVERIFY(!ui.checkBoxSearchOnlyShowCollections->isChecked());
        QVERIFY(!ui.checkBoxSearchOnlyShowNfo->isChecked());
        QCOMPARE(ui.lineEditSearch->minimumSize(), QSize(350, 20));
        // At least 455 x 104, and as large as its texts need (a fixed size cut them).
        QCOMPARE(ui.groupBox_6->minimumSize(), QSize(455, 104));
        QCOMPARE(ui.groupBox_6->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        QCOMPARE(ui.pushButtonSearchDownloadNzbDestination->maximumSize(), QSize(16, 50));
        QCOMPARE(ui.progressBarWebDownload->value(), 50);
        QVERIFY(ui.progressBarWebDownload->isTextVisible());
        QCOMPARE(ui.progressBarWebDownload->maximumSize(), QSize(150, 20));
        QVERIFY(ui.pushButtonWebBack->isDefault());
        QVERIFY(ui.pushButtonGoUrl->isDefault());
        QVERIFY(!ui.pushButtonWebReload->isDefault());
        QCOMPARE(ui.lineEditWebSearch->maximumWidth(), 150);
        QVERIFY(ui.lineEditWebSearch->styleSheet().contains(QLatin1String("border: 2px solid gray;")));
        QVERIFY(ui.lineEditWebUrl->styleSheet().contains(QLatin1String("border: 1px solid gray;")));
        QCOMPARE(ui.label->size().isEmpty(), false);

        const QStringList sites{"BinSearch", "NzbIndex", "MysterBin", "nzbking.com", "YabSearch"};
        const QStringList siteIcons{"BinSeach.ico", "nzbindex.png", "mysterbin.png", "nzbcc.png",
                                    "yabsearch.png"};
        QCOMPARE(ui.comboBoxWebNzbSearch->count(), sites.size());
        for (int i = 0; i < sites.size(); ++i) {
            QCOMPARE(ui.comboBoxWebNzbSearch->itemText(i), sites.at(i));
            QVERIFY(showsImage(ui.comboBoxWebNzbSearch->itemIcon(i), images(siteIcons.at(i))));
        }
        QCOMPARE(ui.comboBoxWebNzbSearch->currentText(), QStringLiteral("BinSearch"));
        QCOMPARE(ui.comboBoxWebNzbSearch->minimumWidth(), 150);

        QStringList zooms;
        for (int i = 0; i < ui.comboBoxWebZoom->count(); ++i)
            zooms << ui.comboBoxWebZoom->itemText(i);
        QCOMPARE(zooms, QStringList({"50%", "75%", "100%", "125%", "150%", "200%", "400%"}));
        QCOMPARE(ui.comboBoxWebZoom->currentIndex(), 2);
        QCOMPARE(ui.comboBoxWebZoom->maximumHeight(), 20);
    }

    void middleClickClosesTheTabUnderThePointer()
    {
        Form form;
        CustomTabWidget *tabs = form.ui.tabWidgetSearchNzb;
        form.ui.tabWidget->setCurrentWidget(form.ui.tabSearch);
        tabs->addTab(new QWidget, QStringLiteral("first results"));
        tabs->addTab(new QWidget, QStringLiteral("second results"));
        // A corner button shifts the tab bar inside the tab widget.
        tabs->setCornerWidget(new QPushButton(QStringLiteral("+")), Qt::TopLeftCorner);
        form.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));
        QVERIFY(tabs->tabBar()->pos().x() > 0);

        QSignalSpy closeRequests(tabs, &QTabWidget::tabCloseRequested);
        const QPoint second = tabs->tabBar()->tabRect(1).center();
        QTest::mouseClick(tabs->tabBar(), Qt::MiddleButton, Qt::NoModifier, second);
        QTest::mouseClick(tabs, Qt::MiddleButton, Qt::NoModifier,
                          tabs->tabBar()->mapTo(tabs, tabs->tabBar()->tabRect(0).center()));
        const QPoint pastTheTabs(tabs->tabBar()->geometry().right() + 20,
                                 tabs->tabBar()->geometry().center().y());
        QTest::mouseClick(tabs, Qt::MiddleButton, Qt::NoModifier, pastTheTabs);
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, second);
        QCOMPARE(closeRequests.count(), 3);
        QCOMPARE(closeRequests.at(0).at(0).toInt(), 1);
        QCOMPARE(closeRequests.at(1).at(0).toInt(), 0);
        QCOMPARE(closeRequests.at(2).at(0).toInt(), -1);
        QCOMPARE(tabs->count(), 2); // the owner decides; the widget only asks
    }

    void pictures()
    {
        Form form;
        form.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));
        QVERIFY(!WidgetPicture::save(&form.window, QStringLiteral("MainWindow")).isEmpty());
        form.ui.tabWidget->setCurrentWidget(form.ui.tabSearch);
        QVERIFY(!WidgetPicture::save(&form.window, QStringLiteral("MainWindow_search")).isEmpty());
        form.ui.tabWidget->setCurrentWidget(form.ui.tabWebBrowser);
        QVERIFY(!WidgetPicture::save(&form.window, QStringLiteral("MainWindow_browser")).isEmpty());
    }
};

QTEST_MAIN(tst_MainWindowForm)
#include "tst_MainWindowForm.moc"
