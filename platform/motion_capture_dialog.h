#pragma once

#include <QDialog>

#include "editor/shell/ui.h"

class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;

namespace platform {

using namespace ::editor::shell;

// "Import Motion Capture": the sampling rate, the base name of the poses and whether the
// hips' horizontal path is kept.
class MotionCaptureDialog : public QDialog {
    Q_OBJECT

  public:
    MotionCaptureDialog(const MotionCaptureChoice& choice, int maxNameLength,
                        QWidget* parent = nullptr);
    MotionCaptureChoice Choice() const;
    QDoubleSpinBox* Rate() const { return rate_; }
    QLineEdit* Name() const { return name_; }
    QCheckBox* RootMotion() const { return rootMotion_; }

  private:
    QDoubleSpinBox* rate_;
    QLineEdit* name_;
    QCheckBox* rootMotion_;
};

}  // namespace platform
