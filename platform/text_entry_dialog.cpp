#include "platform/text_entry_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/dialog_question.h"

namespace platform {

namespace {

QDialogButtonBox* AddOkCancel(QDialog* dialog, QVBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return buttons;
}

}  // namespace

TextEntryDialog::TextEntryDialog(const QString& title, const QString& text, int maxLength,
                                 QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(this)) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    AddQuestionLabel(this, layout, title);
    if (maxLength > 0) {
        edit_->setMaxLength(maxLength);
    }
    edit_->setText(text);
    edit_->selectAll();
    layout->addWidget(edit_);
    AddOkCancel(this, layout);
}

QString TextEntryDialog::Text() const {
    return edit_->text();
}

ComboEntryDialog::ComboEntryDialog(const QString& title, const QStringList& items,
                                   const QString& text, int maxLength, QWidget* parent)
    : QDialog(parent), combo_(new QComboBox(this)) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    AddQuestionLabel(this, layout, title);
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->addItems(items);
    if (maxLength > 0) {
        combo_->lineEdit()->setMaxLength(maxLength);
    }
    combo_->setEditText(text);
    combo_->setMinimumContentsLength(16);
    layout->addWidget(combo_);
    AddOkCancel(this, layout);
}

QString ComboEntryDialog::Text() const {
    return combo_->currentText();
}

}  // namespace platform
