#ifndef NZBTESTHELPERS_H
#define NZBTESTHELPERS_H

#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include <QString>

// Small builders for model tests.
inline NzbSegment *makeSegment(const QString &number, const QString &bytes, const QString &messageId = QString())
{
    auto *segment = new NzbSegment;
    segment->setNumber(number);
    segment->setBytes(bytes);
    segment->setMessageId(messageId.isNull() ? QStringLiteral("id") + number + QStringLiteral("@test") : messageId);
    return segment;
}

// A file with `segments` segments numbered from 1, each of `bytesEach` bytes.
inline NzbFile *makeFile(const QString &subject, int segments = 1, quint64 bytesEach = 100)
{
    auto *file = new NzbFile;
    file->setSubject(subject);
    file->setPoster(QStringLiteral("poster@test"));
    file->setDate(QStringLiteral("1700000000"));
    file->addGroup(QStringLiteral("alt.binaries.test"));
    for (int i = 1; i <= segments; ++i)
        file->addSegment(makeSegment(QString::number(i), QString::number(bytesEach)));
    return file;
}

#endif // NZBTESTHELPERS_H
