#include "GuiTestHome.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

void pointSettingsAt(const QString &folder)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

void restore(const char *name, const QByteArray &value)
{
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}

} // namespace

GuiTestHome::GuiTestHome()
    : previousHome(qgetenv("HOME"))
    , previousConfig(qgetenv("XDG_CONFIG_HOME"))
    , previousData(qgetenv("XDG_DATA_HOME"))
    , previousCache(qgetenv("XDG_CACHE_HOME"))
{
    qputenv("HOME", QFile::encodeName(dir.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsFolder()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral(".local/share"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral(".cache"))));
    pointSettingsAt(settingsFolder());
}

GuiTestHome::~GuiTestHome()
{
    restore("HOME", previousHome);
    restore("XDG_CONFIG_HOME", previousConfig);
    restore("XDG_DATA_HOME", previousData);
    restore("XDG_CACHE_HOME", previousCache);
    pointSettingsAt(previousConfig.isEmpty()
                        ? QDir::homePath() + QLatin1String("/.config")
                        : QFile::decodeName(previousConfig));
}

bool GuiTestHome::isValid() const
{
    return dir.isValid() && QDir::homePath() == dir.path();
}

QString GuiTestHome::dataFolder() const
{
    return dir.filePath(QStringLiteral("Tessaquill_Plus"));
}

QString GuiTestHome::settingsFolder() const
{
    return dir.filePath(QStringLiteral(".config"));
}
