#pragma once
#include <cstdint>

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

// Every plug-in class is named by a super class id and a two-word class id.
using SuperClassId = uint32_t;

struct ClassId {
    uint32_t a = 0;
    uint32_t b = 0;
    constexpr ClassId() = default;
    constexpr ClassId(uint32_t pa, uint32_t pb) : a(pa), b(pb) {}
    bool operator==(const ClassId&) const = default;
};

// Super classes.
inline constexpr SuperClassId kDerivedObjectSuperClass = 0x02;
inline constexpr SuperClassId kGeomObjectSuperClass = 0x10;
inline constexpr SuperClassId kCameraSuperClass = 0x20;
inline constexpr SuperClassId kLightSuperClass = 0x30;
inline constexpr SuperClassId kShapeSuperClass = 0x40;
inline constexpr SuperClassId kHelperSuperClass = 0x50;
inline constexpr SuperClassId kModifierSuperClass = 0x810;
inline constexpr SuperClassId kMaterialSuperClass = 0xC00;
inline constexpr SuperClassId kTextureMapSuperClass = 0xC10;
inline constexpr SuperClassId kSceneExporterSuperClass = 0xA20;
inline constexpr SuperClassId kUtilitySuperClass = 0x1020;

// Classes the plug-ins recognise.
inline constexpr ClassId kTriangleMeshClassId{9, 0};
inline constexpr ClassId kPolyObjectClassId{0x1bf8338d, 0x192f6098};
inline constexpr ClassId kTargetObjectClassId{0x1020, 0};
inline constexpr ClassId kCameraClassId{0x1001, 0};
inline constexpr ClassId kLightClassId{0x1011, 0};
inline constexpr ClassId kShapeClassId{0x2201, 0};
inline constexpr ClassId kDerivedObjectClassId{0x0F, 0};
inline constexpr ClassId kPhysiqueClassId{0x100, 0};
inline constexpr ClassId kStandardMaterialClassId{2, 0};
inline constexpr ClassId kMultiMaterialClassId{0x200, 0};
inline constexpr ClassId kOtherMaterialClassId{0x7e0a1b33, 0x1c5e1f6a};
inline constexpr ClassId kBitmapTextureClassId{0x240, 0};
inline constexpr ClassId kCheckerTextureClassId{0x200, 0};

// Interface id of the skinning modifier's export interface.
inline constexpr uint32_t kPhysiqueExportInterfaceId = 0x00100100;

#pragma GCC visibility pop
