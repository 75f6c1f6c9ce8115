#include "about_window.h"

#include "device_type.h"
#include "lb_button.h"
#include "version_check.h"

#include <QLabel>
#include <QPainter>
#include <QShowEvent>

TFAbout* FAbout = nullptr;

namespace {

// The maker's picture: a rounded blue square with the initial.
QPixmap MakerPicture()
{
    QPixmap pm(81, 81);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 70, 140));
    p.drawRoundedRect(QRectF(2, 2, 77, 77), 12, 12);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(52);
    f.setBold(true);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 81, 81), Qt::AlignCenter, QStringLiteral("K"));
    return pm;
}

// The customer brand's picture.
QPixmap BrandPicture()
{
    QPixmap pm(81, 81);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 3));
    p.setBrush(QColor(235, 235, 235));
    p.drawEllipse(QRectF(3, 3, 75, 75));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(46);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(160, 20, 20));
    p.drawText(QRect(0, 0, 81, 81), Qt::AlignCenter, QStringLiteral("B"));
    return pm;
}

QLabel* Label(QWidget* parent, const char* name, int x, int y, const QString& text = QString())
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, 406 - x - 8, 16);
    return label;
}

} // namespace

TFAbout::TFAbout(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("About..."));

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(8, 8, 81, 81);
    Image2->setScaledContents(true);
    Image2->setPixmap(MakerPicture());
    Image2->setCursor(Qt::PointingHandCursor);
    OnLeftClick(Image2, [this] { Label4Click(); });
    I_BH = new QLabel(this);
    I_BH->setObjectName(QStringLiteral("I_BH"));
    I_BH->setGeometry(8, 8, 81, 81);
    I_BH->setScaledContents(true);
    I_BH->setPixmap(BrandPicture());
    I_BH->hide();

    Label1 = Label(this, "Label1", 104, 10, QStringLiteral("Software Orvano "));
    QFont bold = font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = Label(this, "Label2", 104, 28);
    Label6 = Label(this, "Label6", 104, 52, QStringLiteral("Software Code : "));
    Label9 = Label(this, "Label9", 214, 52);
    Label3 = Label(this, "Label3", 104, 70, QStringLiteral("Version :"));
    Label10 = Label(this, "Label10", 214, 70);
    Label8 = Label(this, "Label8", 104, 88, QStringLiteral("Document Code :"));
    Label12 = Label(this, "Label12", 214, 88);

    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setText(MakerSite().host());
    QFont link = font();
    link.setUnderline(true);
    Label4->setFont(link);
    QPalette pal = Label4->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label4->setPalette(pal);
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4->setGeometry(150, 124, 406 - 150 - 10, 16);
    OnLeftClick(Label4, [this] { Label4Click(); });

    LbButton1 = MakeButton(this, "LbButton1", 8, 114, 81, 28, QStringLiteral("OK"));
    LbButton1->SetModalResult(mrOk);
    LbButton1->SetColorWhenDown(QColor(255, 255, 0));
    SetClientSize(406, 148);
}

void TFAbout::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    if (event->spontaneous())
        return;
    const bool brand = DeviceType == BrandVariantType;
    I_BH->setVisible(brand);
    Image2->setVisible(!brand);
    Label4->setVisible(!brand);
    Label2->setText(DescriptionOf(DeviceType));
    Label9->setText(SoftwareCodeOf(DeviceType));
    Label10->setText(VersionOf(DeviceType));
    Label12->setText(DocumentCodeOf(DeviceType));
    SetClientSize(406, 148);
}

void TFAbout::Label4Click()
{
    OpenUrl(HomePageUrl(DeviceType));
}
