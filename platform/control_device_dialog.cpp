#include "platform/control_device_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/shell/keyboard_keys.h"

namespace platform {

using namespace ::editor::shell;

namespace {

QGroupBox* RadioGroup(QWidget* parent, const QString& title, const QStringList& labels, int checked,
                      QButtonGroup* group) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    if (checked < 0 || checked >= labels.size()) {
        checked = 0;
    }
    for (int i = 0; i < labels.size(); ++i) {
        auto* radio = new QRadioButton(labels[i], box);
        radio->setChecked(i == checked);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    return box;
}

}  // namespace

ControlDeviceDialog::ControlDeviceDialog(const ControlDeviceChoice& choice, QWidget* parent)
    : QDialog(parent), targets_(new QButtonGroup(this)), devices_(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("Control Device"));
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout();
    groups->addWidget(RadioGroup(this, QStringLiteral("Control"),
                                 {QStringLiteral("&Object"), QStringLiteral("&Camera")},
                                 choice.target, targets_));
    groups->addWidget(RadioGroup(
        this, QStringLiteral("Device"),
        {QStringLiteral("&Keyboard"), QStringLiteral("&Mouse"), QStringLiteral("&Joystick")},
        choice.device, devices_));
    layout->addLayout(groups);
    // The keyboard's keys are written nowhere else a user would look while choosing it.
    auto* keys = new QLabel(QString::fromStdString(KeyboardDeviceKeysText()), this);
    keys->setObjectName(QStringLiteral("keys"));
    keys->setWordWrap(true);
    keys->setMinimumWidth(keys->fontMetrics().averageCharWidth() * 60);
    keys->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(keys);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

ControlDeviceChoice ControlDeviceDialog::Choice() const {
    return ControlDeviceChoice{targets_->checkedId(), devices_->checkedId()};
}

}  // namespace platform
