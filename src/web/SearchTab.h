#ifndef SEARCHTAB_H
#define SEARCHTAB_H

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class FrameSearchResults;
class QCheckBox;
class QComboBox;
class QCompleter;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStringListModel;
class QTabWidget;
class QWidget;

// The search tab of the main window: the query line with completion from the search history,
// the search options, one results page per query in the results tab widget, and the download
// of the checked results of the current page into the queue. It drives the widgets of the
// main window's form; the window hands over those widgets and the routine that queues an NZB
// file. Its texts belong to the main window.
class SearchTab : public QObject
{
    Q_OBJECT

public:
    // The widgets of the main window's form that the search tab uses.
    struct Controls {
        QWidget *window = nullptr;      // parent of the pages and message boxes; wait cursor
        QTabWidget *tabWidget = nullptr;  // the main tabs; index 1 is the search tab
        QLineEdit *lineEditSearch = nullptr;
        QPushButton *pushButtonSearchNzb = nullptr;
        QPushButton *pushButtonSearchClear = nullptr;
        QRadioButton *radioButtonSearchPopularGroups = nullptr;
        QRadioButton *radioButtonSearchOtherGroups = nullptr;
        QComboBox *comboBoxSearchResultsPerPage = nullptr;
        QComboBox *comboBoxSearchMaximumAge = nullptr;
        QCheckBox *checkBoxSearchOnlyShowCollections = nullptr;
        QCheckBox *checkBoxSearchOnlyShowNfo = nullptr;
        QLineEdit *lineEditSearchSizeMin = nullptr;
        QLineEdit *lineEditSearchSizeMax = nullptr;
        QTabWidget *tabWidgetSearchNzb = nullptr;
        QPushButton *pushButtonSearchDownloadNzb = nullptr;
        QPushButton *pushButtonSearchDownloadNzbDestination = nullptr;
        QPushButton *pushButtonSearchCloseAllTabs = nullptr;

        // The same widgets out of the main window's form object.
        template <class Form>
        static Controls fromForm(QWidget *window, const Form &ui)
        {
            Controls c;
            c.window = window;
            c.tabWidget = ui.tabWidget;
            c.lineEditSearch = ui.lineEditSearch;
            c.pushButtonSearchNzb = ui.pushButtonSearchNzb;
            c.pushButtonSearchClear = ui.pushButtonSearchClear;
            c.radioButtonSearchPopularGroups = ui.radioButtonSearchPopularGroups;
            c.radioButtonSearchOtherGroups = ui.radioButtonSearchOtherGroups;
            c.comboBoxSearchResultsPerPage = ui.comboBoxSearchResultsPerPage;
            c.comboBoxSearchMaximumAge = ui.comboBoxSearchMaximumAge;
            c.checkBoxSearchOnlyShowCollections = ui.checkBoxSearchOnlyShowCollections;
            c.checkBoxSearchOnlyShowNfo = ui.checkBoxSearchOnlyShowNfo;
            c.lineEditSearchSizeMin = ui.lineEditSearchSizeMin;
            c.lineEditSearchSizeMax = ui.lineEditSearchSizeMax;
            c.tabWidgetSearchNzb = ui.tabWidgetSearchNzb;
            c.pushButtonSearchDownloadNzb = ui.pushButtonSearchDownloadNzb;
            c.pushButtonSearchDownloadNzbDestination = ui.pushButtonSearchDownloadNzbDestination;
            c.pushButtonSearchCloseAllTabs = ui.pushButtonSearchCloseAllTabs;
            return c;
        }
    };

    // Queues an NZB file (path, display name, destination folder; an empty destination asks
    // the user): the main window's addNzbFile. It has read the file when it returns.
    using NzbFileAdder = std::function<void(const QString &, const QString &, const QString &)>;

    // Builds the completer over the search history, fills the option lists and connects the
    // controls (query line, search, clear, close one or every tab, download).
    SearchTab(const Controls &controls, const NzbFileAdder &addNzbFile, QObject *parent = nullptr);

    QCompleter *completer() const { return searchCompleter; }
    void initSearchComboBoxes();
    // The folder where fetched NZB files wait for the queue: "NZB" in the Cache folder.
    static QString nzbFolder();

    // Fetches the checked results of the current page for the destination (empty: ask).
    void downloadSelectionTo(const QString &destination);

public slots:
    void slotSearchNzb();
    void webBrowserNzbInternalSearch(QString strSearch);
    void slotSearchFinished(bool bError, QString strError);
    void slotSearchClearButton();
    void slotSearchTabCloseRequested(int index);
    void slotSearchCloseAllTabs();
    void slotSearchButtonDownloadNzb();
    void slotDownloadNzbDestinationTriggered();
    void slotSearchNzbDownloaded(bool bError, QString strError, QString strNzbPath, QString strDestination = QString());

private:
    void connectControls();
    void addToHistory(const QString &query);
    FrameSearchResults *currentPage() const;
    void closePage(int index);
    void updateControls();
    void showError(const QString &text);
    static uint sizeBound(const QLineEdit *field);

    Controls ui;
    NzbFileAdder addNzbFile;
    QCompleter *searchCompleter;
    QStringListModel *historyModel;
    // The page whose search holds the search controls, and the page whose NZB fetch holds the
    // download buttons; a closed page lets them go.
    QPointer<FrameSearchResults> searchingPage;
    QPointer<FrameSearchResults> downloadingPage;
    // The folder of its own that the running download writes its NZB file into.
    QString strHandOverFolder;
};

#endif // SEARCHTAB_H
