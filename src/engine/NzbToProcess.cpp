#include "engine/NzbToProcess.h"

NzbToProcess::NzbToProcess(QObject *parent)
    : QObject(parent)
{
}
