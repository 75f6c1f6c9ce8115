#include "controls/grid/core/check_placement.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/undo_redo.h"

#include <cmath>

// The cell objects: adding, querying, changing and removing the graphic a
// cell carries, and the state logic of check boxes, radio buttons, radio
// groups, expand buttons and balloons. Columns are real, rows display rows,
// unless a comment says otherwise.
namespace grid {

namespace {

TCellVAlign CheckVAlign(TVAlignment v)
{
    switch (v) {
    case vtaCenter:
        return vaCenter;
    case vtaBottom:
        return vaBottom;
    default:
        return vaTop;
    }
}

// An angle in 0 .. 360 by steps of 360 (720 is 360, -90 is 270).
qint16 NormalAngle(int angle)
{
    int a = angle % 360;
    if (a < 0)
        a += 360;
    else if (a == 0 && angle > 0)
        a = 360;
    return static_cast<qint16>(a);
}

bool IsDataKind(TCellType t)
{
    return t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
}

} // namespace

// ---- Attaching and removing ----

TCellGraphic* TExStringGrid::CreateCellGraphic(int col, int row)
{
    if (!CellStore::InRange(col, row))
        return nullptr;
    auto graphic = std::make_unique<TCellGraphic>();
    TCellGraphic* raw = graphic.get();
    SetGraphicObjectEx(col, row, std::move(graphic));
    RepaintCell(DisplColIndex(col), row);
    return raw;
}

bool TExStringGrid::RemoveCellGraphic(int col, int row)
{
    TCellProperties* p = GridObjects(col, row);
    if (p == nullptr || !p->FGraphicObject)
        return false;
    p->FGraphicObject.reset();
    RepaintCell(DisplColIndex(col), row);
    return true;
}

bool TExStringGrid::RemoveCellGraphicOfType(int col, int row, TCellType type)
{
    return GetCellType(col, row) == type && RemoveCellGraphic(col, row);
}

void TExStringGrid::AddBitmap(int col, int row, TObject* bitmap, bool transparent, TCellHAlign hal,
                              TCellVAlign val)
{
    if (TCellGraphic* g = CreateCellGraphic(col, row))
        g->SetBitmap(bitmap, transparent, hal, val);
}

TBitmap* TExStringGrid::CreateBitmap(int col, int row, bool transparent, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return nullptr;
    g->SetBitmap(nullptr, transparent, hal, val);
    auto bitmap = std::make_unique<TBitmap>();
    TBitmap* raw = bitmap.get();
    g->CellBitmap.Adopt(std::move(bitmap));
    g->CellCreated = true;
    return raw;
}

TObject* TExStringGrid::GetBitmap(int col, int row)
{
    const TCellGraphic* g = GetCellGraphic(col, row);
    return g && g->CellType == ctBitmap ? g->CellBitmap.Object() : nullptr;
}

void TExStringGrid::AddIcon(int col, int row, TObject* icon, TCellHAlign hal, TCellVAlign val)
{
    if (TCellGraphic* g = CreateCellGraphic(col, row))
        g->SetIcon(icon, hal, val);
}

TIcon* TExStringGrid::CreateIcon(int col, int row, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return nullptr;
    g->SetIcon(nullptr, hal, val);
    auto icon = std::make_unique<TIcon>();
    TIcon* raw = icon.get();
    g->CellIcon.Adopt(std::move(icon));
    g->CellCreated = true;
    return raw;
}

void TExStringGrid::AddPicture(int col, int row, TObject* picture, bool transparent, TStretchMode stretch,
                               int padding, TCellHAlign hal, TCellVAlign val)
{
    if (TCellGraphic* g = CreateCellGraphic(col, row))
        g->SetPicture(picture, transparent, stretch, padding, hal, val);
}

TPicture* TExStringGrid::CreatePicture(int col, int row, bool transparent, TStretchMode stretch, int padding,
                                       TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return nullptr;
    g->SetPicture(nullptr, transparent, stretch, padding, hal, val);
    auto picture = std::make_unique<TPicture>();
    TPicture* raw = picture.get();
    g->CellBitmap.Adopt(std::move(picture));
    g->CellCreated = true;
    return raw;
}

TObject* TExStringGrid::GetPicture(int col, int row)
{
    const TCellGraphic* g = GetCellGraphic(col, row);
    return g && g->CellType == ctPicture ? g->CellBitmap.Object() : nullptr;
}

void TExStringGrid::AddFilePicture(int col, int row, TObject* picture, bool transparent, TStretchMode stretch,
                                   int padding, TCellHAlign hal, TCellVAlign val)
{
    if (TCellGraphic* g = CreateCellGraphic(col, row))
        g->SetFilePicture(picture, transparent, stretch, padding, hal, val);
}

TFilePicture* TExStringGrid::CreateFilePicture(int col, int row, bool transparent, TStretchMode stretch,
                                               int padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return nullptr;
    g->SetFilePicture(nullptr, transparent, stretch, padding, hal, val);
    auto picture = std::make_unique<TFilePicture>();
    TFilePicture* raw = picture.get();
    g->CellBitmap.Adopt(std::move(picture));
    g->CellCreated = true;
    return raw;
}

TObject* TExStringGrid::GetFilePicture(int col, int row)
{
    const TCellGraphic* g = GetCellGraphic(col, row);
    return g && g->CellType == ctFilePicture ? g->CellBitmap.Object() : nullptr;
}

void TExStringGrid::AddImageIdx(int col, int row, int idx, TCellHAlign hal, TCellVAlign val)
{
    if (GetGridImages() == nullptr)
        return;
    if (TCellGraphic* g = CreateCellGraphic(col, row))
        g->SetImageIdx(idx, hal, val);
}

bool TExStringGrid::GetImageIdx(int col, int row, int& idx)
{
    if (GetGridImages() == nullptr || GetCellType(col, row) != ctImageList)
        return false;
    idx = GetCellGraphic(col, row)->CellIndex;
    return true;
}

void TExStringGrid::SetImageIdx(int col, int row, int idx)
{
    if (GetGridImages() != nullptr && GetCellType(col, row) == ctImageList)
        GetCellGraphic(col, row)->CellIndex = idx;
}

void TExStringGrid::AddDataImage(int col, int row, int idx, TCellHAlign hal, TCellVAlign val)
{
    if (GetGridImages() == nullptr)
        return;
    if (TCellGraphic* g = CreateCellGraphic(col, row)) {
        g->SetDataImage(idx, hal, val);
        if (GetCellEx(col, row).isEmpty())
            SetCellEx(col, row, QString::number(idx));
    }
}

void TExStringGrid::RemoveDataImage(int col, int row)
{
    if (GetCellType(col, row) != ctDataImage)
        return;
    RemoveCellGraphic(col, row);
    SetCellEx(col, row, QString());
}

bool TExStringGrid::HasDataImage(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return GetCellType(b.X, b.Y) == ctDataImage;
}

TIntList* TExStringGrid::AddMultiImage(int col, int row, int dir, TCellHAlign hal, TCellVAlign val)
{
    if (GetGridImages() == nullptr)
        return nullptr;
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return nullptr;
    TIntList* list = g->SetMultiImage(col, row, dir, hal, val);
    list->OnChange = [this](TIntList*, int c, int r) { RepaintCell(DisplColIndex(c), r); };
    return list;
}

void TExStringGrid::AddInterfacedCell(int col, int row, TObject* object)
{
    if (TCellGraphic* g = CreateCellGraphic(col, row))
        g->SetInterfacedCell(object);
}

TObject* TExStringGrid::GetInterfacedCell(int col, int row)
{
    const TCellGraphic* g = GetCellGraphic(col, row);
    return g && g->CellType == ctInterface ? g->CellBitmap.Object() : nullptr;
}

void TExStringGrid::AddRotated(int col, int row, int angle, const QString& text)
{
    if (TCellGraphic* g = CreateCellGraphic(col, row)) {
        g->SetAngle(NormalAngle(angle));
        SetCellEx(col, row, text);
    }
}

void TExStringGrid::SetRotated(int col, int row, int angle)
{
    TCellGraphic* g = GetGraphicObjectEx(col, row);
    if (g == nullptr)
        g = CreateCellGraphic(col, row);
    if (g != nullptr) {
        g->SetAngle(NormalAngle(angle));
        RepaintCell(DisplColIndex(col), row);
    }
}

bool TExStringGrid::IsRotated(int col, int row, int& angle)
{
    if (GetCellType(col, row) != ctRotated)
        return false;
    angle = GetCellGraphic(col, row)->CellAngle;
    return true;
}

// ---- Progress kinds, comments, shapes, ratings, scroll bars, markers ----

void TExStringGrid::AddProgressFormatted(int col, int row, TColor fgColor, TColor fgTextColor, TColor bkColor,
                                         TColor bkTextColor, const QString& format, int min, int max)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return;
    g->CellType = ctProgress;
    g->CellBitmap.SetColor(fgColor);
    g->CellIcon.SetColor(bkColor);
    g->CellIndex = static_cast<int>(fgTextColor);
    g->CellAngle = static_cast<int>(bkTextColor);
    g->CellErrFrom = min;
    g->CellErrLen = max;
    g->CellText = format;
    g->CellBoolean = true;
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
    if (AutoNumAlign)
        SetAlignments(col, row, taRightJustify);
}

