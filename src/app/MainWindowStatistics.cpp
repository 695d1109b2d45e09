// The one-second statistics tick: speeds, totals, time left, the speed chart, the tool tips,
// the server counters and the taskbar progress.
#include "app/MainWindow.h"

// TODO(servers): the tick. The taskbar entry is taskbarList (null without a session bus):
// setProgressState(TaskbarProgress::NoProgress / Normal / Paused), then
// updateWin7ProgressBarValue(percent).
void MainWindow::slotCurrentSpeedDownload()
{
}
