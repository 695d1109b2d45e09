#ifndef SEARCHPAGES_H
#define SEARCHPAGES_H

#include <QByteArray>
#include <QFile>
#include <QString>

// The hand-written result pages and NZB answer in tests/data/web/binsearch.
inline QByteArray searchPage(const QString &name)
{
    QFile file(QStringLiteral(TQ_TEST_DATA "/web/binsearch/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#endif // SEARCHPAGES_H
