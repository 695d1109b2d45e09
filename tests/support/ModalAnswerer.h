#ifndef MODALANSWERER_H
#define MODALANSWERER_H

#include <QElapsedTimer>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

// Answers the modal windows that the code under test opens (message boxes, file choosers,
// dialogs run with exec()). A test queues one answer per window it expects, then runs the code:
// a timer that keeps running inside the window's own event loop watches
// QApplication::activeModalWidget() and applies the next answer to each new modal window.
// What each window showed is kept in seen().
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    struct Seen
    {
        QString className;
        QString objectName;
        QString title;
        QString text;            // a message box's text, else empty
        QString informativeText; // a message box's informative text, else empty
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    explicit ModalAnswerer(QObject *parent = nullptr);
    ~ModalAnswerer() override;

    // Presses a standard button of the next message box.
    void pressNext(QMessageBox::StandardButton button);
    // Clicks the button of the next modal window whose text, without '&', is `text`.
    void clickNext(const QString &text);
    // Chooses `path` in the next file dialog and accepts it.
    void chooseFileNext(const QString &path);
    // Accepts or rejects the next dialog (a message box: its default or escape button).
    void acceptNext();
    void rejectNext();
    // Hands the next modal window to `handler`, which must close it.
    void handleNext(const std::function<void(QWidget *)> &handler);

    // Processes events until `count` windows have been answered; false on time-out.
    bool waitForAnswered(int count, int timeoutMs = 10000);

    int answeredCount() const { return seenWindows.size(); }
    int pendingCount() const { return answers.size(); }
    const QList<Seen> &seen() const { return seenWindows; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void poll();

private:
    QTimer timer;
    QQueue<std::function<void(QWidget *)>> answers;
    QList<Seen> seenWindows;
    QPointer<QWidget> lastAnswered;
    // A modal window that no queued answer is left for would hang the test until ctest's time-out: after
    // kStuckMs it is named in the log and closed, so the test fails where it went wrong.
    static constexpr int kStuckMs = 30000;
    QPointer<QWidget> waitingWindow;
    QElapsedTimer waitingSince;

    void closeIfStuck(QWidget *window);
};

#endif // MODALANSWERER_H
