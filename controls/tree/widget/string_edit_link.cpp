#include "controls/tree/widget/string_edit_link.h"

#include "controls/tree/widget/string_tree.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace lazytree {

TStringEditLink::~TStringEditLink()
{
    if (edit_)
        edit_->deleteLater(); // may be inside one of its own events
}

QString TStringEditLink::EditText() const
{
    if (auto* line = qobject_cast<QLineEdit*>(edit_))
        return line->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(edit_))
        return plain->toPlainText();
    return {};
}

bool TStringEditLink::Modified() const
{
    if (auto* line = qobject_cast<QLineEdit*>(edit_))
        return line->isModified();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(edit_))
        return plain->document()->isModified();
    return false;
}

bool TStringEditLink::PrepareEdit(TBaseLazyTree& tree, PLazyNode node, TColumnIndex column)
{
    auto* stringTree = dynamic_cast<TCustomLazyStringTree*>(&tree);
    if (!stringTree)
        return false;
    tree_ = stringTree;
    node_ = node;
    column_ = column;
    multiline_ = node->States.Has(vsMultiline);
    const QString text = stringTree->Text(node, column);
    textBounds_ = stringTree->GetDisplayRect(node, column, true);
    if (!edit_) {
        if (multiline_) {
            auto* plain = new QPlainTextEdit(stringTree->viewport());
            plain->setPlainText(text);
            plain->document()->setModified(false);
            edit_ = plain;
        } else {
            auto* line = new QLineEdit(stringTree->viewport());
            line->setText(text);
            line->setModified(false);
            edit_ = line;
        }
        edit_->hide();
        edit_->setFont(stringTree->font());
        edit_->installEventFilter(this);
    }
    const bool rightToLeft = column < 0 ? stringTree->UseRightToLeftReading()
                                        : stringTree->Header().BiDiMode(column) != bdLeftToRight;
    alignment_ = column < 0 ? stringTree->Alignment() : stringTree->Header().Alignment(column);
    edit_->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    if (rightToLeft && alignment_ != taCenter)
        alignment_ = alignment_ == taLeftJustify ? taRightJustify : taLeftJustify;
    return true;
}

bool TStringEditLink::BeginEdit()
{
    if (stopping_ || !edit_)
        return false;
    edit_->show();
    if (auto* line = qobject_cast<QLineEdit*>(edit_))
        line->selectAll();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(edit_))
        plain->selectAll();
    edit_->setFocus();
    FitToText();
    return true;
}

bool TStringEditLink::EndEdit()
{
    if (stopping_)
        return false;
    stopping_ = true;
    if (Modified() && tree_) {
        try {
            tree_->SetText(node_, column_, EditText());
        } catch (...) {
            stopping_ = false;
            throw;
        }
    }
    if (edit_)
        edit_->hide();
    return true;
}

bool TStringEditLink::CancelEdit()
{
    if (stopping_)
        return false;
    stopping_ = true;
    if (edit_)
        edit_->hide();
    return true;
}

TRect TStringEditLink::GetBounds()
{
    if (!edit_)
        return {};
    const QRect g = edit_->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void TStringEditLink::SetBounds(const TRect& rect)
{
    if (stopping_ || !edit_ || !tree_)
        return;
    TRect r = rect;
    if (r.Left < 0)
        r.Left = 0;
    if (r.Width() < 30) {
        if (alignment_ == taRightJustify)
            r.Left = r.Right - 30;
        else
            r.Right = r.Left + 30;
    }
    r.Right = std::min(r.Right, tree_->ClientWidth());
    edit_->setGeometry(r.Left, r.Top, r.Width(), std::max(r.Height(), edit_->sizeHint().height()));
}

void TStringEditLink::FitToText()
{
    if (multiline_ || !edit_ || !tree_ || tree_->TreeOptions().MiscOptions().Has(toGridExtensions))
        return;
    const QFontMetrics metrics(edit_->font());
    const int width = metrics.horizontalAdvance(EditText() + QStringLiteral("yG")) + 2 * tree_->TextMargin();
    const QRect g = edit_->geometry();
    if (width < g.width())
        tree_->viewport()->update(g);
    TRect r{g.left(), g.top(), g.left() + width, g.bottom() + 1};
    if (alignment_ == taRightJustify)
        r = {g.right() + 1 - width, g.top(), g.right() + 1, g.bottom() + 1};
    SetBounds(r);
}

bool TStringEditLink::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edit_ || !tree_)
        return false;
    TCustomLazyStringTree* tree = tree_;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            if (!tree->IsEditing())
                return true;
            PLazyNode node = node_;
            tree->InvalidateNode(node);
            PLazyNode next = tree->GetNextVisible(node, true);
            tree->EndEditNode(); // may destroy this link
            if (next) {
                tree->SetFocusedNode(next);
                if (tree->CanEdit(next, tree->FocusedColumn()))
                    tree->EditNode(next, tree->FocusedColumn());
            }
            if (!tree->IsEditing())
                tree->setFocus();
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!multiline_ || key->modifiers().testFlag(Qt::ControlModifier)) {
                tree->InvalidateNode(node_);
                tree->EndEditNode();
                tree->setFocus();
                return true;
            }
            return false;
        case Qt::Key_Escape:
            tree->CancelEditNode();
            tree->setFocus();
            return true;
        default:
            break;
        }
        if (!multiline_)
            QMetaObject::invokeMethod(this, [this] { FitToText(); }, Qt::QueuedConnection);
        return false;
    }
    case QEvent::FocusOut:
        if (!stopping_ && tree->IsEditing()) {
            if (tree->StringOptions().Has(toAutoAcceptEditChange))
                tree->EndEditNode();
            else
                tree->CancelEditNode();
        }
        return false;
    default:
        return false;
    }
}

} // namespace lazytree
