// The drop-down cell editors: the real drop-downs with the grid's keys,
// values and focus rules.
#include "controls/grid/dropdown_editors/grid_dropdown_editors.h"

#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_edit.h"

#include <QApplication>
#include <QKeyEvent>

namespace grid {

namespace {

using namespace dropdown;

// How each picker takes the cell's value and gives it back. The generic
// forms serve the pickers whose value is their text.
void LoadValue(TExCustomDropDown& d, const EditorHost::DropDownSetup& s, const DropDownCell&)
{
    d.SetText(s.text);
}

void LoadValue(TExTrackBarDropDown& d, const EditorHost::DropDownSetup& s, const DropDownCell&)
{
    bool ok = false;
    const int position = s.text.trimmed().toInt(&ok);
    // A text that is no whole number stays as it is.
    if (ok)
        d.SetPosition(position);
    else
        d.SetText(s.text);
}

void LoadValue(TExMemoDropDown& d, const EditorHost::DropDownSetup& s, const DropDownCell&)
{
    d.SetMemoText(s.text.isEmpty() ? QStringList() : s.text.split(u'\n'));
}

void LoadValue(TExTimePickerDropDown& d, const EditorHost::DropDownSetup& s, const DropDownCell&)
{
    d.SetEditorEnabled(true);
    d.SetText(s.text);
}

void LoadValue(TExDetailDropDown& d, const EditorHost::DropDownSetup& s, const DropDownCell&)
{
    d.SetEditorEnabled(true);
    d.SetText(s.text);
    for (size_t i = 0; i < d.Items().size(); ++i) {
        if (d.Items()[i].Caption == s.text) {
            d.SetItemIndex(static_cast<int>(i));
            break;
        }
    }
}

void LoadValue(TColumnListDropDown& d, const EditorHost::DropDownSetup& s, const DropDownCell&)
{
    d.SetEditorEnabled(true);
    d.BeginUpdate();
    d.EndUpdate();
    if (!d.Items().empty())
        d.SetItemIndex(s.text.isEmpty() ? 0 : d.GetItemIndex(s.text));
    d.SetText(s.text);
}

// The grid drop-down keeps its header row in view; its item follows the
// cell only while its rows are its items.
void LoadValue(TCustomExGridDropDown& d, const EditorHost::DropDownSetup& s, const DropDownCell&)
{
    d.SetEditorEnabled(true);
    if (auto* inner = d.GetGrid())
        inner->SetFixedRowAlways(true);
    d.BeginUpdate();
    d.EndUpdate();
    if (d.UseItems && !d.Items().empty())
        d.SetItemIndex(s.text.isEmpty() ? 0 : d.GetItemIndex(s.text));
    d.SetText(s.text);
}

void LoadValue(TExColorPickerDropDown& d, const EditorHost::DropDownSetup& s, const DropDownCell&)
{
    d.SetSelectedColor(s.color);
}

// Image list and data image cells pick among the grid's images (the
// items are made once, from the first images seen); any other cell shows
// no pick and gets nothing back.
void LoadValue(TExImagePickerDropDown& d, const EditorHost::DropDownSetup&, const DropDownCell& c)
{
    const TCellType type = c.grid.GetCellType(c.realCol, c.row);
    int index = -1;
    if (type == ctImageList || type == ctDataImage) {
        c.pictures.clear();
        if (const TCustomImageList* images = c.grid.GetGridImages())
            for (int i = 0; i < images->Count; ++i)
                c.pictures.append(QPixmap::fromImage(images->Picture(i)));
        d.SetImages(&c.pictures);
        if (d.Items().empty())
            d.AddImagesFromImageList();
        if (type == ctImageList) {
            if (!c.grid.GetImageIdx(c.realCol, c.row, index))
                index = -1;
        } else {
            // The cell's number; a text that is none picks nothing.
            bool ok = false;
            index = c.grid.Cells(c.realCol, c.row).trimmed().toInt(&ok);
            if (!ok)
                index = -1;
        }
    }
    d.SetImageIndex(index);
    const int item = d.ItemIndex();
    d.SetText(item >= 0 ? d.Items()[size_t(item)].Caption : QString());
}

QString ValueOf(const TExCustomDropDown& d)
{
    return d.Text();
}

QString ValueOf(const TExMemoDropDown& d)
{
    return d.MemoText().join(u'\n');
}

QString ValueOf(const TExColorPickerDropDown& d)
{
    return d.SelectedColorText();
}

QString ValueOf(const TExImagePickerDropDown& d)
{
    return d.ImageIndex() >= 0 ? QString::number(d.ImageIndex()) : QString();
}

void PutValue(TExCustomDropDown& d, const QString& value)
{
    d.SetText(value);
    d.selectAll();
}

void PutValue(TExMemoDropDown& d, const QString& value)
{
    d.SetMemoText(value.isEmpty() ? QStringList() : value.split(u'\n'));
    d.selectAll();
}

// The colour and image editors keep their pick: a text is not theirs.
void PutValue(TExColorPickerDropDown&, const QString&) {}
void PutValue(TExImagePickerDropDown&, const QString&) {}

// The pickers give the cell's own text back while they show what they
// showed on opening; the colour picker's text is always its colour's.
bool KeepsCellText(const TExCustomDropDown&)
{
    return true;
}

bool KeepsCellText(const TExColorPickerDropDown&)
{
    return false;
}

// Whether the picker's value goes into the cell's text: an image picked for
// an image list cell goes into its image index only.
bool ValueInText(const TExCustomDropDown&, const DropDownCell&)
{
    return true;
}

bool ValueInText(const TExImagePickerDropDown&, const DropDownCell& c)
{
    return c.grid.GetCellType(c.realCol, c.row) == ctDataImage;
}

void CopyBar(const TDropDownBarLook& from, TBarAppearance& to)
{
    to.Height = from.Height;
    to.BorderWidth = from.BorderWidth;
    to.BorderColor = from.BorderColor;
    to.Color = from.Color;
    to.ColorTo = from.ColorTo;
    to.GradientDirection = from.GradientDirection == bgVertical ? gdVertical : gdHorizontal;
    to.Caption = from.Caption;
    to.Font = from.Font;
    to.FontColor = from.FontColor;
    to.ImageIndex = from.ImageIndex;
    to.ButtonAlignment = from.ButtonAlignment == bbaLeft ? baLeft : baRight;
    to.Buttons.clear();
    for (const TDropDownBarButton& b : from.Buttons)
        to.Buttons.append(TBarButton{b.Caption, b.ImageIndex, b.Enabled, b.Width, b.Height, b.ModalResult});
    to.SetVisible(from.Visible);
}

// The grid's popup bar looks and style, given to an editor each time it
// is shown.
void ApplyGridLook(TExCustomDropDown& d, TExStringGrid& g)
{
    CopyBar(g.ControlLook.DropDownHeader, d.DropDownHeader());
    CopyBar(g.ControlLook.DropDownFooter, d.DropDownFooter());
    d.DropDownFooter().SizeGrip = g.ControlLook.DropDownFooter.SizeGrip;
    d.SetComponentStyle(g.ComponentStyle());
}

TColor ColorOf(const TExCustomDropDown&)
{
    return clNone;
}

TColor ColorOf(const TExColorPickerDropDown& d)
{
    return d.SelectedColor();
}

// Before the closing keys are read: the calculator's Enter completes the
// pending calculation, so the result is what gets stored.
void BeforeKey(TExCustomDropDown&, const QKeyEvent&) {}

void BeforeKey(TExCalculatorDropdown& d, const QKeyEvent& event)
{
    if ((event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) && !(event.modifiers() & Qt::AltModifier))
        d.CalcResult();
}

// What each editor is set to once, when it is made.
void Prepare(TExCustomDropDown&) {}

void Prepare(TExTrackBarDropDown& d)
{
    d.SetEditorEnabled(true);
}

void Prepare(TExCalculatorDropdown& d)
{
    d.SetEditorEnabled(true);
}

void Prepare(TExTimePickerDropDown& d)
{
    d.FocusDraw = false;
}

void Prepare(TExColorPickerDropDown& d)
{
    d.AddDefaultColors();
}

template <class E>
std::unique_ptr<TCellDropDownEditor> Make(TGridEditors& editors)
{
    return std::make_unique<E>(editors, editors.Widget().viewport());
}

struct DropDownMaker
{
    DropDownKind kind;
    std::unique_ptr<TCellDropDownEditor> (*make)(TGridEditors&);
};

constexpr DropDownMaker kMakers[] = {
    {DropDownKind::TrackBar, &Make<TGridTrackbarDropDown>},
    {DropDownKind::Memo, &Make<TGridMemoDropDown>},
    {DropDownKind::Calculator, &Make<TGridCalculatorDropDown>},
    {DropDownKind::Clock, &Make<TGridTimepickerDropDown>},
    {DropDownKind::Detail, &Make<TGridDetailPickerDropDown>},
    {DropDownKind::MultiColumn, &Make<TGridGridDropDown>},
    {DropDownKind::Color, &Make<TGridColorDropDown>},
    {DropDownKind::Image, &Make<TGridImageDropDown>},
    {DropDownKind::Grid, &Make<TGridExGridDropDown>},
};

std::unique_ptr<TCellDropDowns> MakeSet(TGridEditors& editors)
{
    return std::make_unique<TGridDropDownSet>(editors);
}

} // namespace

// ---- The editor ----

template <class Base>
TGridDropDownEditor<Base>::TGridDropDownEditor(TGridEditors& editors, QWidget* parent)
    : Base(parent), editors_(editors)
{
    Prepare(static_cast<Base&>(*this));
    this->hide();
    this->setEnabled(false);
}

template <class Base>
void TGridDropDownEditor<Base>::Load(const EditorHost::DropDownSetup& setup, const DropDownCell& cell)
{
    LoadValue(static_cast<Base&>(*this), setup, cell);
    valueInText_ = ValueInText(static_cast<const Base&>(*this), cell);
    keptText_ = setup.text;
    shownValue_ = ValueOf(static_cast<const Base&>(*this));
}

template <class Base>
QString TGridDropDownEditor<Base>::Value() const
{
    const QString now = ValueOf(static_cast<const Base&>(*this));
    if (!valueInText_ || (KeepsCellText(static_cast<const Base&>(*this)) && now == shownValue_))
        return keptText_;
    return now;
}

template <class Base>
void TGridDropDownEditor<Base>::SetValue(const QString& value)
{
    PutValue(static_cast<Base&>(*this), value);
    // Given the cell's text again (a commit or Esc), the editor still keeps
    // it; another text is taken as the picker reads it.
    shownValue_ = ValueOf(static_cast<const Base&>(*this));
    if (value != keptText_)
        keptText_ = shownValue_;
}

template <class Base>
TColor TGridDropDownEditor<Base>::ColorValue() const
{
    return ColorOf(static_cast<const Base&>(*this));
}

template <class Base>
void TGridDropDownEditor<Base>::Change()
{
    Base::Change();
    if (this->isVisible())
        RunGuarded([&] { editors_.Editing().DropDownEdited(Value()); });
}

template <class Base>
bool TGridDropDownEditor<Base>::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && EditorOwnsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return Base::event(event);
}

