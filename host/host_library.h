// Binding to the host's two libraries. In: the host's major and minor version.
// Out: the string library's and interface library's functions, looked up by
// name from the host's program folder; null pointers while unbound.
//
// The plug-in never links against the host: these typedefs are the plug-in's
// own statement of the host's calling conventions, checked end to end by the
// tests that load the real stand-in host libraries.
//
// Errors: bind() returns false; nothing is shown and nothing is thrown.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace host {

// A host string: 16-bit units ending with a zero unit. The plug-in never
// interprets the units; it converts only through the string library.
using HostChar = std::uint16_t;

// String library (hoststr<major>).
using HostStringToAnsiFn = void (*)(const HostChar* hostString, char* ansiOut);
using AnsiToHostStringFn = void (*)(const char* ansi, HostChar* hostOut);
using HostStringLengthFn = std::int32_t (*)(const HostChar* hostString);  // bytes, no terminator
using HostStringFindFn = const HostChar* (*)(const HostChar* haystack, const HostChar* needle);

// Interface library (hostifc<major><minor>). The bitmap is a packed
// device-independent bitmap: a 40-byte info header, then the pixel rows
// bottom-up, each padded to 4 bytes.
using CreateCommandDescriptorFn = void* (*)(const HostChar* name, std::intptr_t, std::intptr_t,
                                            const HostChar* text1, const HostChar* text2,
                                            const HostChar* text3, std::intptr_t, std::intptr_t,
                                            std::intptr_t hostArgument, const void* bitmap,
                                            std::intptr_t, std::intptr_t, std::intptr_t,
                                            std::intptr_t, std::intptr_t);
using AddDynamicCommandFn = void (*)(std::uint32_t hostAtom, void* descriptor);
using GetDynamicCommandIdFn = std::uint32_t (*)(std::uint32_t hostAtom, const HostChar* name);
using DestroyCommandDescriptorFn = void (*)(void* descriptor);
using GetCommandBarStyleFn = std::uint32_t (*)(platform::WindowHandle commandBar);

// The functions that the plug-in calls. Every other looked-up function is only
// required to exist.
struct HostFunctions {
  HostStringToAnsiFn hostStringToAnsi = nullptr;
  AnsiToHostStringFn ansiToHostString = nullptr;
  HostStringLengthFn hostStringLength = nullptr;
  HostStringFindFn hostStringFind = nullptr;
  CreateCommandDescriptorFn createCommandDescriptor = nullptr;
  AddDynamicCommandFn addDynamicCommand = nullptr;
  GetDynamicCommandIdFn getDynamicCommandId = nullptr;
  DestroyCommandDescriptorFn destroyCommandDescriptor = nullptr;
  GetCommandBarStyleFn getCommandBarStyle = nullptr;
};

// The file names that bind() forms for a version, before any fallback.
// Example: libraryFileNames(17, 0) == {"hoststr17.so", "hostifc170.so"}.
struct LibraryFileNames {
  std::string stringLibrary;
  std::string interfaceLibrary;
};
LibraryFileNames libraryFileNames(int major, int minor);

class HostLibraryBinding {
 public:
  // Loads both libraries from the host's program folder (the folder of the
  // process's main program) and looks up every function. A missing file falls
  // back to the bare names hoststr17 / hostifc170. Returns true only when every
  // required function was found. Whatever happens, the current directory is
  // the same afterwards as before. A failed bind leaves loaded what it loaded.
  bool bind(int major, int minor);

  // Unloads whichever library is loaded and clears every function.
  void unbind();

  bool isBound() const { return bound_; }
  const HostFunctions& functions() const { return functions_; }
  platform::Module stringLibrary() const { return stringLibrary_; }
  platform::Module interfaceLibrary() const { return interfaceLibrary_; }
  // Number of functions looked up by the last bind, and how many were found.
  int lookedUp() const { return lookedUp_; }
  int found() const { return found_; }

 private:
  bool lookUpAll(int major);

  platform::Module stringLibrary_ = nullptr;
  platform::Module interfaceLibrary_ = nullptr;
  HostFunctions functions_;
  bool bound_ = false;
  int lookedUp_ = 0;
  int found_ = 0;
};

// The process-wide binding that TPHCompatibility makes and TPHExit undoes.
HostLibraryBinding& hostLibraries();

}  // namespace host
