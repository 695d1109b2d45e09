#include "app/AppVersion.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << AppVersion::displayName() << ' ' << AppVersion::version()
        << ": the main window is not part of this build yet; nothing to show." << Qt::endl;
    return 0;
}