template <class Base>
void TGridDropDownEditor<Base>::keyPressEvent(QKeyEvent* event)
{
    bool used = false;
    RunGuarded([&] {
        BeforeKey(static_cast<Base&>(*this), *event);
        used = editors_.ClosingKey(EditorKind::DropDown, event);
    });
    if (used) {
        event->accept();
        return;
    }
    Base::keyPressEvent(event);
}

template <class Base>
void TGridDropDownEditor<Base>::focusOutEvent(QFocusEvent* event)
{
    Base::focusOutEvent(event);
    // The popup holds the focus for a while: the edit goes on.
    if (this->DroppedDown())
        return;
    RunGuarded([&] { editors_.EditorFocusOut(this, event); });
}

template <class Base>
bool TGridDropDownEditor<Base>::focusNextPrevChild(bool next)
{
    bool taken = true;
    RunGuarded([&] { taken = editors_.EditorTab(next); });
    return taken;
}

template class TGridDropDownEditor<TExTrackBarDropDown>;
template class TGridDropDownEditor<TExMemoDropDown>;
template class TGridDropDownEditor<TExCalculatorDropdown>;
template class TGridDropDownEditor<TExTimePickerDropDown>;
template class TGridDropDownEditor<TExDetailDropDown>;
template class TGridDropDownEditor<TExMultiColumnDropDown>;
template class TGridDropDownEditor<TExColorPickerDropDown>;
template class TGridDropDownEditor<TExImagePickerDropDown>;
template class TGridDropDownEditor<TCustomExGridDropDown>;

