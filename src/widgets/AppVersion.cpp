#include "widgets/AppVersion.h"

QString AppVersion::displayName()
{
    return QStringLiteral("Tessaquill+");
}

QString AppVersion::version()
{
    return QStringLiteral("1.4.1");
}
