#include "plughost/plugin_registry.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

namespace plughost {

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Hex(unsigned long value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%0*lX", digits, value);
    return buf;
}

bool IsPluginFile(const std::filesystem::path& p) {
    const std::string ext = Lower(p.extension().string());
    return ext == ".dle" || ext == ".dlu";
}

}  // namespace

bool PluginRegistry::LoadFolder(const std::string& folder, std::vector<std::string>& errors) {
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (IsPluginFile(it->path()) && it->is_regular_file()) files.push_back(it->path());
    }
    if (ec) {
        errors.push_back(folder + ": cannot read the plug-in folder (" + ec.message() + ")");
        return false;
    }
    // Directory order is arbitrary; name order makes "first in load order" repeatable.
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::string error;
        auto lib = PluginLibrary::Load(file.string(), error);
        if (lib) {
            libraries_.push_back(std::move(lib));
        } else {
            errors.push_back(error);
        }
    }
    return true;
}

std::vector<PluginClass> PluginRegistry::Classes() const {
    std::vector<PluginClass> classes;
    for (const auto& lib : libraries_) {
        const int n = lib->NumberClasses();
        for (int i = 0; i < n; ++i)
            if (ClassDescriptor* d = lib->ClassDesc(i)) classes.push_back({lib.get(), i, d});
    }
    return classes;
}

PluginClass PluginRegistry::FindExporter(const std::string& extension) const {
    const std::string wanted = Lower(extension);
    for (const PluginClass& c : Classes()) {
        if (c.descriptor->SuperClassID() != kSceneExporterSuperClass) continue;
        for (const auto& ext : QueryExporter(c.descriptor).extensions)
            if (Lower(ext) == wanted) return c;
    }
    return {};
}

PluginClass PluginRegistry::FindUtility(const std::string& className,
                                        const std::string& libraryFile) const {
    for (const PluginClass& c : Classes()) {
        if (!libraryFile.empty() && Lower(c.library->FileName()) != Lower(libraryFile)) continue;
        const char* name = c.descriptor->ClassName();
        if (c.descriptor->SuperClassID() == kUtilitySuperClass && name && className == name)
            return c;
    }
    return {};
}

ExporterPtr CreateExporter(ClassDescriptor* descriptor) {
    return ExporterPtr(static_cast<SceneExporter*>(descriptor->Create(false)));
}

ExporterInfo QueryExporter(ClassDescriptor* descriptor) {
    ExporterInfo info;
    ExporterPtr exporter = CreateExporter(descriptor);
    if (!exporter) return info;
    info.created = true;
    auto text = [](const char* s) { return std::string(s ? s : ""); };
    const int n = exporter->ExtCount();
    for (int i = 0; i < n; ++i) info.extensions.push_back(text(exporter->Ext(i)));
    info.longDesc = text(exporter->LongDesc());
    info.shortDesc = text(exporter->ShortDesc());
    return info;
}

void PrintPluginList(const PluginRegistry& registry, std::ostream& out) {
    for (const auto& lib : registry.Libraries()) {
        out << lib->FileName() << "\n";
        out << "  description: " << lib->Description() << "\n";
        out << "  version: " << Hex(lib->Version(), 8) << "\n";
        const int n = lib->NumberClasses();
        out << "  classes: " << n << "\n";
        for (int i = 0; i < n; ++i) {
            ClassDescriptor* d = lib->ClassDesc(i);
            if (!d) {
                out << "  class " << i << ": (no descriptor)\n";
                continue;
            }
            const ClassId id = d->ClassID();
            const char* name = d->ClassName();
            const char* category = d->Category();
            out << "  class " << i << ": " << (name ? name : "") << "\n";
            out << "    super class: " << Hex(d->SuperClassID(), 1) << "\n";
            out << "    class id: " << Hex(id.a, 8) << ", " << Hex(id.b, 8) << "\n";
            out << "    category: " << (category ? category : "") << "\n";
            if (d->SuperClassID() != kSceneExporterSuperClass) continue;
            const ExporterInfo info = QueryExporter(d);
            if (!info.created) {
                out << "    (the descriptor made no exporter object)\n";
                continue;
            }
            for (const auto& ext : info.extensions) out << "    extension: " << ext << "\n";
            out << "    long description: " << info.longDesc << "\n";
            out << "    short description: " << info.shortDesc << "\n";
        }
    }
}

std::string PathExtension(const std::string& path) {
    const auto sep = path.find_last_of("/\\");
    const std::string name = sep == std::string::npos ? path : path.substr(sep + 1);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

}  // namespace plughost
