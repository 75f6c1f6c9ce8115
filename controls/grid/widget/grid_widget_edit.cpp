// The painted grid's editors: made on first use, shown over their cell,
// their keys turned into the editing lifecycle's steps.
#include "controls/grid/widget/grid_widget_edit.h"

#include "controls/grid/widget/grid_key_map.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/inplace_check.h"
#include "controls/grid/widget/inplace_combo.h"
#include "controls/grid/widget/inplace_edit.h"
#include "controls/grid/widget/inplace_spin.h"
#include "controls/grid/widget/inplace_button_edit.h"
#include "controls/grid/widget/inplace_date.h"
#include "controls/grid/widget/cell_dropdowns.h"
#include "controls/grid/widget/inplace_grid_button.h"
#include "controls/grid/widget/inplace_datetime.h"
#include "controls/grid/widget/rich_edit.h"
#include "platform/beep.h"
#include "platform/messages.h"
#include "controls/grid/core/edit_text_rules.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QToolTip>

namespace grid {

void RunGuarded(const std::function<void()>& step)
{
    try {
        step();
    } catch (const GridError& e) {
        Messages::Error(e.Message());
    } catch (const std::exception& e) {
        Messages::Error(QString::fromLocal8Bit(e.what()));
    }
}

namespace {

class EditDoneEvent : public QEvent
{
public:
    EditDoneEvent(int col, int row) : QEvent(TGridEditors::EditDoneType()), col(col), row(row) {}
    const int col;
    const int row;
};

QEvent::Type ReopenType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

} // namespace

QEvent::Type TGridEditors::EditDoneType()
{
    // "GridEditDone": one type for the program.
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

TGridEditors::TGridEditors(TGridWidget& widget, GridEditing& editing) : widget_(widget), editing_(editing)
{
    editing_.SetHost(this);
}

TGridEditors::~TGridEditors()
{
    // The editors go first, quietly: losing the focus ends nothing now.
    hiding_ = true;
    dropDowns_.reset();
    gridButton_.reset();
    dateTime_.reset();
    rich_.reset();
    datePicker_.reset();
    buttonEdit_.reset();
    spin_.reset();
    check_.reset();
    combo_.reset();
    memo_.reset();
    lineEdit_.reset();
    if (editing_.Host() == this)
        editing_.SetHost(nullptr);
}

TExStringGrid& TGridEditors::Grid()
{
    return editing_.Grid();
}

TInplaceEdit& TGridEditors::LineEdit()
{
    if (!lineEdit_) {
        lineEdit_ = std::make_unique<TInplaceEdit>(*this, widget_.viewport());
        QObject::connect(lineEdit_.get(), &QLineEdit::textChanged, this,
                         [this](const QString& text) { RunGuarded([&] { editing_.TextEdited(text); }); });
    }
    return *lineEdit_;
}

TInplaceMemo& TGridEditors::Memo()
{
    if (!memo_) {
        memo_ = std::make_unique<TInplaceMemo>(*this, widget_.viewport());
        QObject::connect(memo_.get(), &QPlainTextEdit::textChanged, this,
                         [this] { RunGuarded([&] { editing_.TextEdited(memo_->toPlainText()); }); });
    }
    return *memo_;
}

TGridCombo& TGridEditors::Combo()
{
    if (!combo_) {
        combo_ = std::make_unique<TGridCombo>(*this, widget_.viewport());
        QObject::connect(combo_.get(), &QComboBox::currentTextChanged, this,
                         [this](const QString& text) { RunGuarded([&] { editing_.ComboEdited(text); }); });
        QObject::connect(combo_.get(), &QComboBox::activated, this, [this](int index) {
            RunGuarded([&] { editing_.ComboPicked(index, combo_->itemText(index)); });
        });
    }
    return *combo_;
}

TGridCheckBox& TGridEditors::CheckBox()
{
    if (!check_)
        check_ = std::make_unique<TGridCheckBox>(*this, widget_.viewport());
    return *check_;
}

TInplaceSpin& TGridEditors::SpinEdit()
{
    if (!spin_) {
        spin_ = std::make_unique<TInplaceSpin>(*this, widget_.viewport());
        QObject::connect(spin_.get(), &QLineEdit::textChanged, this,
                         [this](const QString& text) { RunGuarded([&] { editing_.SpinEdited(text); }); });
    }
    return *spin_;
}

TInplaceButtonEdit& TGridEditors::ButtonEdit()
{
    if (!buttonEdit_) {
        buttonEdit_ = std::make_unique<TInplaceButtonEdit>(*this, widget_.viewport());
        QObject::connect(buttonEdit_.get(), &QLineEdit::textChanged, this,
                         [this](const QString& text) { RunGuarded([&] { editing_.SpinEdited(text); }); });
    }
    return *buttonEdit_;
}

TInplaceDate& TGridEditors::DatePicker()
{
    if (!datePicker_)
        datePicker_ = std::make_unique<TInplaceDate>(*this, widget_.viewport());
    return *datePicker_;
}

QWidget* TGridEditors::TextWidget() const
{
    return memoOpen_ ? static_cast<QWidget*>(memo_.get()) : static_cast<QWidget*>(lineEdit_.get());
}

QWidget* TGridEditors::OpenEditor() const
{
    if (!editing_.EditMode())
        return nullptr;
    switch (editing_.OpenKind()) {
    case EditorKind::Text:
        return TextWidget();
    case EditorKind::Combo:
        return combo_.get();
    case EditorKind::CheckBox:
        return check_.get();
    case EditorKind::Spin:
        return spin_.get();
    case EditorKind::Button:
        return buttonEdit_.get();
    case EditorKind::Picker:
        return dateTimeOpen_ ? static_cast<QWidget*>(dateTime_.get()) : static_cast<QWidget*>(datePicker_.get());
    case EditorKind::Link:
        return LinkControl();
    case EditorKind::Rich:
        return rich_.get();
    case EditorKind::DropDown:
        return dropDowns_ ? dropDowns_->Open() : nullptr;
    case EditorKind::PushButton:
        return gridButton_.get();
    case EditorKind::None:
    case EditorKind::Later:
        break;
    }
    return nullptr;
}

void TGridEditors::Place()
{
    QWidget* w = OpenEditor();
    const TGridCoord cell = editing_.EditCell();
    if (w == nullptr || cell.X < 0)
        return;
    const QRect r = Grid().UnclippedCellRect(cell.X, cell.Y);
    w->setGeometry(r.left(), r.top(), std::max(0, r.width() - 1), std::max(0, r.height() - 1));
}

// ---- Text editors ----

void TGridEditors::ShowTextEditor(const TextSetup& setup)
{
    memoOpen_ = setup.multiLine && !setup.password;
    if (memoOpen_) {
        TInplaceMemo& m = Memo();
        m.setPlainText(setup.text);
        m.setGeometry(setup.rect);
        m.show();
        m.raise();
        m.setFocus(Qt::OtherFocusReason);
        QTextCursor c = m.textCursor();
        if (setup.selectAll)
            c.select(QTextCursor::Document);
        else
            c.movePosition(QTextCursor::End);
        m.setTextCursor(c);
        return;
    }
    TInplaceEdit& e = LineEdit();
    e.setEchoMode(setup.password ? QLineEdit::Password : QLineEdit::Normal);
    e.setText(setup.text);
    e.setGeometry(setup.rect);
    e.show();
    e.raise();
    e.setFocus(Qt::OtherFocusReason);
    if (setup.selectAll)
        e.selectAll();
    else
        e.end(false);
}

void TGridEditors::TypeStartChar(QChar ch)
{
    switch (editing_.OpenKind()) {
    case EditorKind::Spin:
        SpinEdit().selectAll();
        SpinEdit().TypeText(QString(ch));
        break;
    case EditorKind::Button:
        ButtonEdit().selectAll();
        ButtonEdit().TypeText(QString(ch));
        break;
    case EditorKind::Text:
        if (memoOpen_)
            Memo().TypeText(QString(ch));
        else
            LineEdit().TypeText(QString(ch));
        break;
    case EditorKind::Combo: {
        TGridCombo& c = Combo();
        if (!c.isEditable()) {
            // Type-ahead: the first item starting with the character.
            for (int i = 0; i < c.count(); ++i) {
                if (c.itemText(i).startsWith(ch, Qt::CaseInsensitive)) {
                    c.setCurrentIndex(i);
                    editing_.ComboPicked(i, c.itemText(i));
                    break;
                }
            }
        } else if (QLineEdit* edit = c.lineEdit()) {
            edit->selectAll();
            if (ch == QChar(8))
                edit->backspace();
            else
                edit->insert(QString(ch));
        }
        break;
    }
    case EditorKind::Link:
    case EditorKind::Rich:
        TypeIntoOwn(ch);
        break;
    case EditorKind::DropDown:
        if (dropDowns_)
            dropDowns_->TypeStartChar(ch);
        break;
    case EditorKind::PushButton:
    case EditorKind::Picker:
        break;
    case EditorKind::CheckBox:
    case EditorKind::None:
    case EditorKind::Later:
        break;
    }
}

void TGridEditors::HideWidget(QWidget* w)
{
    if (w == nullptr)
        return;
    hiding_ = true;
    if (w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()))
        widget_.setFocus(Qt::OtherFocusReason);
    w->hide();
    hiding_ = false;
}

void TGridEditors::HideTextEditor()
{
    HideWidget(TextWidget());
}

QString TGridEditors::TextEditorText() const
{
    if (memoOpen_)
        return memo_ ? memo_->toPlainText() : QString();
    return lineEdit_ ? lineEdit_->text() : QString();
}

void TGridEditors::SetTextEditorText(const QString& text, bool selectAll)
{
    if (memoOpen_ && memo_) {
        memo_->setPlainText(text);
        QTextCursor c = memo_->textCursor();
        if (selectAll)
            c.select(QTextCursor::Document);
        else
            c.movePosition(QTextCursor::End);
        memo_->setTextCursor(c);
    } else if (lineEdit_) {
        lineEdit_->setText(text);
        if (selectAll)
            lineEdit_->selectAll();
        else
            lineEdit_->end(false);
    }
}

// ---- Combo ----

void TGridEditors::ShowCombo(const ComboSetup& setup)
{
    TGridCombo& c = Combo();
    c.clear();
    c.setEditable(!setup.listOnly);
    c.addItems(setup.items);
    c.setMaxVisibleItems(std::max(1, setup.dropDownCount));
    if (QLineEdit* edit = c.lineEdit(); edit != nullptr && edit != lookupEdit_) {
        lookupEdit_ = edit;
        QObject::connect(edit, &QLineEdit::textEdited, this, [this] { RunGuarded([this] { ComboLookup(); }); });
    }
    c.setCurrentIndex(setup.index);
    // The cell's length limit holds for typing into the combo's edit too.
    if (QLineEdit* edit = c.lineEdit()) {
        const int limit = Grid().GetEditLimit();
        edit->setMaxLength(limit > 0 ? limit : 32767);
    }
    if (!setup.listOnly)
        c.setEditText(setup.text);
    c.setGeometry(setup.rect.left(), setup.rect.top(), setup.rect.width(),
                  std::max(setup.rect.height(), c.minimumSizeHint().height()));
    int dropWidth = 0;
    if (Grid().Navigation.AutoComboDropSize) {
        QList<int> widths;
        const QFontMetrics metrics(c.font());
        for (int i = 0; i < c.count(); ++i)
            widths.append(metrics.horizontalAdvance(c.itemText(i)));
        dropWidth = ComboDropWidth(c.width(), widths, c.maxVisibleItems());
    }
    c.view()->setMinimumWidth(dropWidth);
    c.show();
    c.raise();
    c.setFocus(Qt::OtherFocusReason);
    if (setup.dropDown)
        c.showPopup();
}

void TGridEditors::HideCombo()
{
    if (!combo_)
        return;
    hiding_ = true;
    if (combo_->view() != nullptr && combo_->view()->isVisible())
        combo_->hidePopup();
    hiding_ = false;
    HideWidget(combo_.get());
}

QString TGridEditors::ComboText() const
{
    return combo_ ? combo_->currentText() : QString();
}

void TGridEditors::SetComboText(const QString& text)
{
    if (!combo_)
        return;
    if (combo_->isEditable())
        combo_->setEditText(text);
    else
        combo_->setCurrentIndex(combo_->findText(text, Qt::MatchExactly));
}

// ---- Check box ----

void TGridEditors::ShowCheckBox(const QRect& rect, const QString& caption)
{
    TGridCheckBox& c = CheckBox();
    TExStringGrid& g = Grid();
    c.setText(caption);
    // The box starts as the cell's state, so closing unchanged writes back
    // what the cell held.
    c.setChecked(caption == g.GetCheckTrueText(g.RealCol(), g.Row()));
    c.setGeometry(rect);
    c.show();
    c.raise();
    c.setFocus(Qt::OtherFocusReason);
}

void TGridEditors::HideCheckBox()
{
    HideWidget(check_.get());
}

bool TGridEditors::CheckBoxChecked() const
{
    return check_ && check_->isChecked();
}

// ---- Edit with a button ----

void TGridEditors::ShowButtonEdit(const ButtonSetup& setup)
{
    TInplaceButtonEdit& b = ButtonEdit();
    b.SetUnits(setup.hasUnits, setup.units);
    b.SetMask(setup.mask);
    b.setText(setup.text);
    b.SetUnit(setup.unit);
    b.setGeometry(setup.rect);
    b.show();
    b.raise();
    b.setFocus(Qt::OtherFocusReason);
    if (Grid().Navigation.EditSelectAll)
        b.selectAll();
    else
        b.end(false);
}

void TGridEditors::HideButtonEdit()
{
    HideWidget(buttonEdit_.get());
}

QString TGridEditors::ButtonEditValue() const
{
    return buttonEdit_ ? buttonEdit_->Value() : QString();
}

void TGridEditors::SetButtonEditValue(const QString& value)
{
    if (!buttonEdit_)
        return;
    buttonEdit_->SetValue(value);
    buttonEdit_->selectAll();
}

// ---- Date and time pickers ----

void TGridEditors::ShowPicker(const PickerSetup& setup)
{
    dateTimeOpen_ = setup.kind == PickerKind::DateTime;
    if (dateTimeOpen_) {
        ShowDateAndTime(setup);
        return;
    }
    TInplaceDate& d = DatePicker();
    d.Setup(setup.kind);
    d.SetValue(setup.value);
    d.setGeometry(setup.rect);
    d.show();
    d.raise();
    d.setFocus(Qt::OtherFocusReason);
    d.setCurrentSectionIndex(0);
    d.setSelectedSection(d.sectionAt(0));
    if (setup.dropDown)
        d.DropDown();
}

void TGridEditors::HidePicker()
{
    HideWidget(dateTimeOpen_ ? static_cast<QWidget*>(dateTime_.get()) : static_cast<QWidget*>(datePicker_.get()));
    dateTimeOpen_ = false;
}

double TGridEditors::PickerValue() const
{
    if (dateTimeOpen_)
        return DateAndTimeValue();
    return datePicker_ ? datePicker_->Value() : 0;
}

void TGridEditors::SetPickerValue(double value)
{
    if (dateTimeOpen_)
        SetDateAndTimeValue(value);
    else if (datePicker_)
        datePicker_->SetValue(value);
}

// ---- Spin ----

void TGridEditors::ShowSpin(const SpinSetup& setup)
{
    TInplaceSpin& s = SpinEdit();
    s.SetSettings(setup.settings);
    s.setText(setup.text);
    s.setGeometry(setup.rect);
    s.show();
    s.raise();
    s.setFocus(Qt::OtherFocusReason);
    if (Grid().Navigation.EditSelectAll)
        s.selectAll();
    else
        s.end(false);
}

void TGridEditors::HideSpin()
{
    HideWidget(spin_.get());
}

QString TGridEditors::SpinText() const
{
    return spin_ ? spin_->text() : QString();
}

void TGridEditors::SetSpinText(const QString& text)
{
    if (!spin_)
        return;
    spin_->setText(text);
    spin_->end(false);
}

namespace {

// What a closing key of an editor does.
enum class CloseStep { Commit, Tab, Cancel, SetMaximum, SetMinimum, Ellipsis, Leave };

// When a drop-down editor's row holds: popup open or closed, for the colour
// editor or the others. Rows of other editors hold always.
enum : unsigned { kOpenOther = 1, kClosedOther = 2, kOpenColor = 4, kClosedColor = 8, kAnyState = 15 };

struct CloseKeyRow
{
    EditorKind kind;
    int key;
    CloseStep step;
    unsigned when = kAnyState;
};

constexpr int kKeyF4 = 0x73;

// The closing keys of the editors, read by one key routine.
constexpr CloseKeyRow kCloseKeys[] = {
    {EditorKind::Spin, VK_RETURN, CloseStep::Commit},
    {EditorKind::Spin, VK_TAB, CloseStep::Tab},
    {EditorKind::Spin, VK_ESCAPE, CloseStep::Cancel},
    {EditorKind::Spin, VK_HOME, CloseStep::SetMaximum},
    {EditorKind::Spin, VK_END, CloseStep::SetMinimum},
    {EditorKind::Button, VK_RETURN, CloseStep::Commit},
    {EditorKind::Button, VK_TAB, CloseStep::Tab},
    {EditorKind::Button, VK_ESCAPE, CloseStep::Cancel},
    {EditorKind::Button, VK_UP, CloseStep::Commit},
    {EditorKind::Button, VK_DOWN, CloseStep::Commit},
    {EditorKind::Button, VK_PRIOR, CloseStep::Commit},
    {EditorKind::Button, VK_NEXT, CloseStep::Commit},
    {EditorKind::Button, kKeyF4, CloseStep::Ellipsis},
    {EditorKind::Picker, VK_RETURN, CloseStep::Commit},
    {EditorKind::Picker, VK_TAB, CloseStep::Tab},
    {EditorKind::Picker, VK_ESCAPE, CloseStep::Cancel},
    {EditorKind::Picker, VK_PRIOR, CloseStep::Commit},
    {EditorKind::Picker, VK_NEXT, CloseStep::Commit},
    // Drop-downs: Alt+Down opens the popup; Alt+Up leaves as Up does. The
    // colour editor's arrows and pages move inside its open popup.
    {EditorKind::DropDown, VK_RETURN, CloseStep::Commit},
    {EditorKind::DropDown, VK_TAB, CloseStep::Tab},
    {EditorKind::DropDown, VK_ESCAPE, CloseStep::Cancel},
    {EditorKind::DropDown, VK_UP, CloseStep::Commit, kOpenOther | kClosedOther | kClosedColor},
    {EditorKind::DropDown, VK_DOWN, CloseStep::Commit, kOpenOther | kClosedOther | kClosedColor},
    {EditorKind::DropDown, VK_PRIOR, CloseStep::Commit, kOpenOther | kClosedOther | kClosedColor},
    {EditorKind::DropDown, VK_NEXT, CloseStep::Commit, kOpenOther | kClosedOther | kClosedColor},
    {EditorKind::DropDown, VK_END, CloseStep::Commit, kOpenOther},
    {EditorKind::DropDown, VK_HOME, CloseStep::Commit, kClosedColor},
    // The push button: the arrows move on in the grid, Esc restores the cell.
    {EditorKind::PushButton, VK_ESCAPE, CloseStep::Cancel},
    {EditorKind::PushButton, VK_LEFT, CloseStep::Leave},
    {EditorKind::PushButton, VK_RIGHT, CloseStep::Leave},
    {EditorKind::PushButton, VK_UP, CloseStep::Leave},
    {EditorKind::PushButton, VK_DOWN, CloseStep::Leave},
};

const CloseKeyRow* CloseKeyOf(EditorKind kind, int key, unsigned state = kAnyState)
{
    for (const CloseKeyRow& row : kCloseKeys)
        if (row.kind == kind && row.key == key && (row.when & state) != 0)
            return &row;
    return nullptr;
}

} // namespace

bool TGridEditors::ClosingKey(EditorKind kind, QKeyEvent* event)
{
    const GridKey key = ToGridKey(*event);
    unsigned state = kAnyState;
    bool dropped = false;
    if (kind == EditorKind::DropDown) {
        if (key.code == VK_DOWN && key.shift.Contains(ssAlt))
            return false;
        dropped = dropDowns_ && dropDowns_->DroppedDown();
        const bool color = dropDowns_ && dropDowns_->Kind() == DropDownKind::Color;
        state = color ? (dropped ? kOpenColor : kClosedColor) : (dropped ? kOpenOther : kClosedOther);
    }
    const CloseKeyRow* row = CloseKeyOf(kind, key.code, state);
    if (row == nullptr || kind != editing_.OpenKind())
        return false;
    const auto commit = [&] {
        return kind == EditorKind::Spin       ? editing_.CommitSpin()
               : kind == EditorKind::Picker   ? editing_.CommitPicker()
               : kind == EditorKind::DropDown ? editing_.CommitDropDown()
                                              : editing_.CommitButton();
    };
    switch (row->step) {
    case CloseStep::Ellipsis:
        // Ctrl+F4 and Alt+F4 are no ellipsis.
        if (key.shift.Contains(ssCtrl) || key.shift.Contains(ssAlt))
            return false;
        editing_.EllipsisClicked();
        return true;
    case CloseStep::SetMaximum:
    case CloseStep::SetMinimum: {
        // Whole numbers and floats only; other kinds move the caret.
        if (!spin_)
            return false;
        const SpinSettings& s = spin_->Settings();
        const bool max = row->step == CloseStep::SetMaximum;
        if (s.type == sptNormal)
            spin_->setText(SpinIntText(s, max ? s.maxValue : s.minValue));
        else if (s.type == sptFloat)
            spin_->setText(SpinFloatText(s, max ? s.maxFloatValue : s.minFloatValue));
        else
            return false;
        editing_.SpinStepped(max);
        return true;
    }
    case CloseStep::Cancel:
        editing_.CancelEdit();
        return true;
    case CloseStep::Leave:
        editing_.DoneInplaceEdit(key.code, key.shift);
        return true;
    case CloseStep::Commit:
        if (commit()) {
            int code = key.code;
            TShiftState shift = key.shift;
            if (kind == EditorKind::DropDown) {
                // With the popup open the editor closes where it is.
                if (dropped && code != VK_RETURN)
                    code = 0;
                shift.Exclude(ssAlt);
            }
            editing_.DoneInplaceEdit(code, shift);
            TExStringGrid& g = Grid();
            if (g.Navigation.AdvanceOnEnter && g.Navigation.AdvanceAutoEdit)
                editing_.ShowInplaceEdit();
        }
        return true;
    case CloseStep::Tab:
        if (commit())
            LeaveByTab(key.shift);
        return true;
    }
    return false;
}

// ---- Focus, posted steps, refusals ----

void TGridEditors::FocusGrid()
{
    hiding_ = true;
    widget_.setFocus(Qt::OtherFocusReason);
    hiding_ = false;
}

void TGridEditors::PostEditDone(int realCol, int row)
{
    QCoreApplication::postEvent(this, new EditDoneEvent(realCol, row));
}

void TGridEditors::PostReopen()
{
    QCoreApplication::postEvent(this, new QEvent(ReopenType()));
}

void TGridEditors::ShowRefusal(const QString& title, const QString& text)
{
    const TGridCoord cell = editing_.EditCell();
    TExStringGrid& g = Grid();
    const QRect r = g.UnclippedCellRect(cell.X >= 0 ? cell.X : g.Col(), cell.X >= 0 ? cell.Y : g.Row());
    const QString message = title.isEmpty() ? text : (text.isEmpty() ? title : title + u'\n' + text);
    if (!message.isEmpty())
        QToolTip::showText(widget_.viewport()->mapToGlobal(r.bottomLeft()), message, widget_.viewport());
}

bool TGridEditors::event(QEvent* event)
{
    if (event->type() == EditDoneType()) {
        auto* done = static_cast<EditDoneEvent*>(event);
        RunGuarded([&] { editing_.EditDoneArrived(done->col, done->row); });
        return true;
    }
    if (event->type() == ReopenType()) {
        RunGuarded([&] { editing_.Reopen(); });
        return true;
    }
    return QObject::event(event);
}

// ---- Keys ----

void TGridEditors::TextLookup()
{
    if (!editing_.Lookup || !lookupWork_ || memoOpen_ || !lineEdit_ || lineEdit_->hasSelectedText())
        return;
    QString completed;
    int index = -1;
    const int caret = lineEdit_->cursorPosition();
    if (LookupCompletion(lineEdit_->text(), caret, Grid().LookupItems, editing_.LookupCaseSensitive, completed,
                         index)) {
        lineEdit_->setText(completed);
        lineEdit_->setSelection(static_cast<int>(completed.size()), caret - static_cast<int>(completed.size()));
    }
}

void TGridEditors::ComboLookup()
{
    QLineEdit* edit = combo_ ? combo_->lineEdit() : nullptr;
    if (!editing_.Lookup || !lookupWork_ || edit == nullptr || edit->hasSelectedText())
        return;
    const int caret = edit->cursorPosition();
    const QString text = edit->text();
    QStringList items;
    for (int i = 0; i < combo_->count(); ++i)
        items.append(combo_->itemText(i));
    QString completed;
    int index = -1;
    if (LookupCompletion(text, caret, items, editing_.LookupCaseSensitive, completed, index)) {
        combo_->setCurrentIndex(index);
    } else if (!LookupCompletion(text, caret, Grid().LookupItems, editing_.LookupCaseSensitive, completed,
                                 index)) {
        return;
    }
    edit->setText(completed);
    // The completed tail is selected, the caret after what was typed.
    edit->setSelection(static_cast<int>(completed.size()), caret - static_cast<int>(completed.size()));
}

bool TGridEditors::TextKey(QKeyEvent* event, bool firstLine, bool lastLine)
{
    const GridKey key = ToGridKey(*event);
    lookupWork_ = key.code != VK_BACK && key.code != VK_DELETE;
    const bool ctrl = key.shift.Contains(ssCtrl);
    TExStringGrid& g = Grid();
    if (key.code == VK_BACK && key.shift.Contains(ssAlt))
        editing_.SetAltBack(true);
    switch (key.code) {
    case VK_ESCAPE:
        editing_.CancelEdit();
        return true;
    case VK_RETURN:
        if (ctrl)
            return !(memoOpen_ && g.Navigation.AllowCtrlEnter);
        EnterFromText(key);
        return true;
    case VK_UP:
    case VK_DOWN:
        if ((key.code == VK_UP && !firstLine) || (key.code == VK_DOWN && !lastLine))
            return false;
        if (editing_.CommitText())
            editing_.DoneInplaceEdit(key.code, key.shift);
        return true;
    case VK_TAB:
        if (editing_.CommitText())
            LeaveByTab(key.shift);
        return true;
    default:
        return false;
    }
}

void TGridEditors::EnterFromText(const GridKey& key)
{
    if (!editing_.CommitText())
        return;
    // The grid's own Enter rules close the editor (and advance).
    GridKeyInput(Grid(), key);
    editing_.HideInplaceEdit();
}

bool TGridEditors::TypedIn(const QString& text, int caret, bool selected)
{
    TExStringGrid& g = Grid();
    const int limit = g.GetEditLimit();
    if (!g.Navigation.AdvanceAuto() || !g.Navigation.AdvanceOnEnter || limit <= 0 || selected ||
        text.size() != limit || caret != limit)
        return false;
    // Full with the caret at the end: on to the next cell as on Enter.
    EnterFromText(GridKey{VK_RETURN, {}, QChar(0x0D)});
    return true;
}

void TGridEditors::LeaveByTab(TShiftState shift)
{
    const bool back = shift.Contains(ssShift);
    editing_.HideInplaceEdit();
    TExStringGrid& g = Grid();
    if (!g.Options().Contains(goTabs) || !TabAdvance(g, back))
        widget_.MoveFocusOn(!back);
}

bool TGridEditors::ComboKey(QKeyEvent* event)
{
    const GridKey key = ToGridKey(*event);
    lookupWork_ = key.code != VK_BACK && key.code != VK_DELETE;
    TExStringGrid& g = Grid();
    const bool list = combo_ && !combo_->isEditable();
    const bool alt = key.shift.Contains(ssAlt);
    auto leave = [&](int replay) {
        if (editing_.CommitCombo())
            editing_.DoneInplaceEdit(replay, key.shift);
        return true;
    };
    switch (key.code) {
    case VK_ESCAPE:
        editing_.CancelEdit();
        return true;
    case VK_RETURN:
        leave(VK_RETURN);
        if (g.Navigation.AdvanceOnEnter && g.Navigation.AdvanceAutoEdit && !editing_.EditMode())
            editing_.ShowInplaceEdit();
        return true;
    case VK_UP:
    case VK_DOWN:
        if (alt)
            return false;
        if (!g.Navigation.ComboGetUpDown)
            return leave(key.code);
        return list ? false : leave(key.code);
    case VK_LEFT:
    case VK_RIGHT:
        return list ? leave(key.code) : false;
    case VK_PRIOR:
    case VK_NEXT:
        return list ? false : leave(0);
    case VK_TAB: {
        if (editing_.CommitCombo())
            LeaveByTab(key.shift);
        return true;
    }
    default:
        return false;
    }
}

bool TGridEditors::CheckKey(QKeyEvent* event)
{
    const GridKey key = ToGridKey(*event);
    switch (key.code) {
    case VK_ESCAPE:
        editing_.CancelEdit();
        return true;
    case VK_RETURN:
        editing_.DoneInplaceEdit(VK_RETURN, key.shift);
        return true;
    case VK_UP:
    case VK_DOWN:
        editing_.DoneInplaceEdit(key.code, key.shift);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
        editing_.DoneInplaceEdit(0, key.shift);
        return true;
    default:
        return false;
    }
}

bool TGridEditors::EditorTab(bool next)
{
    if (editing_.EditorWantsTab())
        return false;
    const EditorKind kind = editing_.OpenKind();
    const bool ok = kind == EditorKind::Combo    ? editing_.CommitCombo()
                    : kind == EditorKind::Spin   ? editing_.CommitSpin()
                    : kind == EditorKind::Button ? editing_.CommitButton()
                    : kind == EditorKind::Picker ? editing_.CommitPicker()
                    : kind == EditorKind::DropDown ? editing_.CommitDropDown()
                                                 : editing_.CommitText();
    if (!ok)
        return true;
    editing_.HideInplaceEdit();
    widget_.MoveFocusOn(next);
    return true;
}

void TGridEditors::EditorFocusOut(QWidget* editor, QFocusEvent* event)
{
    if (hiding_ || !editing_.EditMode() || editor != OpenEditor())
        return;
    // Our combo's own list, another window taking the focus for a moment:
    // the edit goes on.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (combo_ && editor == combo_.get() && combo_->view() != nullptr && combo_->view()->isVisible())
        return;
    QWidget* now = QApplication::focusWidget();
    if (now != nullptr && (now == editor || editor->isAncestorOf(now)))
        return;
    editing_.FocusLost();
    // Out of the grid altogether: its exit.
    if (now == nullptr || !widget_.isAncestorOf(now))
        editing_.GridExited();
}

// ---- Typing and pasting rules ----

bool TGridEditors::AcceptTyped(const QString& current, int selected, int caret, QString& typed)
{
    if (typed.isEmpty())
        return false;
    QChar ch = typed.at(0);
    const TypedVerdict verdict =
        TypedCharacter(editing_.EditControl(), Grid().GetEditLimit(), current, caret, selected, ch, editing_.TextRules());
    if (verdict == TypedVerdict::Beep)
        platform::Beep();
    typed = QString(ch);
    return verdict == TypedVerdict::Pass;
}

bool TGridEditors::PasteInto(QString& current, int& selStart, int& selLength, QString value)
{
    return PasteIntoText(editing_.EditControl(), Grid().GetEditLimit(), current, selStart, selLength,
                         std::move(value), editing_.TextRules());
}

QString TGridEditors::TypedText(const QKeyEvent& event) const
{
    QString text = event.text();
    if (text.size() == 1)
        text = QString(KeypadCharacter(text.at(0), event.modifiers().testFlag(Qt::KeypadModifier),
                                       editing_.ExcelStyleDecimalSeparator));
    return text;
}

QString TGridEditors::AfterTyping(const QString& text) const
{
    return TextAfterTyping(editing_.EditControl(), text);
}

bool TGridEditors::TextKeyUp(QKeyEvent* event, bool atStart, bool atEnd)
{
    if (event->isAutoRepeat())
        return false;
    const GridKey key = ToGridKey(*event);
    if (key.code == VK_BACK)
        editing_.SetAltBack(false);
    const bool plain = !key.shift.Contains(ssShift) && !key.shift.Contains(ssCtrl) && !key.shift.Contains(ssAlt);
    if (plain && ((key.code == VK_LEFT && atStart) || (key.code == VK_RIGHT && atEnd)))
        return editing_.CursorWalk(key.code == VK_RIGHT);
    if (key.code == VK_LEFT || key.code == VK_RIGHT)
        return false;
    editing_.SizeWhileTyping();
    Place();
    return false;
}

} // namespace grid
