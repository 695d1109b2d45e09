#ifndef MDPRIORITYCHANGEEVENT_H
#define MDPRIORITYCHANGEEVENT_H

#include <QEvent>
#include <QThread>

// Posted once by main to the main window, right after its first showing: once the event loop
// runs, the window raises the GUI thread to the priority it carries.
class MDPriorityChangeEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 200);

    explicit MDPriorityChangeEvent(QThread::Priority priority);

    int priority;
};

#endif // MDPRIORITYCHANGEEVENT_H
