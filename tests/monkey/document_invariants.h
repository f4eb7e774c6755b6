#pragma once
// What must hold of a document after any command, whatever it did: counts within the mesh's
// capacity, every index in range, groups and bindings within the triangles the model has, and
// nothing that is not a finite number.

#include <string>

#include "editor/model/forward.h"

// The first broken invariant, said plainly; empty when all hold.
std::string BrokenInvariant(const editor::model::ModelDocument& document);
