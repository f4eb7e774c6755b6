#pragma once
// Forward declarations of the editor::shell types that other libraries name by pointer or
// reference.

namespace editor::shell {

class CMainFrame;
struct CommandInfo;

}  // namespace editor::shell
