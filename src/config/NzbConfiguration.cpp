#include "config/NzbConfiguration.h"

NzbConfiguration::NzbConfiguration(QObject *parent)
    : QObject(parent)
{
}
