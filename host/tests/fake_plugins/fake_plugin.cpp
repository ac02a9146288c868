// Fake plug-in libraries for plughost's end-to-end tests. FAKE_VARIANT picks the library:
// 0 an exporter for "FAK" and a utility with a panel, 1 a second exporter for "fak",
// 2 a library without LibVersion, 3 a library whose entry refuses to attach.
#include <cstdio>
#include <string>

#include "hostsdk/bitmap.h"
#include "hostsdk/plugin.h"

namespace {

ModuleHandle module = nullptr;

unsigned long Nothing(void*) {
    return 0;
}

class FakeExporter : public SceneExporter {
  public:
    int ExtCount() override { return 1; }
    const char* Ext(int i) override { return i == 0 ? (FAKE_VARIANT == 1 ? "fak" : "FAK") : ""; }
    const char* LongDesc() override { return "Fake node name exporter"; }
    const char* ShortDesc() override { return "Fake exporter"; }
    const char* AuthorName() override { return ""; }
    const char* CopyrightMessage() override { return ""; }
    const char* OtherMessage1() override { return ""; }
    const char* OtherMessage2() override { return ""; }
    unsigned int Version() override { return 100; }
    void ShowAbout(WindowHandle) override {}

    // Writes one line per node: its name, hidden flag, position at the current time, object
    // class, converted vertex count and diffuse bitmap size; cancels through the progress.
    int DoExport(const char* name, ExportSceneInterface*, HostInterface* host, bool) override {
        out_ = std::fopen(name, "wb");
        if (!out_) return 0;
        host_ = host;
        if (FAKE_VARIANT == 1) std::fputs("second exporter\n", out_);
        const Interval range = host->GetAnimRange();
        std::fprintf(out_, "range %d %d time %d tpf %d cfg %s\n", range.start, range.end,
                     host->GetTime(), GetTicksPerFrame(), host->GetDir(kDirPlugConfig));
        total_ = Count(host->GetRootNode());
        host->ProgressStart("Faking", true, Nothing, nullptr);
        host->ProgressUpdate(0);
        const bool ok = Walk(host->GetRootNode());
        host->ProgressEnd();
        const bool closed = std::fclose(out_) == 0;
        if (!ok || !closed) {
            std::remove(name);
            return 0;
        }
        MessageBox(nullptr, "exported " + std::to_string(done_) + " nodes", "Fake", kMbOk);
        return 1;
    }

  private:
    int Count(SceneNode* n) {
        int c = 1;
        for (int i = 0; i < n->NumberOfChildren(); ++i) c += Count(n->GetChildNode(i));
        return c;
    }

    bool Walk(SceneNode* n) {
        if (host_->GetCancel()) return false;
        Visit(n);
        ++done_;
        host_->ProgressUpdate(done_ * 100 / total_);
        for (int i = 0; i < n->NumberOfChildren(); ++i)
            if (!Walk(n->GetChildNode(i))) return false;
        return true;
    }

    void Visit(SceneNode* n) {
        const TimeValue t = host_->GetTime();
        const Point3 p = n->GetNodeTM(t).GetTrans();
        std::fprintf(out_, "%s hidden=%d at %g %g %g", n->GetName() ? n->GetName() : "(none)",
                     n->IsNodeHidden() ? 1 : 0, p.x, p.y, p.z);
        if (HostObject* obj = n->EvalWorldState(t).obj) {
            std::fprintf(out_, " object %X", obj->SuperClassID());
            if (obj->CanConvertToType(kTriangleMeshClassId)) {
                HostObject* mesh = obj->ConvertToType(t, kTriangleMeshClassId);
                std::fprintf(out_, " vertices %d",
                             static_cast<MeshObject*>(mesh)->GetMesh().VertexCount());
                if (mesh != obj) mesh->DeleteThis();
            }
        }
        Material* m = n->GetMaterial();
        TextureMap* map = m ? m->GetSubTexmap(kMapDiffuse) : nullptr;
        if (map && map->GetMapName()) {
            BitmapInfo info;
            info.SetName(map->GetMapName());
            uint16_t status = 0;
            Bitmap* bm = TheManager->Load(&info, &status);
            if (bm) {
                std::fprintf(out_, " bitmap %dx%d", bm->Width(), bm->Height());
                bm->DeleteThis();
            } else {
                std::fprintf(out_, " bitmap status %d", status);
            }
        }
        std::fputs("\n", out_);
    }

