// Reading and writing of the configuration file "Tessaquill_Plus.cfg".
#include "config/AppConfiguration.h"

#include "config/FolderCheck.h"
#include "config/UtilsFilesFolders.h"

#include <QBuffer>
#include <QDir>
#include <QDomDocument>
#include <QDebug>
#include <QDomElement>
#include <QFile>
#include <QXmlStreamWriter>

namespace {

QString boolText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

// The value of a key: the text of its first child node, empty when it has none.
QString keyValue(const QDomNode &key)
{
    return key.firstChild().nodeValue();
}

bool readBool(const QString &text)
{
    return text == QLatin1String("1");
}

int readInt(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

int readIntInRange(const QString &text, int lowest, int highest, int fallback)
{
    const int value = readInt(text);
    return value >= lowest && value <= highest ? value : fallback;
}

// Applies `apply` to the value of the first child named `name`, when there is one.
template <typename Apply>
void withKey(const QDomElement &group, const char *name, Apply apply)
{
    const QDomNode key = group.namedItem(QLatin1String(name));
    if (!key.isNull())
        apply(keyValue(key));
}

// A two-key entry ("Favourite", "Destination"): taken only with exactly its two keys.
bool readPair(const QDomNode &entry, const char *firstKey, const char *secondKey, QString &first, QString &second)
{
    if (entry.childNodes().count() != 2)
        return false;
    const QDomNode firstNode = entry.namedItem(QLatin1String(firstKey));
    const QDomNode secondNode = entry.namedItem(QLatin1String(secondKey));
    if (firstNode.isNull() || secondNode.isNull())
        return false;
    first = keyValue(firstNode);
    second = keyValue(secondNode);
    return true;
}

void writeKey(QXmlStreamWriter &xml, const char *name, const QString &value)
{
    xml.writeTextElement(QLatin1String(name), value);
}

} // namespace

void AppConfiguration::loadConfiguration()
{
    const QString fileName = getConfigurationFile();
    if (!makeDataFolder()) {
        lastError = tr("Failed to create directory %1").arg(getDataFolder());
        return;
    }

    QFileInfo fileInfo(fileName);
    if (fileInfo.exists() && fileInfo.size() == 0)
        QFile::remove(fileName);

    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (!writeConfigurationFile(true)) {
            lastError = tr("Failed to create configuration file %1").arg(fileName);
            return;
        }
        file.open(QIODevice::ReadOnly | QIODevice::Text);
    }

    QDomDocument document;
    const bool parsed = document.setContent(&file);
    file.close();
    if (!parsed) {
        lastError = tr("Failed to open configuration file %1").arg(QStringLiteral("Tessaquill_Plus.cfg"));
        return;
    }

    for (QDomNode child = document.documentElement().firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.isElement())
            readGroup(child.toElement());
    }
    loaded = true;
}

void AppConfiguration::readGroup(const QDomElement &group)
{
    const QString name = group.tagName();
    if (name == QLatin1String("Language"))
        readLanguage(group);
    else if (name == QLatin1String("Logs"))
        readLogs(group);
    else if (name == QLatin1String("Shutdown"))
        readShutdown(group);
    else if (name == QLatin1String("Proxy"))
        readProxy(group);
    else if (name == QLatin1String("Auto"))
        readAuto(group);
    else if (name == QLatin1String("Folders"))
        readFolders(group);
    else if (name == QLatin1String("Web"))
        readWeb(group);
    else if (name == QLatin1String("Destinations"))
        readDestinations(group);
    else if (name == QLatin1String("SearchIntellisense"))
        readSearchHistory(group);
}

void AppConfiguration::readLanguage(const QDomElement &group)
{
    withKey(group, "Name", [this](const QString &v) {
        if (!v.isEmpty())
            languageName = v;
    });
}

void AppConfiguration::readLogs(const QDomElement &group)
{
    withKey(group, "Log_Level", [this](const QString &v) { logLevel = readIntInRange(v, 0, 6, 2); });
    withKey(group, "AutoDelete", [this](const QString &v) { logAutoDelete = readIntInRange(v, 0, 2, 2); });
}

