// What holds for every template of every library: controls lie inside their dialog, control ids
// are unique, modal dialogs have OK as default button and Cancel, and every picture control
// names a picture of the same library.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "resources/lumenpass_resources.h"
#include "resources/quellstone_resources.h"
#include "resources/ravelpath_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

struct Library {
    const char* name;
    const ResourceTable& table;
};

std::vector<Library> Libraries() {
    return {{"quellstone", QuellstoneResources()},
            {"ravelpath", RavelpathResources()},
            {"lumenpass", LumenpassResources()}};
}

bool HasBitmap(const ResourceTable& table, int id) {
    for (std::size_t i = 0; i < table.bitmapCount; ++i)
        if (table.bitmaps[i]->id == id) return true;
    return false;
}

TEST(Templates, ControlsFitTheirDialogAndKeepTheirIdsApart) {
    for (const Library& library : Libraries()) {
        for (std::size_t d = 0; d < library.table.dialogCount; ++d) {
            const DialogTemplate& dialog = *library.table.dialogs[d];
            const std::string where = std::string(library.name) + " dialog " +
                                      std::to_string(dialog.id) + " " + dialog.title;
            std::set<int> ids;
            bool ok = false, cancel = false;
            for (std::size_t c = 0; c < dialog.controlCount; ++c) {
                const ControlTemplate& control = dialog.controls[c];
                const std::string what = where + ", control \"" + control.text + "\"";
                EXPECT_GE(control.x, 0) << what;
                EXPECT_GE(control.y, 0) << what;
                EXPECT_LE(control.x + control.w, dialog.width) << what;
                EXPECT_LE(control.y + control.h, dialog.height) << what;
                if (control.id != kNoId) {
                    EXPECT_TRUE(ids.insert(control.id).second) << what << ": id used twice";
                }
                ok = ok || (control.id == kIdOk && control.kind == ControlKind::DefPushButton);
                cancel = cancel || control.id == kIdCancel;
                if (control.kind == ControlKind::Picture) {
                    EXPECT_TRUE(HasBitmap(library.table, std::stoi(control.text))) << what;
                }
            }
            if (!dialog.childPage) {
                EXPECT_TRUE(ok) << where << ": no default OK button";
                EXPECT_TRUE(cancel) << where << ": no Cancel button";
            }
        }
    }
}

TEST(Templates, PicturesHoldTheirPixels) {
    for (const Library& library : Libraries()) {
        for (std::size_t b = 0; b < library.table.bitmapCount; ++b) {
            const BitmapResource& bitmap = *library.table.bitmaps[b];
            EXPECT_GT(bitmap.width, 0) << library.name << " picture " << bitmap.id;
            EXPECT_GT(bitmap.height, 0) << library.name << " picture " << bitmap.id;
            EXPECT_NE(bitmap.indices, nullptr);
            EXPECT_NE(bitmap.palette, nullptr);
        }
    }
}

}  // namespace
}  // namespace resources
