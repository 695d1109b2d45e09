#ifndef TERMINATIONSIGNALS_H
#define TERMINATIONSIGNALS_H

#include <QObject>

class QSocketNotifier;

// Turns the signals that ask a program to end (SIGTERM from the session or the system, SIGHUP
// when its terminal goes away, SIGINT from Ctrl+C) into a Qt signal delivered by the event loop,
// so that the program can end in order instead of being cut off. The handler only writes the
// signal's number into a pipe; the rest runs in the thread of this object. One object at a time;
// the default handling comes back when it is destroyed.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // False when the handlers could not be installed (another object holds them, or no pipe).
    bool isInstalled() const { return notifier != nullptr; }

signals:
    void terminationRequested(int signalNumber);

private slots:
    void readSignals();

private:
    QSocketNotifier *notifier = nullptr;
};

#endif // TERMINATIONSIGNALS_H
