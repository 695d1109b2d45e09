// The action once the queue is finished: close the program, or power off, suspend or hibernate.
#include "app/MainWindow.h"

// TODO(commands): the one-second check of timerShutdown. Closing the program goes through
// slotExitWithoutQuestion(), which runs the orderly exit without the question.
void MainWindow::slotShutdownTick()
{
}
