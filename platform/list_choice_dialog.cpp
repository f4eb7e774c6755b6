#include "platform/list_choice_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dialog_question.h"

namespace platform {

ListChoiceDialog::ListChoiceDialog(const QString& title, const QStringList& items, int initialIndex,
                                   QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    AddQuestionLabel(this, layout, title);
    list_->addItems(items);
    if (initialIndex >= 0 && initialIndex < list_->count()) {
        list_->setCurrentRow(initialIndex);
    }
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(list_->currentRow() >= 0);
    connect(list_, &QListWidget::currentRowChanged, ok,
            [ok](int row) { ok->setEnabled(row >= 0); });
    layout->addWidget(buttons);
}

int ListChoiceDialog::Choice() const {
    return list_->currentRow();
}

}  // namespace platform