void TExStringGrid::AddProgress(int col, int row, TColor fgColor, TColor bkColor)
{
    AddProgressFormatted(col, row, fgColor, clBlack, bkColor, clBlack, QString(), 0, 100);
    if (TCellGraphic* g = GetGraphicObjectEx(col, row))
        g->CellBoolean = false;
}

void TExStringGrid::AddProgressEx(int col, int row, TColor fgColor, TColor fgTextColor, TColor bkColor,
                                  TColor bkTextColor)
{
    AddProgressFormatted(col, row, fgColor, fgTextColor, bkColor, bkTextColor, QString(), 0, 100);
}

bool TExStringGrid::HasProgress(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return GetCellType(b.X, b.Y) == ctProgress;
}

void TExStringGrid::AddExProgress(int col, int row, int min, int max)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return;
    g->CellType = ctXPProgress;
    g->CellErrFrom = min;
    g->CellErrLen = max;
    g->CellBoolean = false;
    g->CellText.clear();
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
}

void TExStringGrid::AddProgressPie(int col, int row, TColor color, int value)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return;
    g->CellType = ctProgressPie;
    g->CellBitmap.SetColor(color);
    g->CellAngle = value;
    g->CellHAlign = haBeforeText;
    g->CellVAlign = vaTop;
}

