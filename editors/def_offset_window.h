#pragma once
#include "editors/def_offset.h"
#include "form_base.h"

class QLabel;
class QTabWidget;
class TLbButton;

namespace grid {
class TGridWidget;
}

// The DeviceNet byte offsets: each input and output byte of each slave of
// DNETM_Net.xml placed in the PROFINET arrays, written to DNETM_DefOff.xml.
class TFDefOffset : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFDefOffset(QWidget* parent = nullptr);
    ~TFDefOffset() override;

    void Set_Lang() override;
    editors::DefOffsetModel& Model() { return model_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OkClick();
    void Refresh();

    editors::DefOffsetModel model_;
    QLabel* desc_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QTabWidget* pages_ = nullptr;
    grid::TGridWidget* slaves_ = nullptr;
    grid::TGridWidget* byteIn_ = nullptr;
    grid::TGridWidget* byteOut_ = nullptr;
    TLbButton* ok_ = nullptr;
    TLbButton* cancel_ = nullptr;
};

extern TFDefOffset* FDefOffset;
