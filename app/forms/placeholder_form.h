#pragma once
#include "form_base.h"

// A window whose contents are still to come: its code label and a title,
// taken from the language table (titleText) or fixed (fixedTitle).
class PlaceholderForm : public OrvanoForm
{
    Q_OBJECT
public:
    PlaceholderForm(QWidget* parent, const char* objectName, int titleText);
    PlaceholderForm(QWidget* parent, const char* objectName, const char* fixedTitle);
    void Set_Lang() override;

private:
    int m_titleText = -1;
    QString m_fixedTitle;
};
