#pragma once

#include <QDialog>
#include <array>

#include "editor/shell/ui.h"

class QCheckBox;

namespace platform {

using namespace ::editor::shell;

// "Select Active Mesh Nodes": one check box per mesh node, "Torso" standing for the two torso
// nodes, with OK and Cancel.
class MeshNodesDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kBoxCount = kMeshNodeCount - 1;

    explicit MeshNodesDialog(const MeshNodesRequest& request, QWidget* parent = nullptr);
    // The flags with the boxes applied.
    MeshNodeFlags Nodes() const;
    QCheckBox* Box(int index) const { return boxes_[index]; }

  private:
    MeshNodeFlags nodes_;
    std::array<QCheckBox*, kBoxCount> boxes_{};
};

}  // namespace platform
