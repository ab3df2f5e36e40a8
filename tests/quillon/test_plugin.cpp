// A small plug-in for the host's own tests. In: the host's calls, in the
// host's order. Out: a command registered through the host's interface
// library, the command bar answered, and when invoked, text typed into the
// document, the page asked for and two message boxes; or a real Qt dialog
// whose every event is typed into the document as a line of its own.
//
// Steered by the environment of the host process:
//   QUILLON_TEST_PLUGIN_REFUSE          TPHCompatibility answers 0
//   QUILLON_TEST_PLUGIN_REGISTER_FAILS  DllRegisterServer reports failure
//   QUILLON_TEST_PLUGIN_DIALOG          the command opens the "Test Dialog"
// Built a second time with QUILLON_TEST_PLUGIN_WITHOUT_EXIT, lacking TPHExit.
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "platform/platform.h"
#include "tests/quillon/block_builder.h"

#define TEST_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using quillon_test::CreateFn;
using quillon_test::HostChar;

constexpr const char* kPluginListKey = "Software\\Velmor\\Quillon\\17\\Third Party";
constexpr const char* kCaption = "Test Plug-in";

struct State {
  platform::Module strings = nullptr;
  platform::Module interface = nullptr;
  platform::Atom hostAtom = 0;
  std::uint16_t commandId = 0;
  void (*toAnsi)(const HostChar*, char*) = nullptr;
  std::uint32_t (*barStyle)(platform::WindowHandle) = nullptr;
  platform::WindowHandle hostWindow = nullptr;  // while a command runs
};
State state;

// As the real plug-in does: Qt stays loaded once a plug-in that uses it is,
// since unloading it with the plug-in (qregsvr frees it after registering)
// leaks its globals and leaves its exit work on unloaded code.
[[maybe_unused]] const bool kToolkitPinned = platform::pinLoadedLibrary("libQt6Core.so.6") &&
                                             platform::pinLoadedLibrary("libQt6Gui.so.6") &&
                                             platform::pinLoadedLibrary("libQt6Widgets.so.6");

template <typename Fn>
Fn bind(platform::Module module, const char* name) {
  return reinterpret_cast<Fn>(platform::procAddress(module, name));
}

std::uint16_t idOf(const void* block) {
  std::uint16_t id = 0;
  std::memcpy(&id, static_cast<const std::uint8_t*>(block) + 18, sizeof id);
  return id;
}

std::string ownFile() {
  static const int anchor = 0;
  return platform::moduleFileName(platform::moduleOfAddress(&anchor));
}

bool bindAndRegister(std::uint32_t hostAtom) {
  const std::string program = platform::moduleFileName(nullptr);
  const std::string folder = program.substr(0, program.rfind('/') + 1);
  state.strings = platform::loadLibrary(folder + "hoststr17.so");
  state.interface = platform::loadLibrary(folder + "hostifc170.so");
  const auto toHost = bind<void (*)(const char*, HostChar*)>(state.strings, "AnsiToHostString");
  state.toAnsi = bind<decltype(state.toAnsi)>(state.strings, "HostStringToAnsi");
  const auto create = bind<CreateFn>(state.interface, "CreateCommandDescriptor");
  const auto add = bind<void (*)(std::uint32_t, void*)>(state.interface, "AddDynamicCommand");
  const auto id = bind<std::uint32_t (*)(std::uint32_t, const HostChar*)>(state.interface, "GetDynamicCommandId");
  const auto destroy = bind<void (*)(void*)>(state.interface, "DestroyCommandDescriptor");
  state.barStyle = bind<decltype(state.barStyle)>(state.interface, "GetCommandBarStyle");
  if (!toHost || !state.toAnsi || !create || !add || !id || !destroy || !state.barStyle) return false;

  HostChar texts[4][64];
  const char* ansi[4] = {"Test Command", "Test", "Quillon Tests", "A command for tests"};
  for (int i = 0; i < 4; ++i) toHost(ansi[i], texts[i]);
  void* descriptor = create(texts[0], 0, 0, texts[1], texts[2], texts[3], 0, 0, 0, nullptr, 0, 0, 0, 0, 0);
  if (descriptor == nullptr) return false;
  add(hostAtom, descriptor);
  state.commandId = static_cast<std::uint16_t>(id(hostAtom, texts[0]) & 0xFFFF);
  destroy(descriptor);
  state.hostAtom = static_cast<platform::Atom>(hostAtom);
  return true;
}

