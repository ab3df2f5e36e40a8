// The operating-system services that the plug-in and the stand-in host use:
// registry, global atoms, windows with synchronous messages, global memory,
// dynamic libraries, current directory and files, message boxes, the file-open
// dialog, shell "open", sleep. In: calls shaped like the Windows services they
// stand for. Out: the same results and the same failure values, from a POSIX
// implementation.
//
// This library is the machine's "operating system": it is a shared library so
// that the host program and every plug-in it loads see one set of process-wide
// tables (atoms, windows, memory blocks, the message-box handler).
//
// Errors: no exceptions. Each call returns the failure value its Windows
// counterpart returns (null handle, 0, false, or a non-Ok Status), named in the
// comment of each function.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// File paths on this platform separate folders with '/'. Where the Windows
// original cuts a path "after its last backslash", the code cuts after this.
inline constexpr char kPathSeparator = '/';

// ---------------------------------------------------------------------------
// Registry
//
// A text file in the layout of an exported registry file:
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Velmor\Lexorda\1.0]
//   "installPath"="/opt/lexorda/"
// Inside quoted names and values, '\' and '"' are escaped with '\'. Key paths
// and value names compare ignoring ASCII letter case, as on Windows. Only text
// values exist. The file's path is $QUILLON_REGISTRY, or
// $HOME/.quillon/registry.reg when that is unset. A missing file is an empty
// registry; every write replaces the file through writeWholeFile. A line
// that cannot be read is skipped (see registryProblems) and kept as it stands.
// Each call reads the file afresh, so two processes see each other's writes.

enum class RegistryRoot { LocalMachine, CurrentUser };

enum class [[nodiscard]] Status {
  Ok,
  NotFound,      // no such key or value
  MoreData,      // the value does not fit the caller's size limit
  AccessDenied,  // a write through a read-only key, or a set/delete the file refuses
  InvalidHandle, // a null or already closed key
  Failed,        // anything else (unreadable file or one without the header, bad argument)
};

// An open key. Obtained from regOpenKey/regCreateKey, released by regCloseKey.
struct RegistryKeyRecord;
using RegistryKey = RegistryKeyRecord*;

enum class RegistryAccess { Read, All };

// Returns the registry file path currently in force.
std::string registryFilePath();

// What in the registry file the calls here cannot use, one text per finding,
// for a program to show: "PATH line N: REASON; skipped" for each line that is
// skipped (the rest of the file is in force), or "PATH cannot be read: WHY"
// or "PATH is not a registry file: ..." when none of it is. Empty for a sound
// file and for a missing one (an empty registry).
std::vector<std::string> registryProblems();

// Opens an existing key. NotFound when the key does not exist. Sub-keys are
// separated by '\'; a leading or trailing '\' is ignored.
Status regOpenKey(RegistryRoot root, std::string_view path, RegistryAccess access, RegistryKey* key);

// Opens a key, creating it (and its parents) when missing. *created tells
// which happened (may be null). Failed when the file cannot be written.
Status regCreateKey(RegistryRoot root, std::string_view path, RegistryKey* key, bool* created);

// Reads a text value. maxBytes counts the terminating zero as Windows does: a
// value of n characters needs maxBytes >= n + 1, else MoreData.
// Example: regQueryString(key, "installPath", 500, &path).
Status regQueryString(RegistryKey key, std::string_view name, std::size_t maxBytes, std::string* value);

// Writes a text value (created or replaced). AccessDenied on a read-only key.
Status regSetString(RegistryKey key, std::string_view name, std::string_view value);

// Deletes a value. NotFound when it does not exist.
Status regDeleteValue(RegistryKey key, std::string_view name);

// Closes the key. InvalidHandle for null.
Status regCloseKey(RegistryKey key);

// Holds an open key and closes it on every way out of its scope, an
// exception included. Example:
//   ScopedRegistryKey key;
//   if (regOpenKey(root, path, RegistryAccess::Read, key.out()) != Status::Ok) return;
//   regQueryString(key.get(), "installPath", 500, &path);
class ScopedRegistryKey {
 public:
  ScopedRegistryKey() = default;
  ~ScopedRegistryKey() {
    if (key_ != nullptr) (void)regCloseKey(key_);
  }
  ScopedRegistryKey(const ScopedRegistryKey&) = delete;
  ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;

  RegistryKey* out() { return &key_; }
  RegistryKey get() const { return key_; }

 private:
  RegistryKey key_ = nullptr;
};

