#include "dialogs/DialogShutdown.h"

#include "ui_DialogShutdown.h"

#include "config/AppConfiguration.h"
#include "widgets/WindowTextFit.h"

DialogShutdown::DialogShutdown(QWidget *parent)
    : QDialog(parent),
      ui(new Ui::DialogShutdown)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
    const AppConfiguration *configuration = AppConfiguration::getInstance();
    ui->checkBoxSaveShutdownConfiguration->setChecked(configuration->shutdownSaved);
    // An unknown type leaves "No shutdown" checked, as the form has it.
    QRadioButton *configured = typeButtons().value(configuration->shutdownType);
    if (configured)
        configured->setChecked(true);
}

DialogShutdown::~DialogShutdown()
{
    delete ui;
}

QList<QRadioButton *> DialogShutdown::typeButtons() const
{
    return {ui->radioButtonNoShutdown, ui->radioButtonCloseApplication, ui->radioButtonShutdownComputer,
            ui->radioButtonSleepComputer, ui->radioButtonHibernate};
}

void DialogShutdown::slotButtonOk()
{
    AppConfiguration *configuration = AppConfiguration::getInstance();
    configuration->shutdownSaved = ui->checkBoxSaveShutdownConfiguration->isChecked();
    const QList<QRadioButton *> buttons = typeButtons();
    for (int type = 0; type < buttons.size(); ++type) {
        if (buttons.at(type)->isChecked()) {
            configuration->shutdownType = type;
            break;
        }
    }
    configuration->saveConfiguration();
    accept();
}
