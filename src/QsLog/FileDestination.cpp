#include "QsLog/FileDestination.h"

#include <QTextCodec>

namespace QsLogging {

FileDestination::FileDestination(const QString &filePath)
    : file(filePath)
{
    file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    stream.setDevice(&file);
    stream.setCodec(QTextCodec::codecForName("UTF-8"));
}

void FileDestination::write(const QString &message)
{
    stream << message << Qt::endl;
    stream.flush();
}

} // namespace QsLogging
