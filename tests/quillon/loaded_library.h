// A shared library opened with dlopen for the length of a test, and its
// functions looked up by name through a given pointer type.
#pragma once

#include <dlfcn.h>

#include <string>

namespace quillon_test {

class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::string& path)
      : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  ~LoadedLibrary() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  void* symbol(const std::string& name) const {
    return handle_ != nullptr ? dlsym(handle_, name.c_str()) : nullptr;
  }
  template <typename Fn>
  Fn function(const std::string& name) const {
    return reinterpret_cast<Fn>(symbol(name));
  }

 private:
  void* handle_;
};

}  // namespace quillon_test
