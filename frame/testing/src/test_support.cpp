#include "frame/testing/test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

#include "frame/plugin_state.h"

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("assetpipe-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> ReadCrLfLines(const std::string& path) {
    const std::string bytes = ReadWholeFile(path);
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const std::size_t lf = bytes.find('\n', begin);
        if (lf == std::string::npos) {
            ADD_FAILURE() << path << ": last line has no line end";
            lines.push_back(bytes.substr(begin));
            break;
        }
        if (lf == begin || bytes[lf - 1] != '\r') ADD_FAILURE() << path << ": bare LF";
        const std::size_t end = lf > begin && bytes[lf - 1] == '\r' ? lf - 1 : lf;
        const std::string line = bytes.substr(begin, end - begin);
        if (line.find('\r') != std::string::npos) ADD_FAILURE() << path << ": stray CR";
        lines.push_back(line);
        begin = lf + 1;
    }
    return lines;
}

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
    SetLibraryModule(handle_);
}

ScopedModule::~ScopedModule() {
    UnregisterModuleResources(handle_);
    SetLibraryModule(nullptr);
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
