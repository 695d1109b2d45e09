#include "app/AppResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initializeImages()
{
    Q_INIT_RESOURCE(images);
}

void AppResources::initialize()
{
    initializeImages();
}