// ---------------------------------------------------------------------------
// Global atoms
//
// A process-wide table of names with 16-bit ids in 0xC000..0xFFFF. Names
// compare ignoring ASCII letter case and keep the letter case of their first
// addition. Each add of an existing name counts one reference; each delete
// removes one, and the atom goes when none is left. Names are 1 to 255 bytes.

using Atom = std::uint16_t;

// Adds a name (or a reference to it). Returns its atom, or 0 for an empty or
// too long name.
Atom globalAddAtom(std::string_view name);

// Returns the atom of a name, or 0 when it is not in the table.
Atom globalFindAtom(std::string_view name);

// Copies the atom's name into buffer (at most size - 1 bytes, then a zero) and
// returns the number of bytes copied; 0 for an unknown atom or size 0.
unsigned globalGetAtomName(Atom atom, char* buffer, int size);

// Removes one reference. Returns 0 on success, or the atom itself when it is
// not in the table (as the Windows call does).
Atom globalDeleteAtom(Atom atom);

// ---------------------------------------------------------------------------
// Windows and synchronous messages
//
// A window is a handle bound to a callback. Sending a message calls the
// callback at once, on the caller's thread, and returns its answer.

struct WindowRecord;
using WindowHandle = WindowRecord*;
using WindowProc = std::function<std::intptr_t(WindowHandle window, std::uint32_t message,
                                                std::uintptr_t wparam, std::intptr_t lparam)>;

// Creates a window. Returns null when proc is empty.
WindowHandle createWindow(WindowProc proc);

// Destroys a window. False for an unknown handle.
bool destroyWindow(WindowHandle window);

// True while the handle names a live window.
bool isWindow(WindowHandle window);

// Calls the window's callback and returns its answer; 0 for an unknown handle.
// A window may be destroyed from inside its own callback.
std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                          std::intptr_t lparam);

// ---------------------------------------------------------------------------
// Global memory
//
// Blocks allocated by handle. They never actually move, but callers must lock
// a block to get its address, as on Windows. Each lock counts; unlock undoes
// one lock.

struct GlobalRecord;
using GlobalHandle = GlobalRecord*;

inline constexpr unsigned kGmemFixed = 0x0000;
inline constexpr unsigned kGmemMoveable = 0x0002;
inline constexpr unsigned kGmemZeroInit = 0x0040;
inline constexpr unsigned kGhnd = kGmemMoveable | kGmemZeroInit;

// Allocates size bytes (zeroed when kGmemZeroInit is given). Null on failure,
// and for a size above kGlobalMaxBytes.
inline constexpr std::size_t kGlobalMaxBytes = std::size_t{1} << 31;
GlobalHandle globalAlloc(unsigned flags, std::size_t size);

// Returns the block's address and counts one lock; null for an unknown handle.
void* globalLock(GlobalHandle handle);

// Undoes one lock. Returns true while the block is still locked afterwards,
// false when the count reached 0 or the handle is unknown.
bool globalUnlock(GlobalHandle handle);

// Returns the handle of a block from an address that globalLock returned, or
// null when the address is not the start of a live block.
GlobalHandle globalHandleOf(const void* address);

// Returns the block's size in bytes, 0 for an unknown handle.
std::size_t globalSize(GlobalHandle handle);

// Frees the block whether locked or not. Returns null on success, or the
// handle itself when it is unknown (as the Windows call does).
GlobalHandle globalFree(GlobalHandle handle);

// Number of live blocks; lets tests prove that a sequence of calls frees
// everything it allocated.
std::size_t globalLiveBlockCount();

// Makes the next `count` allocations succeed and every one after them fail,
// until called again with a negative count (the default: never fail). Stands
// in for the platform's low-memory simulation so that callers' allocation
// failure paths can be exercised.
void globalSimulateFailureAfter(long count);

// ---------------------------------------------------------------------------
// Dynamic libraries and module file names

struct ModuleRecord;
using Module = ModuleRecord*;

// Loads a library. A path with a separator is used as it is. A bare name is
// looked for first in the current directory and then by the ordinary library
// search, as the Windows loader does. Null on failure. Each successful load
// counts one reference.
Module loadLibrary(const std::string& path);

// Undoes one load. False for null.
bool freeLibrary(Module module);

// Keeps an already loaded library in the process until it ends, whatever
// later unloads ask (the Windows loader's pin flag). Libraries that register
// process-exit work, such as a window toolkit, must not go away with the
// plug-in that brought them in. False when no library of that file name is
// loaded. Example: pinLoadedLibrary("libQt6Core.so.6").
bool pinLoadedLibrary(const std::string& fileName);

