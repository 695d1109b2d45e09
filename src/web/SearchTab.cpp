#include "web/SearchTab.h"

#include "widgets/AppVersion.h"
#include "config/AppConfiguration.h"
#include "config/NzbHandOverFolder.h"
#include "web/BinSearch.h"
#include "web/FrameSearchResults.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTabWidget>

namespace {

const int MaxHistoryEntries = 100;
const int MaxTitleLength = 30;

} // namespace

SearchTab::SearchTab(const Controls &controls, const NzbFileAdder &adder, QObject *parent)
    : QObject(parent)
    , ui(controls)
    , addNzbFile(adder)
    , searchCompleter(new QCompleter(this))
    , historyModel(new QStringListModel(AppConfiguration::getInstance()->searchHistory, searchCompleter))
{
    searchCompleter->setModel(historyModel);
    searchCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    searchCompleter->setCompletionMode(QCompleter::PopupCompletion);
    ui.lineEditSearch->setCompleter(searchCompleter);
    initSearchComboBoxes();
    connectControls();
}

void SearchTab::connectControls()
{
    connect(ui.lineEditSearch, &QLineEdit::returnPressed, this, &SearchTab::slotSearchNzb);
    connect(ui.pushButtonSearchNzb, &QPushButton::clicked, this, &SearchTab::slotSearchNzb);
    connect(ui.tabWidgetSearchNzb, &QTabWidget::tabCloseRequested, this, &SearchTab::slotSearchTabCloseRequested);
    connect(ui.pushButtonSearchDownloadNzb, &QPushButton::clicked, this, &SearchTab::slotSearchButtonDownloadNzb);
    connect(ui.pushButtonSearchClear, &QPushButton::clicked, this, &SearchTab::slotSearchClearButton);
    connect(ui.pushButtonSearchCloseAllTabs, &QPushButton::clicked, this, &SearchTab::slotSearchCloseAllTabs);
    // The download buttons follow the page shown: off while its own request runs.
    connect(ui.tabWidgetSearchNzb, &QTabWidget::currentChanged, this, &SearchTab::updateControls);
}

void SearchTab::initSearchComboBoxes()
{
    BinSearch tables;
    ui.comboBoxSearchResultsPerPage->clear();
    const QList<int> &perPage = tables.getResultsPerPageValues();
    for (int i = 0; i < perPage.size(); ++i)
        ui.comboBoxSearchResultsPerPage->addItem(QString::number(perPage.at(i)), i);

    ui.comboBoxSearchMaximumAge->clear();
    const QList<int> &ages = tables.getMaxAgeValues();
    for (int i = 0; i < ages.size(); ++i) {
        if (ages.at(i) == 0) {
            ui.comboBoxSearchMaximumAge->addItem(QCoreApplication::translate("MainWindow", "-- All results --"), i);
            ui.comboBoxSearchMaximumAge->setCurrentIndex(ui.comboBoxSearchMaximumAge->count() - 1);
        } else {
            ui.comboBoxSearchMaximumAge->addItem(QString::number(ages.at(i)), i);
        }
    }
}

QString SearchTab::nzbFolder()
{
    const QString cache = AppConfiguration::folderSettingOrDefault(AppConfiguration::getInstance()->cacheFolder,
                                                                   AppConfiguration::defaultCacheFolder());
    return cache + QLatin1Char('/') + QStringLiteral("NZB");
}

uint SearchTab::sizeBound(const QLineEdit *field)
{
    bool ok = false;
    const uint value = field->text().trimmed().toUInt(&ok, 10);
    return ok ? value : 0;
}

void SearchTab::addToHistory(const QString &query)
{
    AppConfiguration *config = AppConfiguration::getInstance();
    if (!config->searchHistory.contains(query)) {
        config->searchHistory.append(query);
        if (config->searchHistory.size() > MaxHistoryEntries)
            config->searchHistory.removeFirst();
        config->saveConfiguration();
    }
    historyModel->setStringList(config->searchHistory);
}

void SearchTab::slotSearchNzb()
{
    const QString query = ui.lineEditSearch->text().trimmed();
    ui.lineEditSearch->setText(query);
    if (query.isEmpty()) {
        showError(QCoreApplication::translate("MainWindow", "Please enter a search request."));
        ui.lineEditSearch->setFocus();
        return;
    }
    addToHistory(query);

    QString title = query;
    if (title.size() > MaxTitleLength)
        title = title.left(MaxTitleLength) + QCoreApplication::translate("MainWindow", "...");
    auto *page = new FrameSearchResults(ui.window);
    connect(page, &FrameSearchResults::signalNzbDownloaded, this, &SearchTab::slotSearchNzbDownloaded);
    connect(page, &FrameSearchResults::signalSearchFinished, this, &SearchTab::slotSearchFinished);
    connect(page, &FrameSearchResults::signalBusyChanged, this, &SearchTab::updateControls);
    ui.tabWidgetSearchNzb->addTab(page, QIcon(QStringLiteral(":/images/SearchNzb.png")), title);
    ui.tabWidgetSearchNzb->setCurrentWidget(page);

    searchingPage = page;
    page->search(query, ui.comboBoxSearchMaximumAge->currentIndex(), ui.comboBoxSearchResultsPerPage->currentIndex(),
                 !ui.radioButtonSearchPopularGroups->isChecked(), ui.checkBoxSearchOnlyShowCollections->isChecked(),
                 ui.checkBoxSearchOnlyShowNfo->isChecked(), sizeBound(ui.lineEditSearchSizeMin),
                 sizeBound(ui.lineEditSearchSizeMax), 1);
    updateControls();
}

