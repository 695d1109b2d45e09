#ifndef APPVERSION_H
#define APPVERSION_H

#include <QString>

// The product's display name and version, as shown in titles and logs.
class AppVersion
{
public:
    static QString displayName();
    static QString version();
};

#endif // APPVERSION_H
