// A fake plug-in library for the windowed front end's tests: a utility whose page behaves as a
// render panel does (a "Panning camera" box makes the height follow the width and disables it,
// "Browse" asks for a folder, "Go for it!" shows a message box) and an exporter for ".slw" that
// works slowly under the progress display until it is cancelled. The page template and its
// picture exist only here.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "hostsdk/plugin.h"

namespace {

ModuleHandle module = nullptr;

constexpr int kPageTemplate = 905;
constexpr int kPicture = 905;
constexpr int kGo = 1001, kOutputPath = 1005, kBrowse = 1006, kPanning = 1008, kWidth = 1018,
              kHeight = 1019;

const ControlTemplate pageControls[] = {
    {kNoId, ControlKind::Static, "Output Path :", 4, 5, 43, 8, 0},
    {kOutputPath, ControlKind::Edit, "", 4, 15, 100, 12, kStyleBorder | kStyleHScroll},
    {kBrowse, ControlKind::PushButton, "Browse", 58, 29, 46, 12, 0},
    {kPanning, ControlKind::AutoCheckBox, "Panning camera", 11, 45, 67, 10, 0},
    {kNoId, ControlKind::Static, "Width:", 10, 60, 22, 8, 0},
    {kWidth, ControlKind::Edit, "", 38, 57, 40, 14, kStyleBorder | kStyleHScroll},
    {kNoId, ControlKind::Static, "Height:", 10, 77, 24, 8, 0},
    {kHeight, ControlKind::Edit, "", 38, 74, 40, 14, kStyleBorder | kStyleHScroll},
    {kGo, ControlKind::PushButton, "Go for it!", 20, 95, 67, 18, 0},
    {kNoId, ControlKind::Picture, "905", 32, 117, 43, 39, 0},
};
const DialogTemplate pageTemplate = {kPageTemplate,
                                     "Fake panel",
                                     "MS Sans Serif",
                                     8,
                                     108,
                                     160,
                                     true,
                                     pageControls,
                                     sizeof(pageControls) / sizeof(pageControls[0])};

// The picture: 32 x 32 pixels, red growing to the right, green downwards.
struct Picture {
    unsigned char indices[32 * 32];
    unsigned char palette[768];
    Picture() {
        for (int i = 0; i < 256; ++i) {
            palette[3 * i] = static_cast<unsigned char>((i & 15) * 17);
            palette[3 * i + 1] = static_cast<unsigned char>((i >> 4) * 17);
            palette[3 * i + 2] = 64;
        }
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                indices[32 * y + x] = static_cast<unsigned char>((y / 2) * 16 + x / 2);
    }
} picture;
const BitmapResource pictureResource = {kPicture, 32, 32, picture.indices, picture.palette};

const DialogTemplate* const dialogs[] = {&pageTemplate};
const BitmapResource* const bitmaps[] = {&pictureResource};
const ResourceTable resources = {dialogs, 1, bitmaps, 1};

struct PanelState {
    HostInterface* host = nullptr;
    WindowHandle page = nullptr;
    std::string path = "out";
    bool panning = false;
    std::string width = "640", height = "480";
    bool refreshing = false;
} panel;

void ReadPanel() {
    panel.path = GetDlgItemText(panel.page, kOutputPath);
    panel.panning = IsDlgButtonChecked(panel.page, kPanning);
    panel.width = GetDlgItemText(panel.page, kWidth);
    panel.height = panel.panning ? panel.width : GetDlgItemText(panel.page, kHeight);
}

void RefreshPanel(bool initial) {
    panel.refreshing = true;
    SetDlgItemText(panel.page, kOutputPath, panel.path);
    CheckDlgButton(panel.page, kPanning, panel.panning);
    if (initial) SetDlgItemText(panel.page, kWidth, panel.width);
    if (initial || panel.panning) SetDlgItemText(panel.page, kHeight, panel.height);
    EnableWindow(GetDlgItem(panel.page, kHeight), !panel.panning);
    panel.refreshing = false;
}

intptr_t PageProc(WindowHandle page, unsigned message, WParam wp, LParam) {
    if (page != panel.page || message != kMsgCommand) return 0;
    switch (CommandCode(wp)) {
        case kNotifyClicked:
            ReadPanel();
            RefreshPanel(false);
            break;
        case kNotifyUpdate:
            if (!panel.refreshing) {
                ReadPanel();
                RefreshPanel(false);
            }
            break;
        default:
            break;
    }
    if (CommandId(wp) == kGo && CommandCode(wp) == kNotifyClicked) {
        ReadPanel();
        MessageBox(page, "Go " + panel.width + "x" + panel.height, "Fake panel", kMbOk);
    } else if (CommandId(wp) == kBrowse && CommandCode(wp) == kNotifyClicked) {
        panel.host->ChooseDirectory(page, "Choose Output", panel.path, "Target Directory");
        RefreshPanel(true);
    }
    return 0;
}

class FakePanelUtility : public UtilityPlugin {
  public:
    void BeginEditParams(HostInterface* host, UtilityPanel*) override {
        panel.host = host;
        panel.page = host->AddRollupPage(module, kPageTemplate, PageProc, "Fake Panel");
        RefreshPanel(true);
    }
    // Saves what the page showed, as a panel's settings are saved when it closes.
    void EndEditParams(HostInterface* host, UtilityPanel*) override {
        ReadPanel();
        const bool heightEnabled = IsWindowEnabled(GetDlgItem(panel.page, kHeight));
        const std::string file = std::string(host->GetDir(kDirPlugConfig)) + "/fake_panel.txt";
        if (FILE* f = std::fopen(file.c_str(), "wb")) {
            std::fprintf(f, "path %s\npanning %d\nwidth %s\nheight %s\nheightEnabled %d\n",
                         panel.path.c_str(), panel.panning ? 1 : 0, panel.width.c_str(),
                         panel.height.c_str(), heightEnabled ? 1 : 0);
            std::fclose(f);
        }
        host->DeleteRollupPage(panel.page);
        panel.page = nullptr;
    }
    void SelectionSetChanged(HostInterface*, UtilityPanel*) override {}
    void DeleteThis() override {}
    void SetStartupParam(CStr) override {}
} utility;

class UtilityDescriptor : public ClassDescriptor {
  public:
    int IsPublic() override { return 1; }
    void* Create(bool) override { return static_cast<UtilityPlugin*>(&utility); }
    const char* ClassName() override { return "FakePanel"; }
    SuperClassId SuperClassID() override { return kUtilitySuperClass; }
    ClassId ClassID() override { return {0x6A11, 0x905}; }
    const char* Category() override { return "Fake"; }
} utilityDescriptor;

unsigned long Nothing(void*) {
    return 0;
}

// Works for up to a minute in small steps, polling the cancel flag; a cancelled run writes
// nothing and fails.
class SlowExporter : public SceneExporter {
  public:
    int ExtCount() override { return 1; }
    const char* Ext(int) override { return "SLW"; }
    const char* LongDesc() override { return "Slow fake exporter"; }
    const char* ShortDesc() override { return "Slow"; }
    const char* AuthorName() override { return ""; }
    const char* CopyrightMessage() override { return ""; }
    const char* OtherMessage1() override { return ""; }
    const char* OtherMessage2() override { return ""; }
    unsigned int Version() override { return 100; }
    void ShowAbout(WindowHandle) override {}
    int DoExport(const char* name, ExportSceneInterface*, HostInterface* host, bool) override {
        host->ProgressStart("Slow work", true, Nothing, nullptr);
        bool cancelled = false;
        for (int step = 0; step < 6000 && !cancelled; ++step) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            host->ProgressUpdate(step / 60);
            cancelled = host->GetCancel();
        }
        host->ProgressEnd();
        if (cancelled) return 0;
        FILE* f = std::fopen(name, "wb");
        if (!f) return 0;
        std::fputs("done\n", f);
        return std::fclose(f) == 0 ? 1 : 0;
    }
};

