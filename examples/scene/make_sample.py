#!/usr/bin/env python3
"""Writes sample.json, the bundled sample scene: a walking 23-bone skeleton, a skinned body
with a multi-material, two cameras, a light, a hidden helper, a moving node for the course
export and a tiled floor for the cameras to show. The scene is committed; run this only to remake it.

Units are inches, Z is up, the character faces -Y, 30 frames per second, frames 0 to 40."""
import json
import math
import os
import re

FRAMES = 40


def quat_axis(axis, degrees):
    half = math.radians(degrees) / 2
    s = math.sin(half)
    return [axis[0] * s, axis[1] * s, axis[2] * s, math.cos(half)]


def quat_from_rows(x, y, z):
    """Unit quaternion of the rotation whose rows (images of the axes) are x, y, z."""
    # Column matrix m[i][j] = row j, component i.
    m = [[x[0], y[0], z[0]], [x[1], y[1], z[1]], [x[2], y[2], z[2]]]
    tr = m[0][0] + m[1][1] + m[2][2]
    if tr > 0:
        s = math.sqrt(tr + 1.0) * 2
        q = [(m[2][1] - m[1][2]) / s, (m[0][2] - m[2][0]) / s, (m[1][0] - m[0][1]) / s, 0.25 * s]
    elif m[0][0] > m[1][1] and m[0][0] > m[2][2]:
        s = math.sqrt(1.0 + m[0][0] - m[1][1] - m[2][2]) * 2
        q = [0.25 * s, (m[0][1] + m[1][0]) / s, (m[0][2] + m[2][0]) / s, (m[2][1] - m[1][2]) / s]
    elif m[1][1] > m[2][2]:
        s = math.sqrt(1.0 + m[1][1] - m[0][0] - m[2][2]) * 2
        q = [(m[0][1] + m[1][0]) / s, 0.25 * s, (m[1][2] + m[2][1]) / s, (m[0][2] - m[2][0]) / s]
    else:
        s = math.sqrt(1.0 + m[2][2] - m[0][0] - m[1][1]) * 2
        q = [(m[0][2] + m[2][0]) / s, (m[1][2] + m[2][1]) / s, 0.25 * s, (m[1][0] - m[0][1]) / s]
    return q


def normalize(v):
    n = math.sqrt(sum(c * c for c in v))
    return [c / n for c in v]


def cross(a, b):
    return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]


def look_at(eye, target):
    """Rotation of a camera at eye looking at target: local -Z forward, +Y up (world Z up)."""
    forward = normalize([t - e for t, e in zip(target, eye)])
    z = [-c for c in forward]
    x = normalize(cross([0, 0, 1], z))
    y = cross(z, x)
    return quat_from_rows(x, y, z)


def r(values, digits=5):
    return [round(v, digits) for v in values]


def swing(axis, amplitude, phase, step=5, offset=0.0):
    """Rotation keys of a periodic swing over the whole range (one cycle per 40 frames)."""
    keys = []
    for f in range(0, FRAMES + 1, step):
        angle = offset + amplitude * math.sin(2 * math.pi * f / FRAMES + phase)
        keys.append([f] + r(quat_axis(axis, angle)))
    return keys


def bone(name, position, children=(), **extra):
    node = {"name": name, "position": position}
    node.update(extra)
    if children:
        node["children"] = list(children)
    return node


def arm(side, sign, phase):
    return bone(f"Bip01 {side} Clavicle", [sign * 3, 0, -1], [
        bone(f"Bip01 {side} UpperArm", [sign * 4, 0, 0], [
            bone(f"Bip01 {side} Forearm", [0, 0, -10], [
                bone(f"Bip01 {side} Hand", [0, 0, -9])],
                rotationKeys=swing([1, 0, 0], 10, phase, offset=-15))],
            rotationKeys=swing([1, 0, 0], 25, phase))])


def leg(side, sign, phase):
    return bone(f"Bip01 {side} Thigh", [sign * 4, 0, -2], [
        bone(f"Bip01 {side} Calf", [0, 0, -16], [
            bone(f"Bip01 {side} Foot", [0, 0, -15], [
                bone(f"Bip01 {side} Toe0", [0, -4, -3])])],
            rotationKeys=swing([1, 0, 0], 20, phase + math.pi / 2, offset=20))],
        rotationKeys=swing([1, 0, 0], 25, phase))