    FILE* out_ = nullptr;
    HostInterface* host_ = nullptr;
    int total_ = 0;
    int done_ = 0;
};

class ExporterDescriptor : public ClassDescriptor {
  public:
    int IsPublic() override { return 1; }
    void* Create(bool) override { return static_cast<SceneExporter*>(new FakeExporter); }
    const char* ClassName() override { return FAKE_VARIANT == 1 ? "FakExp2" : "FakExp"; }
    SuperClassId SuperClassID() override { return kSceneExporterSuperClass; }
    ClassId ClassID() override { return {0x1234ABCD, FAKE_VARIANT}; }
    const char* Category() override { return "Fake"; }
} exporterDescriptor;

// The utility's panel: an edit field and a button that saves its text in the plug-in
// configuration folder.
constexpr int kPanelTemplate = 100;
constexpr int kTextField = 200;
constexpr int kSaveButton = 201;
const ControlTemplate panelControls[] = {
    {kTextField, ControlKind::Edit, "", 5, 5, 80, 12, 0},
    {kSaveButton, ControlKind::PushButton, "Save", 5, 20, 40, 12, 0},
};
const DialogTemplate panelTemplate = {
    kPanelTemplate, "Fake panel", "MS Sans Serif", 8, 100, 40, true, panelControls, 2};
const DialogTemplate* const dialogs[] = {&panelTemplate};
const ResourceTable resources = {dialogs, 1, nullptr, 0};

HostInterface* utilityHost = nullptr;

intptr_t PanelProc(WindowHandle dialog, unsigned message, WParam wp, LParam) {
    if (message != kMsgCommand || CommandId(wp) != kSaveButton) return 0;
    const std::string path = std::string(utilityHost->GetDir(kDirPlugConfig)) + "/fake_utility.txt";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fputs(GetDlgItemText(dialog, kTextField).c_str(), f);
        std::fclose(f);
    }
    return 1;
}

class FakeUtility : public UtilityPlugin {
  public:
    void BeginEditParams(HostInterface* host, UtilityPanel*) override {
        utilityHost = host;
        page_ = host->AddRollupPage(module, kPanelTemplate, PanelProc, "Fake");
    }
    void EndEditParams(HostInterface* host, UtilityPanel*) override {
        host->DeleteRollupPage(page_);
        page_ = nullptr;
    }
    void SelectionSetChanged(HostInterface*, UtilityPanel*) override {}
    void DeleteThis() override {}
    void SetStartupParam(CStr) override {}

  private:
    WindowHandle page_ = nullptr;
} utility;

class UtilityDescriptor : public ClassDescriptor {
  public:
    int IsPublic() override { return 1; }
    void* Create(bool) override { return static_cast<UtilityPlugin*>(&utility); }
    const char* ClassName() override { return "FakeUtility"; }
    SuperClassId SuperClassID() override { return kUtilitySuperClass; }
    ClassId ClassID() override { return {0x5678, 0x9ABC}; }
    const char* Category() override { return "Fake"; }
} utilityDescriptor;

}  // namespace

PLUGIN_EXPORT const char* LibDescription() {
    return "Fake plug-ins for plughost's tests";
}
PLUGIN_EXPORT int LibNumberClasses() {
    return FAKE_VARIANT == 0 ? 2 : 1;
}
PLUGIN_EXPORT ClassDescriptor* LibClassDesc(int i) {
    if (i == 0) return &exporterDescriptor;
    if (i == 1 && FAKE_VARIANT == 0) return &utilityDescriptor;
    return nullptr;
}
#if FAKE_VARIANT != 2
PLUGIN_EXPORT unsigned long LibVersion() {
    return 0x09C40500;
}
#endif
PLUGIN_EXPORT int LibEntry(ModuleHandle handle, unsigned reason, void*) {
    module = handle;
    if (FAKE_VARIANT == 3) return 0;
    if (reason == kReasonProcessAttach) return RegisterModuleResources(handle, &resources) ? 1 : 0;
    if (reason == kReasonProcessDetach) UnregisterModuleResources(handle);
    return 1;
}
