// The run behind "Go for it!": two walks over the scene, one counting the cameras and one
// rendering them, each image written in the form the options ask for.
#include <array>
#include <cstdio>
#include <memory>
#include <vector>

#include "render/image_output.h"
#include "render/panning_faces.h"
#include "render/render_batch.h"
#include "render/render_utility.h"
#include "renderer_calls.h"
#include "support/file_name_check.h"
#include "support/paths.h"

namespace render {

namespace {

unsigned long NoWork(void*) {
    return 0;
}

// Deletes the bitmap when it leaves scope, exceptions included.
struct BitmapDeleter {
    void operator()(Bitmap* bitmap) const { bitmap->DeleteThis(); }
};
using BitmapPtr = std::unique_ptr<Bitmap, BitmapDeleter>;

// The name for a message: quoted, control characters spelt out, and cut after 60 characters.
std::string NameForMessage(const std::string& name) {
    constexpr std::size_t kShown = 60;
    if (name.size() <= kShown) return support::QuoteForMessage(name);
    return support::QuoteForMessage(name.substr(0, kShown)) + "...";
}

}  // namespace

void RenderUtility::Run() {
    if (!settingsValid || !ValidOutputSize(*this)) {
        ReportFailure("Invalid output dimensions");
        return;
    }
    if (outputPath.size() > kMaxPathLength) {
        ReportFailure("Output path longer than " + std::to_string(kMaxPathLength) +
                      " characters: " + outputPath);
        return;
    }
    if (outputPath.find('"') != std::string::npos) {
        ReportFailure("Output path holds a double quote: " + outputPath);
        return;
    }
    SaveSettings();
    std::remove(kBatchFileName);
    converterOptions = rawsmithPreviewMode ? "/q /p /m" : "/q";
    try {
        RenderAll();
    } catch (...) {
        ReportFailure("An exception was thrown, and I don't know what to do with it!");
        // Nothing of the run may stay open: the batch stream, the renderer, the progress.
        if (batchFile) std::fclose(batchFile);
        batchFile = nullptr;
        if (hostInterface) hostInterface->ProgressEnd();
        std::remove(kBatchFileName);
    }
}

void RenderUtility::RenderAll() {
    CurrentCameraName().clear();
    renderTime = hostInterface->GetTime();
    const support::PathParts parts = support::SplitPath(outputPath);
    outputDrive = parts.drive;
    outputDir = parts.folder + parts.base + parts.extension;

    hostInterface->ProgressStart("Preparing...", true, NoWork, nullptr);
    hostInterface->ProgressUpdate(0);
    pass = CountPass;
    cameraCount = 0;
    bool failed = !TraverseNodes(hostInterface->GetRootNode());
    CurrentCameraName().clear();

    if (!failed) {
        if (cameraCount < 1) {
            ReportFailure("No cameras to render!");
            failed = true;
        } else {
            if (useRawsmith && outputRawActFiles && !OpenBatch()) failed = true;
            if (!failed) {
                hostInterface->ProgressStart("Rendering", true, NoWork, nullptr);
                hostInterface->ProgressUpdate(0);
                cameraIndex = 0;
                pass = RenderPass;
                failed = !TraverseNodes(hostInterface->GetRootNode());
            }
        }
    }
    CurrentCameraName().clear();

    if (batchFile) {
        // A batch that could not be written whole is not run either.
        if (!CloseBatch()) failed = true;
        if (!failed) RunBatch();
    }
    hostInterface->ProgressEnd();
    std::remove(kBatchFileName);
}

bool RenderUtility::TraverseNodes(SceneNode* node) {
    if (hostInterface->GetCancel()) return false;
    if (!node) return true;
    if (!VisitNode(node)) return false;
    for (int i = 0; i < node->NumberOfChildren(); ++i)
        if (!TraverseNodes(node->GetChildNode(i))) return false;
    return true;
}

bool RenderUtility::VisitNode(SceneNode* node) {
    if (ignoreHiddenNodes && node->IsNodeHidden(false, false)) return true;
    const ObjectState state = node->EvalWorldState(renderTime, true);
    if (!state.obj || state.obj->SuperClassID() != kCameraSuperClass) return true;
    const char* name = node->GetName();
    if (!name) return true;
    CurrentCameraName() = name;

    if (pass == CountPass) {
        // Names are checked before anything is rendered, so a bad one stops the run at once.
        if (!CheckCameraName(name)) return false;
        ++cameraCount;
        return true;
    }

    BitmapInfo info;
    info.SetType(kBitmapType64);
    info.SetWidth(outputSizeX - 2 * padSizeX);
    info.SetHeight(outputSizeY - 2 * padSizeY);
    BitmapPtr bitmap(TheManager ? TheManager->Create(&info) : nullptr);
    if (!bitmap) {
        ReportFailure("Can't create bitmap");
        return false;
    }
    const bool ok = panningCamera ? RenderPanning(node, name, bitmap.get())
                                  : RenderCamera(node, name, bitmap.get());
    bitmap.reset();
    ++cameraIndex;
    hostInterface->ProgressUpdate(cameraIndex * 100 / cameraCount, true);
    return ok;
}

bool RenderUtility::CheckCameraName(const std::string& name) {
    if (name.size() > kMaxCameraNameLength) {
        ReportFailure("Camera name longer than " + std::to_string(kMaxCameraNameLength) +
                      " characters: " + NameForMessage(name));
        return false;
    }
    // Every image name of the camera, the face suffix included, must be a file name.
    const std::string imageName = panningCamera ? name + PanningFaces()[0].suffix : name;
    if (const support::Status check = support::CheckFileName(imageName); !check) {
        ReportFailure("Camera " + NameForMessage(name) +
                      " cannot name an image file: " + check.error());
        return false;
    }
    const std::string path =
        panningCamera ? FaceFileName(name, PanningFaces()[0].suffix) : CameraFileName(name);
    if (imageName.size() > kMaxImageNameLength || path.size() > kMaxPathLength) {
        ReportFailure("Camera " + NameForMessage(name) + " makes a path longer than " +
                      std::to_string(kMaxPathLength) + " characters: " + path);
        return false;
    }
    return true;
}

bool RenderUtility::RenderOpened(int opened, Bitmap* bitmap) {
    if (!opened) {
        ReportFailure("Can't open renderer");
        return false;
    }
    OpenRenderer open(hostInterface);
    if (!RenderFrame(hostInterface, renderTime, bitmap)) {
        ReportFailure("Error rendering image");
        return false;
    }
    return true;
}

bool RenderUtility::RenderCamera(SceneNode* node, const std::string& name, Bitmap* bitmap) {
    return RenderOpened(OpenRendererForCamera(hostInterface, node), bitmap) &&
           WriteOutputs(bitmap, CameraFileName(name));
}

bool RenderUtility::RenderPanning(SceneNode* node, const std::string& name, Bitmap* bitmap) {
    // The camera's place only; its turn does not matter.
    const Point3 position = Point3(0, 0, 0) * node->GetNodeTM(renderTime);
    for (const PanningFace& face : PanningFaces()) {
        if (!RenderFace(position, bitmap, face.matrix)) return false;
        if (!WriteOutputs(bitmap, FaceFileName(name, face.suffix))) return false;
    }
    return true;
}

bool RenderUtility::RenderFace(const Point3& position, Bitmap* bitmap, const Matrix3& faceMatrix) {
    Matrix3 view = faceMatrix;
    view.SetTrans(position);
    ViewParams record;  // the newer record's distance stays as it is
    record.viewTM = view;
    record.prevViewTM = view;
    record.projection = kProjectionPerspective;
    record.nearClip = 0.0f;
    record.farClip = 9999.9f;
    record.zoom = 1.0f;
    record.fov = 1.5707964f;  // a quarter turn: six views cover all directions
    record.nearRange = 9999.9f;
    record.farRange = 9999.9f;
    return RenderOpened(OpenRendererForView(hostInterface, &record), bitmap);
}

std::string RenderUtility::CameraFileName(const std::string& name) const {
    // A drive without a folder takes the file name directly ("C:name.tga").
    const std::string file = name + ".tga";
    return outputDir.empty() ? outputDrive + file
                             : support::JoinPath(outputDrive + outputDir, file);
}

std::string RenderUtility::FaceFileName(const std::string& name, const char* suffix) const {
    return CameraFileName(name + suffix);
}

bool RenderUtility::WriteOutputs(Bitmap* bitmap, const std::string& tgaPath) {
    if (!outputRawActFiles) return WriteTarga24(bitmap, tgaPath);
    if (useRawsmith) return WriteTarga24(bitmap, tgaPath) && AppendBatchLines(tgaPath);
    if (!WriteRawAct(bitmap, tgaPath)) return false;
    return !keep24BitTgas || WriteTarga24(bitmap, tgaPath);
}

bool RenderUtility::WriteRawAct(Bitmap* bitmap, const std::string& tgaPath) {
    std::vector<uint8_t> indices;
    std::array<uint8_t, 768> palette{};
    {
        std::vector<uint8_t> pixels;
        int width = 0, height = 0;
        if (!ReadImage(bitmap, pixels, width, height)) return false;
        if (!QuantizeForPalette(pixels, width, height, indices, palette)) return false;
    }  // the true-colour copy goes before the files are written
    return WritePaletteFiles(tgaPath, indices, palette);
}

}  // namespace render
