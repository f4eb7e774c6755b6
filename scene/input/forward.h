#pragma once
// Forward declarations of the scene::input types that other libraries name by pointer or reference.

namespace scene::input {

class C3dController;
class CTransformDlg;
class JoystickBackend;
class SettingsStore;

}  // namespace scene::input
