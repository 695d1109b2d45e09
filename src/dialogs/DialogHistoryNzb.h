#ifndef DIALOGHISTORYNZB_H
#define DIALOGHISTORYNZB_H

#include <QDate>
#include <QDialog>
#include <QFileInfo>
#include <QList>
#include <QString>

class NzbFiles;
class QDateEdit;
class QTableWidgetItem;

namespace Ui {
class DialogHistoryNzb;
}

// The NZB history window: lists the history entries added between two dates whose name holds a
// filter text, shows the files of the entry clicked, and exports the ticked files to an NZB file
// or writes them into the NZB folder of the Cache folder and hands that file on for download
// (historyNzbToDownload). Entries are deleted one at a time or all together. Modeless; the main
// window builds it anew for each opening after it was closed.
class DialogHistoryNzb : public QDialog
{
    Q_OBJECT

public:
    explicit DialogHistoryNzb(QWidget *parent = nullptr);
    ~DialogHistoryNzb() override;

    // A size in KiB with the window's own unit words.
    static QString formatSize(double kib);

signals:
    // A complete NZB file of the ticked files, written for download; the receiver deletes it.
    void historyNzbToDownload(QString strFilepath);

public slots:
    void slotPopupFromCalendar();
    void slotPopupToCalendar();
    void slotRefreshNzbHisto();
    void slotFilterTextChanged(const QString &text);
    void slotDeleteNzbSelected();
    void slotDeleteAllHistory();
    void slotExportToNzb();
    void slotDownloadSelection();
    void dateFromChanged(const QDate &date);
    void dateToChanged(const QDate &date);
    void historyNzbClicked(QTableWidgetItem *item);
    void nzbFileClicked(QTableWidgetItem *item);
    void checkBoxSelectAllFilesClicked();

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void fileItemChanged(QTableWidgetItem *item);

private:
    void refreshList(const QDate &from, const QDate &to, const QString &filter);
    void fillHistoryList(const QList<QFileInfo> &entries);
    void popupCalendar(QDateEdit *edit);
    void clearFilesTable();
    void showLoadedNzb(NzbFiles *nzb);
    void dropCurrentNzb();
    void takeOverTicks();
    void showSelection(qint64 fileCount, quint64 totalBytes);
    QString selectedEntryPath() const;
    bool writeSelection(const QString &path);
    static QString fileDisplayName(const QString &subject);
    static QString nzbFolder();

    Ui::DialogHistoryNzb *ui;
    QList<QFileInfo> listHistoryFiles;
    QString currentPath;
    NzbFiles *currentNzb = nullptr;
};

#endif // DIALOGHISTORYNZB_H