// The host's announcement record names the host and its command bar; put the
// command on the bar unless the bar's style says not to or it is there.
void answerAnnouncement(const void* block) {
  const std::uint8_t* record = nullptr;
  std::memcpy(&record, static_cast<const std::uint8_t*>(block) + 40, sizeof record);
  if (record == nullptr) return;
  const HostChar* hostName = nullptr;
  platform::WindowHandle bar = nullptr;
  std::memcpy(&hostName, record + 2, sizeof hostName);
  std::memcpy(&bar, record + 2 + sizeof(void*), sizeof bar);
  char ansi[64] = {};
  state.toAnsi(hostName, ansi);
  if (std::string(ansi) != "Quillon" || (state.barStyle(bar) & 8) != 0) return;
  if ((platform::sendMessage(bar, 0x60C, state.commandId, 0) & 0xFFFF) == 0xFFFF) {
    (void)platform::sendMessage(bar, 0x50A, state.commandId, 0x00060001);
  }
}

// Sends a command without parameters.
void send(std::uint16_t command) {
  quillon_test::BlockBuilder block(command, 0);
  block.atoms(0, state.hostAtom).sendTo(state.hostWindow);
  block.release(state.hostWindow);
}

// Types line and a hard return into the document, where the tests read it.
void record(const QString& line) {
  quillon_test::BlockBuilder type(2, 1);
  type.atoms(0, state.hostAtom).hostString(0, 'Q', line.toStdU16String()).sendTo(state.hostWindow);
  type.release(state.hostWindow);
  send(85);  // HardReturn
}

// A dialog with what the plug-in's own dialogs have: buttons with mnemonics
// (one disabled), a drop-down list, a line edit, a nested input dialog,
// message boxes, the shell's "open" and a new document.
void runDialog() {
  QDialog dialog;
  dialog.setWindowTitle("Test Dialog");
  auto* layout = new QVBoxLayout(&dialog);
  auto* list = new QComboBox(&dialog);
  list->addItems({"Alpha", "Beta", "Gamma"});
  QObject::connect(list, &QComboBox::currentIndexChanged, [list] { record("selected " + list->currentText()); });
  QObject::connect(list, &QComboBox::textActivated, [](const QString& text) { record("picked " + text); });
  auto* field = new QLineEdit(&dialog);
  layout->addWidget(list);
  layout->addWidget(field);
  const auto button = [&](const char* text, std::function<void()> onClick) {
    auto* added = new QPushButton(text, &dialog);
    QObject::connect(added, &QPushButton::clicked, onClick);
    layout->addWidget(added);
    return added;
  };
  button("&Apply", [&] { record("applied " + list->currentText() + " [" + field->text() + "]"); });
  button("A&dd...", [&] {
    bool ok = false;
    const QString item = QInputDialog::getText(&dialog, "Add Item", "Item:", QLineEdit::Normal, {}, &ok);
    if (ok) list->addItem(item);
    // As a handler that updates a progress bar does: the script's next
    // action must still wait for this click to finish.
    QCoreApplication::processEvents();
    record(ok ? "added " + item : "add cancelled");
  });
  button("As&k", [] {
    const int answer = platform::messageBox(nullptr, "Proceed?\nThe second line.", kCaption,
                                            platform::kMbYesNoCancel | platform::kMbIconQuestion);
    record("asked " + QString::number(answer));
  });
  button("&Help", [] { record(platform::shellOpen(ownFile()) ? "help opened" : "help failed"); });
  button("To &File", [] {
    send(32993);  // SaveDocument: an unnamed document asks for a name
    send(33101);  // NewDocument
    record("new document");
  });
  button("Fish && &Chips", [] { record("fish and chips"); });
  button("&Locked", [] { record("locked pressed"); })->setEnabled(false);
  button("&Close", [&] { dialog.accept(); });
  field->setFocus();
  record(dialog.exec() == QDialog::Accepted ? "closed" : "cancelled");
}

