// The "Lumenpass" page in the host's command panel: the controls mirror the options at every
// click and keystroke, "Browse" picks the output folder and "Go for it!" runs.
#include "frame/plugin_state.h"
#include "render/render_utility.h"
#include "resources/resource_ids.h"
#include "support/scanf_reader.h"

namespace render {

namespace {

using namespace resources;

// Set while the program itself fills the controls, so that their notifications do not read
// the half-filled panel back.
bool refreshingPanel = false;

// A size text read as "%d": a number after optional white space, anything after it ignored.
// Texts longer than a size field holds do not read.
bool ParseSizeText(const std::string& text, int& value) {
    if (text.size() > kMaxSizeTextLength) return false;
    support::ScanfReader in(text);
    return in.ReadIntOnly(value);
}

}  // namespace

void RenderUtility::OpenPanel(HostInterface* host, UtilityPanel* panel) {
    hostInterface = host;
    utilityInterface = panel;
    LoadSettings();
    widthText = std::to_string(outputSizeX);
    heightText = std::to_string(outputSizeY);
    padXText = std::to_string(padSizeX);
    padYText = std::to_string(padSizeY);
    settingsValid = 1;
    panelWindow =
        host->AddRollupPage(frame::LibraryModule(), kDlgRenderPanel, PanelProc, "Lumenpass", 0, 0);
    RefreshPanel(true);
}

void RenderUtility::ClosePanel(HostInterface* host, UtilityPanel*) {
    ReadPanel();
    SaveSettings();
    if (panelWindow) {
        host->DeleteRollupPage(panelWindow);
        panelWindow = nullptr;
    }
    hostInterface = nullptr;
    utilityInterface = nullptr;
}

void RenderUtility::ReadPanel() {
    if (!panelWindow) return;
    // The whole text: a path longer than a path may be is refused by the run, never cut.
    outputPath = GetDlgItemText(panelWindow, kIdcOutputPath);
    outputRawActFiles = IsDlgButtonChecked(panelWindow, kIdcOutputRawAct) ? 1 : 0;
    keep24BitTgas = IsDlgButtonChecked(panelWindow, kIdcKeepTgas) ? 1 : 0;
    useRawsmith = IsDlgButtonChecked(panelWindow, kIdcUseRawsmith) ? 1 : 0;
    rawsmithPreviewMode = IsDlgButtonChecked(panelWindow, kIdcPreviewMode) ? 1 : 0;
    ignoreHiddenNodes = IsDlgButtonChecked(panelWindow, kIdcSkipHidden) ? 1 : 0;
    panningCamera = IsDlgButtonChecked(panelWindow, kIdcPanningCamera) ? 1 : 0;
    widthText = GetDlgItemText(panelWindow, kIdcWidth);
    // Panning views are square.
    heightText = panningCamera ? widthText : GetDlgItemText(panelWindow, kIdcHeight);
    settingsValid = 1;
    const std::pair<const std::string*, int*> sizes[] = {{&widthText, &outputSizeX},
                                                         {&heightText, &outputSizeY},
                                                         {&padXText, &padSizeX},
                                                         {&padYText, &padSizeY}};
    for (const auto& [text, field] : sizes)
        if (!ParseSizeText(*text, *field)) settingsValid = 0;
}

void RenderUtility::RefreshPanel(bool initial) {
    if (!panelWindow) return;
    refreshingPanel = true;
    SetDlgItemText(panelWindow, kIdcOutputPath, outputPath);
    CheckDlgButton(panelWindow, kIdcOutputRawAct, outputRawActFiles != 0);
    CheckDlgButton(panelWindow, kIdcKeepTgas, keep24BitTgas != 0);
    CheckDlgButton(panelWindow, kIdcUseRawsmith, useRawsmith != 0);
    CheckDlgButton(panelWindow, kIdcPreviewMode, rawsmithPreviewMode != 0);
    CheckDlgButton(panelWindow, kIdcSkipHidden, ignoreHiddenNodes != 0);
    CheckDlgButton(panelWindow, kIdcPanningCamera, panningCamera != 0);
    // Options that depend on another are disabled, not cleared, while it is off.
    EnableWindow(GetDlgItem(panelWindow, kIdcKeepTgas), outputRawActFiles != 0);
    EnableWindow(GetDlgItem(panelWindow, kIdcUseRawsmith), outputRawActFiles != 0);
    EnableWindow(GetDlgItem(panelWindow, kIdcPreviewMode), useRawsmith && outputRawActFiles);
    if (initial) SetDlgItemText(panelWindow, kIdcWidth, widthText);
    if (initial || panningCamera) SetDlgItemText(panelWindow, kIdcHeight, heightText);
    EnableWindow(GetDlgItem(panelWindow, kIdcHeight), panningCamera == 0);
    refreshingPanel = false;
}

intptr_t RenderUtility::PanelProc(WindowHandle window, unsigned message, WParam p1, LParam) {
    RenderUtility& utility = TheRenderUtility();
    if (!window || window != utility.panelWindow || message != kMsgCommand) return 0;
    if (!utility.hostInterface) return 0;
    switch (CommandCode(p1)) {
        case kNotifyClicked:
            utility.ReadPanel();
            utility.RefreshPanel(false);
            break;
        case kNotifySetFocus:
            utility.hostInterface->DisableAccelerators();
            break;
        case kNotifyKillFocus:
            utility.hostInterface->EnableAccelerators();
            break;
        case kNotifyUpdate:
            if (!refreshingPanel) {
                utility.ReadPanel();
                utility.RefreshPanel(false);
            }
            break;
        default:
            break;
    }
    switch (CommandId(p1)) {
        case kIdcGoForIt:
            utility.ReadPanel();
            utility.Run();
            break;
        case kIdcBrowse: {
            std::string folder = utility.outputPath;
            if (utility.hostInterface->ChooseDirectory(window, "Choose Output", folder,
                                                       "Target Directory"))
                utility.outputPath = folder;
            utility.RefreshPanel(true);
            break;
        }
        default:
            break;
    }
    return 0;
}

}  // namespace render
