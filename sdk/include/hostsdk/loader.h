#pragma once
// The host side of loading a plug-in library: open it, find its exports, call its entry on
// attach and detach as the operating system would.
#include <memory>
#include <string>

#include "hostsdk/plugin.h"

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

class PluginLibrary {
  public:
    // Loads the library at path; null with the reason in `error` when the file cannot be
    // opened, lacks one of the five exports, or its entry refuses to attach.
    static std::unique_ptr<PluginLibrary> Load(const std::string& path, std::string& error);
    // Detaches and unloads.
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    const std::string& Path() const { return path_; }
    std::string FileName() const;
    ModuleHandle Module() const { return handle_; }
    const char* Description() const;
    unsigned long Version() const;
    int NumberClasses() const;
    // Null for an index at or past the class count.
    ClassDescriptor* ClassDesc(int index) const;

  private:
    PluginLibrary() = default;

    std::string path_;
    void* handle_ = nullptr;
    LibDescriptionFn description_ = nullptr;
    LibNumberClassesFn numberClasses_ = nullptr;
    LibClassDescFn classDesc_ = nullptr;
    LibVersionFn version_ = nullptr;
    LibEntryFn entry_ = nullptr;
};

#pragma GCC visibility pop
