#pragma once
// Forward declarations of the editor::io types that other libraries name by pointer or reference.

namespace editor::io {}  // namespace editor::io
