#include "soft_options_window.h"

#include "advance_functions_window.h"
#include "device_type.h"
#include "language.h"
#include "lb_button.h"
#include "main_window.h"
#include "messages.h"
#include "title_panel.h"
#include "version_check.h"
#include "workspace.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <QTabWidget>

#include <algorithm>

TFSoftOptions* FSoftOptions = nullptr;

namespace {

constexpr int kSlotsPerPage = 6;
constexpr int kSlotTops[3] = {40, 94, 148};

// At least one page, so the label never reads "1 / 0".
int PageCount(const QStringList& languages)
{
    return std::max(1, (int(languages.size()) + kSlotsPerPage - 1) / kSlotsPerPage);
}

const QString kEnglishFile = QStringLiteral("English.lng");

// A small arrow for the paging buttons, pointing right or left.
QPixmap Arrow(bool right)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 90, 170));
    const QPolygonF shape = right ? QPolygonF({{4, 2}, {13, 8}, {4, 14}}) : QPolygonF({{12, 2}, {3, 8}, {12, 14}});
    p.drawPolygon(shape);
    return pm;
}

QWidget* Page(QTabWidget* tabs, const char* name)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    tabs->addTab(page, QString());
    return page;
}

QCheckBox* CheckBox(QWidget* parent, const char* name, int x, int y, int w, const QString& text = QString())
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y, w, 20);
    return box;
}

QLabel* Label(QWidget* parent, const char* name, int x, int y, int w)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, w, 16);
    return label;
}

} // namespace

TFSoftOptions::TFSoftOptions(QWidget* parent)
    : OrvanoForm(parent)
    , m_query(new VersionQuery(this))
{
    setObjectName(QStringLiteral("FSoftOptions"));
    MakeTitlePanel(this, 420, &L_SW_Code, &L_SW_Desc);

    PC_Options = new QTabWidget(this);
    PC_Options->setObjectName(QStringLiteral("PC_Options"));
    PC_Options->setGeometry(8, 56, 404, 270);

    TS_Language = Page(PC_Options, "TS_Language");
    L_Sel_Lang = Label(TS_Language, "L_Sel_Lang", 16, 12, 230);
    L_Page_Lang = Label(TS_Language, "L_Page_Lang", 250, 12, 136);
    L_Page_Lang->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int k = 0; k < kSlotsPerPage; ++k) {
        const int left = k < 3 ? 16 : 206;
        const int top = kSlotTops[k % 3];
        const QByteArray n = QByteArray::number(k + 1);
        I_L[k] = new QLabel(TS_Language);
        I_L[k]->setObjectName(QString::fromLatin1("I_L" + n));
        I_L[k]->setGeometry(left, top, 48, 48);
        I_L[k]->setScaledContents(true);
        I_L[k]->setCursor(Qt::PointingHandCursor);
        OnLeftClick(I_L[k], [this, k] { LangClick(k + 1); });
        L_L[k] = Label(TS_Language, ("L_L" + n).constData(), left + 56, top + 16, 120);
        L_L[k]->setCursor(Qt::PointingHandCursor);
        OnLeftClick(L_L[k], [this, k] { LangClick(k + 1); });
    }
    Btn_Prev = MakeButton(TS_Language, "Btn_Prev", 196, 206, 90, 26);
    Btn_Prev->SetGlyph(Arrow(false));
    Btn_Next = MakeButton(TS_Language, "Btn_Next", 296, 206, 90, 26);
    Btn_Next->SetGlyph(Arrow(true));
    Btn_Next->SetLayout(blGlyphRight);
    connect(Btn_Prev, &TLbButton::clicked, this, [this] { Btn_NextClick(false); });
    connect(Btn_Next, &TLbButton::clicked, this, [this] { Btn_NextClick(true); });

    TS_Con_Options = Page(PC_Options, "TS_Con_Options");
    CB_En_Con = CheckBox(TS_Con_Options, "CB_En_Con", 16, 16, 370);
    CB_Update = CheckBox(TS_Con_Options, "CB_Update", 36, 42, 350);
    Btn_Check_Update = MakeButton(TS_Con_Options, "Btn_Check_Update", 16, 80, 220, 30);
    connect(Btn_Check_Update, &TLbButton::clicked, this, &TFSoftOptions::Btn_Check_UpdateClick);
    LL_Check_Update = Label(TS_Con_Options, "LL_Check_Update", 16, 124, 370);
    LL_Check_Update->setTextFormat(Qt::RichText);
    connect(LL_Check_Update, &QLabel::linkActivated, this, [](const QString& link) { OpenUrl(QUrl(link)); });
    LL_Check_Update->hide();

    TS_AdvanceFunctions = Page(PC_Options, "TS_AdvanceFunctions");
    Btn_Advance_Functions = MakeButton(TS_AdvanceFunctions, "Btn_Advance_Functions", 16, 16, 260, 30);
    connect(Btn_Advance_Functions, &TLbButton::clicked, this, [] {
        if (FAdvanceFunctions)
            FAdvanceFunctions->ShowModal();
    });

    TS_Soft_Settings = Page(PC_Options, "TS_Soft_Settings");
    PC_Options->setTabText(PC_Options->indexOf(TS_Soft_Settings), QStringLiteral("Software Settings"));
    CB_Soft_Set_Jump_Table = CheckBox(TS_Soft_Settings, "CB_Soft_Set_Jump_Table", 16, 16, 370,
                                      QStringLiteral("Jump into next field in the tables by pressing the Enter Key"));
    CB_DoubleClick_Auto_Size = CheckBox(TS_Soft_Settings, "CB_DoubleClick_Auto_Size", 16, 42, 370,
                                        QStringLiteral("Enable Auto Size of Table Columns by Double Click"));

    for (QCheckBox* box : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(box, &QCheckBox::clicked, this, &TFSoftOptions::Update_CheckBox);

    auto* buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("P_Button"));
    buttons->setGeometry(0, 330, 420, 42);
    Btn_OK = MakeButton(buttons, "Btn_OK", 115, 6, 90, 30);
    connect(Btn_OK, &TLbButton::clicked, this, &TFSoftOptions::Btn_OKClick);
    Btn_Cancel = MakeButton(buttons, "Btn_Cancel", 215, 6, 90, 30);
    Btn_Cancel->SetModalResult(mrCancel);

    // The tabs of the model.
    const int type = DeviceType;
    PC_Options->setTabVisible(PC_Options->indexOf(TS_Con_Options), type != BrandVariantType);
    PC_Options->setTabVisible(PC_Options->indexOf(TS_AdvanceFunctions), type == 4 || type == 25);
    PC_Options->setTabVisible(PC_Options->indexOf(TS_Soft_Settings), type == 15);

    L_SW_Code->setText(SoftwareCode);
    SetClientSize(420, 372);
    Set_Lang();
}

