// Binds the host's string and interface libraries: forms their file names from
// the host's version, loads them from the host's program folder and looks up
// every function by name.
#include "host/host_library.h"

#include <array>
#include <string_view>

namespace host {
namespace {

// Looked up in the string library besides the three that are called.
constexpr std::string_view kStringOnlyLookedUp[] = {"HostStringFind"};

// Looked up in the interface library and required, besides the five that are
// called. Their presence is all the plug-in asks of them.
constexpr std::string_view kInterfaceRequired[] = {
    // dynamic commands
    "GetDynamicCommandDate", "RemoveDynamicCommand",
    // menus
    "MenuCreate", "MenuCreatePopup", "MenuDestroy", "MenuDisplayPopup", "MenuGetCount",
    "MenuItemAppend", "MenuItemCheck", "MenuItemDelete", "MenuItemEnable", "MenuItemGetId",
    "MenuItemGetPosition", "MenuItemGetState", "MenuItemGetSubMenu", "MenuItemGetText",
    "MenuItemInsert", "MenuItemRemove", "MenuItemSetText", "MenuTrackPopup",
    // command bars
    "CommandBarGetButtonInfo", "CommandBarSetButtonInfo", "CommandBarShowWindow",
    "CommandBarSave", "SetCommandBarStyle",
    // dialog manager
    "DialogEnd", "DialogCreateParam", "DialogCenterWindow", "DialogPositionWindow",
    "DialogDefaultProc", "DialogBoxParam", "DialogIsMessage", "DialogSetPopupMenu",
    "DialogInsertPopupMenuItem", "PropertySheetPreselectProc",
    // document conversion
    "ConvertFile", "ConvertHandle", "DetectBufferFormat", "DetectFileFormat",
    // macro system
    "MacroSystemInit", "MacroSystemUninit", "MacroTokenFromAnsi", "MacroTokenFree",
    // persistent variables
    "PersistentVarDiscard", "PersistentVarExists", "PersistentVarGetFloat",
    "PersistentVarGetStringAnsi", "PersistentVarGetStringWide", "PersistentVarSetFloat",
    "PersistentVarSetInteger", "PersistentVarSetStringAnsi", "PersistentVarSetStringWide",
    // viewer
    "ViewerCreate", "ViewerViewFile", "ViewerViewFileEnd", "ViewerDestroy",
    // files
    "PathSplit", "RemoveDirectory", "CreateDirectory", "CopyFile", "MoveFile", "DeleteFile",
    "FileOpen", "FileClose", "FileRead", "FileWrite", "FileSeek",
    // colour and messages
    "ColorRgbToHls", "ColorHlsToRgb", "MessageBoxEx",
    // clipboard formats of the host's document versions 6 to 8
    "ClipboardTextFormat6", "ClipboardTextFormat7", "ClipboardTextFormat8",
    "ClipboardDocFormat6", "ClipboardDocFormat7", "ClipboardDocFormat8",
    "GetTextClipboardFormatId", "GetDocumentClipboardFormatId",
    // about box
    "AboutBox",
    // command lookup
    "CommandFindByName", "CommandFindById", "CommandRelease", "ParamFindByOrdinal",
    "CommandGetId", "CommandGetName", "CommandGetParamCount", "ParamGetType", "ParamGetFlags",
};

// Looked up but allowed to be missing.
constexpr std::string_view kInterfaceOptional[] = {"DocumentToStorage",
                                                   "PersistentVarGetInteger"};

// Library file names keep the host's stems and take this platform's suffix.
constexpr std::string_view kLibrarySuffix = ".so";
constexpr std::string_view kBareStringLibrary = "hoststr17.so";
constexpr std::string_view kBareInterfaceLibrary = "hostifc170.so";

constexpr int kLowestMajor = 10;
constexpr int kHighestMajor = 4094;
constexpr int kFirstVersionedClipboard = 9;
constexpr int kLastVersionedClipboard = 17;

// Restores the saved current directory on every path out of bind().
class CurrentDirectoryGuard {
 public:
  explicit CurrentDirectoryGuard(std::string saved) : saved_(std::move(saved)) {}
  ~CurrentDirectoryGuard() { (void)platform::setCurrentDirectory(saved_); }
  CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
  CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

