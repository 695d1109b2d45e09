#include "config/DestinationConfiguration.h"

DestinationConfiguration::DestinationConfiguration(QObject *parent)
    : QObject(parent)
{
}
