#include "tprf_debug.h"

#include <pthread.h>

#include <string>

namespace tprf {

// Registered after the message schema and the host-context holder (link
// order), so it is released first at process exit.
std::shared_ptr<krlog::api::krlogger> g_quayLogger = krlog::api::registerLogger(std::string("QUAY"), true);

std::mutex g_quayLoggerMutex;

namespace {

// Holds g_quayLoggerMutex across fork(): taken before, released in the parent
// and in the child after.
struct QuayLoggerForkHandlers {
  QuayLoggerForkHandlers() {
    pthread_atfork([] { g_quayLoggerMutex.lock(); }, [] { g_quayLoggerMutex.unlock(); },
                   [] { g_quayLoggerMutex.unlock(); });
  }
} g_quayLoggerForkHandlers;

// Empties the handle just before its destruction at exit. A destroyed
// shared_ptr keeps its stale pointer; an emptied one makes a log statement of
// a late call (an at-exit handler of the caller's, say) write nothing instead
// of using a released logger. Threads of the process may be logging at this
// moment: the handle is emptied under the mutex their statements take their
// references under, and a statement already under way keeps the logger
// through its own reference.
struct EmptyHandleAtExit {
  ~EmptyHandleAtExit() {
    std::lock_guard<std::mutex> lock(g_quayLoggerMutex);
    g_quayLogger.reset();
  }
} g_emptyHandleAtExit;

} // namespace
} // namespace tprf
