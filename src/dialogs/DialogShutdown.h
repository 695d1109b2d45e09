#ifndef DIALOGSHUTDOWN_H
#define DIALOGSHUTDOWN_H

#include <QDialog>
#include <QList>

class QRadioButton;

namespace Ui {
class DialogShutdown;
}

// Chooses what happens when the download queue is finished (nothing, close the program, shut
// the computer down, standby, hibernate) and whether the choice is armed again at the next
// start. Ok stores both in the configuration and writes the configuration file; the caller reads
// the action back from the configuration.
class DialogShutdown : public QDialog
{
    Q_OBJECT

public:
    explicit DialogShutdown(QWidget *parent = nullptr);
    ~DialogShutdown() override;

public slots:
    void slotButtonOk();

private:
    // The radio buttons in the order of the action types 0 to 4.
    QList<QRadioButton *> typeButtons() const;

    Ui::DialogShutdown *ui;
};

#endif // DIALOGSHUTDOWN_H
