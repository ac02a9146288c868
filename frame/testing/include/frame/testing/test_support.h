#pragma once
// Test helpers of the export libraries: an installed UI driver, the host's ticks per frame, the
// exporters' fixed texts, and a module whose resources are registered as the library entry does.
#include <hostsdk/geometry.h>
#include <hostsdk/plugin.h>
#include <hostsdk/time.h>
#include <hostsdk/ui.h>

#include <functional>
#include <string>
#include <vector>

#include "support/testing/files.h"
#include "support/testing/temp_folder.h"

namespace hostfakes {

// Installs a driver for the lifetime of the object and restores the previous one.
class ScopedUiDriver {
  public:
    explicit ScopedUiDriver(UiDriver* driver) : previous_(SetUiDriver(driver)) {}
    ~ScopedUiDriver() { SetUiDriver(previous_); }

  private:
    UiDriver* previous_;
};

// A translation-only transform.
inline Matrix3 At(float x, float y, float z) {
    return Matrix3({1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {x, y, z});
}

// Sets the host's ticks per frame for the lifetime of the object and restores the old value.
class ScopedTicksPerFrame {
  public:
    explicit ScopedTicksPerFrame(int ticks) : previous_(GetTicksPerFrame()) {
        SetTicksPerFrame(ticks);
    }
    ~ScopedTicksPerFrame() { SetTicksPerFrame(previous_); }

  private:
    int previous_;
};

// Checks the values every exporter class of these libraries reports: one extension, the empty
// text for any other index, the descriptions, empty other messages, fixed author and notice
// texts, and version 101.
void ExpectExporterTexts(SceneExporter& exporter, const char* extension, const char* longDesc,
                         const char* shortDesc);

// A scripted driver loaded with actions in the --ui language.
ScriptedUiDriver ScriptFromText(const std::string& actions);

// Registers `table` for a made-up module handle and makes that handle the library's module.
class ScopedModule {
  public:
    explicit ScopedModule(const ResourceTable& table);
    ~ScopedModule();
    ModuleHandle Handle() const { return handle_; }

  private:
    ModuleHandle handle_;
};

// A driver that hands each modal dialog, in the order they open, to the next of a list of
// test functions; a dialog still open after its function is closed with its default button,
// then with Cancel. Message boxes are recorded as "Caption: text" and answered OK.
class CallbackUiDriver : public UiDriver {
  public:
    using Handler = std::function<void(WindowHandle dialog)>;

    CallbackUiDriver& Then(Handler handler);
    const std::vector<std::string>& Messages() const { return messages_; }
    int DialogsRun() const { return run_; }

    void RunModal(WindowHandle dialog) override;
    int ShowMessage(WindowHandle owner, const std::string& text, const std::string& caption,
                    unsigned flags) override;
    bool ChooseFolder(WindowHandle owner, const std::string& title, std::string& folder) override;

  private:
    std::vector<Handler> handlers_;
    std::vector<std::string> messages_;
    int run_ = 0;
};

}  // namespace hostfakes
