#pragma once

#include <QDialog>

class QListWidget;

namespace platform {

// A choice from a fixed list with OK and Cancel; a double click chooses at once. OK needs a
// chosen item.
class ListChoiceDialog : public QDialog {
    Q_OBJECT

  public:
    ListChoiceDialog(const QString& title, const QStringList& items, int initialIndex,
                     QWidget* parent = nullptr);
    // The chosen row, or -1.
    int Choice() const;
    QListWidget* List() const { return list_; }

  private:
    QListWidget* list_;
};

}  // namespace platform
