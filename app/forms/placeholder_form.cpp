#include "placeholder_form.h"

#include "language.h"
#include "workspace.h"

PlaceholderForm::PlaceholderForm(QWidget* parent, const char* objectName, int titleText)
    : OrvanoForm(parent), m_titleText(titleText)
{
    setObjectName(QString::fromLatin1(objectName));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

PlaceholderForm::PlaceholderForm(QWidget* parent, const char* objectName, const char* fixedTitle)
    : OrvanoForm(parent), m_fixedTitle(QString::fromUtf8(fixedTitle))
{
    setObjectName(QString::fromLatin1(objectName));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void PlaceholderForm::Set_Lang()
{
    setWindowTitle(m_titleText >= 0 ? Lang(m_titleText) : m_fixedTitle);
}
