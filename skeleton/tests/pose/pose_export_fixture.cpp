#include "pose_export_fixture.h"

#include "plughost/scene_objects.h"

namespace skeleton {

using namespace frame;
using namespace hostfakes;
using namespace support::testing;
using namespace resources;

void PoseExportTest::Skin(plughost::HostNode* node, std::unique_ptr<HostObject> base) {
    auto physique = std::make_unique<plughost::PhysiqueModifier>(true);
    physique->SetOwner(node);
    std::vector<std::unique_ptr<Modifier>> modifiers;
    modifiers.push_back(std::move(physique));
    node->SetObject(
        std::make_unique<plughost::HostDerivedObject>(std::move(base), std::move(modifiers)));
}

std::vector<std::string> PoseExportTest::Section(const std::string& header) const {
    const std::vector<std::string> lines = Lines();
    std::vector<std::string> section;
    std::size_t i = 0;
    while (i < lines.size() && lines[i] != header) ++i;
    EXPECT_LT(i, lines.size()) << "no line " << header;
    for (++i; i < lines.size() && lines[i].rfind("//", 0) != 0; ++i) section.push_back(lines[i]);
    return section;
}

int PoseExportTest::ProgressEnds() const {
    int ends = 0;
    for (const auto& e : host_.Progress()) ends += e.kind == FakeHost::ProgressEvent::Kind::End;
    return ends;
}

plughost::HostNode* PoseExportTest::Find(plughost::HostNode* node, const std::string& name) {
    if (node->GetName() && name == node->GetName()) return node;
    for (int i = 0; i < node->NumberOfChildren(); ++i)
        if (plughost::HostNode* found = Find(node->Child(i), name)) return found;
    return nullptr;
}

}  // namespace skeleton