// ---- The set ----

TGridDropDownSet::~TGridDropDownSet()
{
    for (auto& e : made_)
        e.reset();
}

TCellDropDownEditor* TGridDropDownSet::MadeEditor(DropDownKind kind) const
{
    return made_[static_cast<size_t>(kind)].get();
}

TCellDropDownEditor* TGridDropDownSet::Editor(DropDownKind kind)
{
    auto& slot = made_[static_cast<size_t>(kind)];
    if (!slot) {
        for (const DropDownMaker& m : kMakers)
            if (m.kind == kind)
                slot = m.make(editors_);
        if (slot) {
            // The popup bars' buttons are the grid's events, for its current cell.
            TExCustomDropDown& d = slot->Edit();
            TGridEditors& editors = editors_;
            d.OnDropDownHeaderButtonClick = [&editors](TExCustomDropDown*, int index) {
                TExStringGrid& g = editors.Grid();
                if (g.OnDropDownHeaderButtonClick)
                    g.OnDropDownHeaderButtonClick(&g, g.Col(), g.Row(), index);
            };
            d.OnDropDownFooterButtonClick = [&editors](TExCustomDropDown*, int index) {
                TExStringGrid& g = editors.Grid();
                if (g.OnDropDownFooterButtonClick)
                    g.OnDropDownFooterButtonClick(&g, g.Col(), g.Row(), index);
            };
        }
    }
    return slot.get();
}