void AppConfiguration::readShutdown(const QDomElement &group)
{
    bool savedReadAsTrue = false;
    withKey(group, "Saved", [&](const QString &v) {
        shutdownSaved = readBool(v);
        savedReadAsTrue = shutdownSaved;
    });
    if (savedReadAsTrue)
        withKey(group, "Type", [this](const QString &v) { shutdownType = readIntInRange(v, 0, 4, 0); });
}

void AppConfiguration::readProxy(const QDomElement &group)
{
    withKey(group, "Enabled", [this](const QString &v) { proxyEnabled = readBool(v); });
    withKey(group, "Name", [this](const QString &v) { proxyName = v; });
    withKey(group, "Login", [this](const QString &v) { proxyLogin = v; });
    withKey(group, "Password", [this](const QString &v) { proxyPassword = v; });
}

void AppConfiguration::readAuto(const QDomElement &group)
{
    withKey(group, "AutoUnrar", [this](const QString &v) { autoUnrar = readBool(v); });
    withKey(group, "AutoUnsplit", [this](const QString &v) { autoUnsplit = readBool(v); });
    withKey(group, "AutoDownloadNzb", [this](const QString &v) { autoDownloadNzb = readBool(v); });
    withKey(group, "AutoSaveHistoNzb", [this](const QString &v) { autoSaveHistoNzb = readBool(v); });
    withKey(group, "AutoKeepPar2Files", [this](const QString &v) { autoKeepPar2Files = readBool(v); });
    withKey(group, "AutoSmartDownload", [this](const QString &v) { autoSmartDownload = readBool(v); });
    withKey(group, "AutoCreateSubFolderInDestination",
            [this](const QString &v) { autoCreateSubFolderInDestination = readBool(v); });
    withKey(group, "AutoDetectBandwidthLimit", [this](const QString &v) { autoDetectBandwidthLimit = readBool(v); });
    withKey(group, "AutoSpeedLimit", [this](const QString &v) { autoSpeedLimit = quint32(readInt(v)); });
    withKey(group, "SocketTimeout", [this](const QString &v) { socketTimeout = quint32(readInt(v)); });
    withKey(group, "AutoDeleteFilesExtension", [this](const QString &v) { autoDeleteFilesExtension = v; });
}

// An empty or relative folder would resolve against the current folder, which is no place for
// the program's files (and the Cache clean-up works there): such a setting means the default.
QString AppConfiguration::folderSettingOrDefault(const QString &value, const QString &defaultFolder)
{
    if (value.trimmed().isEmpty() || QDir::isRelativePath(value))
        return defaultFolder;
    return value;
}

void AppConfiguration::readFolders(const QDomElement &group)
{
    withKey(group, "Cache", [this](const QString &v) { cacheFolder = folderSettingOrDefault(v, defaultCacheFolder()); });
    withKey(group, "Download",
            [this](const QString &v) { downloadFolder = folderSettingOrDefault(v, defaultDownloadFolder()); });
    withKey(group, "Destination",
            [this](const QString &v) { destinationFolder = folderSettingOrDefault(v, defaultDestinationFolder()); });
}

void AppConfiguration::readWeb(const QDomElement &group)
{
    for (QDomNode key = group.firstChild(); !key.isNull(); key = key.nextSibling()) {
        const QString name = key.nodeName();
        if (name == QLatin1String("HomePage"))
            webConfiguration.homePage = keyValue(key);
        else if (name == QLatin1String("HomePageLaunch"))
            webConfiguration.homePageLaunch = readBool(keyValue(key));
        else if (name == QLatin1String("PluginsEnabled"))
            webConfiguration.pluginsEnabled = readBool(keyValue(key));
        else if (name == QLatin1String("JavaEnabled"))
            webConfiguration.javaEnabled = readBool(keyValue(key));
        else if (name == QLatin1String("JavascriptEnabled"))
            webConfiguration.javascriptEnabled = readBool(keyValue(key));
        else if (name == QLatin1String("Favourite")) {
            QString favouriteName;
            QString url;
            if (readPair(key, "Fav_Name", "Fav_Url", favouriteName, url))
                webConfiguration.favourites.insert(favouriteName, url);
        }
    }
}

