#pragma once
#include "editors/byte_map.h"
#include "form_base.h"

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class TLbButton;

namespace editors {

// The window of a CAN byte map: the frame list on the left and one panel
// per data byte with the position it maps to.
class ByteMapForm : public OrvanoForm
{
    Q_OBJECT
public:
    ByteMapForm(QWidget* parent, const ByteMapDef& def);

    void Set_Lang() override;
    ByteMapModel& Model() { return model_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Shows the selected frame's bytes (ListBox1Click).
    void ShowFrame();
    void EditExit(int k);
    void OkClick();

    ByteMapModel model_;
    QLabel* desc_ = nullptr;
    QLabel* titleCob_ = nullptr;
    QLabel* titleBytes_ = nullptr;
    QListWidget* list_ = nullptr;
    std::array<QWidget*, 8> panels_{};
    std::array<QLabel*, 8> captions_{};
    std::array<QLineEdit*, 8> edits_{};
    std::array<QLabel*, 8> arrays_{};
    std::array<QLabel*, 8> notInUse_{};
    TLbButton* ok_ = nullptr;
    TLbButton* cancel_ = nullptr;
};

} // namespace editors
