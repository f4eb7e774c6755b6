#pragma once
// FlexModels built in code: the bundled sample and a file at the format's capacity, for the
// sample generator and the benchmark.

#include "flexmodel/model_builder.h"

namespace fmtoobj {

using namespace ::flexmodel;

// A box in two frames ("stand1", "stand2"), one face per mesh node for the first six of the
// sixteen nodes, with skeleton and reference points.
FlexModelContent SampleModel();

// 2048 vertices, 2048 texture vertices and 2048 triangles (fans of 3) spread over 16 nodes.
FlexModelContent CapacityModel();

}  // namespace fmtoobj
