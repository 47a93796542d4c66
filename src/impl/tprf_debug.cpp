#include "tprf_debug.h"

#include <string>

namespace tprf {

// Registered after the message schema and the host-context holder (link
// order), so it is released first when the library is unloaded.
std::shared_ptr<krlog::api::krlogger> g_quayLogger = krlog::api::registerLogger(std::string("QUAY"), true);

} // namespace tprf
