#ifndef DIALOGDESTINATIONFOLDERSADDMODIFY_H
#define DIALOGDESTINATIONFOLDERSADDMODIFY_H

#include <QDialog>
#include <QString>
#include <QStringList>

namespace Ui {
class DialogDestinationFoldersAddModify;
}

// One named destination: a label typed by the user and a folder chosen with the browse button.
class DialogDestinationFoldersAddModify : public QDialog
{
    Q_OBJECT

public:
    explicit DialogDestinationFoldersAddModify(QWidget *parent = nullptr);
    ~DialogDestinationFoldersAddModify() override;

    void setValues(const QString &label, const QString &path);
    // Labels that other destinations already have: Ok refuses them, since a label names one
    // destination only.
    void setLabelsInUse(const QStringList &labels);

    QString getLabel() const { return strLabel; }
    QString getPath() const { return strPath; }

public slots:
    void slotButtonOk();
    void slotButtonSearchPath();

private:
    void refuse(const QString &message);

    Ui::DialogDestinationFoldersAddModify *ui;
    QString strLabel;
    QString strPath;
    QStringList labelsInUse;
};

#endif // DIALOGDESTINATIONFOLDERSADDMODIFY_H
