#ifndef DIALOGDOWNLOADNZB_H
#define DIALOGDOWNLOADNZB_H

#include <QDialog>
#include <QString>

class NzbFiles;
class QLineEdit;

namespace Ui {
class DialogDownloadNzb;
}

// What becomes of an NZB added without a destination: a copy of the NZB file saved somewhere,
// or a download of the files left ticked into the default destination, a named destination or
// any folder. The caller reads the answer through the getters after QDialog::Accepted; an
// accepted download has already lost its unticked files.
class DialogDownloadNzb : public QDialog
{
    Q_OBJECT

public:
    explicit DialogDownloadNzb(QWidget *parent = nullptr);
    ~DialogDownloadNzb() override;

    // The NZB stays the caller's; call once, before exec().
    void setNzbFiles(NzbFiles *nzbFiles);

    bool isDownloadNzbSelected() const;
    bool isSaveNzbSelected() const;
    QString getSaveFilePath() const;
    QString getDestinationPath() const;

    // A size in bytes as "bytes", "Kb", "Mb" or "Gb" text.
    static QString formatSize(double bytes);
    // The name a file is listed under: the text between the first and the last double quote of
    // its subject, or the whole subject.
    static QString displayName(const QString &subject);
    // The path a copy is saved to: ".nzb" added to a file name without an extension.
    static QString withNzbExtension(const QString &path);

    void fillDestinations();

public slots:
    void slotButtonOkClicked();
    void slotSaveNzbRadioButtonClicked();
    void slotDownloadNzbRadioButtonClicked();
    void slotSelectAllRadioButtonClicked();
    void slotButtonChooseDestinationPath();
    void slotButtonChooseSaveFilePath();
    void slotButtonConfigureDestinationsFolders();
    void slotDestinationItemClicked();

private:
    void keepFilesListReadable();
    void setSaveGroupEnabled(bool enabled);
    void setDownloadGroupEnabled(bool enabled);
    bool isAnyFileChecked() const;
    bool checkPathField(QLineEdit *field, const QString &message);
    bool refuseWhatIsNoFile(const QString &path);
    bool confirmReplacing(const QString &path);
    void focusSavePath();
    bool checkDestinationUsable();
    void removeUncheckedFiles();
    void unpauseWhenAllPaused();

    Ui::DialogDownloadNzb *ui;
    NzbFiles *nzbFiles = nullptr;
    // The path the chooser gave, whose replacing the chooser asked about.
    QString strChosenSavePath;
};

#endif // DIALOGDOWNLOADNZB_H
