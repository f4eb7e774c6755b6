#include "platform/transforms_sheet.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace platform {

namespace {

using Page = CTransformDlg::Page;
using Placement = CTransformDlg::Placement;

int PageIndex(Page page) {
    return static_cast<int>(page);
}

}  // namespace

TransformsSheet::TransformsSheet(CTransformDlg& sheet, QWidget* parent)
    : QDialog(parent), sheet_(&sheet), pages_(new QTabWidget(this)) {
    setWindowTitle(QString::fromUtf8(CTransformDlg::kTitle));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    pages_->addTab(BuildPage(Page::Scale, 1.0), QStringLiteral("Scale"));
    pages_->addTab(BuildPage(Page::Rotate, 0.0), QStringLiteral("Rotate"));
    pages_->addTab(BuildPage(Page::Translate, 0.0), QStringLiteral("Translate"));
    layout->addWidget(pages_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QWidget* TransformsSheet::BuildPage(Page page, double initial) {
    auto* widget = new QWidget(pages_);
    auto* layout = new QHBoxLayout(widget);
    auto* form = new QFormLayout();
    const char* const labels[] = {"X:", "Y:", "Z:"};
    for (int axis = 0; axis < 3; ++axis) {
        auto* field = new QLineEdit(QLocale::c().toString(initial), widget);
        fields_[PageIndex(page)][axis] = field;
        form->addRow(QString::fromLatin1(labels[axis]), field);
    }
    layout->addLayout(form);
    auto* column = new QVBoxLayout();
    const struct {
        const char* text;
        Placement placement;
    } actions[] = {{"Before", Placement::Before},
                   {"After", Placement::After},
                   {"Replace", Placement::Replace}};
    for (const auto& action : actions) {
        auto* button = new QPushButton(QString::fromLatin1(action.text), widget);
        button->setAutoDefault(false);
        const Placement placement = action.placement;
        connect(button, &QPushButton::clicked, this,
                [this, page, placement] { Press(page, placement); });
        column->addWidget(button);
    }
    column->addStretch();
    layout->addLayout(column);
    return widget;
}

QLineEdit* TransformsSheet::Field(Page page, int axis) const {
    return fields_[PageIndex(page)][axis];
}

void TransformsSheet::Press(Page page, Placement placement) {
    if (sheet_ == nullptr) {
        return;
    }
    double values[3] = {0.0, 0.0, 0.0};
    for (int axis = 0; axis < 3; ++axis) {
        bool ok = false;
        values[axis] = QLocale::c().toDouble(Field(page, axis)->text().trimmed(), &ok);
        if (!ok) {
            // A typed value that is no number is not silently taken as 0.
            QMessageBox::warning(this, windowTitle(), QStringLiteral("Please enter a number."));
            Field(page, axis)->setFocus();
            Field(page, axis)->selectAll();
            return;
        }
    }
    sheet_->Apply(page, values[0], values[1], values[2], placement);
}

void TransformsSheet::Notify() {
    CTransformDlg* sheet = sheet_;
    sheet_ = nullptr;
    if (sheet != nullptr) {
        sheet->OnClose();
    }
}

void TransformsSheet::CloseQuietly() {
    sheet_ = nullptr;
    close();
}

void TransformsSheet::closeEvent(QCloseEvent* event) {
    Notify();
    QDialog::closeEvent(event);
}

void TransformsSheet::done(int result) {
    Notify();
    QDialog::done(result);
}

}  // namespace platform
