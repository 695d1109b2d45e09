#ifndef ENGINEWAITS_H
#define ENGINEWAITS_H

// The fixed waits of the connection threads and of the byte-count saver, in milliseconds, in
// one place. The program runs with the defaults; tests shorten them all at once with scaled()
// instead of waiting them out.
struct EngineWaits
{
    int failedTransferMs = 1000;     // after a transfer that failed
    int failedConnectMs = 5000;      // after the first failed connect or log-in of a series
    int maxFailedConnectMs = 60000;  // the wait after a failed connect doubles up to this
    int pausePassMs = 500;           // each half of a pause pass
    int idleDisconnectMs = 10000;    // a connection without work for this long is dropped
    int afterIdleDisconnectMs = 500; // before the idle state is reported again
    int idlePollMs = 10;             // between two requests for work that found none
    int serverBytesSaveMs = 3000;    // byte-count files are written at most this often

    // Every wait multiplied by `factor` (at least 1 ms each).
    EngineWaits scaled(double factor) const
    {
        EngineWaits waits;
        waits.failedTransferMs = scale(failedTransferMs, factor);
        waits.failedConnectMs = scale(failedConnectMs, factor);
        waits.maxFailedConnectMs = scale(maxFailedConnectMs, factor);
        waits.pausePassMs = scale(pausePassMs, factor);
        waits.idleDisconnectMs = scale(idleDisconnectMs, factor);
        waits.afterIdleDisconnectMs = scale(afterIdleDisconnectMs, factor);
        waits.idlePollMs = scale(idlePollMs, factor);
        waits.serverBytesSaveMs = scale(serverBytesSaveMs, factor);
        return waits;
    }

private:
    static int scale(int ms, double factor)
    {
        const int scaledMs = static_cast<int>(ms * factor);
        return scaledMs < 1 ? 1 : scaledMs;
    }
};

#endif // ENGINEWAITS_H