void TExStringGrid::SetProgressPie(int col, int row, int value)
{
    if (GetCellType(col, row) != ctProgressPie)
        return;
    GetCellGraphic(col, row)->CellAngle = value;
    RepaintCell(DisplColIndex(col), row);
}

void TExStringGrid::AddRangeIndicator(int col, int row, int range, TColor negColor, TColor posColor,
                                      bool showValue)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return;
    g->CellType = ctRangeIndicator;
    g->CellIndex = range;
    g->CellBitmap.SetColor(negColor);
    g->CellIcon.SetColor(posColor);
    g->CellBoolean = showValue;
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
}

void TExStringGrid::AddColorComment(int col, int row, const QString& comment, TColor color)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return;
    g->CellType = ctComment;
    g->CellText = comment;
    g->CellIndex = static_cast<int>(color);
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
}

void TExStringGrid::AddComment(int col, int row, const QString& comment)
{
    AddColorComment(col, row, comment, ControlLook.CommentColor());
}

bool TExStringGrid::IsComment(int col, int row, QString& comment)
{
    if (GetCellType(col, row) != ctComment)
        return false;
    comment = GetCellGraphic(col, row)->CellText;
    return true;
}

QString TExStringGrid::GetComment(int col, int row)
{
    QString comment;
    IsComment(col, row, comment);
    return comment;
}

void TExStringGrid::SetComment(int col, int row, const QString& value)
{
    TCellGraphic* g = GetGraphicObjectEx(col, row);
    if (g == nullptr) {
        AddComment(col, row, value);
    } else if (g->CellType == ctComment) {
        g->CellText = value;
        RepaintCell(DisplColIndex(col), row);
    }
}

void TExStringGrid::RemoveAllComments()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            RemoveComment(c, r);
}

void TExStringGrid::AddShape(int col, int row, int shape, TColor fillColor, TColor lineColor, TCellHAlign hal,
                             TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return;
    g->CellType = ctShape;
    g->CellAngle = shape;
    g->CellIndex = static_cast<int>(fillColor);
    g->CellBitmap.SetColor(lineColor);
    g->CellHAlign = hal;
    g->CellVAlign = val;
}

TColor TExStringGrid::GetShapeColor(int col, int row)
{
    return GetCellType(col, row) == ctShape ? static_cast<TColor>(GetCellGraphic(col, row)->CellIndex) : clNone;
}

void TExStringGrid::SetShapeColor(int col, int row, TColor fillColor)
{
    if (GetCellType(col, row) != ctShape)
        return;
    GetCellGraphic(col, row)->CellIndex = static_cast<int>(fillColor);
    RepaintCell(DisplColIndex(col), row);
}

void TExStringGrid::AddRating(int col, int row, int scale, TColor fillColor, TColor emptyColor)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return;
    g->CellType = ctRating;
    g->CellAngle = scale;
    g->CellIndex = static_cast<int>(fillColor);
    g->CellBitmap.SetColor(emptyColor);
    g->CellHAlign = haFull;
}

bool TExStringGrid::HasRating(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return GetCellType(b.X, b.Y) == ctRating;
}

void TExStringGrid::AddScrollBar(int col, int row, bool autoRange)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return;
    g->CellType = ctScrollbar;
    g->CellAngle = 0;
    g->CellErrFrom = 100;
    g->CellIndex = 0;
    g->CellBoolean = autoRange;
    if (autoRange)
        CellTextChanged(col, row);
}

bool TExStringGrid::HasScrollBar(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return GetCellType(b.X, b.Y) == ctScrollbar;
}

bool TExStringGrid::HasAutoRangeScrollBar(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return GetCellType(b.X, b.Y) == ctScrollbar && GetCellGraphic(b.X, b.Y)->CellBoolean;
}

int TExStringGrid::GetScrollPosition(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return GetCellType(b.X, b.Y) == ctScrollbar ? GetCellGraphic(b.X, b.Y)->CellIndex : -1;
}

void TExStringGrid::SetScrollPosition(int col, int row, int position)
{
    if (GetCellType(col, row) != ctScrollbar)
        return;
    GetCellGraphic(col, row)->CellIndex = position;
    RepaintCell(DisplColIndex(col), row);
}

QPoint TExStringGrid::GetScrollProp(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    if (GetCellType(b.X, b.Y) != ctScrollbar)
        return {-1, -1};
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return {g->CellAngle, g->CellErrFrom};
}

void TExStringGrid::SetScrollProp(int col, int row, QPoint pageSizeAndRange)
{
    if (GetCellType(col, row) != ctScrollbar)
        return;
    TCellGraphic* g = GetCellGraphic(col, row);
    g->CellAngle = pageSizeAndRange.x();
    g->CellErrFrom = pageSizeAndRange.y();
    RepaintCell(DisplColIndex(col), row);
}

