#pragma once
#include "form_base.h"

class QLabel;
class TLbButton;

// The About window: the model's software, version and document code, and a
// link to the maker's home page. Its texts are fixed English.
class TFAbout : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFAbout(QWidget* parent = nullptr);

    // Opens the maker's home page for the model (nothing for type 1018).
    void Label4Click();

    QLabel* Image2 = nullptr;
    QLabel* I_BH = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label4 = nullptr;
    TLbButton* LbButton1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

extern TFAbout* FAbout;
