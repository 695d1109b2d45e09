#include "platform/DebuggerOutput.h"

#include <cstdio>

void DebuggerOutput::write(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}
