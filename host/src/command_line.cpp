#include <CLI/CLI.hpp>
#include <cstdlib>
#include <iostream>

#include "plughost/commands.h"
#include "plughost/folders.h"

namespace plughost {

namespace {

// Option values as typed, checked and converted after parsing.
struct CliValues {
    std::string plugins, plugcfg, ui, range, frames, cancelAt, rules, scale, node;
    std::string embeddedTextures;
    bool mergeSkins = false;
    std::optional<double> frame;
    std::optional<int> rotate180, ignoreHidden, textures;
    int cancelAtPoll = 0;
};

void AddSceneOptions(CLI::App* cmd, CliValues& v) {
    cmd->add_option("--plugins", v.plugins, "Folder of the plug-in libraries");
    cmd->add_option("--plugcfg", v.plugcfg, "Plug-in configuration folder (directory query 9)");
    cmd->add_option("--frame", v.frame, "The host's current time, in frames");
    cmd->add_option("--range", v.range, "The host's animation range A:B, in frames");
    cmd->add_option("--ui", v.ui, "Dialog actions separated by ';'");
    cmd->add_option("--rules", v.rules, "Bone rules, e.g. \"+Bip01*,-*Nub\" (replaces the list)");
    cmd->add_option("--scale", v.scale, "Scale factor");
    cmd->add_option("--rotate180", v.rotate180, "Rotate horizontally 180 degrees (0 or 1)")
        ->check(CLI::IsMember({0, 1}));
    cmd->add_option("--ignore-hidden", v.ignoreHidden, "Ignore hidden nodes (0 or 1)")
        ->check(CLI::IsMember({0, 1}));
    cmd->add_option("--textures", v.textures, "Export textures (0 or 1)")
        ->check(CLI::IsMember({0, 1}));
    cmd->add_option("--node", v.node, "Node name to export");
    cmd->add_option("--frames", v.frames, "The dialog's export range A:B, in frames");
    cmd->add_option("--embedded-textures", v.embeddedTextures,
                    "Folder for the images a 3D file stores inside itself (default: beside the "
                    "export's output, else beside the scene)");
    cmd->add_flag("--merge-skins", v.mergeSkins,
                  "Merge the skinned meshes of a 3D file that share bones into one skinned node");
    cmd->add_option("--cancel-at", v.cancelAt,
                    "Set the cancel flag when the progress shows TITLE at PERCENT (testing; "
                    "default $PLUGHOST_CANCEL_AT)")
        ->group("Testing");
    cmd->add_option("--cancel-at-poll", v.cancelAtPoll,
                    "Set the cancel flag at the Nth cancel query (testing)")
        ->group("Testing");
}

// Converts the typed values; false after reporting a usage error.
bool MakeRunOptions(CLI::App* cmd, const CliValues& v, RunOptions& o) {
    o.pluginsDir = ResolvePluginsDir(v.plugins);
    o.plugcfgDir = ResolvePlugCfgDir(v.plugcfg);
    o.frame = v.frame;
    if (!v.range.empty()) {
        double a, b;
        if (!ParseNumberPair(v.range, a, b)) {
            std::cerr << "plughost: --range: expected A:B in frames, got \"" << v.range << "\"\n";
            return false;
        }
        o.range = {a, b};
    }
    o.uiScript = v.ui;
    o.import.embeddedTextureFolder = v.embeddedTextures;
    o.import.mergeSkins = v.mergeSkins;
    ConvenienceOptions& c = o.convenience;
    if (cmd->count("--rules")) c.rules = v.rules;
    if (cmd->count("--scale")) c.scale = v.scale;
    if (cmd->count("--node")) c.node = v.node;
    c.rotate180 = v.rotate180;
    c.ignoreHidden = v.ignoreHidden;
    c.textures = v.textures;
    if (!v.frames.empty()) {
        int a, b;
        if (!ParseIntPair(v.frames, a, b)) {
            std::cerr << "plughost: --frames: expected A:B in whole frames, got \"" << v.frames
                      << "\"\n";
            return false;
        }
        c.frames = {a, b};
    }
    o.cancelAt = v.cancelAt;
    if (o.cancelAt.empty()) {
        if (const char* env = std::getenv("PLUGHOST_CANCEL_AT")) o.cancelAt = env;
    }
    o.cancelAtPoll = v.cancelAtPoll;
    return true;
}

}  // namespace

int RunCommandLine(int argc, char** argv) {
    CLI::App app{
        "plughost: the stand-in host application that runs the plug-in libraries. It reads a "
        "scene (plughost's JSON scene format, or any 3D file assimp reads: glTF, GLB, FBX, "
        "Collada, OBJ, ...), loads the plug-in libraries (*.dle, *.dlu) of one folder and runs "
        "an exporter or a utility on the scene.",
        "plughost"};
    app.set_version_flag("--version", std::string("plughost ") + ASSETPIPE_VERSION);
    app.footer(
        "Commands:\n"
        "  plughost list [--plugins DIR]\n"
        "  plughost export SCENE OUTPUT [options]   the first exporter of OUTPUT's extension\n"
        "  plughost utility CLASSNAME SCENE [options]   opens, drives and closes a panel\n"
        "'plughost COMMAND --help' lists a command's options. Exit status: 0 done, 1 the export "
        "failed, 2 bad command line, scene or plug-in choice. Progress and message boxes go to "
        "standard error; settings live in ~/.config/plughost/plugcfg (--plugcfg, "
        "$PLUGHOST_PLUGCFG); plug-ins come from --plugins, $PLUGHOST_PLUGINS or the installed "
        "folder.");
    app.require_subcommand(1);

    std::string listPlugins;
    CLI::App* list = app.add_subcommand("list", "List the plug-in libraries and their classes");
    list->add_option("--plugins", listPlugins, "Folder of the plug-in libraries");
    std::string
        unusedPlugcfg;  // accepted so that scripts can pass the same options to every command
    list->add_option("--plugcfg", unusedPlugcfg, "Not used by list");

    CliValues exportValues;
    std::string scene, output;
    CLI::App* exportCmd =
        app.add_subcommand("export", "Export SCENE to OUTPUT with the exporter of its extension");
    exportCmd->add_option("SCENE", scene, "Scene: a JSON scene or a 3D file assimp reads")
        ->required();
    exportCmd->add_option("OUTPUT", output, "Output file")->required();
    AddSceneOptions(exportCmd, exportValues);

    CliValues utilityValues;
    std::string className, utilityScene;
    CLI::App* utilityCmd =
        app.add_subcommand("utility", "Open the panel of utility CLASSNAME over SCENE");
    utilityCmd->add_option("CLASSNAME", className, "Class name of the utility")->required();
    utilityCmd->add_option("SCENE", utilityScene, "Scene: a JSON scene or a 3D file assimp reads")
        ->required();
    AddSceneOptions(utilityCmd, utilityValues);

    std::string renderScene, renderOutput, renderSize = "640x480";
    RenderCommandOptions renderOptions;
    CLI::App* renderCmd =
        app.add_subcommand("render", "Render a camera of SCENE to OUTPUT, a 16-bit RGBA PNG file");
    renderCmd->add_option("SCENE", renderScene, "Scene file (JSON or a 3D file)")->required();
    renderCmd->add_option("OUTPUT", renderOutput, "PNG file to write")->required();
    renderCmd->add_option("--camera", renderOptions.camera,
                          "Camera node to render; default the first camera in scene order");
    renderCmd->add_option("--size", renderSize, "Picture size WxH in pixels; default 640x480");
    renderCmd->add_option("--frame", renderOptions.frame, "Time in frames; default the scene's");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }

    if (renderCmd->parsed()) {
        if (!ParseRenderSize(renderSize, renderOptions.width, renderOptions.height)) {
            std::cerr << "plughost: --size: expected WxH in whole pixels, got \"" << renderSize
                      << "\"\n";
            return kExitUsage;
        }
        return RunRender(renderScene, renderOutput, renderOptions, std::cerr);
    }
    if (list->parsed()) return RunList(ResolvePluginsDir(listPlugins), std::cout, std::cerr);
    RunOptions options;
    if (exportCmd->parsed()) {
        if (!MakeRunOptions(exportCmd, exportValues, options)) return kExitUsage;
        return RunExport(scene, output, options, std::cerr);
    }
    if (!MakeRunOptions(utilityCmd, utilityValues, options)) return kExitUsage;
    return RunUtility(className, utilityScene, options, std::cerr);
}

}  // namespace plughost
