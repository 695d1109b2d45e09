#include "model/NntpServerHistoNbBytes.h"

NntpServerHistoNbBytes::NntpServerHistoNbBytes()
    : QObject(nullptr), count(0), start(QDateTime::currentDateTime())
{
}

void NntpServerHistoNbBytes::reset()
{
    count = 0;
    start = QDateTime::currentDateTime();
}

QDataStream &operator<<(QDataStream &stream, const NntpServerHistoNbBytes &histo)
{
    return stream << histo.count << histo.start;
}

QDataStream &operator>>(QDataStream &stream, NntpServerHistoNbBytes &histo)
{
    return stream >> histo.count >> histo.start;
}
