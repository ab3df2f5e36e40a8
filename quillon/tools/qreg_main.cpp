// qreg: adds, queries and deletes text values in the registry file named by
// QUILLON_REGISTRY, with the command line of the Windows registry tool:
//   qreg add   KEY [/v NAME] [/d DATA] [/t REG_SZ] [/f]
//   qreg query KEY [/v NAME]
//   qreg delete KEY /v NAME [/f]
// KEY starts with HKLM, HKCU, HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER.
// Exit code 0 on success, 1 on any error (reported on standard error).
#include <strings.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "quillon/tools/registry_listing.h"
#include "quillon/tools/registry_path.h"

namespace {

using quillon::tools::RegistryPath;

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr std::size_t kMaxValueBytes = 1 << 20;

struct Request {
  std::string operation;
  RegistryPath key;
  std::optional<std::string> valueName;  // /v
  std::optional<std::string> data;       // /d
};

int fail(const std::string& message) {
  std::fprintf(stderr, "qreg: ERROR: %s\n", message.c_str());
  return kFailure;
}

void usage() {
  std::fputs(
      "usage: qreg add KEY [/v NAME] [/d DATA] [/t REG_SZ] [/f]\n"
      "       qreg query KEY [/v NAME]\n"
      "       qreg delete KEY /v NAME [/f]\n"
      "KEY begins with HKLM, HKCU, HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER.\n"
      "The registry file is $QUILLON_REGISTRY.\n",
      stderr);
}

bool isSwitch(const std::string& argument, const char* name) {
  return argument.size() >= 2 && (argument[0] == '/' || argument[0] == '-') &&
         strcasecmp(argument.c_str() + 1, name) == 0;
}

// Parses everything after the program name; the error text is empty on success.
std::optional<Request> parse(const std::vector<std::string>& args, std::string& error) {
  if (args.size() < 2) {
    error = "an operation and a key are needed";
    return std::nullopt;
  }
  Request request;
  request.operation = args[0];
  const auto key = quillon::tools::parseRegistryPath(args[1]);
  if (!key) {
    error = "invalid key name: " + args[1];
    return std::nullopt;
  }
  request.key = *key;
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = isSwitch(a, "v") || isSwitch(a, "d") || isSwitch(a, "t");
    if (takesValue && i + 1 >= args.size()) {
      error = a + " needs a value";
      return std::nullopt;
    }
    if (isSwitch(a, "v")) {
      request.valueName = args[++i];
    } else if (isSwitch(a, "d")) {
      request.data = args[++i];
    } else if (isSwitch(a, "t")) {
      if (strcasecmp(args[++i].c_str(), "REG_SZ") != 0) {
        error = "only REG_SZ values exist";
        return std::nullopt;
      }
    } else if (!isSwitch(a, "f")) {
      error = "invalid argument: " + a;
      return std::nullopt;
    }
  }
  return request;
}

// "the key K does not exist", or, when there is no registry file at all,
// that the file does not exist.
int noSuchKey(const RegistryPath& key) {
  const std::string file = platform::registryFilePath();
  if (!platform::fileExists(file)) return fail("the registry file " + file + " does not exist");
  return fail("the key " + quillon::tools::fullKeyName(key) + " does not exist");
}

void printValue(const std::string& name, const std::string& value) {
  std::printf("    %s    REG_SZ    %s\n", name.c_str(), value.c_str());
}

int add(const Request& r) {
  platform::RegistryKey key = nullptr;
  if (platform::regCreateKey(r.key.root, r.key.path, &key, nullptr) != platform::Status::Ok) {
    return fail("cannot create " + quillon::tools::fullKeyName(r.key) + " in " +
                platform::registryFilePath());
  }
  platform::Status status = platform::Status::Ok;
  if (r.valueName) status = platform::regSetString(key, *r.valueName, r.data.value_or(""));
  (void)platform::regCloseKey(key);
  if (status != platform::Status::Ok) {
    return fail("cannot write " + *r.valueName + " in " + platform::registryFilePath());
  }
  std::puts("The operation completed successfully.");
  return kSuccess;
}

int query(const Request& r) {
  const std::string keyName = quillon::tools::fullKeyName(r.key);
  if (!r.valueName) {
    const auto values = quillon::tools::listRegistryValues(platform::registryFilePath(), r.key);
    if (!values) return noSuchKey(r.key);
    std::printf("\n%s\n", keyName.c_str());
    for (const auto& [name, value] : *values) printValue(name, value);
    return kSuccess;
  }
  platform::RegistryKey key = nullptr;
  if (platform::regOpenKey(r.key.root, r.key.path, platform::RegistryAccess::Read, &key) !=
      platform::Status::Ok) {
    return noSuchKey(r.key);
  }
  std::string value;
  const platform::Status status =
      platform::regQueryString(key, *r.valueName, kMaxValueBytes, &value);
  (void)platform::regCloseKey(key);
  if (status != platform::Status::Ok) return fail("the value " + *r.valueName + " does not exist");
  std::printf("\n%s\n", keyName.c_str());
  printValue(*r.valueName, value);
  return kSuccess;
}

int deleteValue(const Request& r) {
  if (!r.valueName) return fail("delete needs /v NAME; whole keys are not deleted");
  platform::RegistryKey key = nullptr;
  if (platform::regOpenKey(r.key.root, r.key.path, platform::RegistryAccess::All, &key) !=
      platform::Status::Ok) {
    return noSuchKey(r.key);
  }
  const platform::Status status = platform::regDeleteValue(key, *r.valueName);
  (void)platform::regCloseKey(key);
  if (status == platform::Status::NotFound)
    return fail("the value " + *r.valueName + " does not exist");
  if (status != platform::Status::Ok) return fail("cannot write " + platform::registryFilePath());
  std::puts("The operation completed successfully.");
  return kSuccess;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<Request> request = parse(args, error);
  if (!request) {
    fail(error);
    usage();
    return kFailure;
  }
  for (const std::string& problem : platform::registryProblems()) {
    std::fprintf(stderr, "qreg: WARNING: %s\n", problem.c_str());
  }
  if (strcasecmp(request->operation.c_str(), "add") == 0) return add(*request);
  if (strcasecmp(request->operation.c_str(), "query") == 0) return query(*request);
  if (strcasecmp(request->operation.c_str(), "delete") == 0) return deleteValue(*request);
  fail("unknown operation: " + request->operation);
  usage();
  return kFailure;
}
