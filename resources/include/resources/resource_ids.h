#pragma once
// Template, picture and control ids shared by the dialog templates and their procedures.

namespace resources {

// Dialog templates and pictures.
inline constexpr int kDlgBoneOptions = 101;
inline constexpr int kDlgRuleEditor = 102;
inline constexpr int kDlgCourseOptions = 103;
inline constexpr int kBmpLogo = 104;
inline constexpr int kDlgRenderPanel = 105;
inline constexpr int kBmpRenderPanel = 105;

// Options dialogs (bone, pose and course variants).
inline constexpr int kIdcStartSlider = 1000;
inline constexpr int kIdcStartNumber = 1001;
inline constexpr int kIdcEndSlider = 1002;
inline constexpr int kIdcEndNumber = 1003;
inline constexpr int kIdcRangeSummary = 1004;
inline constexpr int kIdcFirstFrame = 1005;
inline constexpr int kIdcCurrentFrame = 1006;
inline constexpr int kIdcAllFrames = 1007;
inline constexpr int kIdcIgnoreHidden = 1010;
inline constexpr int kIdcScaleFactor = 1011;
inline constexpr int kIdcRotate180 = 1013;
inline constexpr int kIdcExportTextures = 1014;
inline constexpr int kIdcRuleUp = 1015;
inline constexpr int kIdcRuleDown = 1016;
inline constexpr int kIdcOutputDirectory = 1017;
inline constexpr int kIdcRuleList = 1042;
inline constexpr int kIdcRuleAdd = 1043;
inline constexpr int kIdcRuleRemove = 1044;
inline constexpr int kIdcRuleEdit = 1049;
inline constexpr int kIdcNodeName = 1017;  // course variant

// Rule editor.
inline constexpr int kIdcWildcard = 1047;
inline constexpr int kIdcInclude = 1016;
inline constexpr int kIdcExclude = 1017;

// Render panel of lumenpass.dlu and lumenpass3.dlu.
inline constexpr int kIdcGoForIt = 1001;
inline constexpr int kIdcOutputPath = 1005;
inline constexpr int kIdcBrowse = 1006;
inline constexpr int kIdcOutputRawAct = 1007;
inline constexpr int kIdcPanningCamera = 1008;
inline constexpr int kIdcSkipHidden = 1009;
inline constexpr int kIdcPreviewMode = 1011;
inline constexpr int kIdcUseRawsmith = 1012;
inline constexpr int kIdcKeepTgas = 1013;
inline constexpr int kIdcWidth = 1018;
inline constexpr int kIdcHeight = 1019;

}  // namespace resources
