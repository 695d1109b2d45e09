#ifndef NZBBACKGROUNDREADER_H
#define NZBBACKGROUNDREADER_H

#include <QCoreApplication>
#include <QString>

#include <functional>

class NzbFiles;

// Reads an NZB file in a thread of the global pool while the GUI thread keeps handling its
// events, so that a large file does not freeze the window. Returns when the file is read: the
// caller goes on as if it had read it itself. Called in the GUI thread only.
class NzbBackgroundReader
{
    Q_DECLARE_TR_FUNCTIONS(NzbBackgroundReader)

public:
    // What NzbParser::parseFile gives, its objects belonging to the calling thread. Events are
    // handled meanwhile, so anything may have happened when it returns (the exit, other
    // additions). When the application's event loops are ended before the reading is done, null
    // with an error text; the reading then goes on alone and its result is dropped.
    // `prepare`, when given, is run on the NZB read, in the reading thread (work that only
    // concerns the NZB itself, such as the order of its files).
    static NzbFiles *read(const QString &path, QString &error,
                          const std::function<void(NzbFiles *)> &prepare = std::function<void(NzbFiles *)>());

    // Runs `work` on an NZB that nothing else uses yet, in a thread of the pool, while the GUI
    // thread handles its events; returns once it is done. False when the application's event
    // loops were ended meanwhile (the work is done all the same).
    static bool work(NzbFiles *nzb, const std::function<void(NzbFiles *)> &work);

private:
    NzbBackgroundReader() = delete;
};

#endif // NZBBACKGROUNDREADER_H
