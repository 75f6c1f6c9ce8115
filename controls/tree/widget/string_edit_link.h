#pragma once

// The string tree's in-place editor: a line edit (a plain text edit for multi-line nodes) placed over the
// cell's text. Enter accepts (Ctrl+Enter in a multi-line node), Escape cancels, Tab goes on to the next
// visible node; leaving the editor accepts or cancels by toAutoAcceptEditChange. Accepting writes the text
// through the tree's Text, so OnNewText fires, and only when the text was changed.

#include "controls/tree/core/lazy_tree.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace lazytree {

class TCustomLazyStringTree;

class TStringEditLink : public QObject, public IVTEditLink {
    Q_OBJECT

public:
    TStringEditLink() = default;
    ~TStringEditLink() override;

    bool PrepareEdit(TBaseLazyTree& tree, PLazyNode node, TColumnIndex column) override;
    bool BeginEdit() override;
    bool EndEdit() override;
    bool CancelEdit() override;
    TRect GetBounds() override;
    void SetBounds(const TRect& r) override;

    QWidget* Editor() const { return edit_; }
    PLazyNode Node() const { return node_; }
    TColumnIndex Column() const { return column_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString EditText() const;
    bool Modified() const;
    void FitToText();

    QPointer<QWidget> edit_;
    QPointer<TCustomLazyStringTree> tree_;
    PLazyNode node_ = nullptr;
    TColumnIndex column_ = NoColumn;
    TAlignment alignment_ = taLeftJustify;
    TRect textBounds_;
    bool multiline_ = false;
    bool stopping_ = false;
};

} // namespace lazytree
