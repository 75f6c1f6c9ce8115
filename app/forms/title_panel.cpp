#include "title_panel.h"

#include "workspace.h"

#include <QLabel>
#include <QPalette>

QWidget* MakeTitlePanel(QWidget* parent, int w, QLabel** code, QLabel** desc)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("P_Title"));
    panel->setGeometry(0, 0, w, 48);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panel->setPalette(pal);
    panel->setAutoFillBackground(true);

    *code = new QLabel(SoftwareCode, panel);
    (*code)->setObjectName(QStringLiteral("L_SW_Code"));
    QFont f = parent->font();
    f.setPixelSize(16);
    f.setBold(true);
    (*code)->setFont(f);
    pal = (*code)->palette();
    pal.setColor(QPalette::WindowText, QColor(128, 128, 128));
    (*code)->setPalette(pal);
    (*code)->setGeometry(8, 4, w - 16, 20);

    *desc = new QLabel(panel);
    (*desc)->setObjectName(QStringLiteral("L_SW_Desc"));
    f.setPixelSize(11);
    (*desc)->setFont(f);
    (*desc)->setGeometry(8, 27, w - 16, 16);
    return panel;
}
