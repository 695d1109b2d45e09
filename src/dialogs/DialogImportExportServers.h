#ifndef DIALOGIMPORTEXPORTSERVERS_H
#define DIALOGIMPORTEXPORTSERVERS_H

#include <QDialog>
#include <QList>
#include <QString>

class NntpServer;

namespace Ui {
class DialogImportExportServers;
}

// The check list of the servers import and export: one checkable row per server, the details
// of the current row below it, Ok and Cancel. Also home to the servers files themselves: the
// current servers file (".tvp", XML) written and read back, and the older one (".tvs"), whose
// passwords go through an outside converter program.
class DialogImportExportServers : public QDialog
{
    Q_OBJECT

public:
    // The converter of the older file's passwords, looked for in the program's own folder only.
    static const char *const ConverterProgram;
    // Longest run allowed to the converter for one password, in milliseconds: the GUI waits for
    // it, so a hung converter must not freeze the program.
    enum { ConverterTimeLimitMs = 10000 };
    // The most servers read from one file. People keep a handful; a thousand leaves room for
    // any list a provider hands out, while reading, converting and listing them stays quick. A
    // file of more is refused whole: nothing is lost, the file stays as it is.
    enum { MaxServersInFile = 1000 };
    // The largest servers file read. The most servers above, every text at the editor's bound
    // and each character written escaped (six bytes), take less than 11 MiB.
    enum { MaxServersFileBytes = 16 * 1024 * 1024 };

    enum SaveResult {
        Saved,
        NotCreated, // the file could not be opened for writing, or is no regular file
        NotWritten  // writing or replacing failed (disk full...); any earlier file is untouched
    };

    explicit DialogImportExportServers(QWidget *parent = nullptr);
    ~DialogImportExportServers() override;

    // Shows the servers (borrowed: the dialog never deletes them), every row checked, worded
    // for an import or an export.
    void init(const QList<NntpServer *> &servers, bool import);
    // The servers of the checked rows, in row order.
    QList<NntpServer *> checkedServers() const;

    // New servers read from a servers file, in file order, owned by the caller; empty when the
    // file cannot be opened, is not well-formed XML or holds no server, and then `whyNone`, when
    // given, says which, for the user.
    static QList<NntpServer *> readServersFile(const QString &filePath, QString *whyNone = nullptr);
    // The same for an older servers file. Each non-empty password is replaced by what the
    // converter prints for it; a record whose password cannot be converted (converter missing,
    // failing, killed or past its time limit) is left out.
    static QList<NntpServer *> readOldServersFile(const QString &filePath, QString *whyNone = nullptr);
    static QList<NntpServer *> readOldServersFile(const QString &filePath,
                                                  const QString &converterFolder,
                                                  int timeLimitMs, QString *whyNone = nullptr);
    // Writes the servers, in list order, into a servers file at `filePath`, replacing the whole
    // file in one step once everything is written.
    static SaveResult saveServersFile(const QString &filePath, const QList<NntpServer *> &servers);

public slots:
    void itemSelectionChanged();

private:
    Ui::DialogImportExportServers *ui;
    QList<NntpServer *> servers;
};

#endif // DIALOGIMPORTEXPORTSERVERS_H