def skeleton():
    walk = [[f, 0, round(-1.5 * f, 3), round(36 + 1.0 * math.cos(4 * math.pi * f / FRAMES), 4)]
            for f in range(0, FRAMES + 1, 5)]
    spine = bone("Bip01 Spine", [0, 0, 4], [
        bone("Bip01 Spine1", [0, 0, 8], [
            bone("Bip01 Neck", [0, 0, 10], [
                bone("Bip01 Head", [0, 0, 4], [bone("Bip01 HeadNub", [0, 0, 8])],
                     rotationKeys=swing([1, 0, 0], 5, 0, step=10)),
                arm("L", 1, math.pi), arm("R", -1, 0)])])],
        rotationKeys=swing([0, 0, 1], 8, 0, step=10))
    pelvis = bone("Bip01 Pelvis", [0, 0, 0], [spine, leg("L", 1, 0), leg("R", -1, math.pi)])
    return bone("Bip01", [0, 0, 36], [pelvis], positionKeys=walk)


def body_mesh():
    """A closed cylinder of 3 rings by 8 segments with caps; faces carry material ids 0 to 3."""
    segments, rings, radius = 8, [10, 30, 50], 6.0
    vertices, tverts = [], []
    for z in rings:
        for s in range(segments):
            a = 2 * math.pi * s / segments
            vertices.append(r([radius * math.cos(a), radius * math.sin(a), z], 4))
    for ring, z in enumerate(rings):
        for s in range(segments + 1):  # the seam column is repeated in texture space
            tverts.append(r([s / segments, ring / (len(rings) - 1)], 4))
    bottom, top = len(vertices), len(vertices) + 1
    vertices += [[0, 0, rings[0]], [0, 0, rings[-1]]]
    tv_bottom, tv_top = len(tverts), len(tverts) + 1
    tverts += [[0.5, 0.0], [0.5, 1.0]]
    faces, tvfaces = [], []
    for ring in range(len(rings) - 1):
        for s in range(segments):
            a, b = ring * segments + s, ring * segments + (s + 1) % segments
            c, d = a + segments, b + segments
            ta, tb = ring * (segments + 1) + s, ring * (segments + 1) + s + 1
            tc, td = ta + segments + 1, tb + segments + 1
            material = ring  # 0 skin below, 1 cloth above
            faces += [[a, b, d, material], [a, d, c, material]]
            tvfaces += [[ta, tb, td], [ta, td, tc]]
    top_ring = (len(rings) - 1) * segments
    for s in range(segments):
        a, b = s, (s + 1) % segments
        faces.append([bottom, b, a, 3])  # the empty sub-material slot: the node's own material
        tvfaces.append([tv_bottom, s + 1, s])
        a, b = top_ring + s, top_ring + (s + 1) % segments
        faces.append([top, a, b, 2])  # hair, two-sided
        tt = (len(rings) - 1) * (segments + 1)
        tvfaces.append([tv_top, tt + s, tt + s + 1])
    return {"type": "mesh", "vertices": vertices, "faces": faces, "tverts": tverts,
            "tvfaces": tvfaces}


def box(size):
    h = size / 2
    vertices = [[x, y, z] for z in (-h, h) for y in (-h, h) for x in (-h, h)]
    quads = [(0, 2, 3, 1), (4, 5, 7, 6), (0, 1, 5, 4), (2, 6, 7, 3), (0, 4, 6, 2), (1, 3, 7, 5)]
    faces = []
    for a, b, c, d in quads:
        faces += [[a, b, c], [a, c, d]]
    return {"type": "poly", "vertices": vertices, "faces": faces}


def body():
    material = {
        "type": "multi",
        "subMaterials": [
            {"type": "standard", "diffuseMap": "textures/skin.png", "bumpMap": {"type": "checker"},
             "shininess": 0.1, "shininessStrength": 0.2, "diffuse": [0.94, 0.78, 0.63]},
            {"type": "standard", "diffuseMap": "textures\\cloth.bmp",
             "bumpMap": "textures/bump.tga", "shininess": 0.3, "shininessStrength": 0.1,
             "diffuse": [0.13, 0.25, 0.63]},
            {"type": "standard", "diffuseMap": "textures/hair.png",
             "opacityMap": "textures/hair.png", "twoSided": True, "transparency": 0.25,
             "diffuse": [0.25, 0.13, 0.06]},
            None,
        ],
    }
    return {"name": "Body", "object": body_mesh(), "modifiers": [{"type": "physique"}],
            "material": material}


