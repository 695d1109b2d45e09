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

    // The value of the environment variable when it is set and not empty, else the default.
    static QString fromEnvironment(const char *variable, const QString &defaultValue);

private:
    WebAddresses() = delete;
};

#endif // WEBADDRESSES_H
