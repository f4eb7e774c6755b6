#pragma once

namespace editor::skeleton {

// Walks over the skeleton in parent-before-child order (forward) or its reverse. Start with
// cursor -1; at the end the call returns false, sets the outputs to "none" (38 / 37) and
// resets the cursor to -1.
bool NextJoint(int& joint, int& parent, bool forward, int& cursor);
// Bones in the order of their end joints; the root, which ends no bone, is skipped.
bool NextBone(int& bone, bool forward, int& cursor);

}  // namespace editor::skeleton
