#ifndef DIALOGSERVERMANAGEMENT_H
#define DIALOGSERVERMANAGEMENT_H

#include <QDateTime>
#include <QDialog>
#include <QPointer>
#include <QString>

class NntpServer;
class QCloseEvent;
class QKeyEvent;
class QLineEdit;
class ThreadTestConnection;

namespace Ui {
class DialogServerManagement;
}

// Creates or edits one news server: the caller fills the fields through the setters, runs the
// dialog with exec() and, once it is accepted, copies the fields of `server` and reads
// isCounterReset(). The dialog only builds and checks the record; it stores nothing. A live
// connection test runs in a ThreadTestConnection while the dialog stays responsive.
class DialogServerManagement : public QDialog
{
    Q_OBJECT

public:
    explicit DialogServerManagement(QWidget *parent = nullptr);
    ~DialogServerManagement() override;

    void setTitle(const QString &title);
    void setServerName(const QString &name);
    void setServerNickname(const QString &nickname);
    void setServerPort(uint port);
    void setNbConnections(uint count);
    // Rewrites the port field with the flag's default port: set it before the port.
    void setSecuredConnection(bool ssl);
    void setAuthentication(const QString &login, const QString &password);
    void setCounter(quint64 bytes, const QDateTime &since);

    bool isCounterReset() const { return counterReset; }

    // Time allowed to each step of a connection test; 0 (the default) keeps the connection's
    // own 30 seconds. Tests shorten it.
    void setConnectionTestTimeout(int milliseconds) { testTimeoutMs = milliseconds; }

    // The record built from the fields; a child of the dialog, valid after an accepted exec().
    NntpServer *server;

public slots:
    void lineEditPortFinished();
    void lineEditServerNameFinished();
    void slotDialogOk();
    void slotAuthenticationCheckChanged(int state);
    void slotSslCheckChanged(int state);
    void slotTestConnection();
    void slotInterruptTestConnection();
    void slotEndTestConnection(bool ok, QString error);
    void slotResetCounter();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void slotConnectionFieldChanged();

private:
    void createServerFromFields();
    bool checkServerFields();
    static QString formatSize(double kib);

    void deleteServer();
    bool refuse(const QString &message, QLineEdit *field);
    void showTestRunning();
    void showTestIdle();
    void forgetTestThread();
    bool isTesting() const;
    QString restingTestText() const;

    Ui::DialogServerManagement *ui;
    // The thread of the latest test; not owned (it deletes itself when its run ends).
    QPointer<ThreadTestConnection> testThread;
    bool counterReset;
    bool fieldsChangedDuringTest;
    int testTimeoutMs;
};

#endif // DIALOGSERVERMANAGEMENT_H
