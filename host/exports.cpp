// The plug-in's ten exported functions, with the signatures the host calls.
// Each forwards to host/entry_points.h inside guardExport, so that no
// exception reaches the host. On this platform resources are compiled into
// the plug-in, so no module context needs switching.
#include <cstdint>

#include "host/entry_points.h"
#include "host/export_guard.h"
#include "host/server_registration.h"
#include "platform/platform.h"

namespace {

platform::Module ownModule() {
  static const int anchor = 0;
  return platform::moduleOfAddress(&anchor);
}

}  // namespace

// Failure values: an export that always answers one value answers it also
// after a failure; the others answer "not accepted" (0).
extern "C" {

int TPHVersion() noexcept {
  return host::guardExport("TPHVersion", 1, [] {
    host::recordPluginModule(ownModule());
    return 1;
  });
}

int TPHCompatibility(std::uint32_t hostAtom, std::uint16_t versionWord) noexcept {
  return host::guardExport("TPHCompatibility", 0, [&] {
    host::recordPluginModule(ownModule());
    return host::compatibility(hostAtom, versionWord);
  });
}

int TPHTimeStamp() noexcept { return 0; }

int TPHEntry(std::uint32_t /*unused*/) noexcept {
  return host::guardExport("TPHEntry", 1, [] { return host::entry(); });
}

int TPHExit() noexcept {
  return host::guardExport("TPHExit", 1, [] { return host::exitPlugin(); });
}

std::uint32_t TPHValidateToken(const void* block, std::uint32_t /*unused*/) noexcept {
  return host::guardExport("TPHValidateToken", std::uint32_t{0}, [&] { return host::validateToken(block); });
}

int TPHHandleToken(void* const* blockReference, platform::WindowHandle hostWindow,
                   std::uint32_t /*unused*/) noexcept {
  return host::guardExport("TPHHandleToken", 0,
                           [&] { return host::handleToken(blockReference, hostWindow); });
}

int TPHMultipleInstance(const char* /*text*/) noexcept { return 1; }

int DllRegisterServer() noexcept {
  return host::guardExport("DllRegisterServer", 0, [] {
    const platform::Module module = ownModule();
    host::recordPluginModule(module);
    return host::registerPlugin(platform::moduleFileName(module));
  });
}

int DllUnregisterServer() noexcept {
  return host::guardExport("DllUnregisterServer", 1, [] {
    const platform::Module module = ownModule();
    host::recordPluginModule(module);
    return host::unregisterPlugin(platform::moduleFileName(module));
  });
}

}  // extern "C"
