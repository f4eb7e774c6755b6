#pragma once

#include <QDialog>

#include "editor/shell/ui.h"

class QButtonGroup;

namespace platform {

using namespace ::editor::shell;

// "Control Device": what the input moves (Object or Camera) and with which device (Keyboard,
// Mouse or Joystick). A value out of range shows as the first button.
class ControlDeviceDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ControlDeviceDialog(const ControlDeviceChoice& choice, QWidget* parent = nullptr);
    ControlDeviceChoice Choice() const;
    QButtonGroup* Targets() const { return targets_; }
    QButtonGroup* Devices() const { return devices_; }

  private:
    QButtonGroup* targets_;
    QButtonGroup* devices_;
};

}  // namespace platform
