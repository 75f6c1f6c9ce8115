#include "controls/dropdown/calculator_dropdown.h"

#include "controls/dropdown/color_styles.h"
#include "controls/dropdown/dropdown_form.h"

#include <QKeyEvent>

namespace dropdown {

TExCalculatorDropdown::TExCalculatorDropdown(QWidget* parent) : TExCustomDropDown(parent)
{
    SetDropDownColor(0xFFFFFF);
    SetDropDownWidth(230);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    DropDownEnabled = true;
    SetEditType(etFloat);
    SetPrecision(2);
}

void TExCalculatorDropdown::Run(const std::function<void(EntryState&)>& step)
{
    EntryState s = State();
    step(s);
    Apply(s);
}

void TExCalculatorDropdown::SetShowThousandSeparator(bool value)
{
    if (value == showThousand_)
        return;
    showThousand_ = value;
    const double v = GetFloatValue();
    SetEditType(value ? etMoney : etFloat);
    SetFloatValue(v);
}

double TExCalculatorDropdown::Value()
{
    if (Text().isEmpty())
        SetText(QStringLiteral("0"));
    return double(CalculatorEngine::DisplayValue(State(), Options()));
}

void TExCalculatorDropdown::SetValue(double value)
{
    SetText(CalcGeneral(value));
}

void TExCalculatorDropdown::CalcResult()
{
    Run([this](EntryState& s) { engine_.Equals(s, Options()); });
}

void TExCalculatorDropdown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    if (!panel_) {
        panel_ = new TCustomButtonPanel(form_);
        panel_->ExDropDown = this;
        panel_->resize(DropDownWidth() > 0 ? DropDownWidth() : width(), 150);
        panel_->CreateButtons();
        panel_->OnButtonClick = [this](TCustomButtonPanel*, int index) { CalcButtonClick(index); };
    }
    SetControl(panel_);
    form_->CancelOnDeActivate = false;
    panel_->ButtonAppearance() = calcAppearance_;
    panel_->Color = DropDownColor();
    panel_->ArrangeButtons();
    engine_.StartNumber();
    calcClosed_ = false;
}

void TExCalculatorDropdown::CalcButtonClick(int index)
{
    if (!panel_ || index < 0 || index >= int(panel_->Buttons().size()))
        return;
    BeforeCalculatorKey();
    const int tag = panel_->Buttons()[size_t(index)].Tag;
    bool applied = false;
    Run([&](EntryState& s) { applied = engine_.Key(tag, s, Options()); });
    if (applied)
        SetIsModified(true);
}

void TExCalculatorDropdown::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && !DroppedDown() && !(event->modifiers() & Qt::ControlModifier)) {
        Run([this](EntryState& s) { engine_.Equals(s, Options()); });
        TExCustomDropDown::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Delete) {
        TExCustomDropDown::keyPressEvent(event);
        const QString t = Text();
        if (t.isEmpty() || t == QLatin1String("Error"))
            Run([this](EntryState& s) { TypedEntry::SetText(s, Options(), QStringLiteral("0")); });
        return;
    }
    if (key == Qt::Key_Backspace && EditorEnabled() && Text().size() == 1) {
        Run([this](EntryState& s) { engine_.EditChar(QChar(8), DroppedDown(), s, Options()); });
        return;
    }
    const QString text = event->text();
    const bool character = text.size() == 1 && text[0].isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!character || !EditorEnabled()) {
        TExCustomDropDown::keyPressEvent(event);
        return;
    }
    Run([&](EntryState& s) { engine_.EditChar(text[0], DroppedDown(), s, Options()); });
    event->accept();
}

void TExCalculatorDropdown::PopupKeyDown(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::AltModifier) && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        KeyDown(key, mods);
        return;
    }
    BeforeCalculatorKey();
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_F4:
        HideDropDown(false);
        return;
    case Qt::Key_Backspace:
        Run([this](EntryState& s) { engine_.PopupBackspace(s, Options()); });
        return;
    case Qt::Key_Escape:
        HideDropDown(true);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        Run([this](EntryState& s) { engine_.PopupChar(u'\r', false, s, Options()); });
        HideDropDown(false);
        return;
    }
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() != 1 || !text[0].isPrint())
        return;
    CalcPopupOutcome out = CalcPopupOutcome::None;
    Run([&](EntryState& s) { out = engine_.PopupChar(text[0], mods & Qt::AltModifier, s, Options()); });
    if (out == CalcPopupOutcome::Close)
        HideDropDown(false);
    else if (out == CalcPopupOutcome::Cancel)
        HideDropDown(true);
}

void TExCalculatorDropdown::SetComponentStyle(TSkinStyle style)
{
    TExCustomDropDown::SetComponentStyle(style);
    const TExButtonAppearance& b = ButtonAppearance();
    TButtonAppearance& k = calcAppearance_;
    k.BorderColor = b.BorderColor;
    k.BorderColorHot = b.BorderColorHot;
    k.BorderColorDown = b.BorderColorDown;
    k.Color = b.Color;
    k.ColorTo = b.ColorTo;
    k.ColorDown = b.ColorDown;
    k.ColorDownTo = b.ColorDownTo;
    k.ColorHot = b.ColorHot;
    k.ColorHotTo = b.ColorHotTo;
    k.ColorDisabled = b.ColorDisabled;
    k.ColorDisabledTo = b.ColorDisabledTo;
    k.BorderColorChecked = b.BorderColorDisabled;
    k.ColorChecked = b.ColorDisabledTo;
    k.ColorCheckedTo = b.ColorHotTo;
    const bool office2010 =
        style == grid::tsOffice2010Blue || style == grid::tsOffice2010Silver || style == grid::tsOffice2010Black;
    k.GlowColorHot = office2010 ? b.ColorHot : b.ColorDownTo;
    k.GlowColorDown = office2010 ? b.ColorHot : 0xD5C244;
}

}  // namespace dropdown
