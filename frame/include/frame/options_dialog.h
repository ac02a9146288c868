#pragma once
// The modal export options dialogs. Each edits a copy of the settings it is given and copies it
// back only on OK.
#include <hostsdk/ui.h>

#include <string>

#include "frame/export_settings.h"

namespace frame {

enum class DialogOutcome {
    Confirmed,    // OK: the settings have been updated
    Cancelled,    // Cancel or close: nothing changed
    Unavailable,  // the dialog template is not registered for this library
};

// "Bone Export Options" of quellstone.dle. The bone variant edits the rules, options and frame
// range; the pose variant fixes the range, shows `outputDirectory` (drive and directory of the
// export path) and also edits the texture export option.
enum class BoneDialogVariant { Bone, Pose };
DialogOutcome RunBoneOptionsDialog(ExportSettings& settings, BoneDialogVariant variant,
                                   const std::string& outputDirectory = {});

// "Course Export Options" of ravelpath.dle: the node name and the frame range; the scale factor
// and rotation travel through hidden controls.
DialogOutcome RunCourseOptionsDialog(ExportSettings& settings);

// The dialog procedures, for the UI layer.
intptr_t BoneOptionsProc(WindowHandle dialog, unsigned message, WParam wp, LParam lp);
intptr_t CourseOptionsProc(WindowHandle dialog, unsigned message, WParam wp, LParam lp);

}  // namespace frame
