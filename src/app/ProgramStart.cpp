#include "app/ProgramStart.h"

#include "widgets/AppVersion.h"
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

namespace {

void reportNotHandedOver(QTextStream &errors, const QString &argument, const QString &reason)
{
    errors << AppVersion::displayName() << ": ";
    if (!argument.isEmpty())
        errors << argument << ": ";
    errors << reason << '\n';
    errors.flush();
}

} // namespace

ProgramStart::HandOver ProgramStart::handOver(SingleInstance &instance, const QStringList &listArguments,
                                              const QDir &currentFolder, QTextStream &errors)
{
    HandOver result;
    if (!instance.isReachable()) {
        const QString first = listArguments.isEmpty() ? QString() : absoluteArgument(listArguments.first(), currentFolder);
        reportNotHandedOver(errors, first, instance.errorString());
        result.exitCode = 1;
        return result;
    }
    for (int i = 0; i < listArguments.size(); ++i) {
        const QString message = absoluteArgument(listArguments.at(i), currentFolder);
        const SingleInstance::Delivery delivery = instance.sendMessage(message, kHandOverTimeoutMs);
        if (delivery == SingleInstance::Delivery::Taken)
            continue;
        const bool bRefused = delivery == SingleInstance::Delivery::Refused;
        const QString reason = instance.errorString();
        if (bRefused)
            reportNotHandedOver(errors, QString(),
                                QStringLiteral("the running program is ending; this start runs in its place once it "
                                               "has ended"));
        // A program that is ending is waited for as long as it takes; one that did not answer
        // only a moment, in case it was just ending.
        if (instance.takeOver(bRefused ? -1 : kEndingProgramWaitMs)) {
            result.bRunItself = true;
            for (int j = i; j < listArguments.size(); ++j)
                result.listNotTaken << absoluteArgument(listArguments.at(j), currentFolder);
            return result;
        }
        reportNotHandedOver(errors, message, bRefused ? instance.errorString() : reason);
        result.exitCode = 1;
        return result;
    }
    return result;
}
