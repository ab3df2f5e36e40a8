// Reads the dynamic command lists through the interface library's Quillon*
// enumeration.
#include "quillon/app/registered_commands.h"

#include "quillon/libs/interface_library.h"
#include "quillon/libs/text_codec.h"

namespace quillon::app {
namespace {

constexpr const char* kInterfaceLibraryFile = "hostifc170.so";

std::u16string textOf(const std::uint16_t (&units)[QUILLON_COMMAND_TEXT_UNITS]) {
  std::u16string text;
  for (const std::uint16_t unit : units) {
    if (unit == 0) break;
    text += static_cast<char16_t>(unit);
  }
  return text;
}

}  // namespace

InterfaceLibrary::InterfaceLibrary() {
  const std::string program = platform::moduleFileName(nullptr);
  const std::size_t cut = program.rfind(platform::kPathSeparator);
  const std::string path = (cut == std::string::npos ? std::string{} : program.substr(0, cut + 1)) +
                           kInterfaceLibraryFile;
  module_ = platform::loadLibrary(path);
  if (module_ == nullptr) {
    error_ = "the interface library " + path + " could not be loaded";
    return;
  }
  count_ = reinterpret_cast<DynamicCommandCountFn>(
      platform::procAddress(module_, kDynamicCommandCountName));
  at_ = reinterpret_cast<DynamicCommandAtFn>(platform::procAddress(module_, kDynamicCommandAtName));
  if (!loaded()) error_ = "the interface library " + path + " lacks the command enumeration";
}

InterfaceLibrary::~InterfaceLibrary() {
  if (module_ != nullptr) (void)platform::freeLibrary(module_);
}

std::vector<RegisteredCommand> InterfaceLibrary::commands(platform::Atom hostAtom) const {
  std::vector<RegisteredCommand> commands;
  if (!loaded()) return commands;
  const std::uint32_t count = count_(hostAtom);
  for (std::uint32_t i = 0; i < count; ++i) {
    QuillonCommandInfo info{};
    if (at_(hostAtom, i, &info) == 0) break;
    RegisteredCommand command;
    command.id = info.id;
    command.name = textOf(info.name);
    for (std::size_t t = 0; t < command.displayTexts.size(); ++t) {
      command.displayTexts[t] = textOf(info.displayTexts[t]);
    }
    commands.push_back(std::move(command));
  }
  return commands;
}

std::optional<RegisteredCommand> findCommand(const std::vector<RegisteredCommand>& commands,
                                             const std::string& name) {
  for (const RegisteredCommand& command : commands) {
    if (utf8OfHostString(command.name) == name) return command;
  }
  return std::nullopt;
}

std::optional<RegisteredCommand> findCommand(const std::vector<RegisteredCommand>& commands,
                                             std::uint32_t id) {
  for (const RegisteredCommand& command : commands) {
    if (command.id == id) return command;
  }
  return std::nullopt;
}

}  // namespace quillon::app
