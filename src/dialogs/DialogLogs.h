#ifndef DIALOGLOGS_H
#define DIALOGLOGS_H

#include <QDialog>
#include <QString>
#include <QTimer>

class QCloseEvent;
class QKeyEvent;
class QShowEvent;

namespace Ui {
class DialogLogs;
}

// The log viewer: the log files of the logs folder, newest first; the INFO, WARN and ERROR
// lines of the chosen one, newest on top, coloured by level; a timed re-reading while the file
// grows; deletion of log files other than the one this run writes. The main window builds one
// and keeps it: Ok and the close button only hide it, reopen() prepares it for the next showing.
class DialogLogs : public QDialog
{
    Q_OBJECT

public:
    explicit DialogLogs(QWidget *parent = nullptr);
    ~DialogLogs() override;

    void reopen();
    // Lists the log files again, chooses the shown one and restarts the timed refresh.
    void refreshLogList();

    // The timer's object name, for whoever needs to watch it.
    static const char *const RefreshTimerName;

public slots:
    void refreshTimeEditFinished();
    void buttonOkClicked();
    void loadLogFile();
    void comboBoxLogNameIndexChanged(int index);
    void checkProcessNewData();
    void deleteCurrentLogFile();
    void deleteAllLogs();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct Line
    {
        QString time;
        QString message;
        int level = 0;
    };

    void showFile(const QString &fileName);
    void startRefreshWhenWanted();
    void fillTable(const QList<Line> &lines);
    static bool parseLine(const QString &text, Line &line);
    static QString entryText(const QString &fileName);
    bool askDeletion(const QString &text, const QString &informativeText) const;

    Ui::DialogLogs *ui;
    QTimer refreshTimer;
    QString shownFilePath;
    qint64 shownFileSize = 0;
    bool closing = false;
    int refreshIntervalMs = 5000;
    bool loggingOffNoticeShown = false;
    bool shownFileIsNew = false;   // the next reading reads it whatever its size
    bool shownFileMissing = false; // the last reading found no file
};

#endif // DIALOGLOGS_H
