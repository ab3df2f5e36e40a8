// qregsvr: enters a plug-in into the host's plug-in list, or removes it, by
// calling its own DllRegisterServer or DllUnregisterServer.
//   qregsvr [/u] [/s] PLUGIN_FILE
// /u unregisters, /s prints nothing on success. The registry file is the one
// QUILLON_REGISTRY names. Exit code 0 when the call reports success, else 1.
#include <strings.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;

using ServerFn = int (*)();

bool isSwitch(const std::string& argument, const char* name) {
  return argument.size() >= 2 && (argument[0] == '/' || argument[0] == '-') &&
         strcasecmp(argument.c_str() + 1, name) == 0;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "qregsvr: %s\n", message.c_str());
  return kFailure;
}

}  // namespace

int main(int argc, char** argv) {
  bool unregister = false;
  bool silent = false;
  std::string file;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (isSwitch(argument, "u")) {
      unregister = true;
    } else if (isSwitch(argument, "s")) {
      silent = true;
    } else if (file.empty() && !argument.empty()) {
      // Absolute paths begin with '/', so only the two known switches are
      // switches; anything else names the file.
      file = argument;
    } else {
      return fail("invalid argument: " + argument + "\nusage: qregsvr [/u] [/s] PLUGIN_FILE");
    }
  }
  if (file.empty()) return fail("usage: qregsvr [/u] [/s] PLUGIN_FILE");

  // The plug-in records its own full file name; give it one.
  std::error_code ignored;
  const std::string path = std::filesystem::absolute(file, ignored).string();
  const platform::Module module = platform::loadLibrary(path.empty() ? file : path);
  if (module == nullptr) return fail(file + " could not be loaded");

  const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  const auto server = reinterpret_cast<ServerFn>(platform::procAddress(module, entry));
  if (server == nullptr) {
    (void)platform::freeLibrary(module);
    return fail(file + " does not export " + entry);
  }
  const int result = server();
  (void)platform::freeLibrary(module);
  if (result == 0) return fail(std::string(entry) + " in " + file + " failed");
  if (!silent) std::printf("%s in %s succeeded.\n", entry, file.c_str());
  return kSuccess;
}