void TFSoftOptions::Set_Lang()
{
    setWindowTitle(Lang(51));
    L_SW_Desc->setText(Lang(52));
    PC_Options->setTabText(PC_Options->indexOf(TS_Language), Lang(53));
    PC_Options->setTabText(PC_Options->indexOf(TS_Con_Options), Lang(54));
    L_Sel_Lang->setText(Lang(55));
    // The page shown, also after a language change.
    L_Page_Lang->setText(Lang(56) + QString::number(Show_Page) + Lang(57) + QString::number(PageCount(SL_Languages)));
    Btn_Prev->SetCaption(Lang(58));
    Btn_Next->SetCaption(Lang(59));
    CB_En_Con->setText(Lang(60));
    CB_Update->setText(Lang(61));
    Btn_Check_Update->SetCaption(Lang(62));
    Btn_OK->SetCaption(Lang(63));
    Btn_Cancel->SetCaption(Lang(64));
    PC_Options->setTabText(PC_Options->indexOf(TS_AdvanceFunctions), Lang(855));
    Btn_Advance_Functions->SetCaption(Lang(856));
}

void TFSoftOptions::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    if (event->spontaneous())
        return;
    ++m_showing;
    Language_In_Use = LanguageName;
    Create_Lang_List();
    LL_Check_Update->hide();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(EnableInternet);
    CB_Update->setChecked(EnableUpdate);
    CB_Soft_Set_Jump_Table->setChecked(EnableJumpFieldTables);
    CB_DoubleClick_Auto_Size->setChecked(DoubleClickAutoSize);
    Update_CheckBox();
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages.clear();
    const QFileInfoList files =
        QDir(LanguageDir).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QFileInfo& file : files) {
        // A read-only file is not offered.
        if (!file.isFile() || !file.fileName().endsWith(QLatin1String(".lng"), Qt::CaseInsensitive)
            || !(file.permissions() & QFileDevice::WriteOwner))
            continue;
        SL_Languages.append(file.fileName());
    }
    // English is built in: it can be chosen again without a file of its own.
    if (!SL_Languages.contains(kEnglishFile, Qt::CaseInsensitive))
        SL_Languages.append(kEnglishFile);
    std::sort(SL_Languages.begin(), SL_Languages.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
    const int count = int(SL_Languages.size());
    const int pages = PageCount(SL_Languages);
    L_Sel_Lang->setText(Lang(55) + Language_In_Use);
    L_Page_Lang->setText(Lang(56) + QString::number(Num_Page) + Lang(57) + QString::number(pages));
    Btn_Prev->setVisible(Num_Page > 1);
    Btn_Next->setVisible(Num_Page < pages);
    const int shown = std::min(kSlotsPerPage, count - (Num_Page - 1) * kSlotsPerPage);
    for (int k = 0; k < kSlotsPerPage; ++k) {
        const bool visible = k < shown;
        L_L[k]->setVisible(visible);
        I_L[k]->setVisible(visible);
        if (!visible)
            continue;
        const QString name = SL_Languages[(Num_Page - 1) * kSlotsPerPage + k].chopped(4);
        L_L[k]->setText(name);
        const QString flag = LanguageDir + QLatin1Char('/') + name + QStringLiteral(".bmp");
        const QString fallback = LanguageDir + QStringLiteral("/DefaultFlag.bmp");
        if (QFileInfo::exists(flag))
            I_L[k]->setPixmap(QPixmap(flag));
        else if (QFileInfo::exists(fallback))
            I_L[k]->setPixmap(QPixmap(fallback));
        else
            I_L[k]->hide();
    }
}

