#include "platform/mesh_nodes_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "platform/dialog_question.h"
#include "platform/qt_text.h"

namespace platform {

MeshNodesDialog::MeshNodesDialog(const MeshNodesRequest& request, QWidget* parent)
    : QDialog(parent), nodes_(request.nodes) {
    setWindowTitle(QStringLiteral("Select Active Mesh Nodes"));
    auto* layout = new QVBoxLayout(this);
    AddQuestionLabel(this, layout, windowTitle());
    auto* grid = new QGridLayout();
    const auto checked = MeshNodeBoxes(request.nodes);
    constexpr int kRows = (kBoxCount + 1) / 2;
    for (int box = 0; box < kBoxCount; ++box) {
        // Box 0 is the torso (nodes 0 and 1); box i is node i + 1.
        const int node = box == 0 ? 0 : box + 1;
        boxes_[box] = new QCheckBox(ToQt(request.labels[node]), this);
        boxes_[box]->setChecked(checked[box]);
        grid->addWidget(boxes_[box], box % kRows, box / kRows);
    }
    layout->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

MeshNodeFlags MeshNodesDialog::Nodes() const {
    std::array<bool, kBoxCount> checked{};
    for (int box = 0; box < kBoxCount; ++box) {
        checked[box] = boxes_[box]->isChecked();
    }
    MeshNodeFlags nodes = nodes_;
    ApplyMeshNodeBoxes(checked, nodes);
    return nodes;
}

}  // namespace platform
