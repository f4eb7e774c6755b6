#pragma once

#include <QDialog>
#include <array>

#include "scene/input/transform_dialog.h"

class QLineEdit;
class QTabWidget;

namespace platform {

using namespace ::scene::input;

// The modeless "Transforms" sheet: pages "Scale", "Rotate" and "Translate", each with X, Y
// and Z boxes and the buttons "Before", "After" and "Replace", which hand the typed values to
// the CTransformDlg. Closing it by hand tells the CTransformDlg (whose owner then forgets
// it); CloseQuietly takes it down without that call. It deletes itself when closed.
class TransformsSheet : public QDialog {
    Q_OBJECT

  public:
    TransformsSheet(CTransformDlg& sheet, QWidget* parent = nullptr);

    CTransformDlg* Sheet() const { return sheet_; }
    void CloseQuietly();
    QTabWidget* Pages() const { return pages_; }
    // The X, Y or Z box of a page.
    QLineEdit* Field(CTransformDlg::Page page, int axis) const;
    // Presses a page's button, as a click does.
    void Press(CTransformDlg::Page page, CTransformDlg::Placement placement);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

  private:
    QWidget* BuildPage(CTransformDlg::Page page, double initial);
    void Notify();

    CTransformDlg* sheet_;
    QTabWidget* pages_;
    std::array<std::array<QLineEdit*, 3>, 3> fields_{};
};

}  // namespace platform
