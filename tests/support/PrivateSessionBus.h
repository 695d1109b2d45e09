#ifndef PRIVATESESSIONBUS_H
#define PRIVATESESSIONBUS_H

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <unistd.h>
#include <vector>

// Tests that talk D-Bus run on a session bus of their own, never on the user's: the test program
// starts itself again under dbus-run-session, which gives it a private bus for its lifetime.
// Call first thing in main(); it returns only inside the private session (or when the exec fails,
// with false).
namespace PrivateSessionBus {

inline bool enter(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("TQ_PRIVATE_SESSION_BUS"))
        return true;
    qputenv("TQ_PRIVATE_SESSION_BUS", "1");
    // No system bus either: nothing may reach the machine's login manager.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/tessaquill-test-system-bus");
    std::vector<char *> arguments;
    arguments.push_back(const_cast<char *>("dbus-run-session"));
    arguments.push_back(const_cast<char *>("--"));
    for (int i = 0; i < argc; ++i)
        arguments.push_back(argv[i]);
    arguments.push_back(nullptr);
    execvp("dbus-run-session", arguments.data());
    std::perror("dbus-run-session");
    return false;
}

} // namespace PrivateSessionBus

#endif // PRIVATESESSIONBUS_H
