#include "web/WebAddresses.h"

#include <QByteArray>
#include <QtGlobal>

QString WebAddresses::binSearchBase()
{
    QString base = fromEnvironment("TESSAQUILL_BINSEARCH_URL", QStringLiteral("https://www.binsearch.info/"));
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base;
}

QString WebAddresses::proxyQueryUrl()
{
    return fromEnvironment("TESSAQUILL_PROXY_QUERY_URL", QStringLiteral("http://www.debian.org/"));
}

QString WebAddresses::versionUrl()
{
    return fromEnvironment("TESSAQUILL_VERSION_URL", QStringLiteral("https://tessaquill.invalid/version.txt"));
}

QString WebAddresses::productPageUrl()
{
    return fromEnvironment("TESSAQUILL_PRODUCT_URL", QStringLiteral("https://tessaquill.invalid/"));
}

QString WebAddresses::fromEnvironment(const char *variable, const QString &defaultValue)
{
    const QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? defaultValue : value;
}