 private:
  std::string saved_;
};

template <typename Fn>
Fn lookUp(platform::Module module, const char* name) {
  return reinterpret_cast<Fn>(platform::procAddress(module, name));
}

}  // namespace

LibraryFileNames libraryFileNames(int major, int minor) {
  return {"hoststr" + std::to_string(major) + std::string(kLibrarySuffix),
          "hostifc" + std::to_string(major) + std::to_string(minor) + std::string(kLibrarySuffix)};
}

bool HostLibraryBinding::bind(int major, int minor) {
  if (major < kLowestMajor || major > kHighestMajor) return false;

  std::string saved;
  if (!platform::currentDirectory(&saved)) return false;
  const std::string program = platform::moduleFileName(nullptr);
  const auto cut = program.rfind(platform::kPathSeparator);
  if (cut == std::string::npos) return false;
  const std::string hostFolder = program.substr(0, cut + 1);

  CurrentDirectoryGuard restore(saved);
  // The bare fallback names are found through the library search, which
  // starts in the current directory: the host folder.
  if (!platform::setCurrentDirectory(hostFolder)) return false;

  const LibraryFileNames names = libraryFileNames(major, minor);
  std::string interfaceFile = hostFolder + names.interfaceLibrary;
  std::string stringFile = hostFolder + names.stringLibrary;
  if (!platform::fileExists(interfaceFile)) interfaceFile = kBareInterfaceLibrary;
  if (!platform::fileExists(stringFile)) stringFile = kBareStringLibrary;

  bound_ = false;
  functions_ = {};
  platform::Module stringModule = platform::loadLibrary(stringFile);
  if (stringModule == nullptr) return false;
  stringLibrary_ = stringModule;
  platform::Module interfaceModule = platform::loadLibrary(interfaceFile);
  if (interfaceModule == nullptr) return false;
  interfaceLibrary_ = interfaceModule;

  bound_ = lookUpAll(major);
  return bound_;
}

bool HostLibraryBinding::lookUpAll(int major) {
  lookedUp_ = 0;
  found_ = 0;
  bool complete = true;
  auto count = [&](const void* fn, bool required) {
    ++lookedUp_;
    if (fn != nullptr) {
      ++found_;
    } else if (required) {
      complete = false;
    }
  };

  HostFunctions& f = functions_;
  f.hostStringToAnsi = lookUp<HostStringToAnsiFn>(stringLibrary_, "HostStringToAnsi");
  f.ansiToHostString = lookUp<AnsiToHostStringFn>(stringLibrary_, "AnsiToHostString");
  f.hostStringLength = lookUp<HostStringLengthFn>(stringLibrary_, "HostStringLength");
  f.hostStringFind = lookUp<HostStringFindFn>(stringLibrary_, "HostStringFind");
  for (const void* fn : {reinterpret_cast<const void*>(f.hostStringToAnsi),
                         reinterpret_cast<const void*>(f.ansiToHostString),
                         reinterpret_cast<const void*>(f.hostStringLength)}) {
    count(fn, true);
  }
  for (std::string_view name : kStringOnlyLookedUp) {
    count(platform::procAddress(stringLibrary_, std::string(name).c_str()), true);
  }

  f.createCommandDescriptor =
      lookUp<CreateCommandDescriptorFn>(interfaceLibrary_, "CreateCommandDescriptor");
  f.addDynamicCommand = lookUp<AddDynamicCommandFn>(interfaceLibrary_, "AddDynamicCommand");
  f.getDynamicCommandId = lookUp<GetDynamicCommandIdFn>(interfaceLibrary_, "GetDynamicCommandId");
  f.destroyCommandDescriptor =
      lookUp<DestroyCommandDescriptorFn>(interfaceLibrary_, "DestroyCommandDescriptor");
  f.getCommandBarStyle = lookUp<GetCommandBarStyleFn>(interfaceLibrary_, "GetCommandBarStyle");
  for (const void* fn : {reinterpret_cast<const void*>(f.createCommandDescriptor),
                         reinterpret_cast<const void*>(f.addDynamicCommand),
                         reinterpret_cast<const void*>(f.getDynamicCommandId),
                         reinterpret_cast<const void*>(f.destroyCommandDescriptor),
                         reinterpret_cast<const void*>(f.getCommandBarStyle)}) {
    count(fn, true);
  }
  for (std::string_view name : kInterfaceRequired) {
    count(platform::procAddress(interfaceLibrary_, std::string(name).c_str()), true);
  }
  for (std::string_view name : kInterfaceOptional) {
    count(platform::procAddress(interfaceLibrary_, std::string(name).c_str()), false);
  }
  // Clipboard formats of later document versions exist only in hosts of that
  // version or newer; version 9's pair is required once looked up.
  for (int version = kFirstVersionedClipboard; version <= kLastVersionedClipboard && version <= major;
       ++version) {
    const bool required = version == kFirstVersionedClipboard;
    for (const char* stem : {"ClipboardTextFormat", "ClipboardDocFormat"}) {
      const std::string name = stem + std::to_string(version);
      count(platform::procAddress(interfaceLibrary_, name.c_str()), required);
    }
  }
  return complete;
}

void HostLibraryBinding::unbind() {
  if (stringLibrary_ != nullptr) {
    platform::freeLibrary(stringLibrary_);
    stringLibrary_ = nullptr;
  }
  if (interfaceLibrary_ != nullptr) {
    platform::freeLibrary(interfaceLibrary_);
    interfaceLibrary_ = nullptr;
  }
  functions_ = {};
  bound_ = false;
}

HostLibraryBinding& hostLibraries() {
  static HostLibraryBinding binding;
  return binding;
}

}  // namespace host
