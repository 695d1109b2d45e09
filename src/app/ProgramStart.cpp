#include "app/ProgramStart.h"

#include "app/AppVersion.h"
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

void ProgramStart::setIdentity()
{
    QCoreApplication::setOrganizationDomain(QStringLiteral("Ostrel"));
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessaquill_Plus"));
    QCoreApplication::setApplicationVersion(AppVersion::version());
    QGuiApplication::setDesktopFileName(QStringLiteral("tessaquill"));
}

QString ProgramStart::absoluteArgument(const QString &strArgument, const QDir &currentFolder)
{
    if (strArgument.isEmpty() || QDir::isAbsolutePath(strArgument))
        return strArgument;
    return QDir::cleanPath(currentFolder.absoluteFilePath(strArgument));
}

int ProgramStart::handOver(SingleInstance &instance, const QStringList &listArguments, const QDir &currentFolder,
                           QTextStream &errors)
{
    for (const QString &argument : listArguments) {
        const QString message = absoluteArgument(argument, currentFolder);
        if (!instance.sendMessage(message, kHandOverTimeoutMs)) {
            errors << AppVersion::displayName() << ": " << message << ": " << instance.errorString() << '\n';
            errors.flush();
            return 1;
        }
    }
    return 0;
}