def cameras():
    eye1, eye2 = [0, -150, 50], None
    cam1 = {"name": "Camera01", "position": eye1, "rotation": r(look_at(eye1, [0, 0, 40])),
            "object": {"type": "camera", "fov": 0.785398, "near": 1, "far": 1000}}
    target = [0, -30, 40]
    pos_keys, rot_keys = [], []
    for f in range(0, FRAMES + 1, 10):
        a = math.pi * f / FRAMES
        eye2 = [round(120 * math.cos(a), 3), round(-30 + 120 * math.sin(a), 3), 70]
        pos_keys.append([f] + eye2)
        rot_keys.append([f] + r(look_at(eye2, target)))
    cam2 = {"name": "Camera02", "positionKeys": pos_keys, "rotationKeys": rot_keys,
            "object": {"type": "camera", "fov": 1.0472, "near": 5, "far": 500}}
    tgt = {"name": "Camera02.Target", "position": target, "object": {"type": "target"}}
    return [cam1, cam2, tgt]


def course():
    path = [[f, round(60 * math.sin(2 * math.pi * f / FRAMES), 3),
             round(-2.5 * f, 3), round(10 + 4 * math.sin(4 * math.pi * f / FRAMES), 3)]
            for f in range(0, FRAMES + 1, 5)]
    spin = [[f] + r(quat_axis([0, 0, 1], 9 * f)) for f in range(0, FRAMES + 1, 10)]
    track = {"name": "Track01", "positionKeys": path, "rotationKeys": spin,
             "offset": {"position": [0, 0, 5], "rotation": r(quat_axis([1, 0, 0], 90))},
             "object": box(10)}
    return {"name": "Dummy01", "position": [100, 0, 0], "rotation": r(quat_axis([0, 0, 1], 30)),
            "children": [track]}


def floor():
    """A square of 480 inches on the ground, its tile texture repeated eight times each way."""
    h = 240
    return {"name": "Floor",
            "object": {"type": "mesh", "vertices": [[-h, -h, 0], [h, -h, 0], [h, h, 0], [-h, h, 0]],
                       "faces": [[0, 1, 2], [0, 2, 3]],
                       "tverts": [[0, 0], [8, 0], [8, 8], [0, 8]], "tvfaces": [[0, 1, 2], [0, 2, 3]]},
            "material": {"type": "standard", "diffuseMap": "textures/floor.png",
                         "diffuse": [0.6, 0.58, 0.5]}}


def scene():
    cape = {"name": "Cape", "position": [0, 3, 30],
            "object": {"type": "poly", "vertices": [[-5, 0, 0], [5, 0, 0], [-6, 0, -20], [6, 0, -20]],
                       "faces": [[0, 2, 3], [0, 3, 1]]},
            "modifiers": [{"type": "physique", "hasContext": False}]}
    root = {"children": [
        skeleton(),
        {"name": "Bip01 Footsteps", "hidden": True},
        body(),
        cape,
        *cameras(),
        {"name": "Omni01", "position": [50, -80, 120],
         "object": {"type": "light", "color": [1, 0.95, 0.85], "intensity": 1}},
        course(),
        {"name": "Line01", "object": {"type": "shape"}},
        floor(),
    ]}
    return {"frameRate": 30, "range": [0, FRAMES], "time": 10, "root": root}


def tidy(value):
    """Whole numbers without ".0", and no negative zeros."""
    if isinstance(value, float):
        return int(value) if value == int(value) else value
    if isinstance(value, list):
        return [tidy(v) for v in value]
    if isinstance(value, dict):
        return {k: tidy(v) for k, v in value.items()}
    return value


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    text = json.dumps(tidy(scene()), indent=1)
    # Lists of numbers (points, keys, faces) each on one line.
    text = re.sub(r"\[[-0-9.e,\s]*\]", lambda m: re.sub(r"\s+", " ", m.group(0))
                  .replace("[ ", "[").replace(" ]", "]"), text)
    with open(os.path.join(here, "sample.json"), "w", newline="\n") as f:
        f.write(text + "\n")