void TExStringGrid::AddMarker(int col, int row, int errPos, int errLen)
{
    TCellGraphic* g = GetGraphicObjectEx(col, row);
    if (g == nullptr) {
        g = CreateCellGraphic(col, row);
        if (g == nullptr)
            return;
        g->CellType = ctEmpty;
    }
    g->CellErrFrom = errPos;
    g->CellErrLen = errLen;
    RepaintCell(DisplColIndex(col), row);
}

void TExStringGrid::GetMarker(int col, int row, int& errPos, int& errLen)
{
    const TCellGraphic* g = GetGraphicObjectEx(col, row);
    errPos = g ? g->CellErrFrom : 0;
    errLen = g ? g->CellErrLen : 0;
}

void TExStringGrid::RemoveMarker(int col, int row)
{
    TCellGraphic* g = GetGraphicObjectEx(col, row);
    if (g == nullptr)
        return;
    if (g->CellType == ctEmpty) {
        RemoveCellGraphic(col, row);
        return;
    }
    g->CellErrFrom = 0;
    g->CellErrLen = 0;
    RepaintCell(DisplColIndex(col), row);
}

void TExStringGrid::RemoveAllMarkers()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            RemoveMarker(c, r);
}

// ---- Buttons ----

void TExStringGrid::AddButton(int col, int row, int bw, int bh, const QString& caption, TCellHAlign hal,
                              TCellVAlign val)
{
    if (TCellGraphic* g = CreateCellGraphic(col, row))
        g->SetButton(bw, bh, caption, hal, val);
}

void TExStringGrid::AddBitButton(int col, int row, int bw, int bh, const QString& caption, TObject* glyph,
                                 TCellHAlign hal, TCellVAlign val)
{
    if (TCellGraphic* g = CreateCellGraphic(col, row))
        g->SetBitButton(bw, bh, caption, glyph, hal, val);
}

TBitmap* TExStringGrid::CreateBitButton(int col, int row, int bw, int bh, const QString& caption,
                                        TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return nullptr;
    g->SetBitButton(bw, bh, caption, nullptr, hal, val);
    auto glyph = std::make_unique<TBitmap>();
    TBitmap* raw = glyph.get();
    g->CellBitmap.Adopt(std::move(glyph));
    g->CellCreated = true;
    return raw;
}

bool TExStringGrid::HasButton(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    const TCellType t = GetCellType(b.X, b.Y);
    return t == ctButton || t == ctBitButton;
}

void TExStringGrid::RemoveButton(int col, int row)
{
    RemoveCellGraphicOfType(col, row, ctButton);
    RemoveCellGraphicOfType(col, row, ctBitButton);
}

void TExStringGrid::RemoveAllButtons()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            RemoveButton(c, r);
}

QString TExStringGrid::GetButtonText(int col, int row)
{
    const TCellGraphic* g = GetCellGraphic(RealColIndex(col), row);
    return g ? g->CellText : QString();
}

void TExStringGrid::SetButtonText(int col, int row, const QString& caption)
{
    if (TCellGraphic* g = GetCellGraphic(RealColIndex(col), row)) {
        g->CellText = caption;
        RepaintCell(col, row);
    }
}

bool TExStringGrid::PushButton(int col, int row, bool push)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(col), row);
    if (g == nullptr || (g->CellType != ctButton && g->CellType != ctBitButton))
        return false;
    g->CellBoolean = push;
    RepaintCell(col, row);
    return true;
}

// ---- Radio groups ----

void TExStringGrid::AddRadio(int col, int row, int dirRadio, int idxRadio, TStringsObject* items)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return;
    g->CellType = ctRadio;
    g->CellBitmap.SetBorrowed(items);
    g->CellAngle = items ? static_cast<int>(items->Lines.size()) : 0;
    g->CellBoolean = dirRadio != 0;
    g->CellIndex = idxRadio;
}

TStringsObject* TExStringGrid::CreateRadio(int col, int row, int dirRadio, int idxRadio)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return nullptr;
    g->CellType = ctRadio;
    auto items = std::make_unique<TStringsObject>();
    TStringsObject* raw = items.get();
    g->CellBitmap.Adopt(std::move(items));
    g->CellCreated = true;
    g->CellAngle = 0;
    g->CellBoolean = dirRadio != 0;
    g->CellIndex = idxRadio;
    return raw;
}

bool TExStringGrid::GetRadioIdx(int col, int row, int& idxRadio)
{
    const TCellGraphic* g = GetCellGraphic(col, row);
    if (g == nullptr)
        return false;
    idxRadio = g->CellIndex;
    return g->CellType == ctRadio;
}

bool TExStringGrid::SetRadioIdx(int col, int row, int idxRadio)
{
    TCellGraphic* g = GetCellGraphic(col, row);
    if (g == nullptr || g->CellType != ctRadio)
        return false;
    g->CellIndex = idxRadio;
    if (idxRadio == -1)
        SetCellEx(col, row, QString());
    RepaintCell(DisplColIndex(col), row);
    return true;
}

TStringsObject* TExStringGrid::GetRadioStrings(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && g->CellType == ctRadio ? dynamic_cast<TStringsObject*>(g->CellBitmap.Object()) : nullptr;
}

