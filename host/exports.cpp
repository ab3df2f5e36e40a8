// The plug-in's ten exported functions, with the signatures the host calls.
// Each forwards to host/entry_points.h. On this platform resources are
// compiled into the plug-in, so no module context needs switching.
#include <cstdint>

#include "host/entry_points.h"
#include "host/server_registration.h"
#include "platform/platform.h"

namespace {

platform::Module ownModule() {
  static const int anchor = 0;
  return platform::moduleOfAddress(&anchor);
}

}  // namespace

extern "C" {

int TPHVersion() {
  host::recordPluginModule(ownModule());
  return 1;
}

int TPHCompatibility(std::uint32_t hostAtom, std::uint16_t versionWord) {
  host::recordPluginModule(ownModule());
  return host::compatibility(hostAtom, versionWord);
}

int TPHTimeStamp() { return 0; }

int TPHEntry(std::uint32_t /*unused*/) { return host::entry(); }

int TPHExit() { return host::exitPlugin(); }

std::uint32_t TPHValidateToken(const void* block, std::uint32_t /*unused*/) {
  return host::validateToken(block);
}

int TPHHandleToken(void* const* blockReference, platform::WindowHandle hostWindow,
                   std::uint32_t /*unused*/) {
  return host::handleToken(blockReference, hostWindow);
}

int TPHMultipleInstance(const char* /*text*/) { return 1; }

int DllRegisterServer() {
  const platform::Module module = ownModule();
  host::recordPluginModule(module);
  return host::registerPlugin(platform::moduleFileName(module));
}

int DllUnregisterServer() {
  const platform::Module module = ownModule();
  host::recordPluginModule(module);
  return host::unregisterPlugin(platform::moduleFileName(module));
}

}  // extern "C"
