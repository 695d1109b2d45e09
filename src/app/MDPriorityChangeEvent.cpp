#include "app/MDPriorityChangeEvent.h"

MDPriorityChangeEvent::MDPriorityChangeEvent(QThread::Priority priority)
    : QEvent(kType)
    , priority(priority)
{
}
