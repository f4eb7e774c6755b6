#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace platform {

// One line of text with OK and Cancel, at most maxLength characters (0: no limit); used for
// the pose and group names.
class TextEntryDialog : public QDialog {
    Q_OBJECT

  public:
    TextEntryDialog(const QString& title, const QString& text, int maxLength,
                    QWidget* parent = nullptr);
    QString Text() const;
    QLineEdit* Edit() const { return edit_; }

  private:
    QLineEdit* edit_;
};

// An editable combo box with OK and Cancel: a listed text or a typed one of at most
// maxLength characters (0: no limit); used for the frame choice.
class ComboEntryDialog : public QDialog {
    Q_OBJECT

  public:
    ComboEntryDialog(const QString& title, const QStringList& items, const QString& text,
                     int maxLength, QWidget* parent = nullptr);
    QString Text() const;
    QComboBox* Combo() const { return combo_; }

  private:
    QComboBox* combo_;
};

}  // namespace platform
