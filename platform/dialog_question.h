#pragma once

class QBoxLayout;
class QLabel;
class QString;
class QWidget;

namespace platform {

// The question of a small dialog, shown inside it as well as in its title bar: a window
// manager cuts long titles off ("Type o... load:"). Wrapped to the dialog's width; its object
// name is "question".
QLabel* AddQuestionLabel(QWidget* dialog, QBoxLayout* layout, const QString& text);

}  // namespace platform
