#ifndef DIALOGDESTINATIONFOLDERS_H
#define DIALOGDESTINATIONFOLDERS_H

#include <QDialog>
#include <QStringList>

namespace Ui {
class DialogDestinationFolders;
}

// The editor of the named destination folders: a table of label and path, sorted by label, that
// replaces the configuration's destinations (and saves the configuration) only on Ok.
class DialogDestinationFolders : public QDialog
{
    Q_OBJECT

public:
    explicit DialogDestinationFolders(QWidget *parent = nullptr);
    ~DialogDestinationFolders() override;

public slots:
    void slotAddDestination();
    void slotDeleteDestination();
    void slotModifyDestination();
    void slotButtonOk();

private:
    void fillTable();
    void setRow(int row, const QString &label, const QString &path);
    int selectedRow() const;
    // Labels of every row but `exceptRow` (-1: of every row).
    QStringList labels(int exceptRow) const;
    void sortByLabel();

    Ui::DialogDestinationFolders *ui;
};

#endif // DIALOGDESTINATIONFOLDERS_H
