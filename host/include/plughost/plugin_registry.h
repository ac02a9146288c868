#pragma once
// The plug-in libraries of one folder, loaded in file name order, and their classes.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "hostsdk/loader.h"

namespace plughost {

struct PluginClass {
    const PluginLibrary* library = nullptr;
    int index = 0;
    ClassDescriptor* descriptor = nullptr;
};

// An exporter object; the host deletes it when the export is over.
using ExporterPtr = std::unique_ptr<SceneExporter>;

// What an exporter class says about itself (asked of a fresh exporter object).
struct ExporterInfo {
    bool created = false;
    std::vector<std::string> extensions;
    std::string longDesc, shortDesc;
};

class PluginRegistry {
  public:
    // Loads every *.dle and *.dlu of the folder (any case). Libraries that fail to load are
    // skipped with the reason appended to `errors`. False when the folder cannot be read.
    bool LoadFolder(const std::string& folder, std::vector<std::string>& errors);

    const std::vector<std::unique_ptr<PluginLibrary>>& Libraries() const { return libraries_; }
    // Every class of every library in load order; classes whose descriptor is null are left out.
    std::vector<PluginClass> Classes() const;
    // The first exporter class (load order) with the extension, ignoring case; null descriptor
    // when there is none.
    PluginClass FindExporter(const std::string& extension) const;
    // The first utility class with the class name; with `libraryFile`, the one in the library of
    // that file name (case ignored), so that two builds of one utility can each be chosen.
    PluginClass FindUtility(const std::string& className,
                            const std::string& libraryFile = {}) const;

  private:
    std::vector<std::unique_ptr<PluginLibrary>> libraries_;
};

ExporterPtr CreateExporter(ClassDescriptor* descriptor);
ExporterInfo QueryExporter(ClassDescriptor* descriptor);

// The `list` report: per library its file name, description and version, per class its name,
// ids and category, and for exporters their extensions and descriptions.
void PrintPluginList(const PluginRegistry& registry, std::ostream& out);

// The extension of a path's file name, without the dot; empty when there is none.
std::string PathExtension(const std::string& path);

}  // namespace plughost
