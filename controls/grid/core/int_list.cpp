#include "controls/grid/core/int_list.h"

#include <algorithm>

namespace grid {

namespace {

// The entries of a comma text: separated by commas or blanks, an entry in
// double quotes may hold both (a doubled quote stands for one).
QStringList CommaTextEntries(const QString& text)
{
    QStringList out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto skipBlanks = [&] {
        while (i < n && text[i] <= u' ')
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text[i] == u'"') {
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        item += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
            while (i < n && text[i] > u' ' && text[i] != u',')
                item += text[i++];
        } else {
            while (i < n && text[i] > u' ' && text[i] != u',')
                item += text[i++];
        }
        out << item;
        skipBlanks();
        if (i < n && text[i] == u',') {
            ++i;
            skipBlanks();
            if (i >= n)
                out << QString();
        }
    }
    return out;
}

} // namespace

void TIntList::Changed()
{
    if (OnChange)
        OnChange(this, Col, Row);
}

void TIntList::Add(int value)
{
    items_.push_back(value);
    Changed();
}

void TIntList::Insert(int index, int value)
{
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, value);
}

void TIntList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    Changed();
}

int TIntList::GetInteger(int index) const
{
    return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)] : 0;
}

void TIntList::SetInteger(int index, int value)
{
    if (index < 0 || index >= Count())
        return;
    items_[static_cast<size_t>(index)] = value;
    Changed();
}

void TIntList::DeleteValue(int value)
{
    const int i = IndexOf(value);
    if (i >= 0)
        Delete(i);
}

bool TIntList::HasValue(int value) const
{
    return IndexOf(value) >= 0;
}

int TIntList::IndexOf(int value) const
{
    const auto it = std::find(items_.begin(), items_.end(), value);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

QString TIntList::StrValue() const
{
    QStringList parts;
    for (int v : items_)
        parts << QString::number(v);
    return parts.join(u',');
}

void TIntList::SetStrValue(const QString& text)
{
    items_.clear();
    for (const QString& entry : CommaTextEntries(text)) {
        bool ok = false;
        const int v = entry.trimmed().toInt(&ok);
        if (!ok)
            throw GridError(QStringLiteral("'%1' is not a valid integer value").arg(entry));
        Add(v);
    }
}

void TSortIndexList::AddIndex(int columnIndex, bool ascending)
{
    Add(ascending ? columnIndex : static_cast<int>(static_cast<quint32>(columnIndex) | 0x80000000u));
}

int TSortIndexList::FindIndex(int columnIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if ((static_cast<quint32>(items_[size_t(i)]) & 0x7FFFFFFFu) == static_cast<quint32>(columnIndex))
            return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int columnIndex)
{
    const int i = FindIndex(columnIndex);
    if (i >= 0)
        SetInteger(i, static_cast<int>(static_cast<quint32>(items_[size_t(i)]) ^ 0x80000000u));
}

int TSortIndexList::GetSortColumns(int i) const
{
    return static_cast<int>(static_cast<quint32>(GetInteger(i)) & 0x7FFFFFFFu);
}

void TSortIndexList::SetSortColumns(int i, int value)
{
    const quint32 dir = static_cast<quint32>(GetInteger(i)) & 0x80000000u;
    SetInteger(i, static_cast<int>(dir | (static_cast<quint32>(value) & 0x7FFFFFFFu)));
}

bool TSortIndexList::GetSortDirections(int i) const
{
    return (static_cast<quint32>(GetInteger(i)) & 0x80000000u) == 0;
}

void TSortIndexList::SetSortDirections(int i, bool ascending)
{
    const quint32 v = static_cast<quint32>(GetInteger(i));
    SetInteger(i, static_cast<int>(ascending ? (v & 0x7FFFFFFFu) : (v | 0x80000000u)));
}

QString TSortIndexList::SaveToString() const
{
    QStringList parts;
    for (int i = 0; i < Count(); ++i)
        parts << QChar(GetSortDirections(i) ? u'u' : u'd') + QString::number(static_cast<quint32>(items_[size_t(i)]) & 0xFFFFu);
    return parts.join(u';');
}

void TSortIndexList::LoadFromString(const QString& text)
{
    Clear();
    for (const QString& part : text.split(u';')) {
        if (part.size() < 2)
            continue;
        bool ok = false;
        int column = part.mid(1).toInt(&ok);
        if (!ok)
            column = 0; // a malformed number gives some column, no error
        AddIndex(column, part[0] == u'u');
    }
}

void TControlList::AddControl(int x, int y, QObject* control)
{
    items_.push_back({x, y, control});
}

void TControlList::RemoveControl(int i)
{
    if (i >= 0 && i < Count())
        items_.erase(items_.begin() + i);
}

int TControlList::ControlIndex(int x, int y) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[size_t(i)].X == x && items_[size_t(i)].Y == y)
            return i;
    return -1;
}

TControlItem* TControlList::GetControl(int i)
{
    return i >= 0 && i < Count() ? &items_[size_t(i)] : nullptr;
}

const TControlItem* TControlList::GetControl(int i) const
{
    return i >= 0 && i < Count() ? &items_[size_t(i)] : nullptr;
}

bool TControlList::HasHandle(quintptr handle, const std::function<quintptr(QObject*)>& handleOf) const
{
    for (const TControlItem& item : items_)
        if (item.Control && handleOf && handleOf(item.Control) == handle)
            return true;
    return false;
}

void TFileStringList::Reset()
{
    fp_ = 0;
    cache_.clear();
}

void TFileStringList::ReadLn(QString& s)
{
    if (fp_ < 0 || fp_ >= Lines.size())
        throw GridError(QStringLiteral("List index out of bounds (%1)").arg(fp_));
    s = Lines[fp_++];
}

void TFileStringList::WriteLn(const QString& s)
{
    Lines << cache_ + s;
    cache_.clear();
}

} // namespace grid
