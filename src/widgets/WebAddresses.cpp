#include "widgets/WebAddresses.h"

#include <QByteArray>
#include <QUrl>
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

QString WebAddresses::webSearchQueryUrl()
{
    return fromEnvironment("TESSAQUILL_WEB_SEARCH_URL", QStringLiteral("http://www.google.com/search?q="));
}

QString WebAddresses::nzbSearchSiteHome(const QString &key)
{
    static const struct {
        const char *key;
        const char *variable;
        const char *home;
    } sites[] = {
        {"binsearch", "TESSAQUILL_BINSEARCH_HOME", "http://www.binsearch.info"},
        {"nzbindex", "TESSAQUILL_NZBINDEX_HOME", "http://www.nzbindex.com"},
        {"mysterbin", "TESSAQUILL_MYSTERBIN_HOME", "http://www.mysterbin.com"},
        {"nzbking.com", "TESSAQUILL_NZBKINGCOM_HOME", "http://nzbking.com"},
        {"yabsearch", "TESSAQUILL_YABSEARCH_HOME", "http://www.yabsearch.nl/news/index"},
    };
    for (const auto &site : sites) {
        if (key == QLatin1String(site.key))
            return fromEnvironment(site.variable, QLatin1String(site.home));
    }
    return QString();
}

QString WebAddresses::nzbSearchSiteHost(const QString &key)
{
    return QUrl(nzbSearchSiteHome(key)).authority();
}

QString WebAddresses::listingSiteHostWord()
{
    return fromEnvironment("TESSAQUILL_LISTING_SITE_HOST", QStringLiteral("nzblisting"));
}

QString WebAddresses::listingAdvertisingHost()
{
    return fromEnvironment("TESSAQUILL_LISTING_AD_HOST", QStringLiteral("ads.adserverpub.net"));
}

QString WebAddresses::fromEnvironment(const char *variable, const QString &defaultValue)
{
    const QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? defaultValue : value;
}