bool TExStringGrid::IsRadio(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return GetCellType(b.X, b.Y) == ctRadio;
}

void TExStringGrid::ToggleRadio(int col, int row, bool byUser)
{
    TCellGraphic* g = GetCellGraphic(col, row);
    if (g == nullptr || g->CellType != ctRadio)
        return;
    if (byUser && !ControlLook.RadioAlwaysActive) {
        bool canEdit = true;
        CanEditCell(col, row, canEdit);
        if (!canEdit)
            return;
    }
    const auto* items = dynamic_cast<const TStringsObject*>(g->CellBitmap.Object());
    const QStringList lines = items ? items->Lines : QStringList();
    int next = g->CellIndex < 0 ? static_cast<int>(lines.indexOf(GetCellEx(col, row))) + 1 : g->CellIndex + 1;
    if (next >= lines.size())
        next = 0;
    if (g->CellIndex >= -1)
        g->CellIndex = next;
    g->CellVar = next;
    SetCellEx(col, row, lines.value(next));
}

// ---- Expand buttons ----

void TExStringGrid::AddExpand(int col, int row, int expandedHeight)
{
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        return;
    g->CellType = ctExpand;
    g->CellAngle = expandedHeight;
    g->CellIndex = RowHeights(row);
    g->CellVar = false;
}

bool TExStringGrid::HasExpand(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return GetCellType(b.X, b.Y) == ctExpand;
}

bool TExStringGrid::GetExpandState(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && g->CellVar.toBool();
}

bool TExStringGrid::ToggleExpand(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (g == nullptr || g->CellType != ctExpand)
        return false;
    g->CellVar = !g->CellVar.toBool();
    return g->CellVar.toBool();
}

int TExStringGrid::GetExpandHeight(int col, int row, bool expanded)
{
    const TGridCoord b = BaseCell(col, row);
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (g == nullptr)
        return DefaultRowHeight();
    return expanded ? g->CellAngle : g->CellIndex;
}

QRect TExStringGrid::GetExpandButtonRect(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    if (GetCellType(b.X, b.Y) != ctExpand)
        return {};
    const QRect r = CellRect(DisplColIndex(col), row);
    const int right = r.x() + r.width();
    return QRect(QPoint(right - 13, r.top() + 2), QSize(11, 11));
}

QRect TExStringGrid::GetCellButtonRect(int col, int row)
{
    const TCellGraphic* g = GetCellGraphic(RealColIndex(col), row);
    if (g == nullptr)
        return {};
    const QRect cell = CellRect(col, row);
    const auto offsets = static_cast<quint32>(std::lround(g->CellValue));
    const int x = static_cast<qint16>(offsets & 0xFFFF);
    const int y = static_cast<qint16>(offsets >> 16);
    const auto packed = static_cast<quint32>(g->CellIndex);
    QRect r(cell.left() + x, cell.top() + y, static_cast<int>(packed & 0xFFFF), static_cast<int>(packed >> 16));
    if (g->CellVAlign == vaFull) {
        r.setTop(cell.top());
        r.setBottom(cell.bottom());
    }
    if (g->CellHAlign == haFull) {
        r.setLeft(cell.left());
        r.setRight(cell.right());
    }
    return r;
}

// ---- Balloons ----

bool TExStringGrid::AddBalloon(int col, int row, const QString& title, const QString& text, TBalloonIcon icon)
{
    TCellGraphic* g = GetGraphicObjectEx(col, row);
    if (g != nullptr) {
        if (g->CellType != ctCheckBox && g->CellType != ctDataCheckBox && g->CellType != ctRadioButton)
            return false; // nothing to attach to; no list made
        g->CellAngle = 1;
    } else {
        g = CreateCellGraphic(col, row);
        if (g == nullptr)
            return false;
        g->CellType = ctBalloon;
        g->CellAngle = 0;
    }
    auto lines = std::make_unique<TStringsObject>();
    lines->Lines = {title, text};
    g->CellIndex = icon;
    g->CellBitmap.Adopt(std::move(lines));
    return true;
}

bool TExStringGrid::HasBalloon(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return GetCellType(b.X, b.Y) == ctBalloon;
}

bool TExStringGrid::IsBalloon(int col, int row, QString& title, QString& text, TBalloonIcon& icon)
{
    const TCellGraphic* g = GetGraphicObjectEx(col, row);
    if (g == nullptr)
        return false;
    const bool onBox =
        (g->CellType == ctCheckBox || g->CellType == ctDataCheckBox || g->CellType == ctRadioButton) &&
        g->CellAngle == 1;
    if (g->CellType != ctBalloon && !onBox)
        return false;
    const auto* lines = dynamic_cast<const TStringsObject*>(g->CellBitmap.Object());
    title = lines ? lines->Lines.value(0) : QString();
    text = lines ? lines->Lines.value(1) : QString();
    // A stored index outside the icons shows none.
    icon = g->CellIndex >= biNone && g->CellIndex <= biError ? static_cast<TBalloonIcon>(g->CellIndex) : biNone;
    return true;
}