void SearchTab::webBrowserNzbInternalSearch(QString strSearch)
{
    ui.tabWidget->setCurrentIndex(1);
    ui.lineEditSearch->setText(strSearch);
    slotSearchNzb();
}

void SearchTab::slotSearchFinished(bool bError, QString strError)
{
    auto *page = qobject_cast<FrameSearchResults *>(sender());
    if (bError)
        showError(QCoreApplication::translate("MainWindow", "%1").arg(strError));
    if (!page || page == searchingPage)
        searchingPage.clear();
    updateControls();
}

void SearchTab::slotSearchClearButton()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    if (!config->searchHistory.isEmpty()) {
        config->searchHistory.clear();
        config->saveConfiguration();
    }
    historyModel->setStringList(QStringList());
}

void SearchTab::closePage(int index)
{
    auto *page = qobject_cast<FrameSearchResults *>(ui.tabWidgetSearchNzb->widget(index));
    if (!page)
        return;
    // A closed page reports nothing more; the controls its request held come back.
    disconnect(page, nullptr, this, nullptr);
    page->deleteLater();
    ui.tabWidgetSearchNzb->removeTab(index);
    if (page == searchingPage)
        searchingPage.clear();
    if (page == downloadingPage) {
        downloadingPage.clear();
        // The page's unfinished file goes with the page; the folder once it is gone.
        const QString folder = strHandOverFolder;
        connect(page, &QObject::destroyed, [folder] { NzbHandOverFolder::removeFolder(folder); });
    }
}

void SearchTab::slotSearchTabCloseRequested(int index)
{
    closePage(index);
    updateControls();
}

void SearchTab::slotSearchCloseAllTabs()
{
    for (int index = ui.tabWidgetSearchNzb->count() - 1; index >= 0; --index)
        closePage(index);
    updateControls();
}

FrameSearchResults *SearchTab::currentPage() const
{
    return qobject_cast<FrameSearchResults *>(ui.tabWidgetSearchNzb->currentWidget());
}

void SearchTab::slotSearchButtonDownloadNzb()
{
    downloadSelectionTo(QString());
}

void SearchTab::slotDownloadNzbDestinationTriggered()
{
    if (auto *action = qobject_cast<QAction *>(sender()))
        downloadSelectionTo(action->data().toString());
}

void SearchTab::downloadSelectionTo(const QString &destination)
{
    FrameSearchResults *page = currentPage();
    if (!page)
        return;
    QString why;
    const QString folder = NzbHandOverFolder::make(nzbFolder(), &why);
    if (folder.isEmpty()) {
        showError(QCoreApplication::translate("MainWindow", "Download error : %1")
                      .arg(QCoreApplication::translate("MainWindow", "Cannot create folder %1: %2")
                               .arg(QDir::toNativeSeparators(nzbFolder()), why)));
        return;
    }
    downloadingPage = page;
    strHandOverFolder = folder;
    updateControls();
    page->downloadSelection(folder, destination);
}

void SearchTab::slotSearchNzbDownloaded(bool bError, QString strError, QString strNzbPath, QString strDestination)
{
    auto *page = qobject_cast<FrameSearchResults *>(sender());
    if (!page || page == downloadingPage)
        downloadingPage.clear();
    updateControls();
    if (bError) {
        NzbHandOverFolder::removeFolder(strHandOverFolder);
        showError(QCoreApplication::translate("MainWindow", "Download error : %1").arg(strError));
        return;
    }
    if (addNzbFile)
        addNzbFile(strNzbPath, QFileInfo(strNzbPath).completeBaseName(), strDestination);
    NzbHandOverFolder::removeFile(strNzbPath);
}

void SearchTab::updateControls()
{
    const bool searching = !searchingPage.isNull();
    const bool downloading = !downloadingPage.isNull();
    const FrameSearchResults *page = currentPage();
    const bool pageBusy = page && page->isBusy();
    ui.pushButtonSearchNzb->setEnabled(!searching);
    ui.lineEditSearch->setEnabled(!searching);
    ui.pushButtonSearchDownloadNzb->setEnabled(!searching && !downloading && !pageBusy);
    ui.pushButtonSearchDownloadNzbDestination->setEnabled(!searching && !downloading && !pageBusy);
    ui.pushButtonSearchCloseAllTabs->setEnabled(!searching && !downloading);
    ui.window->setCursor((searching || downloading) ? Qt::WaitCursor : Qt::ArrowCursor);
}

void SearchTab::showError(const QString &text)
{
    QMessageBox::critical(ui.window, AppVersion::displayName(), text, QMessageBox::Ok);
}
