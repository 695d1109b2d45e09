#ifndef DIALOGWEBAUTHENTICATION_H
#define DIALOGWEBAUTHENTICATION_H

#include <QDialog>
#include <QString>

namespace Ui {
class DialogWebAuthentication;
}

// Asks the user for the user name and password a web site wants.
class DialogWebAuthentication : public QDialog
{
    Q_OBJECT

public:
    explicit DialogWebAuthentication(QWidget *parent = nullptr);
    ~DialogWebAuthentication() override;

    void setText(const QString &text);
    QString getUser() const;
    QString getPassword() const;

private:
    Ui::DialogWebAuthentication *ui;
};

#endif // DIALOGWEBAUTHENTICATION_H
