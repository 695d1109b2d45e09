#include "widgets/ConfigurationSave.h"

#include "config/AppConfiguration.h"

#include <QMessageBox>

bool ConfigurationSave::saveOrReport(QWidget *parent, const QString &title)
{
    AppConfiguration *config = AppConfiguration::getInstance();
    if (config->saveConfiguration())
        return true;
    QMessageBox::critical(parent, title,
                          tr("The configuration could not be saved: %1\n"
                             "The changes apply until Tessaquill+ is closed.")
                              .arg(config->lastError),
                          QMessageBox::Ok);
    return false;
}
