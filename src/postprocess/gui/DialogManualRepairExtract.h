#ifndef DIALOGMANUALREPAIREXTRACT_H
#define DIALOGMANUALREPAIREXTRACT_H

#include "postprocess/ParityJob.h"
#include "postprocess/UnrarJob.h"
#include "postprocess/UnsplitJob.h"

#include <QDialog>
#include <QFileInfoList>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class QCloseEvent;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QThread;
class ThreadParity;
class ThreadUnrar;
class ThreadUnsplit;

namespace Ui {
class DialogManualRepairExtract;
}

// Runs par2 verification and repair, RAR extraction and the joining of split files by hand,
// on folders the user picks, with workers of its own beside the download manager's. One job
// runs at a time: while it runs, nothing that could start another job, pick another folder
// or close the dialog is enabled, and the running area's start button stops it.
//
// A stopped worker is asked to end (its stop flag ends the outside program or the join and
// removes what the join wrote) and the area stays busy until the worker has ended and been
// started again; a job is handed to a worker only once it takes jobs. The done and progress
// signals of a job that was stopped are ignored.
class DialogManualRepairExtract : public QDialog
{
    Q_OBJECT

public:
    explicit DialogManualRepairExtract(QWidget* parent = nullptr);
    // Stops the workers and waits for them; a worker that has not ended by then is left to
    // delete itself when it ends, so that closing never blocks for long.
    ~DialogManualRepairExtract() override;

    // Where par2 and unrar are looked for (the program's own folder by default).
    void setProgramFolder(const QString& folder);

    // The "*.par2" files of a folder (any case; plain files, no hidden ones), by name with
    // upper case first. A repair runs on each PAR2 set among them, one after the other.
    static QFileInfoList par2Files(const QString& folder);
    // The joining progress of volume `current` out of `total`, as a whole percentage capped
    // at 100; 0 when the total is unknown (0).
    static int unsplitPercent(quint32 current, quint32 total);

public slots:
    void slotPar2BrowsePath();
    void slotPar2StopStart();
    void par2DoneSlot(ParityJob job, int result, quint32 notStarted);
    void par2ProgressSignal(quint32 jobId, QString status);
    void slotUnrarBrowsePath();
    void slotUnrarDestinationBrowsePath();
    void slotUnrarStopStart();
    void unrarProgressSignal(QString percentComplete, quint32 jobId);
    void unrarDoneSlot(UnrarJob job, int result, quint32 status);
    void slotUnsplitBrowsePath();
    void slotUnsplitDestinationBrowsePath();
    void slotUnsplitStopStart();
    void unsplitProgress(quint32 jobId, quint32 current, quint32 total);
    void unsplitDoneSlot(UnsplitJob job, int result, QString error);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class AreaState { Idle, Running, Stopping };

    // One of the three rows of controls with its worker.
    struct Area
    {
        QThread* worker = nullptr;
        std::atomic<bool>* stopFlag = nullptr;
        std::function<bool()> isTakingJobs;
        // Hands the area's job to its worker; set while the job waits for the worker to
        // take jobs (after a start or a restart).
        std::function<void()> pendingHandOver;
        QPushButton* startButton = nullptr;
        QList<QPushButton*> browseButtons;
        QList<QLineEdit*> requiredFields;
        QLineEdit* progressField = nullptr;
        QString idleText;
        QString runningText;
        AreaState state = AreaState::Idle;
    };

    void setUpAreas();
    void connectWorkers();
    QList<Area*> areas();
    bool anyAreaBusy() const;

    void browseInto(QLineEdit* field, const QString& caption);
    void startOrStop(Area& area, const std::function<bool()>& startJob);
    bool startPar2Job();
    bool startUnrarJob();
    bool startUnsplitJob();
    // The folder named by a path field exists; otherwise shows `message` with the path.
    bool checkFolder(const QLineEdit* field, const QString& message);

    void beginJob(Area& area, std::function<void()> handOver);
    void tryHandOver(Area& area);
    void stopJob(Area& area);
    void workerEnded(Area& area);
    // Whether a done signal belongs to the area's running job; if so, the area is idle again.
    bool endJob(Area& area);
    void returnToIdle(Area& area);
    void setStartButtonsByReadiness();
    void showPar2Results();

    // Sets every worker's stop flag and waits until all have ended or the time is up.
    void stopWorkersForGood();

    std::unique_ptr<Ui::DialogManualRepairExtract> ui;
    // Deleted by the destructor once ended, or by themselves when they end later.
    ThreadParity* m_parity = nullptr;
    ThreadUnrar* m_unrar = nullptr;
    ThreadUnsplit* m_unsplit = nullptr;
    // The PAR2 run in progress: one job per set of the folder, and the result of each set done.
    struct Par2SetResult
    {
        QString set;
        int result = 0;
        QString blocksNeeded;
    };
    QStringList m_par2Sets;
    QList<Par2SetResult> m_par2Results;
    Area m_par2Area;
    Area m_unrarArea;
    Area m_unsplitArea;
};

#endif // DIALOGMANUALREPAIREXTRACT_H
