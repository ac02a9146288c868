// The single utility object, its life with the library and its utility interface.
#include "render/render_utility.h"

namespace render {

namespace {
RenderUtility theUtility;
std::string currentCameraName;
}  // namespace

RenderUtility& TheRenderUtility() {
    return theUtility;
}

std::string& CurrentCameraName() {
    return currentCameraName;
}

RenderUtility::~RenderUtility() {
    if (batchFile) std::fclose(batchFile);
}

void RenderUtility::BeginEditParams(HostInterface* host, UtilityPanel* panel) {
    OpenPanel(host, panel);
}

void RenderUtility::EndEditParams(HostInterface* host, UtilityPanel* panel) {
    ClosePanel(host, panel);
}

void RenderUtility::ResetToInitialValues() {
    if (batchFile) std::fclose(batchFile);
    static_cast<RenderOptions&>(*this) = RenderOptions{};
    renderTime = 0;
    outputDrive.clear();
    outputDir.clear();
    batchFile = nullptr;
    cameraCount = cameraIndex = 0;
    converterOptions.clear();
    pass = CountPass;
    utilityInterface = nullptr;
    hostInterface = nullptr;
    panelWindow = nullptr;
    widthText.clear();
    heightText.clear();
    padXText.clear();
    padYText.clear();
    settingsValid = 0;
    currentCameraName.clear();
}

}  // namespace render
