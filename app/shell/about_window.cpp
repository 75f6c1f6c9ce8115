#include "about_window.h"

TFAbout* FAbout = nullptr;

TFAbout::TFAbout(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("About..."));
    SetClientSize(406, 148);
}
