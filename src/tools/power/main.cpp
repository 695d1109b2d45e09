// tessaquill-power poweroff|suspend|hibernate: asks the login manager for the action. Exit code 0
// when it was asked and accepted; otherwise a message on standard error and the code of
// LoginManagerPower::Result.
#include "LoginManagerPower.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    LoginManagerPower::Action action = LoginManagerPower::Action::PowerOff;
    if (arguments.size() != 2 || !LoginManagerPower::parseAction(arguments.at(1), action)) {
        std::fprintf(stderr, "Usage: tessaquill-power poweroff|suspend|hibernate\n");
        return LoginManagerPower::BadArguments;
    }
    LoginManagerPower power(LoginManagerPower::busFromEnvironment());
    const LoginManagerPower::Result result = power.run(action);
    if (result != LoginManagerPower::Done)
        std::fprintf(stderr, "%s\n", power.message().toLocal8Bit().constData());
    return result;
}
