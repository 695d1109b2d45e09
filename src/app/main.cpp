#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/AppTranslations.h"
#include "app/AppVersion.h"
#include "app/MDPriorityChangeEvent.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The arguments as the system's locale spells file names, without Qt's own options.
    const QStringList listArguments = QCoreApplication::arguments();
    QTextStream errors(stderr);

    SingleInstance instance;
    if (instance.isRunning())
        return ProgramStart::handOver(instance, listArguments.mid(1), QDir::current(), errors);
    if (!instance.isListening())
        errors << AppVersion::displayName() << ": a later start cannot hand its files over: "
               << instance.errorString() << Qt::endl;

    AppConfiguration *config = AppConfiguration::getInstance();
    const bool bLoaded = config->initialize();
    if (!bLoaded)
        errors << AppVersion::displayName() << ": " << config->lastError << Qt::endl;
    AppTranslations translations;
    config->languageName = translations.install(config->languageName);
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
    ProgramStart::setIdentity();
    // Only the exit sequence ends the program: the window may be hidden in the tray while a
    // dialog is closed.
    QApplication::setQuitOnLastWindowClosed(false);
    TerminationSignals terminationSignals;

    MainWindow window;
    QObject::connect(&instance, &SingleInstance::messageReceived, &window, &MainWindow::handleMessage);
    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, &window,
                     &MainWindow::slotExitWithoutQuestion);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     &MainWindow::slotExitWithoutQuestion);
    if (!bLoaded)
        window.reportConfigurationError(config->lastError);
    window.reportUnreadableSavedState();
    window.loadNzbFromArguments(listArguments);
    window.setVisible(true);
    QCoreApplication::postEvent(&window, new MDPriorityChangeEvent(QThread::HighPriority));
    return QApplication::exec();
}
