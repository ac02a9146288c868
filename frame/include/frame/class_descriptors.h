#pragma once
// Building blocks of the export libraries' plug-in classes: a class descriptor that creates
// one exporter type, and an exporter base that answers the host's fixed questions.
#include <hostsdk/plugin.h>

#include <new>

namespace frame {

// What a descriptor reports about its class.
struct ExporterClassInfo {
    const char* className;
    ClassId classId;
    const char* category;
};

// The descriptor of an exporter class. Create returns the new object as a SceneExporter*
// (converted to void*), which is what the host expects of an exporter class.
template <class Exporter>
class ExporterClassDesc final : public ClassDescriptor {
  public:
    explicit constexpr ExporterClassDesc(const ExporterClassInfo& info) : info_(info) {}

    int IsPublic() override { return 1; }
    void* Create(bool /*loading*/) override {
        try {
            return static_cast<SceneExporter*>(new Exporter);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    const char* ClassName() override { return info_.className; }
    SuperClassId SuperClassID() override { return kSceneExporterSuperClass; }
    ClassId ClassID() override { return info_.classId; }
    const char* Category() override { return info_.category; }

  private:
    ExporterClassInfo info_;
};

// The texts an exporter shows in the host's export command.
struct ExporterTexts {
    const char* extension;  // without the dot
    const char* longDescription;
    const char* shortDescription;
};

// Version every exporter of the system reports (the file formats' version as well).
inline constexpr unsigned kExporterVersion = 101;

// A scene exporter with one extension and fixed texts; subclasses add DoExport.
class FixedTextExporter : public SceneExporter {
  public:
    explicit FixedTextExporter(const ExporterTexts& texts) : texts_(texts) {}

    int ExtCount() override { return 1; }
    const char* Ext(int index) override { return index == 0 ? texts_.extension : ""; }
    const char* LongDesc() override { return texts_.longDescription; }
    const char* ShortDesc() override { return texts_.shortDescription; }
    const char* AuthorName() override;
    const char* CopyrightMessage() override;
    const char* OtherMessage1() override { return ""; }
    const char* OtherMessage2() override { return ""; }
    unsigned int Version() override { return kExporterVersion; }
    void ShowAbout(WindowHandle /*parent*/) override {}

  private:
    ExporterTexts texts_;
};

}  // namespace frame