void TFSoftOptions::Btn_NextClick(bool next)
{
    if (next && PageCount(SL_Languages) >= Show_Page + 1)
        ++Show_Page;
    else if (!next && Show_Page - 1 > 0)
        --Show_Page;
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(int k)
{
    const int index = (Show_Page - 1) * kSlotsPerPage + k - 1;
    if (index < 0 || index >= SL_Languages.size())
        return;
    const QString name = SL_Languages[index].chopped(4);
    if (!Messages::Ask(Lang(67) + Language_In_Use + Lang(68) + name + Lang(69)))
        return;
    Language_In_Use = name;
    // The texts change at once; the saved language only on OK.
    const QString saved = LanguageName;
    LanguageName = name;
    QString error;
    const bool loaded = Load_Language(&error);
    LanguageName = saved;
    if (!loaded)
        Messages::Error(error);
    if (FOrvanoeFirmWare)
        FOrvanoeFirmWare->Change_Language();
    else
        Set_Lang();
    L_Sel_Lang->setText(Lang(55) + Language_In_Use);
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked());
}

void TFSoftOptions::Btn_OKClick()
{
    LanguageName = Language_In_Use;
    EnableInternet = CB_En_Con->isChecked();
    EnableUpdate = CB_Update->isChecked();
    if (FOrvanoeFirmWare)
        FOrvanoeFirmWare->Apply_Update_Timer();
    EnableJumpFieldTables = CB_Soft_Set_Jump_Table->isChecked();
    DoubleClickAutoSize = CB_DoubleClick_Auto_Size->isChecked();
    done(mrOk);
}

void TFSoftOptions::Check_Version(std::function<void(bool newer)> done)
{
    m_query->Start(DeviceType, std::move(done));
}

void TFSoftOptions::Btn_Check_UpdateClick()
{
    const int showing = m_showing;
    Btn_Check_Update->setEnabled(false);
    Check_Version([this, showing](bool newer) {
        Update_CheckBox();
        if (showing != m_showing)
            return;
        if (newer)
            LL_Check_Update->setText(LinkAnchor(DownloadPageUrl(DeviceType), Lang(65)));
        else
            LL_Check_Update->setText(Lang(66).toHtmlEscaped());
        LL_Check_Update->show();
    });
}
