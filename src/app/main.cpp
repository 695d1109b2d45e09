#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "widgets/AppTranslations.h"
#include "widgets/AppVersion.h"
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
    QStringList listArguments = QCoreApplication::arguments();
    QTextStream errors(stderr);

    SingleInstance instance;
    if (instance.isRunning()) {
        const ProgramStart::HandOver handOver =
            ProgramStart::handOver(instance, listArguments.mid(1), QDir::current(), errors);
        if (!handOver.bRunItself)
            return handOver.exitCode;
        listArguments = listArguments.mid(0, 1) + handOver.listNotTaken;
    }
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

    // A request to end while the window is being built (a message box of its construction runs
    // an event loop) ends that loop at once, and the exit runs once the window exists.
    bool bEndRequested = false;
    const QMetaObject::Connection endWhileBuilding =
        QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, [&bEndRequested] {
            bEndRequested = true;
            QCoreApplication::exit(0);
        });
    MainWindow window;
    QObject::disconnect(endWhileBuilding);
    QObject::connect(&instance, &SingleInstance::messageReceived, &window, &MainWindow::handleMessage);
    QObject::connect(&window, &MainWindow::signalExitBegun, &instance, &SingleInstance::stopAccepting);
    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, &window,
                     &MainWindow::slotExitWithoutQuestion);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     &MainWindow::slotExitWithoutQuestion);
    if (bEndRequested)
        window.slotExitWithoutQuestion();
    if (!bLoaded)
        window.reportConfigurationError(config->lastError);
    window.reportUnreadableSavedState();
    window.loadNzbFromArguments(listArguments);
    // The exit may have run already, from the event loop of a message box of the start (an NZB
    // that could not be read): everything is saved, and no loop is left to run.
    if (window.isClosing())
        return 0;
    window.setVisible(true);
    QCoreApplication::postEvent(&window, new MDPriorityChangeEvent(QThread::HighPriority));
    return QApplication::exec();
}