void AppConfiguration::readDestinations(const QDomElement &group)
{
    for (QDomNode entry = group.firstChild(); !entry.isNull(); entry = entry.nextSibling()) {
        QString label;
        QString path;
        if (entry.nodeName() != QLatin1String("Destination") || !readPair(entry, "Label", "Path", label, path))
            continue;
        // The download menus take the path as it stands: one relative to whatever folder the
        // program was started from is left out, like a relative program folder.
        path = FolderCheck::expandHome(path);
        if (path.trimmed().isEmpty() || QDir::isRelativePath(path)) {
            qWarning().noquote() << "Destination" << label << "left out: its folder" << path << "is not a full path";
            continue;
        }
        destinationConfiguration.destinations.insert(label, path);
    }
}

void AppConfiguration::readSearchHistory(const QDomElement &group)
{
    for (QDomNode entry = group.firstChild(); !entry.isNull(); entry = entry.nextSibling()) {
        if (entry.nodeName() == QLatin1String("Search"))
            searchHistory.append(keyValue(entry));
    }
}

bool AppConfiguration::saveConfiguration()
{
    if (!makeDataFolder()) {
        lastError = tr("Failed to create directory %1").arg(getDataFolder());
        return false;
    }
    if (!writeConfigurationFile(false)) {
        lastError = tr("Failed to write configuration file %1").arg(getConfigurationFile());
        return false;
    }
    return true;
}

// The document goes to a temporary file renamed over the configuration file once complete.
bool AppConfiguration::writeConfigurationFile(bool defaultDocument)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("Tessaquill_Plus"));
    if (defaultDocument)
        writeDefaultDocument(xml);
    else
        writeDocument(xml);
    xml.writeEndElement();
    xml.writeEndDocument();
    buffer.close();
    return !xml.hasError() && UtilsFilesFolders::saveFile(getConfigurationFile(), bytes);
}

void AppConfiguration::writeDefaultDocument(QXmlStreamWriter &xml) const
{
    xml.writeStartElement(QStringLiteral("Web"));
    writeKey(xml, "HomePage", QString());
    writeKey(xml, "PluginsEnabled", boolText(false));
    writeKey(xml, "JavaEnabled", boolText(true));
    writeKey(xml, "JavascriptEnabled", boolText(true));
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("Destinations"));
    xml.writeEmptyElement(QStringLiteral("SearchIntellisense"));

    xml.writeStartElement(QStringLiteral("Auto"));
    writeKey(xml, "AutoUnrar", boolText(true));
    writeKey(xml, "AutoUnsplit", boolText(true));
    writeKey(xml, "AutoSmartDownload", boolText(true));
    writeKey(xml, "AutoDownloadNzb", boolText(false));
    writeKey(xml, "AutoSaveHistoNzb", boolText(false));
    writeKey(xml, "AutoKeepPar2Files", boolText(false));
    writeKey(xml, "AutoCreateSubFolderInDestination", boolText(true));
    writeKey(xml, "AutoDetectBandwidthLimit", boolText(true));
    writeAutoValues(xml);
    xml.writeEndElement();

    writeFoldersGroup(xml);

    // The remaining groups hold the constructor's values, whatever the fields hold now.
    const AppConfiguration defaults;
    defaults.writeProxyGroup(xml);
    defaults.writeLogsGroup(xml);
    defaults.writeShutdownGroup(xml);
    defaults.writeLanguageGroup(xml);
}

void AppConfiguration::writeDocument(QXmlStreamWriter &xml) const
{
    writeWebGroup(xml);
    writeDestinationsGroup(xml);
    writeSearchGroup(xml);

    xml.writeStartElement(QStringLiteral("Auto"));
    writeKey(xml, "AutoUnrar", boolText(autoUnrar));
    writeKey(xml, "AutoUnsplit", boolText(autoUnsplit));
    writeKey(xml, "AutoDownloadNzb", boolText(autoDownloadNzb));
    writeKey(xml, "AutoSaveHistoNzb", boolText(autoSaveHistoNzb));
    writeKey(xml, "AutoKeepPar2Files", boolText(autoKeepPar2Files));
    writeKey(xml, "AutoSmartDownload", boolText(autoSmartDownload));
    writeKey(xml, "AutoCreateSubFolderInDestination", boolText(autoCreateSubFolderInDestination));
    writeKey(xml, "AutoDetectBandwidthLimit", boolText(autoDetectBandwidthLimit));
    writeAutoValues(xml);
    xml.writeEndElement();

    writeProxyGroup(xml);
    writeFoldersGroup(xml);
    writeLogsGroup(xml);
    writeShutdownGroup(xml);
    writeLanguageGroup(xml);
}

