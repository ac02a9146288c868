#include "frame/testing/test_support.h"

#include <gtest/gtest.h>

#include "frame/plugin_state.h"

namespace hostfakes {

ScriptedUiDriver ScriptFromText(const std::string& actions) {
    return ScriptedUiDriver(ParseUiActions(actions));
}

namespace {
// Made-up module handles: the addresses of these bytes are unique and never dereferenced.
char moduleTokens[16];
int nextModule = 0;
}  // namespace

ScopedModule::ScopedModule(const ResourceTable& table)
    : handle_(&moduleTokens[nextModule++ % sizeof moduleTokens]) {
    EXPECT_TRUE(RegisterModuleResources(handle_, &table));
    frame::SetLibraryModule(handle_);
}

ScopedModule::~ScopedModule() {
    UnregisterModuleResources(handle_);
    frame::SetLibraryModule(nullptr);
}

CallbackUiDriver& CallbackUiDriver::Then(Handler handler) {
    handlers_.push_back(std::move(handler));
    return *this;
}

void CallbackUiDriver::RunModal(WindowHandle dialog) {
    const std::size_t index = static_cast<std::size_t>(run_++);
    if (index < handlers_.size() && handlers_[index]) handlers_[index](dialog);
    if (IsDialogOpen(dialog)) ui_actions::PressDefault(dialog);
    if (IsDialogOpen(dialog)) ui_actions::Cancel(dialog);
}

int CallbackUiDriver::ShowMessage(WindowHandle, const std::string& text, const std::string& caption,
                                  unsigned) {
    messages_.push_back(caption + ": " + text);
    return kIdOk;
}

bool CallbackUiDriver::ChooseFolder(WindowHandle, const std::string&, std::string&) {
    return false;
}

void ExpectExporterTexts(SceneExporter& exporter, const char* extension, const char* longDesc,
                         const char* shortDesc) {
    EXPECT_EQ(exporter.ExtCount(), 1);
    EXPECT_STREQ(exporter.Ext(0), extension);
    EXPECT_STREQ(exporter.Ext(1), "");
    EXPECT_STREQ(exporter.LongDesc(), longDesc);
    EXPECT_STREQ(exporter.ShortDesc(), shortDesc);
    EXPECT_STREQ(exporter.OtherMessage1(), "");
    EXPECT_STREQ(exporter.OtherMessage2(), "");
    EXPECT_GT(std::string(exporter.AuthorName()).size(), 0u);
    EXPECT_GT(std::string(exporter.CopyrightMessage()).size(), 0u);
    EXPECT_EQ(exporter.Version(), 101u);
}

}  // namespace hostfakes
