#ifndef DIALOGWEBFAVOURITE_H
#define DIALOGWEBFAVOURITE_H

#include <QDialog>
#include <QString>

namespace Ui {
class DialogWebFavourite;
}

// The title and address of a favourite of the web browser, as the user confirms them. The
// dialog itself checks nothing.
class DialogWebFavourite : public QDialog
{
    Q_OBJECT

public:
    explicit DialogWebFavourite(QWidget *parent = nullptr);
    ~DialogWebFavourite() override;

    void setTitle(const QString &title);
    void setUrl(const QString &url);
    // The fields' texts, trimmed.
    QString getTitle();
    QString getUrl();

private:
    Ui::DialogWebFavourite *ui;
    QString title;
    QString url;
};

#endif // DIALOGWEBFAVOURITE_H
