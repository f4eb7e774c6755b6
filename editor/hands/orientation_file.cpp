#include "editor/hands/orientation_file.h"

#include <cmath>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"
#include "bytes/replace_file.h"
#include "bytes/whole_file.h"

namespace editor::hands {

using namespace ::bytes;
using namespace ::scene;

namespace {

// The word written before each vector; readers skip it.
constexpr uint32_t VECTOR_TAG = 0x00441698;
constexpr std::size_t RECORD_BYTES = 16;
static_assert(ORIENTATION_FILE_BYTES == 3 * RECORD_BYTES);

void AppendRecord(ByteWriter& out, const Vector& v) {
    out.AppendUint32(VECTOR_TAG);
    out.AppendFloat(v.x);
    out.AppendFloat(v.y);
    out.AppendFloat(v.z);
}

bool ReadRecord(ByteReader& in, Vector& v) {
    uint32_t tag = 0;
    return in.ReadU32(tag) && in.ReadF32(v.x) && in.ReadF32(v.y) && in.ReadF32(v.z);
}

bool Finite(const Vector& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// A direction and an up that a frame can be turned to: both non-zero and not parallel.
bool GivesOrientation(const Vector& direction, const Vector& up) {
    const double across = Vector::Cross(direction, up).Length();
    return across > 1e-6 * direction.Length() * up.Length();
}

}  // namespace

std::vector<uint8_t> SerializeOrientation(const Orientation& orientation) {
    ByteWriter out;
    AppendRecord(out, orientation.position);
    AppendRecord(out, orientation.direction);
    AppendRecord(out, orientation.up);
    return out.Take();
}

bool ParseOrientation(std::span<const uint8_t> bytes, Orientation& orientation) {
    if (bytes.size() != ORIENTATION_FILE_BYTES) {
        return false;
    }
    ByteReader in(bytes);
    Orientation read;
    if (!ReadRecord(in, read.position) || !ReadRecord(in, read.direction) ||
        !ReadRecord(in, read.up)) {
        return false;
    }
    if (!Finite(read.position) || !Finite(read.direction) || !Finite(read.up) ||
        !GivesOrientation(read.direction, read.up)) {
        return false;
    }
    orientation = read;
    return true;
}

Status ReadOrientationFile(const std::string& path, Orientation& orientation) {
    std::vector<uint8_t> bytes;
    const Status read = ReadFileOfSize(path, ORIENTATION_FILE_BYTES, bytes);
    if (!read) {
        return Trace(read);
    }
    if (!ParseOrientation(bytes, orientation)) {
        return Trace(Status::BadData("no position, direction and up a shape can take"));
    }
    return Status();
}

Status WriteOrientationFile(const std::string& path, const Orientation& orientation) {
    return Trace(ReplaceFile(path, SerializeOrientation(orientation)));
}

}  // namespace editor::hands
