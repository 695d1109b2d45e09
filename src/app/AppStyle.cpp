#include "app/AppStyle.h"

#include <QStyle>
#include <QStyleFactory>

QStyle *AppStyle::create()
{
    if (QStyle *plastique = QStyleFactory::create(QStringLiteral("Plastique")))
        return plastique;
    return QStyleFactory::create(QStringLiteral("Fusion"));
}
