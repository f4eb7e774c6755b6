#include "platform/dialog_question.h"

#include <QBoxLayout>
#include <QLabel>

namespace platform {

namespace {

// Wide enough for a question of a few dozen characters on one line.
constexpr int kQuestionWidthInCharacters = 40;

}  // namespace

QLabel* AddQuestionLabel(QWidget* dialog, QBoxLayout* layout, const QString& text) {
    auto* label = new QLabel(text, dialog);
    label->setObjectName(QStringLiteral("question"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * kQuestionWidthInCharacters);
    layout->addWidget(label);
    return label;
}

}  // namespace platform
