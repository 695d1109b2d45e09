#include "model/NntpServerHistoNbBytes.h"

NntpServerHistoNbBytes::NntpServerHistoNbBytes()
    : QObject(nullptr), dtStart(QDateTime::currentDateTime())
{
}

void NntpServerHistoNbBytes::reset()
{
    iCount = 0;
    dtStart = QDateTime::currentDateTime();
}

QDataStream &operator<<(QDataStream &stream, const NntpServerHistoNbBytes &histo)
{
    return stream << histo.iCount << histo.dtStart;
}

QDataStream &operator>>(QDataStream &stream, NntpServerHistoNbBytes &histo)
{
    return stream >> histo.iCount >> histo.dtStart;
}
