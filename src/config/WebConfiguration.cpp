#include "config/WebConfiguration.h"

WebConfiguration::WebConfiguration(QObject *parent)
    : QObject(parent),
      homePage(QLatin1String("")),
      homePageLaunch(false),
      pluginsEnabled(false),
      javaEnabled(true),
      javascriptEnabled(true)
{
}
