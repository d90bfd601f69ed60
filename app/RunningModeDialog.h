#pragma once

#include <QDialog>
#include <QPixmap>

#include "document/Edition.h"

class QPushButton;

namespace Dialog {

// Asks which edition to run as when the command line names none. Closing it any other way than
// by one of its three buttons cancels the start.
class CRunning_Mode_dlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kAdvancedId = 1001;
    static constexpr int kStandardId = 1002;
    static constexpr int kBasicId = 1003;
    explicit CRunning_Mode_dlg(QWidget* parent = nullptr);

    // The button pressed, or the preselected edition.
    Edition mode = Edition::Advanced;

    QPushButton* AdvancedButton() const { return advanced_; }
    QPushButton* StandardButton() const { return standard_; }
    QPushButton* BasicButton() const { return basic_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* AddButton(const QString& text, int id, Edition chosenMode);

    QPixmap picture;
    QPushButton* advanced_ = nullptr;
    QPushButton* standard_ = nullptr;
    QPushButton* basic_ = nullptr;
};

} // namespace Dialog
