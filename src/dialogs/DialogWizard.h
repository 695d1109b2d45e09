#ifndef DIALOGWIZARD_H
#define DIALOGWIZARD_H

#include <QDialog>
#include <QString>

namespace Ui {
class DialogWizard;
}

// The three-page assistant in which a user without a news server describes the first one:
// address, credentials, SSL and number of connections. It only collects and checks the values;
// Finished accepts it, and whoever listens to accepted() reads the getters. The same wizard can
// be shown again after reset().
class DialogWizard : public QDialog
{
    Q_OBJECT

public:
    explicit DialogWizard(QWidget *parent = nullptr);
    ~DialogWizard() override;

    void reset();

    // The address without a port typed after it ("news.example.net:563").
    QString getServerName() const;
    // The port typed after the address, 0 when none was (the usual port then applies).
    int getServerPort() const;
    bool isServerSsl() const;
    bool isAuthenticationNeeded() const;
    QString getLogin() const;
    QString getPassword() const;
    uint getNbConnections() const;

public slots:
    void slotNextButton();
    void slotBackButton();

private:
    enum Page { ServerPage = 0, CredentialsPage = 1, EndPage = 2 };

    void refuse(const QString &message);
    void showEndPage();

    Ui::DialogWizard *ui;
};

#endif // DIALOGWIZARD_H