void TExStringGrid::RemoveBalloon(int col, int row)
{
    TCellGraphic* g = GetGraphicObjectEx(col, row);
    if (g == nullptr)
        return;
    if (g->CellType == ctBalloon) {
        RemoveCellGraphic(col, row);
    } else if (g->CellAngle == 1 &&
               (g->CellType == ctCheckBox || g->CellType == ctDataCheckBox || g->CellType == ctRadioButton)) {
        g->CellBitmap.Clear();
        g->CellAngle = 0;
    }
}

// ---- Check boxes ----

void TExStringGrid::AddCheckBox(int col, int row, bool state, bool data)
{
    if (col < 0 || row < 0 || col >= AllColCount() || row >= AllRowCount())
        throw GridError(QStringLiteral("Invalid cell"));
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        throw GridError(QStringLiteral("Invalid cell"));
    g->SetCheckBox(state, data, true, haBeforeText, CheckVAlign(vAlignment_));
    if (data) {
        const QString text = GetCellEx(col, row);
        const QString on = GetCheckTrueText(col, row);
        const QString off = GetCheckFalseText(col, row);
        if (text != on && text != off)
            SetCellEx(col, row, state ? on : off);
    }
}

void TExStringGrid::AddCheckBox(int col, int row, TCheckBoxState state)
{
    if (col < 0 || row < 0 || col >= AllColCount() || row >= AllRowCount())
        throw GridError(QStringLiteral("Invalid cell"));
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        throw GridError(QStringLiteral("Invalid cell"));
    g->SetCheckBox(state, true, haBeforeText, CheckVAlign(vAlignment_));
}

void TExStringGrid::RemoveCheckBox(int col, int row)
{
    TCellGraphic* g = GetGraphicObjectEx(col, row);
    if (g == nullptr ||
        (g->CellType != ctCheckBox && g->CellType != ctDataCheckBox && g->CellType != ctTriStateCheckBox))
        return;
    if (g->CellAngle == 1)
        g->CellBitmap.Clear();
    RemoveCellGraphic(col, row);
}

void TExStringGrid::AddCheckBoxColumn(int col, bool defaultState, bool dataCheckBox)
{
    for (int r = MouseActions.CheckAllCheck ? 0 : FixedRows(); r < RowCount(); ++r) {
        if (IsSummary(r))
            continue;
        if (IsNode(r))
            AddCheckBox(col, r, cbUnchecked);
        else
            AddCheckBox(col, r, defaultState, dataCheckBox);
    }
}

void TExStringGrid::RemoveCheckBoxColumn(int col)
{
    for (int r = MouseActions.CheckAllCheck ? 0 : FixedRows(); r < RowCount(); ++r)
        RemoveCheckBox(col, r);
}

void TExStringGrid::AddTriStateCheckBoxColumn(int col, TCheckBoxState state)
{
    for (int r = MouseActions.CheckAllCheck ? 0 : FixedRows(); r < RowCount(); ++r)
        AddCheckBox(col, r, state);
}

TCellGraphic* TExStringGrid::CheckBoxGraphic(int col, int row, bool& byRealRow)
{
    byRealRow = false;
    if (NumHiddenRows() > 0) {
        if (const TCellProperties* p = GetGridObjectEx(col, row)) {
            byRealRow = true;
            return p->FGraphicObject.get();
        }
    }
    return GetCellGraphic(col, row);
}

bool TExStringGrid::RowSelectFlag(int row)
{
    try {
        return RowSelect(row);
    } catch (const GridError&) {
        return false;
    }
}

bool TExStringGrid::GetCheckBoxState(int col, int row, bool& state)
{
    bool byRealRow = false;
    const TCellGraphic* g = CheckBoxGraphic(col, row, byRealRow);
    if (g == nullptr)
        return false;
    const auto text = [&] { return byRealRow ? AllCells(col, row) : GetCellEx(col, row); };
    switch (g->CellType) {
    case ctCheckBox:
        state = g->CellBoolean;
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        state = text() == GetCheckTrueText(col, row);
        return true;
    case ctTriStateCheckBox:
        if (!byRealRow)
            return false;
        state = text() == GetCheckTrueText(col, row);
        return true;
    case ctRowCheckBox:
        if (col != 0)
            return false;
        state = RowSelectFlag(row);
        return true;
    default:
        return false;
    }
}

bool TExStringGrid::GetCheckBoxState(int col, int row, TCheckBoxState& state)
{
    bool byRealRow = false;
    const TCellGraphic* g = CheckBoxGraphic(col, row, byRealRow);
    if (g == nullptr)
        return false;
    const QString text = byRealRow ? AllCells(col, row) : GetCellEx(col, row);
    switch (g->CellType) {
    case ctCheckBox:
        state = BoolToCheckBoxState(g->CellBoolean);
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        state = BoolToCheckBoxState(text == GetCheckTrueText(col, row));
        return true;
    case ctTriStateCheckBox:
        state = g->CellCheckBoxState;
        return true;
    case ctRowCheckBox:
        if (col != 0)
            return false;
        state = BoolToCheckBoxState(RowSelectFlag(row));
        return true;
    default:
        return false;
    }
}

