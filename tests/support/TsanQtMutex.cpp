// Built into every program of a ThreadSanitizer build (-DTQ_SANITIZE_THREAD=ON, see
// scripts/sanitize.sh), once: a second copy (preloaded, say) would report every lock twice.
// ThreadSanitizer sees the synchronisation of the code it instruments, but QMutex locks and
// unlocks inside the Qt library, which is not instrumented: every access guarded by a QMutex
// would then look like a data race. These definitions take the place of the library's
// QMutex::lock, tryLock and unlock for the calls of this program (the linker binds them here),
// pass each call on to the library and tell ThreadSanitizer about the acquire and the release,
// which also lets it check the lock order.
#include <QByteArray>
#include <QMetaType>
#include <QMutex>
#include <QSemaphore>
#include <QThread>
#include <QVariant>
#include <QWaitCondition>

#include <array>
#include <cstddef>
#include <mutex>
#include <utility>

#include <dlfcn.h>
#include <sanitizer/tsan_interface.h>

extern "C" {
void __tsan_read_range(void *address, unsigned long size);
void __tsan_ignore_thread_begin();
void __tsan_ignore_thread_end();
}

namespace {

template <typename Function>
Function libraryFunction(const char *symbol)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, symbol));
}

} // namespace

void QMutex::lock() QT_MUTEX_LOCK_NOEXCEPT
{
    static const auto original = libraryFunction<void (*)(QMutex *)>("_ZN6QMutex4lockEv");
    __tsan_mutex_pre_lock(this, 0);
    original(this);
    __tsan_mutex_post_lock(this, 0, 0);
}

bool QMutex::tryLock(int timeout) QT_MUTEX_LOCK_NOEXCEPT
{
    static const auto original = libraryFunction<bool (*)(QMutex *, int)>("_ZN6QMutex7tryLockEi");
    __tsan_mutex_pre_lock(this, __tsan_mutex_try_lock);
    const bool locked = original(this, timeout);
    __tsan_mutex_post_lock(this, locked ? __tsan_mutex_try_lock : __tsan_mutex_try_lock | __tsan_mutex_try_lock_failed, 0);
    return locked;
}

void QMutex::unlock() noexcept
{
    static const auto original = libraryFunction<void (*)(QMutex *)>("_ZN6QMutex6unlockEv");
    __tsan_mutex_pre_unlock(this, 0);
    original(this);
    __tsan_mutex_post_unlock(this, 0);
}

// A wait unlocks the mutex inside the library and locks it again before it returns: without
// this, the sanitizer would take the mutex for held by the waiting thread all along.
namespace {

template <typename Wait>
bool waitUnlocked(QMutex *lockedMutex, Wait wait)
{
    __tsan_mutex_pre_unlock(lockedMutex, 0);
    __tsan_mutex_post_unlock(lockedMutex, 0);
    const bool woken = wait();
    __tsan_mutex_pre_lock(lockedMutex, 0);
    __tsan_mutex_post_lock(lockedMutex, 0, 0);
    return woken;
}

} // namespace

bool QWaitCondition::wait(QMutex *lockedMutex, QDeadlineTimer deadline)
{
    static const auto original = libraryFunction<bool (*)(QWaitCondition *, QMutex *, QDeadlineTimer)>(
        "_ZN14QWaitCondition4waitEP6QMutex14QDeadlineTimer");
    return waitUnlocked(lockedMutex, [&] { return original(this, lockedMutex, deadline); });
}

bool QWaitCondition::wait(QMutex *lockedMutex, unsigned long time)
{
    static const auto original = libraryFunction<bool (*)(QWaitCondition *, QMutex *, unsigned long)>(
        "_ZN14QWaitCondition4waitEP6QMutexm");
    return waitUnlocked(lockedMutex, [&] { return original(this, lockedMutex, time); });
}

// A QThread's end reaches its waiter through a lock inside the library as well: the thread
// releases when it emits finished() (in its own thread, after run()), a wait that succeeds
// acquires. Without this, deleting a thread object after wait() looks like a race with run().
void QThread::start(Priority priority)
{
    static const auto original = libraryFunction<void (*)(QThread *, Priority)>("_ZN7QThread5startENS_8PriorityE");
    static const char hooked[] = "tsanFinishedHook";
    if (!property(hooked).toBool()) {
        setProperty(hooked, true);
        connect(this, &QThread::finished, [this] { __tsan_release(this); });
    }
    original(this, priority);
}