// Looks up an exported symbol. Null when missing or for a null module.
void* procAddress(Module module, const char* name);

// Returns the module that contains this address (for a library, the one that
// holds the code or data at it), or null. Does not count a reference.
Module moduleOfAddress(const void* address);

// Returns the absolute file name of a module; null names the main program.
// Empty on failure. Example: moduleFileName(nullptr) == "/opt/quillon/quillon".
std::string moduleFileName(Module module);

// ---------------------------------------------------------------------------
// Current directory and files

// Reads the current directory into *path. False on failure.
bool currentDirectory(std::string* path);

// Changes the current directory. False when it does not exist.
bool setCurrentDirectory(const std::string& path);

// True when path names an existing file or folder.
bool fileExists(const std::string& path);

// A file opened for reading whole, as a saved document is read: binary,
// other readers and writers allowed, the read position at its end.
struct ReadFileRecord;
using ReadFile = ReadFileRecord*;

// Opens an existing regular file. Null when it cannot be opened: the path is
// missing, names a folder or anything else that is not a regular file, or
// the permissions refuse reading.
ReadFile openFileForReading(const std::string& path);

// The read position: right after opening, the file's size in bytes. -1 for
// null.
std::int64_t fileReadPosition(ReadFile file);

// Reads the file from its start to its end into *bytes (replacing what it
// held). False for null or a null bytes (*bytes untouched), or a failed
// read (*bytes then holds what was read).
bool readWholeFile(ReadFile file, std::vector<std::uint8_t>* bytes);

// Closes the file. False for null.
bool closeFile(ReadFile file);

// ---------------------------------------------------------------------------
// Writing whole files
//
// Every file the host and its tools write (documents, exports, the registry)
// is replaced through writeWholeFile, so that a save can harm no other file
// and a failed save leaves the old contents whole.

enum class [[nodiscard]] FileWriteStatus {
  Ok,
  ReadOnly,        // the target's mode has no write bit, or this process may not write it
  NotRegularFile,  // the target (after links) is a folder, device, pipe or socket
  Failed,          // errorNumber holds the errno value that says why
};

struct FileWriteResult {
  FileWriteStatus status = FileWriteStatus::Ok;
  int errorNumber = 0;
};

// Gives the regular file at path exactly these bytes, creating it when
// missing:
// - a symbolic link is followed to its final target, which gets the bytes;
//   the link stays a link;
// - the bytes go to a new, uniquely named file created exclusively in the
//   target's folder (never through a name someone planted there), which is
//   synced, given the old file's mode and owner (a new file: 0666 less the
//   umask) and then renamed over the target; the folder is synced after;
// - on every failure that temporary file is removed and the target keeps its
//   old contents.
// Refuses, writing nothing, a target that is not a regular file (nothing is
// written into a device or pipe either) and a read-only one: judged by its
// mode bits, so a privileged user who could write anything is refused too.
// Example: writeWholeFile("/home/a/brief.qdoc", bytes).status == FileWriteStatus::Ok
FileWriteResult writeWholeFile(const std::string& path, std::string_view bytes);

// ---------------------------------------------------------------------------
// Message boxes
//
// messageBox() hands every request to the handler that the process installed:
// Qt message boxes in the desktop program, a scripted answerer in batch runs
// and tests. Without a handler the request is written to standard error and
// answered with the default button.

inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbOkCancel = 0x01;
inline constexpr unsigned kMbYesNoCancel = 0x03;
inline constexpr unsigned kMbYesNo = 0x04;
inline constexpr unsigned kMbButtonMask = 0x0F;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconWarning = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbIconMask = 0xF0;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

struct MessageBoxRequest {
  WindowHandle owner = nullptr;
  std::string text;
  std::string caption;
  unsigned flags = 0;
};

// Returns the answer that the first button of the request's button set gives
// (kIdOk for OK and OK/Cancel, kIdYes for the Yes sets).
int defaultAnswer(unsigned flags);

class MessageBoxHandler {
 public:
  virtual ~MessageBoxHandler() = default;
  // Shows or answers the request and returns the button pressed (kIdOk, ...).
  virtual int show(const MessageBoxRequest& request) = 0;
};

// Records every request and answers from a script: each request takes the next
// scripted answer, and once the script is used up the default answer.
class ScriptedMessageBoxHandler : public MessageBoxHandler {
 public:
  explicit ScriptedMessageBoxHandler(std::vector<int> answers = {});
  int show(const MessageBoxRequest& request) override;
  const std::vector<MessageBoxRequest>& shown() const { return shown_; }
  void clear() { shown_.clear(); }

