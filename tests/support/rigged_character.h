#pragma once
// A rigged character written by the tests themselves: a standing figure of boxes along the bones
// of a "mixamorig:" skeleton, skinned to it, with one animation; written as glTF (one .gltf with
// its buffer inside) and the same animation as a BVH clip. Every joint's rest frame is turned
// (as exporters' are), so that a reader must undo the rest turns to get the motion right.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace rigged_character {

struct Quat {
    double w = 1.0, x = 0.0, y = 0.0, z = 0.0;
};
using Vec = std::array<double, 3>;

inline Quat Mul(const Quat& a, const Quat& b) {
    return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z,
            a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}
inline Quat Conj(const Quat& q) {
    return {q.w, -q.x, -q.y, -q.z};
}
inline Quat AxisAngle(Vec axis, double radians) {
    const double n = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
    const double s = std::sin(radians / 2) / n;
    return {std::cos(radians / 2), axis[0] * s, axis[1] * s, axis[2] * s};
}
inline Vec Rotate(const Quat& q, const Vec& v) {
    const Quat r = Mul(Mul(q, Quat{0.0, v[0], v[1], v[2]}), Conj(q));
    return {r.x, r.y, r.z};
}
// A BVH joint's turn from its channels Zrotation Xrotation Yrotation (degrees).
inline Quat Zxy(double z, double x, double y) {
    const double d = 3.14159265358979323846 / 180.0;
    return Mul(Mul(AxisAngle({0, 0, 1}, z * d), AxisAngle({1, 0, 0}, x * d)),
               AxisAngle({0, 1, 0}, y * d));
}

struct Joint {
    const char* name;
    int parent;
    Vec position;  // rest, in the file's axes: +Y up, the face towards +Z, the left at +X
};

// Mixamo's names; a figure 180 units tall standing on y = 0.
inline const std::vector<Joint>& Skeleton() {
    static const std::vector<Joint> joints = {
        {"mixamorig:Hips", -1, {0, 100, 0}},
        {"mixamorig:Spine", 0, {0, 110, 0}},
        {"mixamorig:Spine1", 1, {0, 122, 0}},
        {"mixamorig:Spine2", 2, {0, 134, 0}},
        {"mixamorig:Neck", 3, {0, 148, 0}},
        {"mixamorig:Head", 4, {0, 156, 0}},
        {"mixamorig:HeadTop_End", 5, {0, 178, 0}},
        {"mixamorig:LeftShoulder", 3, {6, 144, 0}},
        {"mixamorig:LeftArm", 7, {18, 144, 0}},
        {"mixamorig:LeftForeArm", 8, {44, 144, 0}},
        {"mixamorig:LeftHand", 9, {68, 144, 0}},
        {"mixamorig:LeftHandMiddle1", 10, {78, 144, 0}},
        {"mixamorig:RightShoulder", 3, {-6, 144, 0}},
        {"mixamorig:RightArm", 12, {-18, 144, 0}},
        {"mixamorig:RightForeArm", 13, {-44, 144, 0}},
        {"mixamorig:RightHand", 14, {-68, 144, 0}},
        {"mixamorig:RightHandMiddle1", 15, {-78, 144, 0}},
        {"mixamorig:LeftUpLeg", 0, {10, 94, 0}},
        {"mixamorig:LeftLeg", 17, {10, 52, 0}},
        {"mixamorig:LeftFoot", 18, {10, 9, 0}},
        {"mixamorig:LeftToeBase", 19, {10, 2, 12}},
        {"mixamorig:LeftToe_End", 20, {10, 2, 20}},
        {"mixamorig:RightUpLeg", 0, {-10, 94, 0}},
        {"mixamorig:RightLeg", 22, {-10, 52, 0}},
        {"mixamorig:RightFoot", 23, {-10, 9, 0}},
        {"mixamorig:RightToeBase", 24, {-10, 2, 12}},
        {"mixamorig:RightToe_End", 25, {-10, 2, 20}},
    };
    return joints;
}

// Every joint's rest frame is turned a little, differently for each.
inline Quat RestTurn(int joint) {
    return AxisAngle({1.0 + joint % 3, 2.0, 0.5 + joint % 5}, 0.15 * (joint + 1));
}

