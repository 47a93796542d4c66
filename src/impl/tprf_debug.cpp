#include "tprf_debug.h"

#include <string>

namespace tprf {

// Registered after the message schema and the host-context holder (link
// order), so it is released first when the library is unloaded.
std::shared_ptr<krlog::api::krlogger> g_quayLogger = krlog::api::registerLogger(std::string("QUAY"), true);

namespace {

// Empties the handle just before its destruction at unload or exit. A
// destroyed shared_ptr keeps its stale pointer; an emptied one makes a log
// statement of a late call (an at-exit handler of the caller's, say) write
// nothing instead of using a released logger.
struct EmptyHandleAtExit {
  ~EmptyHandleAtExit() { g_quayLogger.reset(); }
} g_emptyHandleAtExit;

} // namespace
} // namespace tprf
