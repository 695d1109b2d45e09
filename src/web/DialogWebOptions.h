#ifndef DIALOGWEBOPTIONS_H
#define DIALOGWEBOPTIONS_H

#include <QDialog>
#include <QHash>
#include <QString>

namespace Ui {
class DialogWebOptions;
}

// The web browser's options: the favourites (renamed, edited and deleted in a table), the home
// page and whether it loads at start-up, and the plug-in, Java and JavaScript switches. It shows
// the configuration and, on Ok, checks the favourites and keeps everything in its public
// members for the caller; it stores nothing itself.
class DialogWebOptions : public QDialog
{
    Q_OBJECT

public:
    explicit DialogWebOptions(QWidget *parent = nullptr);
    ~DialogWebOptions() override;

    QHash<QString, QString> favourites; // title -> URL
    QString homePage;
    bool homePageLaunch = false;
    bool pluginsEnabled = false;
    bool javaEnabled = false;
    bool javascriptEnabled = false;

public slots:
    void deleteSelectedFavourites();
    void onOkClicked();

private:
    void fillFavourites(const QHash<QString, QString> &configured);
    void refuse(const QString &text);

    Ui::DialogWebOptions *ui;
};

#endif // DIALOGWEBOPTIONS_H