bool TExStringGrid::SetCheckBoxState(int col, int row, bool state)
{
    bool byRealRow = false;
    TCellGraphic* g = CheckBoxGraphic(col, row, byRealRow);
    if (g == nullptr)
        return false;
    const QString value = state ? GetCheckTrueText(col, row) : GetCheckFalseText(col, row);
    switch (g->CellType) {
    case ctCheckBox:
        g->CellBoolean = state;
        RepaintCell(DisplColIndex(col), byRealRow ? DisplRowIndex(row) : row);
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        if (byRealRow)
            SetAllCells(col, row, value);
        else
            SetCellEx(col, row, value);
        return true;
    case ctRowCheckBox:
        if (col != 0)
            return false;
        SetRowSelect(row, state);
        return true;
    default:
        return false;
    }
}

bool TExStringGrid::SetCheckBoxState(int col, int row, TCheckBoxState state)
{
    bool byRealRow = false;
    TCellGraphic* g = CheckBoxGraphic(col, row, byRealRow);
    if (g == nullptr || g->CellType != ctTriStateCheckBox)
        return false;
    g->CellCheckBoxState = state;
    RepaintCell(DisplColIndex(col), byRealRow ? DisplRowIndex(row) : row);
    return true;
}

bool TExStringGrid::SetCheckBoxStateNotify(int col, int row, bool state)
{
    const int lookupRow = NumHiddenRows() > 0 ? RealRowIndex(row) : row;
    bool byRealRow = false;
    TCellGraphic* g = CheckBoxGraphic(col, lookupRow, byRealRow);
    if (g == nullptr)
        return false;
    switch (g->CellType) {
    case ctCheckBox:
        if (g->CellBoolean != state) {
            g->CellBoolean = state;
            CheckBoxChange(col, row, state);
            RepaintCell(DisplColIndex(col), row);
        }
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        const bool was = GetCellEx(col, row) == GetCheckTrueText(col, row);
        SetCellEx(col, row, state ? GetCheckTrueText(col, row) : GetCheckFalseText(col, row));
        if (was != state)
            CheckBoxChange(col, row, state);
        return true;
    }
    case ctRowCheckBox:
        if (col != 0)
            return false;
        if (RowSelectFlag(row) != state) {
            SetRowSelect(row, state);
            CheckBoxChange(col, row, state);
        }
        return true;
    default:
        return false;
    }
}

bool TExStringGrid::IsChecked(int col, int row)
{
    bool state = false;
    return GetCheckBoxState(col, row, state) && state;
}

void TExStringGrid::CheckAll(int col)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCheckBoxStateNotify(col, r, true);
    if (NumHiddenColumns() > 0)
        RepaintCol(DisplColIndex(col));
}

void TExStringGrid::UnCheckAll(int col)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCheckBoxStateNotify(col, r, false);
}

bool TExStringGrid::HasCheckBox(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return IsCheckBoxType(GetCellType(b.X, b.Y));
}

bool TExStringGrid::HasDataCheckBox(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return IsDataKind(GetCellType(b.X, b.Y));
}

bool TExStringGrid::HasDataGraphic(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    const TCellType t = GetCellType(b.X, b.Y);
    return IsDataKind(t) || t == ctDataImage;
}

bool TExStringGrid::ToggleCheckBoxEx(int col, int row, bool byUser)
{
    TCellGraphic* g = GetCellGraphic(col, row);
    if (g == nullptr || !IsCheckBoxType(g->CellType))
        return false;
    if (byUser && !ControlLook.CheckAlwaysActive) {
        bool canEdit = true;
        CanEditCell(col, row, canEdit);
        if (!canEdit)
            return false;
    }
    const QString on = GetCheckTrueText(col, row);
    const QString off = GetCheckFalseText(col, row);
    const QString oldText = GetCellEx(col, row);
    const TCheckBoxState oldTriState = g->CellCheckBoxState;
    bool state = false;
    switch (g->CellType) {
    case ctCheckBox:
        g->CellBoolean = !g->CellBoolean;
        state = g->CellBoolean;
        break;
    case ctTriStateCheckBox:
        switch (g->CellCheckBoxState) {
        case cbChecked:
            g->CellCheckBoxState = cbUnchecked;
            break;
        case cbGrayed:
            g->CellCheckBoxState = cbChecked;
            break;
        case cbUnchecked:
            g->CellCheckBoxState = IsNode(row) ? cbChecked : cbGrayed;
            break;
        }
        state = g->CellCheckBoxState == cbChecked;
        break;
    default:
        state = oldText != on;
        SetCellEx(col, row, state ? on : off);
        break;
    }
    RepaintCell(DisplColIndex(col), row);
    CheckBoxChange(col, row, state);
    // The undo list records what the cell held and holds: the text of a
    // data box, the check texts of a box that keeps its state itself.
    // A three-state box names its grayed state with an empty text.
    const auto triText = [&](TCheckBoxState s) { return s == cbChecked ? on : s == cbUnchecked ? off : QString(); };
    if (IsDataKind(g->CellType))
        RegisterUndoChange(col, row, GetCellEx(col, row), oldText);
    else if (g->CellType == ctTriStateCheckBox)
        RegisterUndoChange(col, row, triText(g->CellCheckBoxState), triText(oldTriState));
    else
        RegisterUndoChange(col, row, state ? on : off, state ? off : on);
    return true;
}

