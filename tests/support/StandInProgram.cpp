#include "StandInProgram.h"

#include <QFile>

QString StandInProgram::write(const QString& folder, const QString& name, const QByteArray& body)
{
    const QString path = folder + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

bool StandInProgram::isGone(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    // The state letter follows the command name, which is in parentheses.
    const int closing = line.lastIndexOf(')');
    return closing < 0 || line.mid(closing + 2, 1) == "Z";
}

qint64 StandInProgram::readPid(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const qint64 pid = file.readAll().trimmed().toLongLong(&ok);
    return ok ? pid : -1;
}
