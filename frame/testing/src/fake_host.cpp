#include "frame/testing/fake_host.h"

namespace hostfakes {

const char* FakeHost::GetDir(int which) {
    return which == kDirPlugConfig ? plugConfigDir.c_str() : "";
}

std::vector<std::string> FakeHost::PhaseTitles() const {
    std::vector<std::string> titles;
    for (const auto& e : progress_)
        if (e.kind == ProgressEvent::Kind::Start) titles.push_back(e.title);
    return titles;
}

std::vector<int> FakeHost::PhasePercents(const std::string& title) const {
    std::vector<int> percents;
    bool inPhase = false;
    for (const auto& e : progress_) {
        if (e.kind == ProgressEvent::Kind::Start) inPhase = e.title == title;
        if (e.kind == ProgressEvent::Kind::Update && inPhase) percents.push_back(e.percent);
    }
    return percents;
}

bool FakeHost::ProgressStart(const char* title, bool, ProgressWorkFn fn, void* arg) {
    progress_.push_back({ProgressEvent::Kind::Start, title ? title : "", 0});
    if (!cancelOnPhase.empty() && cancelOnPhase == progress_.back().title) cancel_ = true;
    if (onProgressStart) onProgressStart(progress_.back().title);
    if (fn) fn(arg);
    return true;
}

void FakeHost::ProgressUpdate(int percent, bool, const char*) {
    progress_.push_back({ProgressEvent::Kind::Update, {}, percent});
}

void FakeHost::ProgressEnd() {
    progress_.push_back({ProgressEvent::Kind::End, {}, 0});
}

bool FakeHost::GetCancel() {
    ++polls_;
    if (cancelOnPoll > 0 && polls_ >= cancelOnPoll) cancel_ = true;
    return cancel_;
}

bool FakeHost::ChooseDirectory(WindowHandle owner, const char* title, std::string& folder,
                               const char*) {
    return ChooseFolder(owner, title ? title : "", folder);
}

WindowHandle FakeHost::AddRollupPage(ModuleHandle module, int templateId, DialogProc proc,
                                     const char*, LParam param, unsigned) {
    return CreateDialogParam(module, templateId, nullptr, proc, param);
}

void FakeHost::DeleteRollupPage(WindowHandle page) {
    DestroyWindow(page);
}

}  // namespace hostfakes