constexpr int kFrames = 12;
constexpr double kFrameTime = 1.0 / 30.0;

// The motion in BVH terms: each joint's Z, X, Y angles at a frame, and the hips' move.
inline std::array<double, 3> Angles(int joint, int frame) {
    const double s = std::sin(frame * 0.5 + joint);
    return {20.0 * s, 35.0 * std::cos(frame * 0.3 + joint * 0.7), 15.0 * s * s};
}
inline Vec HipsMove(int frame) {
    return {2.0 * frame, 3.0 * std::sin(frame * 0.4), 1.0 * frame};
}

inline std::string Base64(const std::vector<uint8_t>& bytes) {
    static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const uint32_t n = (uint32_t{bytes[i]} << 16) |
                           (i + 1 < bytes.size() ? uint32_t{bytes[i + 1]} << 8 : 0) |
                           (i + 2 < bytes.size() ? uint32_t{bytes[i + 2]} : 0);
        out += table[(n >> 18) & 63];
        out += table[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? table[(n >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? table[n & 63] : '=';
    }
    return out;
}

class GltfBuffer {
  public:
    // Adds the values as an accessor; returns its index.
    template <typename T>
    int Add(const std::vector<T>& values, int componentType, const char* type, int count,
            const std::string& extra = "") {
        while (bytes_.size() % 4 != 0) {
            bytes_.push_back(0);
        }
        const std::size_t offset = bytes_.size();
        const auto* raw = reinterpret_cast<const uint8_t*>(values.data());
        bytes_.insert(bytes_.end(), raw, raw + values.size() * sizeof(T));
        views_.push_back("{\"buffer\":0,\"byteOffset\":" + std::to_string(offset) +
                         ",\"byteLength\":" + std::to_string(values.size() * sizeof(T)) + "}");
        accessors_.push_back("{\"bufferView\":" + std::to_string(views_.size() - 1) +
                             ",\"componentType\":" + std::to_string(componentType) + ",\"count\":" +
                             std::to_string(count) + ",\"type\":\"" + type + "\"" + extra + "}");
        return static_cast<int>(accessors_.size()) - 1;
    }
    std::string Json() const {
        std::string json = "\"buffers\":[{\"byteLength\":" + std::to_string(bytes_.size()) +
                           ",\"uri\":\"data:application/octet-stream;base64," + Base64(bytes_) +
                           "\"}],\"bufferViews\":[";
        for (std::size_t i = 0; i < views_.size(); ++i) {
            json += (i ? "," : "") + views_[i];
        }
        json += "],\"accessors\":[";
        for (std::size_t i = 0; i < accessors_.size(); ++i) {
            json += (i ? "," : "") + accessors_[i];
        }
        return json + "]";
    }

  private:
    std::vector<uint8_t> bytes_;
    std::vector<std::string> views_;
    std::vector<std::string> accessors_;
};

constexpr int kFloat = 5126;
constexpr int kUnsignedShort = 5123;

inline std::string Number(double v) {
    std::ostringstream out;
    out.precision(9);
    out << v;
    return out.str();
}

// The figure: a box along every bone (joint to child), its near corners bound to the joint, its
// far corners shared 70/30 with the child. Vertices not shared between boxes.
struct Mesh {
    std::vector<float> positions, uvs, weights;
    std::vector<uint16_t> joints;
    std::vector<uint16_t> indices;
};

inline Mesh Figure() {
    Mesh mesh;
    const auto& skeleton = Skeleton();
    for (std::size_t c = 0; c < skeleton.size(); ++c) {
        const int p = skeleton[c].parent;
        if (p < 0) {
            continue;
        }
        const Vec a = skeleton[static_cast<std::size_t>(p)].position;
        const Vec b = skeleton[c].position;
        const bool trunk = std::string(skeleton[c].name).find("Spine") != std::string::npos ||
                           std::string(skeleton[c].name).find("Neck") != std::string::npos;
        const double half = trunk ? 9.0 : 3.5;
        const uint16_t base = static_cast<uint16_t>(mesh.positions.size() / 3);
        for (int corner = 0; corner < 8; ++corner) {
            const bool far = (corner & 4) != 0;
            const Vec& end = far ? b : a;
            const double dx = (corner & 1) ? half : -half;
            const double dz = (corner & 2) ? half : -half;
            // Boxes lie along the bone's main axis; the others get the box's width.
            const double ex = std::abs(b[0] - a[0]), ey = std::abs(b[1] - a[1]);
            Vec point = end;
            if (ex > ey) {
                point[1] += dx;
                point[2] += dz;
            } else {
                point[0] += dx;
                point[2] += dz;
            }
            for (double v : point) {
                mesh.positions.push_back(static_cast<float>(v));
            }
            mesh.uvs.push_back(static_cast<float>((c % 6) / 6.0 + (corner & 1) * 0.1));
            mesh.uvs.push_back(static_cast<float>((c / 6) / 6.0 + (corner >> 1) * 0.05));
            mesh.joints.insert(mesh.joints.end(),
                               {static_cast<uint16_t>(p), static_cast<uint16_t>(c), 0, 0});
            mesh.weights.insert(mesh.weights.end(), {far ? 0.7f : 1.0f, far ? 0.3f : 0.0f, 0, 0});
        }
        static const int faces[12][3] = {{0, 2, 1}, {1, 2, 3}, {4, 5, 6}, {5, 7, 6},
                                         {0, 1, 4}, {1, 5, 4}, {2, 6, 3}, {3, 6, 7},
                                         {0, 4, 2}, {2, 4, 6}, {1, 3, 5}, {3, 7, 5}};
        for (const auto& f : faces) {
            for (int k : f) {
                mesh.indices.push_back(static_cast<uint16_t>(base + k));
            }
        }
    }
    return mesh;
}

// The rest frames in the scene: where each joint is and how its frame is turned.
inline std::vector<Quat> RestTurns() {
    std::vector<Quat> turns;
    for (std::size_t j = 0; j < Skeleton().size(); ++j) {
        turns.push_back(RestTurn(static_cast<int>(j)));
    }
    return turns;
}

inline bool IsLeaf(std::size_t joint) {
    for (const Joint& other : Skeleton()) {
        if (other.parent == static_cast<int>(joint)) {
            return false;
        }
    }
    return true;
}

inline std::string QuatJson(const Quat& q) {
    return "[" + Number(q.x) + "," + Number(q.y) + "," + Number(q.z) + "," + Number(q.w) + "]";
}

// The glTF file; with animate false, the still figure only; with idleToo, a second animation
// "Idle" standing still after "Wave".
inline void WriteGltf(const std::string& path, bool animate = true, bool idleToo = false) {
    const auto& skeleton = Skeleton();
    const std::vector<Quat> rest = RestTurns();
    const Mesh mesh = Figure();
    GltfBuffer buffer;
    float low[3] = {1e9f, 1e9f, 1e9f}, high[3] = {-1e9f, -1e9f, -1e9f};
    for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
        low[i % 3] = std::min(low[i % 3], mesh.positions[i]);
        high[i % 3] = std::max(high[i % 3], mesh.positions[i]);
    }
    const int vertices = static_cast<int>(mesh.positions.size() / 3);
    const int position = buffer.Add(mesh.positions, kFloat, "VEC3", vertices,
                                    ",\"min\":[" + Number(low[0]) + "," + Number(low[1]) + "," +
                                        Number(low[2]) + "],\"max\":[" + Number(high[0]) + "," +
                                        Number(high[1]) + "," + Number(high[2]) + "]");
    const int uv = buffer.Add(mesh.uvs, kFloat, "VEC2", vertices);
    const int jointsAccessor = buffer.Add(mesh.joints, kUnsignedShort, "VEC4", vertices);
    const int weights = buffer.Add(mesh.weights, kFloat, "VEC4", vertices);
    const int indices =
        buffer.Add(mesh.indices, kUnsignedShort, "SCALAR", static_cast<int>(mesh.indices.size()));
    // Inverse bind matrices: the inverse of each joint's rest frame in the scene, column-major.
    std::vector<float> inverseBind;
    for (std::size_t j = 0; j < skeleton.size(); ++j) {
        const Quat inverse = Conj(rest[j]);
        const Vec x = Rotate(inverse, {1, 0, 0}), y = Rotate(inverse, {0, 1, 0}),
                  z = Rotate(inverse, {0, 0, 1});
        const Vec t = Rotate(inverse, skeleton[j].position);
        const double m[16] = {x[0], x[1], x[2], 0, y[0],  y[1],  y[2],  0,
                              z[0], z[1], z[2], 0, -t[0], -t[1], -t[2], 1};
        for (double v : m) {
            inverseBind.push_back(static_cast<float>(v));
        }
    }
    const int bind = buffer.Add(inverseBind, kFloat, "MAT4", static_cast<int>(skeleton.size()));

    std::string nodes = "\"nodes\":[";
    for (std::size_t j = 0; j < skeleton.size(); ++j) {
        const int p = skeleton[j].parent;
        const Vec parentPosition =
            p < 0 ? Vec{0, 0, 0} : skeleton[static_cast<std::size_t>(p)].position;
        const Quat parentRest = p < 0 ? Quat{} : rest[static_cast<std::size_t>(p)];
        const Vec along = {skeleton[j].position[0] - parentPosition[0],
                           skeleton[j].position[1] - parentPosition[1],
                           skeleton[j].position[2] - parentPosition[2]};
        const Vec t = Rotate(Conj(parentRest), along);
        std::string children;
        for (std::size_t c = 0; c < skeleton.size(); ++c) {
            if (skeleton[c].parent == static_cast<int>(j)) {
                children += (children.empty() ? "" : ",") + std::to_string(c);
            }
        }
        nodes += std::string(j ? "," : "") + "{\"name\":\"" + skeleton[j].name +
                 "\",\"translation\":[" + Number(t[0]) + "," + Number(t[1]) + "," + Number(t[2]) +
                 "],\"rotation\":" + QuatJson(Mul(Conj(parentRest), rest[j])) +
                 (children.empty() ? "" : ",\"children\":[" + children + "]") + "}";
    }
    const std::size_t meshNode = skeleton.size();
    nodes +=
        ",{\"name\":\"Figure\",\"mesh\":0,\"skin\":0},{\"name\":\"Armature\",\"children\":[0]}]";

    std::string joints;
    for (std::size_t j = 0; j < skeleton.size(); ++j) {
        joints += (j ? "," : "") + std::to_string(j);
    }
    auto take = [&](const char* name, double scale) {
        std::vector<float> times;
        for (int f = 0; f < kFrames; ++f) {
            times.push_back(static_cast<float>(f * kFrameTime));
        }
        const int input = buffer.Add(times, kFloat, "SCALAR", kFrames,
                                     ",\"min\":[0],\"max\":[" + Number(times.back()) + "]");
        std::string channels, samplers;
        int sampler = 0;
        for (std::size_t j = 0; j < skeleton.size(); ++j) {
            if (IsLeaf(j)) {
                continue;  // the ends of limbs are the BVH's end sites: they do not turn
            }
            const int p = skeleton[j].parent;
            const Quat parentRest = p < 0 ? Quat{} : rest[static_cast<std::size_t>(p)];
            std::vector<float> turns;
            for (int f = 0; f < kFrames; ++f) {
                auto a = Angles(static_cast<int>(j), f);
                for (double& angle : a) {
                    angle *= scale;
                }
                // The joint's BVH turn B, between the rest frames: parentRest^-1 B rest.
                const Quat local = Mul(Mul(Conj(parentRest), Zxy(a[0], a[1], a[2])), rest[j]);
                turns.insert(turns.end(),
                             {static_cast<float>(local.x), static_cast<float>(local.y),
                              static_cast<float>(local.z), static_cast<float>(local.w)});
            }
            const int output = buffer.Add(turns, kFloat, "VEC4", kFrames);
            samplers += std::string(sampler ? "," : "") + "{\"input\":" + std::to_string(input) +
                        ",\"output\":" + std::to_string(output) + "}";
            channels += std::string(sampler ? "," : "") +
                        "{\"sampler\":" + std::to_string(sampler) +
                        ",\"target\":{\"node\":" + std::to_string(j) + ",\"path\":\"rotation\"}}";
            ++sampler;
        }
        std::vector<float> moves;
        for (int f = 0; f < kFrames; ++f) {
            Vec m = HipsMove(f);
            for (double& d : m) {
                d *= scale;
            }
            for (int k = 0; k < 3; ++k) {
                moves.push_back(
                    static_cast<float>(skeleton[0].position[static_cast<std::size_t>(k)] +
                                       m[static_cast<std::size_t>(k)]));
            }
        }
        const int output = buffer.Add(moves, kFloat, "VEC3", kFrames);
        samplers +=
            ",{\"input\":" + std::to_string(input) + ",\"output\":" + std::to_string(output) + "}";
        channels += ",{\"sampler\":" + std::to_string(sampler) +
                    ",\"target\":{\"node\":0,\"path\":\"translation\"}}";
        return std::string("{\"name\":\"") + name + "\",\"channels\":[" + channels +
               "],\"samplers\":[" + samplers + "]}";
    };
    std::string animation;
    if (animate) {
        animation = ",\"animations\":[" + take("Wave", 1.0) +
                    (idleToo ? "," + take("Idle", 0.0) : std::string()) + "]";
    }
    std::ofstream out(path, std::ios::binary);
    out << "{\"asset\":{\"version\":\"2.0\"},\"scene\":0,\"scenes\":[{\"nodes\":["
        << skeleton.size() + 1 << "," << meshNode << "]}]," << nodes
        << ",\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":" << position
        << ",\"TEXCOORD_0\":" << uv << ",\"JOINTS_0\":" << jointsAccessor
        << ",\"WEIGHTS_0\":" << weights << "},\"indices\":" << indices
        << "}]}],\"skins\":[{\"inverseBindMatrices\":" << bind << ",\"skeleton\":0,\"joints\":["
        << joints << "]}]" << animation << "," << buffer.Json() << "}";
}

// The same motion as a BVH clip: offsets from the rest positions, channels Z X Y.
inline void WriteBvh(const std::string& path) {
    const auto& skeleton = Skeleton();
    std::ostringstream text;
    text << "HIERARCHY\n";
    std::vector<int> order;
    // Depth first, children in table order; leaves become end sites.
    std::vector<std::vector<int>> children(skeleton.size());
    for (std::size_t j = 1; j < skeleton.size(); ++j) {
        children[static_cast<std::size_t>(skeleton[j].parent)].push_back(static_cast<int>(j));
    }
    auto offset = [&](int j) {
        const int p = skeleton[static_cast<std::size_t>(j)].parent;
        const Vec& a = p < 0 ? Vec{0, 0, 0} : skeleton[static_cast<std::size_t>(p)].position;
        const Vec& b = skeleton[static_cast<std::size_t>(j)].position;
        return Number(b[0] - a[0]) + " " + Number(b[1] - a[1]) + " " + Number(b[2] - a[2]);
    };
    std::function<void(int, int)> write = [&](int j, int depth) {
        const std::string pad(static_cast<std::size_t>(depth) * 2, ' ');
        const auto& kids = children[static_cast<std::size_t>(j)];
        text << pad << (j == 0 ? "ROOT " : "JOINT ") << skeleton[static_cast<std::size_t>(j)].name
             << "\n"
             << pad << "{\n"
             << pad << "  OFFSET " << offset(j) << "\n";
        text << pad << "  CHANNELS " << (j == 0 ? "6 Xposition Yposition Zposition " : "3 ")
             << "Zrotation Xrotation Yrotation\n";
        order.push_back(j);
        for (int k : kids) {
            if (children[static_cast<std::size_t>(k)].empty()) {
                text << pad << "  End Site\n"
                     << pad << "  {\n"
                     << pad << "    OFFSET " << offset(k) << "\n"
                     << pad << "  }\n";
            } else {
                write(k, depth + 1);
            }
        }
        text << pad << "}\n";
    };
    write(0, 0);
    text << "MOTION\nFrames: " << kFrames << "\nFrame Time: " << Number(kFrameTime) << "\n";
    for (int f = 0; f < kFrames; ++f) {
        const Vec m = HipsMove(f);
        text << Number(m[0]) << " " << Number(m[1]) << " " << Number(m[2]);
        for (int j : order) {
            const auto a = Angles(j, f);
            text << " " << Number(a[0]) << " " << Number(a[1]) << " " << Number(a[2]);
        }
        text << "\n";
    }
    std::ofstream(path) << text.str();
}

}  // namespace rigged_character