void AppConfiguration::writeWebGroup(QXmlStreamWriter &xml) const
{
    xml.writeStartElement(QStringLiteral("Web"));
    writeKey(xml, "HomePage", webConfiguration.homePage);
    writeKey(xml, "HomePageLaunch", boolText(webConfiguration.homePageLaunch));
    for (auto it = webConfiguration.favourites.constBegin(); it != webConfiguration.favourites.constEnd(); ++it) {
        xml.writeStartElement(QStringLiteral("Favourite"));
        writeKey(xml, "Fav_Name", it.key());
        writeKey(xml, "Fav_Url", it.value());
        xml.writeEndElement();
    }
    writeKey(xml, "PluginsEnabled", boolText(webConfiguration.pluginsEnabled));
    writeKey(xml, "JavaEnabled", boolText(webConfiguration.javaEnabled));
    writeKey(xml, "JavascriptEnabled", boolText(webConfiguration.javascriptEnabled));
    xml.writeEndElement();
}

void AppConfiguration::writeDestinationsGroup(QXmlStreamWriter &xml) const
{
    xml.writeStartElement(QStringLiteral("Destinations"));
    const auto &destinations = destinationConfiguration.destinations;
    for (auto it = destinations.constBegin(); it != destinations.constEnd(); ++it) {
        xml.writeStartElement(QStringLiteral("Destination"));
        writeKey(xml, "Label", it.key());
        writeKey(xml, "Path", it.value());
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void AppConfiguration::writeSearchGroup(QXmlStreamWriter &xml) const
{
    xml.writeStartElement(QStringLiteral("SearchIntellisense"));
    for (const QString &text : searchHistory)
        writeKey(xml, "Search", text);
    xml.writeEndElement();
}

void AppConfiguration::writeAutoValues(QXmlStreamWriter &xml) const
{
    writeKey(xml, "AutoSpeedLimit", QString::number(autoSpeedLimit));
    writeKey(xml, "SocketTimeout", QString::number(socketTimeout));
    writeKey(xml, "AutoDeleteFilesExtension", autoDeleteFilesExtension);
}

void AppConfiguration::writeFoldersGroup(QXmlStreamWriter &xml) const
{
    xml.writeStartElement(QStringLiteral("Folders"));
    writeKey(xml, "Cache", cacheFolder);
    writeKey(xml, "Download", downloadFolder);
    writeKey(xml, "Destination", destinationFolder);
    xml.writeEndElement();
}

void AppConfiguration::writeProxyGroup(QXmlStreamWriter &xml) const
{
    xml.writeStartElement(QStringLiteral("Proxy"));
    writeKey(xml, "Enabled", boolText(proxyEnabled));
    writeKey(xml, "Name", proxyName);
    writeKey(xml, "Login", proxyLogin);
    writeKey(xml, "Password", proxyPassword);
    xml.writeEndElement();
}

void AppConfiguration::writeLogsGroup(QXmlStreamWriter &xml) const
{
    xml.writeStartElement(QStringLiteral("Logs"));
    writeKey(xml, "Log_Level", QString::number(logLevel));
    writeKey(xml, "AutoDelete", QString::number(logAutoDelete));
    xml.writeEndElement();
}

void AppConfiguration::writeShutdownGroup(QXmlStreamWriter &xml) const
{
    xml.writeStartElement(QStringLiteral("Shutdown"));
    writeKey(xml, "Saved", boolText(shutdownSaved));
    writeKey(xml, "Type", QString::number(shutdownType));
    xml.writeEndElement();
}

void AppConfiguration::writeLanguageGroup(QXmlStreamWriter &xml) const
{
    xml.writeStartElement(QStringLiteral("Language"));
    writeKey(xml, "Name", languageName);
    xml.writeEndElement();
}
