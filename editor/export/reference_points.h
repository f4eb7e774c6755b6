#pragma once
// The three reference points of every bone (origin, direction point, up point) that each
// exported frame carries, and "refskel.bin", the side file that takes them from the frames to
// the "skeleton" and "references" chunks.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bytes/byte_writer.h"
#include "bytes/status.h"
#include "editor/model/model_document.h"
#include "editor/skeleton/pose_math.h"

namespace editor::flexexport {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::editor::skeleton;

using ReferencePoints = Vector[NUM_BONES][REF_POINTS_PER_BONE];

inline constexpr const char* REFSKEL_FILE_NAME = "refskel.bin";
constexpr std::size_t REFERENCE_POINT_BYTES = 3 * 3 * sizeof(float);
// 4 bytes nobody reads, then the three points of every bone.
constexpr std::size_t REFSKEL_RECORD_SIZE = 4 + NUM_BONES * REFERENCE_POINT_BYTES;

// The points of every bone in its own frame before posing: L along the bone's x axis (half of
// it for the feet), the direction and up points offset for the bones the game orients by them.
void RestReferencePoints(const BoneLengths& lengths, ReferencePoints& points);

// One frame's record of "refskel.bin".
void AppendRefSkelRecord(ByteWriter& out, const ReferencePoints& points);

// The frames of "refskel.bin" read back.
class RefSkelFrames {
  public:
    // Fails when the file cannot be read or holds fewer than frameCount records; later
    // records are left unread.
    Status Read(const std::string& path, int frameCount);
    // The same for bytes already read.
    Status Take(std::vector<uint8_t> bytes, int frameCount);
    // The 9 floats (36 bytes, as stored) of one bone's points in one frame.
    void AppendBonePoints(ByteWriter& out, int frame, int bone) const;

  private:
    std::vector<uint8_t> bytes_;
};

}  // namespace editor::flexexport