class ExporterDescriptor : public ClassDescriptor {
  public:
    int IsPublic() override { return 1; }
    void* Create(bool) override { return static_cast<SceneExporter*>(new SlowExporter); }
    const char* ClassName() override { return "SlowExporter"; }
    SuperClassId SuperClassID() override { return kSceneExporterSuperClass; }
    ClassId ClassID() override { return {0x6A11, 0x906}; }
    const char* Category() override { return "Fake"; }
} exporterDescriptor;

}  // namespace

PLUGIN_EXPORT const char* LibDescription() {
    return "Fake panel and slow exporter for plughost's window tests";
}
PLUGIN_EXPORT int LibNumberClasses() {
    return 2;
}
PLUGIN_EXPORT ClassDescriptor* LibClassDesc(int i) {
    return i == 0   ? static_cast<ClassDescriptor*>(&utilityDescriptor)
           : i == 1 ? &exporterDescriptor
                    : nullptr;
}
PLUGIN_EXPORT unsigned long LibVersion() {
    return 0x09C40500;
}
PLUGIN_EXPORT int LibEntry(ModuleHandle handle, unsigned reason, void*) {
    module = handle;
    if (reason == kReasonProcessAttach) return RegisterModuleResources(handle, &resources) ? 1 : 0;
    if (reason == kReasonProcessDetach) UnregisterModuleResources(handle);
    return 1;
}