void runCommand(platform::WindowHandle hostWindow) {
  state.hostWindow = hostWindow;
  if (std::getenv("QUILLON_TEST_PLUGIN_DIALOG") != nullptr) {
    runDialog();
    return;
  }
  quillon_test::BlockBuilder type(2, 1);
  type.atoms(0, state.hostAtom).hostString(0, 'Q', u"Hello from the test plug-in").sendTo(hostWindow);
  type.release(hostWindow);
  quillon_test::BlockBuilder ask(16450, 0);
  ask.atoms(0, state.hostAtom).sendTo(hostWindow);
  const std::int16_t page = quillon_test::replyInt16(ask.reply());
  ask.release(hostWindow);
  const int answer = platform::messageBox(nullptr, "page " + std::to_string(page), kCaption,
                                          platform::kMbYesNo | platform::kMbIconQuestion);
  (void)platform::messageBox(nullptr, "answer " + std::to_string(answer), kCaption, platform::kMbOk);
}

}  // namespace

TEST_PLUGIN_EXPORT int TPHVersion() { return 1; }

TEST_PLUGIN_EXPORT int TPHCompatibility(std::uint32_t hostAtom, std::uint16_t versionWord) {
  if (std::getenv("QUILLON_TEST_PLUGIN_REFUSE") != nullptr || (versionWord & 0xFF) != 17) return 0;
  return bindAndRegister(hostAtom) ? 1 : 0;
}

TEST_PLUGIN_EXPORT int TPHTimeStamp() { return 0; }
TEST_PLUGIN_EXPORT int TPHEntry(std::uint32_t) { return 1; }

#ifndef QUILLON_TEST_PLUGIN_WITHOUT_EXIT
TEST_PLUGIN_EXPORT int TPHExit() {
  if (state.strings != nullptr) (void)platform::freeLibrary(state.strings);
  if (state.interface != nullptr) (void)platform::freeLibrary(state.interface);
  state = State{};
  return 1;
}
#endif

TEST_PLUGIN_EXPORT std::uint32_t TPHValidateToken(const void* block, std::uint32_t) {
  return block != nullptr && idOf(block) == state.commandId ? 0x00010001 : 0;
}

TEST_PLUGIN_EXPORT int TPHHandleToken(void** blockReference, platform::WindowHandle hostWindow, std::uint32_t) {
  if (blockReference == nullptr || *blockReference == nullptr) return 0;
  const std::uint16_t id = idOf(*blockReference);
  if (id == 0xEF0A) answerAnnouncement(*blockReference);
  if (id == state.commandId) runCommand(hostWindow);
  return 0;
}

TEST_PLUGIN_EXPORT int TPHMultipleInstance(const char*) { return 1; }

// Lists this file as DLL1 of the host's plug-in list.
TEST_PLUGIN_EXPORT int DllRegisterServer() {
  using namespace platform;
  RegistryKey key = nullptr;
  const bool written = regCreateKey(RegistryRoot::LocalMachine, kPluginListKey, &key, nullptr) == Status::Ok &&
                       regSetString(key, "DLL1", ownFile()) == Status::Ok;
  (void)regCloseKey(key);
  return written && std::getenv("QUILLON_TEST_PLUGIN_REGISTER_FAILS") == nullptr ? 1 : 0;
}

// Removes DLL1 when it names this file.
TEST_PLUGIN_EXPORT int DllUnregisterServer() {
  using namespace platform;
  RegistryKey key = nullptr;
  std::string listed;
  if (regOpenKey(RegistryRoot::LocalMachine, kPluginListKey, RegistryAccess::All, &key) == Status::Ok &&
      regQueryString(key, "DLL1", 4096, &listed) == Status::Ok && listed == ownFile())
    (void)regDeleteValue(key, "DLL1");
  (void)regCloseKey(key);
  return 1;
}
