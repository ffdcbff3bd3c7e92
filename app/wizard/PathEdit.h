#pragma once
// TPathEdit: a line edit for a path that, when the path is wider than the
// field and the field is not being edited, shows it elided in the middle, so
// that both the folder's start and the file name stay in view. The whole path
// is its tooltip; text() is always the whole path.

#include <QLineEdit>

namespace orvexp {

class TPathEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TPathEdit(QWidget* parent = nullptr);

    // The text as the field shows it while it is not being edited.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace orvexp
