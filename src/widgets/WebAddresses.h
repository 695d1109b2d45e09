#ifndef WEBADDRESSES_H
#define WEBADDRESSES_H

#include <QString>

// The addresses outside the program that it talks to, in one place. Each has a default built
// into the program and an environment variable that replaces it, so that tests can point the
// program at a server of their own on 127.0.0.1.
class WebAddresses
{
public:
    // The BinSearch service's root, ending in "/" ("TESSAQUILL_BINSEARCH_URL").
    static QString binSearchBase();
    // The public web address for which the system is asked which proxies it would use
    // ("TESSAQUILL_PROXY_QUERY_URL").
    static QString proxyQueryUrl();
    // The maker's page that answers with the number of the latest version
    // ("TESSAQUILL_VERSION_URL"), and the product page that offers it ("TESSAQUILL_PRODUCT_URL").
    static QString versionUrl();
    static QString productPageUrl();

    // The browser's web search: the search text is appended to this address, which ends in
    // "q=" ("TESSAQUILL_WEB_SEARCH_URL").
    static QString webSearchQueryUrl();
    // Home page of one of the browser's NZB search sites, by its key (the site's name in the
    // list, lower case: "binsearch", "nzbindex", "mysterbin", "nzbking.com", "yabsearch");
    // empty for an unknown key. Each can be replaced ("TESSAQUILL_<KEY>_HOME", the key in
    // capitals without its dots, e.g. "TESSAQUILL_NZBKINGCOM_HOME").
    static QString nzbSearchSiteHome(const QString &key);
    // Host (with the port, when it has one) of a search site's home page, for links that the
    // page rewriter adds.
    static QString nzbSearchSiteHost(const QString &key);
    // The word by which the page rewriter knows the NZB listing site it rewrites, searched in
    // the host of the page shown ("TESSAQUILL_LISTING_SITE_HOST").
    static QString listingSiteHostWord();
    // Host of the advertising network whose script the page rewriter removes from that site's
    // pages ("TESSAQUILL_LISTING_AD_HOST").
    static QString listingAdvertisingHost();

    // The value of the environment variable when it is set and not empty, else the default.
    static QString fromEnvironment(const char *variable, const QString &defaultValue);

private:
    WebAddresses() = delete;
};

#endif // WEBADDRESSES_H