 private:
  std::vector<int> answers_;
  std::size_t next_ = 0;
  std::vector<MessageBoxRequest> shown_;
};

// Installs a handler (null restores the standard-error fallback) and returns
// the one it replaces. The caller keeps ownership.
MessageBoxHandler* setMessageBoxHandler(MessageBoxHandler* handler);

// Shows a message box and returns the button pressed.
int messageBox(WindowHandle owner, std::string_view text, std::string_view caption, unsigned flags);

// Installs a handler for the life of a scope and restores the previous one.
class ScopedMessageBoxHandler {
 public:
  explicit ScopedMessageBoxHandler(MessageBoxHandler* handler)
      : previous_(setMessageBoxHandler(handler)) {}
  ~ScopedMessageBoxHandler() { setMessageBoxHandler(previous_); }
  ScopedMessageBoxHandler(const ScopedMessageBoxHandler&) = delete;
  ScopedMessageBoxHandler& operator=(const ScopedMessageBoxHandler&) = delete;

 private:
  MessageBoxHandler* previous_;
};

// ---------------------------------------------------------------------------
// File-open dialog
//
// openFileDialog() hands every request to the installed handler, as
// messageBox() does: a Qt file dialog where a person answers, the --file
// script in batch runs, a scripted answer in tests. Without a handler the
// request is written to standard error and cancelled.

struct FileDialogRequest {
  WindowHandle owner = nullptr;
  std::string title;   // e.g. "Select Old Database"
  std::string filter;  // empty: every file
};

class FileDialogHandler {
 public:
  virtual ~FileDialogHandler() = default;
  // Shows or answers the request: true with the chosen file's path in *path,
  // false when cancelled.
  virtual bool open(const FileDialogRequest& request, std::string* path) = 0;
};

// Installs a handler (null restores the cancelling fallback) and returns the
// one it replaces. The caller keeps ownership.
FileDialogHandler* setFileDialogHandler(FileDialogHandler* handler);

// Asks for an existing file to open. True with its path in *path; false when
// the request was cancelled (*path untouched).
// Example: if (openFileDialog(owner, "Select Old Database", "", &path)) ...
bool openFileDialog(WindowHandle owner, std::string_view title, std::string_view filter, std::string* path);

// Installs a file-dialog handler for the life of a scope.
class ScopedFileDialogHandler {
 public:
  explicit ScopedFileDialogHandler(FileDialogHandler* handler) : previous_(setFileDialogHandler(handler)) {}
  ~ScopedFileDialogHandler() { setFileDialogHandler(previous_); }
  ScopedFileDialogHandler(const ScopedFileDialogHandler&) = delete;
  ScopedFileDialogHandler& operator=(const ScopedFileDialogHandler&) = delete;

 private:
  FileDialogHandler* previous_;
};

// ---------------------------------------------------------------------------
// Shell and time

// Opens a file with the desktop's viewer for its type (the shell's "open").
// A missing file fails before anything else. Then the installed handler
// decides (a batch host reports the path instead of starting a viewer);
// without one, runs $LEXORDA_OPEN_COMMAND, or xdg-open when that is unset,
// with the path as its one argument, without waiting. False when the file
// does not exist or the viewer cannot be started.
bool shellOpen(const std::string& path);

class ShellOpenHandler {
 public:
  virtual ~ShellOpenHandler() = default;
  // Opens (or stands in for opening) an existing file; false on failure.
  virtual bool open(const std::string& path) = 0;
};

// Installs a handler (null restores the viewer) and returns the one it
// replaces. The caller keeps ownership.
ShellOpenHandler* setShellOpenHandler(ShellOpenHandler* handler);

// Installs a shell-open handler for the life of a scope.
class ScopedShellOpenHandler {
 public:
  explicit ScopedShellOpenHandler(ShellOpenHandler* handler) : previous_(setShellOpenHandler(handler)) {}
  ~ScopedShellOpenHandler() { setShellOpenHandler(previous_); }
  ScopedShellOpenHandler(const ScopedShellOpenHandler&) = delete;
  ScopedShellOpenHandler& operator=(const ScopedShellOpenHandler&) = delete;

 private:
  ShellOpenHandler* previous_;
};

// Suspends the calling thread.
void sleepMilliseconds(unsigned milliseconds);

}  // namespace platform
