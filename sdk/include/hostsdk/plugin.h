#pragma once
// The plug-in side of loading: class descriptors, exporter and utility interfaces, and the
// library's exported entry points.
#include "hostsdk/class_id.h"
#include "hostsdk/cstr.h"
#include "hostsdk/host.h"
#include "hostsdk/ui.h"

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

// The scene interface the host hands to an export; the exporters here do not use it.
class ExportSceneInterface {
  public:
    virtual ~ExportSceneInterface() = default;
};

// Describes one plug-in class and creates its objects.
class ClassDescriptor {
  public:
    virtual ~ClassDescriptor() = default;
    virtual int IsPublic() = 0;
    // A new object of the class (a SceneExporter for exporters, a UtilityPlugin for utilities),
    // or null when memory runs out.
    virtual void* Create(bool loading = false) = 0;
    virtual int BeginCreate(HostInterface* /*host*/) { return 0; }
    virtual int EndCreate(HostInterface* /*host*/) { return 0; }
    virtual const char* ClassName() = 0;
    virtual SuperClassId SuperClassID() = 0;
    virtual ClassId ClassID() = 0;
    virtual const char* Category() = 0;
    virtual int OkToCreate(HostInterface* /*host*/) { return 1; }
    virtual int HasClassParams() { return 0; }
    virtual void EditClassParams(WindowHandle /*parent*/) {}
    virtual void ResetClassParams(bool /*fileReset*/) {}
    virtual int NumActionTables() { return 0; }
    virtual void* GetActionTable(int /*index*/) { return nullptr; }
    virtual void* GetInterfaceAt(int /*index*/) { return nullptr; }
};

// A scene exporter: one object per export, deleted by the host afterwards.
class SceneExporter {
  public:
    virtual ~SceneExporter() = default;
    virtual int ExtCount() = 0;
    // Extension without the dot; never null.
    virtual const char* Ext(int index) = 0;
    virtual const char* LongDesc() = 0;
    virtual const char* ShortDesc() = 0;
    virtual const char* AuthorName() = 0;
    virtual const char* CopyrightMessage() = 0;
    virtual const char* OtherMessage1() = 0;
    virtual const char* OtherMessage2() = 0;
    virtual unsigned int Version() = 0;
    virtual void ShowAbout(WindowHandle parent) = 0;
    // 1 when the file was written or the user cancelled the options, 0 on failure.
    virtual int DoExport(const char* name, ExportSceneInterface* scene, HostInterface* host,
                         bool suppressPrompts) = 0;
};

// The host's side of an open utility panel.
class UtilityPanel {
  public:
    virtual ~UtilityPanel() = default;
    virtual void CloseUtility() = 0;
};

// A utility plug-in: the host opens and closes its panel.
class UtilityPlugin {
  public:
    virtual void BeginEditParams(HostInterface* host, UtilityPanel* panel) = 0;
    virtual void EndEditParams(HostInterface* host, UtilityPanel* panel) = 0;
    virtual void SelectionSetChanged(HostInterface* host, UtilityPanel* panel) = 0;
    virtual void DeleteThis() = 0;
    virtual void SetStartupParam(CStr param) = 0;

  protected:
    virtual ~UtilityPlugin() = default;
};

// Reasons passed to the library entry, as the operating system's loader gives them.
inline constexpr unsigned kReasonProcessDetach = 0;
inline constexpr unsigned kReasonProcessAttach = 1;
inline constexpr unsigned kReasonThreadAttach = 2;
inline constexpr unsigned kReasonThreadDetach = 3;

// The five functions every plug-in library exports.
#define PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
using LibDescriptionFn = const char* (*)();
using LibNumberClassesFn = int (*)();
using LibClassDescFn = ClassDescriptor* (*)(int index);
using LibVersionFn = unsigned long (*)();
using LibEntryFn = int (*)(ModuleHandle module, unsigned reason, void* reserved);

#pragma GCC visibility pop
