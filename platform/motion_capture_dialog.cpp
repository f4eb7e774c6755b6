#include "platform/motion_capture_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace platform {

MotionCaptureDialog::MotionCaptureDialog(const MotionCaptureChoice& choice, int maxNameLength,
                                         QWidget* parent)
    : QDialog(parent),
      rate_(new QDoubleSpinBox(this)),
      name_(new QLineEdit(this)),
      rootMotion_(
          new QCheckBox(QStringLiteral("Keep the hips' &horizontal path (root motion)"), this)) {
    setWindowTitle(QStringLiteral("Import Motion Capture"));
    rate_->setRange(1.0, 1000.0);
    rate_->setDecimals(2);
    rate_->setSuffix(QStringLiteral(" per second"));
    rate_->setValue(choice.framesPerSecond);
    name_->setMaxLength(maxNameLength);
    // Pose names are the base name and a frame number: no digit may end the base.
    name_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9_\\-]*[A-Za-z_\\-]")), name_));
    name_->setText(QString::fromStdString(choice.baseName));
    rootMotion_->setChecked(choice.keepRootMotion);

    auto* form = new QFormLayout();
    form->addRow(QStringLiteral("&Frames:"), rate_);
    form->addRow(QStringLiteral("Pose &name:"), name_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(rootMotion_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(name_, &QLineEdit::textChanged, this, [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(name_->hasAcceptableInput());
    });
    buttons->button(QDialogButtonBox::Ok)->setEnabled(name_->hasAcceptableInput());
    layout->addWidget(buttons);
}

MotionCaptureChoice MotionCaptureDialog::Choice() const {
    MotionCaptureChoice choice;
    choice.framesPerSecond = rate_->value();
    choice.baseName = name_->text().toStdString();
    choice.keepRootMotion = rootMotion_->isChecked();
    return choice;
}

}  // namespace platform