QWidget* TGridDropDownSet::Show(const EditorHost::DropDownSetup& setup)
{
    TCellDropDownEditor* e = Editor(setup.kind);
    if (e == nullptr)
        return nullptr;
    if (open_ != DropDownKind::None && open_ != setup.kind)
        Hide();
    TExCustomDropDown& d = e->Edit();
    open_ = setup.kind;
    TExStringGrid& g = editors_.Grid();
    ApplyGridLook(d, g);
    const TGridCoord cell = editors_.Editing().EditCell();
    const int col = cell.X >= 0 ? cell.X : g.Col();
    const int row = cell.Y >= 0 ? cell.Y : g.Row();
    e->Load(setup, DropDownCell{g, g.RealColIndex(col), row, pictures_});
    d.setGeometry(setup.rect);
    d.setEnabled(true);
    d.show();
    d.raise();
    d.setFocus(Qt::OtherFocusReason);
    if (setup.kind == DropDownKind::Memo)
        d.setCursorPosition(0);
    if (setup.dropDown)
        d.ShowDropDown();
    return &d;
}

void TGridDropDownSet::Hide()
{
    TCellDropDownEditor* e = open_ == DropDownKind::None ? nullptr : MadeEditor(open_);
    open_ = DropDownKind::None;
    if (e == nullptr)
        return;
    TExCustomDropDown& d = e->Edit();
    if (d.DroppedDown())
        d.HideDropDown(true);
    d.hide();
    d.setEnabled(false);
}

QWidget* TGridDropDownSet::Open() const
{
    TCellDropDownEditor* e = open_ == DropDownKind::None ? nullptr : MadeEditor(open_);
    return e ? &e->Edit() : nullptr;
}

bool TGridDropDownSet::DroppedDown() const
{
    TCellDropDownEditor* e = open_ == DropDownKind::None ? nullptr : MadeEditor(open_);
    return e && e->Edit().DroppedDown();
}

QString TGridDropDownSet::Text() const
{
    TCellDropDownEditor* e = open_ == DropDownKind::None ? nullptr : MadeEditor(open_);
    return e ? e->Value() : QString();
}

void TGridDropDownSet::SetText(const QString& text)
{
    if (TCellDropDownEditor* e = open_ == DropDownKind::None ? nullptr : MadeEditor(open_))
        e->SetValue(text);
}

TColor TGridDropDownSet::Color() const
{
    TCellDropDownEditor* e = open_ == DropDownKind::None ? nullptr : MadeEditor(open_);
    return e ? e->ColorValue() : clNone;
}

int TGridDropDownSet::ImageIndex() const
{
    TCellDropDownEditor* e = open_ == DropDownKind::Image ? MadeEditor(open_) : nullptr;
    auto* picker = e ? dynamic_cast<const TExImagePickerDropDown*>(&e->Edit()) : nullptr;
    return picker ? picker->ImageIndex() : -1;
}

void TGridDropDownSet::TypeStartChar(QChar ch)
{
    QWidget* w = Open();
    if (w == nullptr)
        return;
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(w, &press);
}

void InstallDropDownEditors()
{
    SetCellDropDownMaker(&MakeSet);
}

} // namespace grid