bool QThread::wait(QDeadlineTimer deadline)
{
    static const auto original = libraryFunction<bool (*)(QThread *, QDeadlineTimer)>("_ZN7QThread4waitE14QDeadlineTimer");
    const bool ended = original(this, deadline);
    if (ended)
        __tsan_acquire(this);
    return ended;
}

bool QThread::wait(unsigned long time)
{
    static const auto original = libraryFunction<bool (*)(QThread *, unsigned long)>("_ZN7QThread4waitEm");
    const bool ended = original(this, time);
    if (ended)
        __tsan_acquire(this);
    return ended;
}

// A semaphore hands data from the thread that releases to the one that acquires (the test news
// server's listener reports its port that way).
void QSemaphore::acquire(int n)
{
    static const auto original = libraryFunction<void (*)(QSemaphore *, int)>("_ZN10QSemaphore7acquireEi");
    original(this, n);
    __tsan_acquire(this);
}

void QSemaphore::release(int n)
{
    static const auto original = libraryFunction<void (*)(QSemaphore *, int)>("_ZN10QSemaphore7releaseEi");
    __tsan_release(this);
    original(this, n);
}

// A queued signal hands its arguments over as copies that Qt makes in the emitting thread, with the
// constructor this program registered for the type, and delivers through its event queue, which
// the sanitizer cannot see: the receiving thread's use of a copy would look unordered with its
// making. Each constructor the program registers is wrapped so that the copy, once made, counts
// as fresh memory. Only the copy: reading the value copied from stays seen, so a race of the
// program's own on it is still reported.
namespace {

struct CopiedType
{
    QMetaType::Constructor construct = nullptr;
    int size = 0;
};

constexpr int kCopiedTypes = 512;
CopiedType copiedTypes[kCopiedTypes];
int copiedTypeCount = 0;
std::mutex copiedTypesMutex;

template <int N>
void *constructHandedOver(void *where, const void *copy)
{
    if (copy)
        __tsan_read_range(const_cast<void *>(copy), static_cast<unsigned long>(copiedTypes[N].size));
    __tsan_ignore_thread_begin();
    void *made = copiedTypes[N].construct(where, copy);
    __tsan_ignore_thread_end();
    return made;
}

template <int... N>
constexpr std::array<QMetaType::Constructor, sizeof...(N)> handOverConstructors(std::integer_sequence<int, N...>)
{
    return {{&constructHandedOver<N>...}};
}

constexpr std::array<QMetaType::Constructor, kCopiedTypes> kHandOverConstructors =
    handOverConstructors(std::make_integer_sequence<int, kCopiedTypes>());

// The wrapper of the constructor (the same one for a type registered again); the constructor itself
// once every wrapper is taken.
QMetaType::Constructor handOverConstructor(QMetaType::Constructor construct, int size)
{
    if (!construct || size <= 0)
        return construct;
    std::lock_guard<std::mutex> locker(copiedTypesMutex);
    for (int i = 0; i < copiedTypeCount; ++i) {
        if (copiedTypes[i].construct == construct)
            return kHandOverConstructors[std::size_t(i)];
    }
    if (copiedTypeCount == kCopiedTypes)
        return construct;
    copiedTypes[copiedTypeCount] = {construct, size};
    return kHandOverConstructors[std::size_t(copiedTypeCount++)];
}

} // namespace

// (QByteArray is also one of QMetaType's own type names: the class is named from the global scope.)
int QMetaType::registerNormalizedType(const ::QByteArray &normalizedTypeName, Destructor destructor,
                                      Constructor constructor, int size, TypeFlags flags,
                                      const QMetaObject *metaObject)
{
    static const auto original =
        libraryFunction<int (*)(const ::QByteArray &, Destructor, Constructor, int, TypeFlags, const QMetaObject *)>(
            "_ZN9QMetaType22registerNormalizedTypeERK10QByteArrayPFvPvEPFS3_S3_PKvEi6QFlagsINS_8TypeFlagEEPK11QMetaObject");
    return original(normalizedTypeName, destructor, handOverConstructor(constructor, size), size, flags, metaObject);
}
