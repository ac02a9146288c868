#pragma once
// The render utility: one process-wide object that is the host's utility plug-in, holds the
// options and the state of a run and of the panel, and renders every camera of the scene (or six
// axis views from each camera's place) into Targa files, palette images (.raw/.act) or Targa
// files plus a converter batch.
#include <hostsdk/bitmap.h>
#include <hostsdk/host.h>
#include <hostsdk/plugin.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "render/render_options.h"

namespace render {

// The two walks of a run.
inline constexpr int CountPass = 1;
inline constexpr int RenderPass = 2;

class RenderUtility : public UtilityPlugin, public RenderOptions {
  public:
    RenderUtility() = default;
    // Closes a batch file left open.
    ~RenderUtility() override;
    RenderUtility(const RenderUtility&) = delete;
    RenderUtility& operator=(const RenderUtility&) = delete;

    // The host's utility interface.
    void BeginEditParams(HostInterface* host, UtilityPanel* panel) override;
    void EndEditParams(HostInterface* host, UtilityPanel* panel) override;
    void SelectionSetChanged(HostInterface*, UtilityPanel*) override {}
    void DeleteThis() override {}  // static: lives as long as the library
    void SetStartupParam(CStr) override {}

    // Settings file: the host's plug-in configuration folder and "lumenpass.ini". Used only
    // while the panel is open (it asks hostInterface).
    CStr SettingsPath();
    void LoadSettings();
    void SaveSettings();

    // "Go for it!": validates the sizes, saves the settings, counts the cameras, renders them
    // and runs the converter batch. Every outcome is shown to the user.
    void Run();
    // Depth-first walk from `node`, parent before children; false stops the run.
    bool TraverseNodes(SceneNode* node);
    // One node in the current pass; false stops the run.
    bool VisitNode(SceneNode* node);
    // One of the six axis views from `position` into `bitmap`.
    bool RenderFace(const Point3& position, Bitmap* bitmap, const Matrix3& faceMatrix);
    // The Targa path of one face of a camera: the camera name directly followed by the suffix.
    std::string FaceFileName(const std::string& name, const char* suffix) const;
    // The Targa path of a camera's own view.
    std::string CameraFileName(const std::string& name) const;
    // One rendered image in the form the options ask for.
    bool WriteOutputs(Bitmap* bitmap, const std::string& tgaPath);
    // The palette image pair of one rendered image, beside where its Targa file goes.
    bool WriteRawAct(Bitmap* bitmap, const std::string& tgaPath);

    // The converter batch "$$TEMP$$.BAT" in the current folder.
    bool OpenBatch();
    bool AppendBatchLines(const std::string& tgaPath);
    // Writes the last line and closes; false when the file could not be written whole.
    bool CloseBatch();
    void RunBatch();

    // The panel page.
    void OpenPanel(HostInterface* host, UtilityPanel* panel);
    void ClosePanel(HostInterface* host, UtilityPanel* panel);
    static intptr_t PanelProc(WindowHandle window, unsigned message, WParam p1, LParam p2);
    void ReadPanel();
    void RefreshPanel(bool initial);

    // Back to the state of a freshly loaded library (tests).
    void ResetToInitialValues();

    // Run state.
    TimeValue renderTime = 0;
    std::string outputDrive;  // "C:" or empty
    std::string outputDir;    // outputPath without its drive
    std::FILE* batchFile = nullptr;
    int cameraCount = 0;
    int cameraIndex = 0;
    std::string converterOptions;
    int pass = CountPass;
    UtilityPanel* utilityInterface = nullptr;
    HostInterface* hostInterface = nullptr;

    // Panel state.
    WindowHandle panelWindow = nullptr;
    std::string widthText, heightText, padXText, padYText;
    int settingsValid = 0;

  private:
    // Checks a camera's name before anything is made from it; false after reporting.
    bool CheckCameraName(const std::string& name);
    // Renders one frame through the renderer when `opened` says it opened, then closes it;
    // false after reporting.
    bool RenderOpened(int opened, Bitmap* bitmap);
    bool RenderCamera(SceneNode* node, const std::string& name, Bitmap* bitmap);
    bool RenderPanning(SceneNode* node, const std::string& name, Bitmap* bitmap);
    // Steps 4 to 12 of a run, under the run's catch-all.
    void RenderAll();
};

// The library's single utility object.
RenderUtility& TheRenderUtility();

// The name of the camera most recently visited in the current walk; empty outside the walks.
std::string& CurrentCameraName();

// Appends the failure to the failure log (with the date and the current camera name) and shows
// it in a message box captioned "Error".
void ReportFailure(const std::string& message);
// The failure log: $LUMENPASS_FAILURE_LOG when set, else kDefaultFailureLog.
inline constexpr const char* kDefaultFailureLog = "/var/tmp/lumenpass-failures.log";
std::string FailureLogPath();

// The current local date and time as the C library writes it: "Mon Dec 07 03:44:57 2026".
std::string DateText();

}  // namespace render
