#ifndef QSLOG_H
#define QSLOG_H

#include "QsLog/LogEntry.h"
#include "QsLog/Logger.h"

// Log statements: QLOG_INFO() << text; the message is built only when the level passes.
// Texts (QString, QByteArray, QLatin1String) are written between double quotes; a plain C
// string literal is written as it is. The statement is safe as the body of an unbraced if/else.
#define QLOG_AT_LEVEL(lvl)                                                                        \
    for (bool qlogPasses = QsLogging::Logger::getInstance()->level() <= (lvl); qlogPasses;        \
         qlogPasses = false)                                                                      \
    QsLogging::LogEntry(lvl)

#define QLOG_TRACE() QLOG_AT_LEVEL(QsLogging::TraceLevel)
#define QLOG_DEBUG() QLOG_AT_LEVEL(QsLogging::DebugLevel)
#define QLOG_INFO() QLOG_AT_LEVEL(QsLogging::InfoLevel)
#define QLOG_WARN() QLOG_AT_LEVEL(QsLogging::WarnLevel)
#define QLOG_ERROR() QLOG_AT_LEVEL(QsLogging::ErrorLevel)
#define QLOG_FATAL() QLOG_AT_LEVEL(QsLogging::FatalLevel)

#endif // QSLOG_H
