#include "platform/dialog_question.h"

#include <QBoxLayout>
#include <QLabel>
#include <algorithm>

namespace platform {

namespace {

// Wide enough for a question of a few dozen characters on one line.
constexpr int kQuestionWidthInCharacters = 40;
// Longer questions wrap rather than make the dialog wider than this (pixels).
constexpr int kMostQuestionWidth = 640;

}  // namespace

QLabel* AddQuestionLabel(QWidget* dialog, QBoxLayout* layout, const QString& text) {
    auto* label = new QLabel(text, dialog);
    label->setObjectName(QStringLiteral("question"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    // As wide as the title too (with room for the title bar's buttons), so that the window
    // manager need not cut it.
    const int titleWidth = dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + 120;
    label->setMinimumWidth(std::min(
        std::max(label->fontMetrics().averageCharWidth() * kQuestionWidthInCharacters, titleWidth),
        kMostQuestionWidth));
    layout->addWidget(label);
    return label;
}

}  // namespace platform
