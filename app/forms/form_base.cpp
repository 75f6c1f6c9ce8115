#include "form_base.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPalette>

QColor ProgramFaceColor()
{
    return QColor(248, 247, 237);
}

QFont ProgramFont()
{
    static const QFont font = [] {
        QFont f(QStringLiteral("Verdana"));
        f.setStyleHint(QFont::SansSerif);
        if (!QFontDatabase::families().contains(QStringLiteral("Verdana")))
            f.setFamily(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(11);
        return f;
    }();
    return font;
}

OrvanoForm::OrvanoForm(QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ProgramFaceColor());
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(ProgramFont());
}

void OrvanoForm::SetClientSize(int w, int h)
{
    setFixedSize(w, h);
}

QLabel* OrvanoForm::AddLabel(const char* name, int x, int y, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}