void TExStringGrid::RegisterUndoChange(int col, int row, const QString& value, const QString& origValue)
{
    if (!UndoRedo)
        return;
    const TCellGraphic* g = GetCellGraphic(col, row);
    if (g && IsCheckBoxType(g->CellType) && !IsDataKind(g->CellType))
        UndoRedo->RegisterCheckBoxChange(col, row, origValue, value);
    else
        UndoRedo->RegisterChange(col, row, origValue, value);
}

void TExStringGrid::SetCheckBoxStateText(int col, int realRow, const QString& text)
{
    bool byRealRow = false;
    const TCellGraphic* g = CheckBoxGraphic(col, realRow, byRealRow);
    if (g == nullptr)
        return; // the box was removed: nothing to set
    const bool on = text == GetCheckTrueText(col, realRow);
    if (g->CellType != ctTriStateCheckBox) {
        SetCheckBoxState(col, realRow, on);
        return;
    }
    const bool off = text == GetCheckFalseText(col, realRow);
    SetCheckBoxState(col, realRow, on ? cbChecked : off ? cbUnchecked : cbGrayed);
}

// ---- Radio buttons ----

void TExStringGrid::AddRadioButton(int col, int row, bool state)
{
    if (col < 0 || row < 0 || col >= AllColCount() || row >= AllRowCount())
        throw GridError(QStringLiteral("Invalid cell"));
    TCellGraphic* g = CreateCellGraphic(col, row);
    if (g == nullptr)
        throw GridError(QStringLiteral("Invalid cell"));
    g->SetRadioButton(state, true, haBeforeText, CheckVAlign(vAlignment_));
}

void TExStringGrid::RemoveRadioButton(int col, int row)
{
    RemoveCellGraphicOfType(col, row, ctRadioButton);
}

void TExStringGrid::AddRadioButtonColumn(int col)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        AddRadioButton(col, r, false);
}

void TExStringGrid::RemoveRadioButtonColumn(int col)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        RemoveRadioButton(col, r);
}

bool TExStringGrid::HasRadioButton(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    return GetCellType(b.X, b.Y) == ctRadioButton;
}

bool TExStringGrid::IsRadioButtonChecked(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && g->CellType == ctRadioButton && g->CellBoolean;
}

bool TExStringGrid::SetRadioButtonState(int col, int row, bool state)
{
    const TGridCoord b = BaseCell(col, row);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (g == nullptr || g->CellType != ctRadioButton)
        return false;
    if (g->CellBoolean != state) {
        g->CellBoolean = state;
        RepaintCell(DisplColIndex(b.X), b.Y);
    }
    return true;
}

void TExStringGrid::SetRadioButtonColumnIndex(int col, int index)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetRadioButtonState(col, r, r == index);
}

int TExStringGrid::GetRadioButtonColumnIndex(int col)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(col, r))
            return r;
    return -1;
}

bool TExStringGrid::ToggleRadioButton(int col, int row, bool byUser)
{
    TCellGraphic* g = GetCellGraphic(col, row);
    if (g == nullptr || g->CellType != ctRadioButton)
        return false;
    if (byUser && !ControlLook.CheckAlwaysActive) {
        bool canEdit = true;
        CanEditCell(col, row, canEdit);
        if (!canEdit)
            return false;
    }
    if (!g->CellBoolean) {
        g->CellBoolean = true;
        RepaintCell(DisplColIndex(col), row);
        for (int r = 0; r < RowCount(); ++r) {
            TCellGraphic* other = r == row ? nullptr : GetCellGraphic(col, r);
            if (other && other->CellType == ctRadioButton && other->CellBoolean) {
                other->CellBoolean = false;
                RepaintCell(DisplColIndex(col), r);
            }
        }
    }
    return true;
}

// ---- Events of the cell objects ----

void TExStringGrid::CheckBoxChange(int col, int row, bool state)
{
    if (OnCheckBoxChange)
        OnCheckBoxChange(this, col, row, state);
}

bool TExStringGrid::RatingChange(int col, int row, double& newRate)
{
    bool allow = true;
    if (OnRatingChange)
        OnRatingChange(this, col, row, newRate, allow);
    return allow;
}

void TExStringGrid::ColorSelect(TColor color, const QString& text)
{
    if (OnColorSelect)
        OnColorSelect(this, Col(), Row(), color, text);
}

void TExStringGrid::ImageSelect(int index)
{
    if (OnImageSelect)
        OnImageSelect(this, Col(), Row(), index);
}

// ---- Pointer on a check box ----

bool TExStringGrid::IsInCheckBox(int col, int row, int x, int y)
{
    const TCellGraphic* g = GetCellGraphic(col, row);
    if (g == nullptr || (!IsCheckBoxType(g->CellType) && g->CellType != ctRadioButton))
        return false;
    if (!MouseActions.PreciseCheckBoxCheck)
        return true;
    // The glyph exactly where the painter puts it.
    return CheckBoxGlyphRect(*this, DisplColIndex(col), row).contains(x, y);
}

} // namespace grid
