#include "lb_button.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

TLbButton::TLbButton(QWidget* parent)
    : QAbstractButton(parent)
{
    resize(100, 23);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    m_color = palette().color(QPalette::Button);
    if (parent)
        m_hotTrackFont = parent->font();
}

TLbButton::~TLbButton() = default;

void TLbButton::SetCaption(const QString& caption)
{
    setText(caption);
    update();
}

void TLbButton::SetModalResult(int result)
{
    m_modalResult = result;
    m_kind = bkCustom;
}

void TLbButton::SetKind(TLbButtonKind kind)
{
    struct Row { int result; const char* caption; };
    static const Row rows[] = {
        {0, ""}, {1, "OK"}, {2, "Abbrechen"}, {0, "Hilfe"}, {6, "Ja"}, {7, "Nein"},
        {0, "Schließen"}, {3, "Abbrechen"}, {4, "Wiederholen"}, {5, "Ignorieren"}, {12, "Alle"},
    };
    m_kind = kind;
    if (kind == bkCustom)
        return;
    m_numGlyphs = 2;
    m_modalResult = rows[kind].result;
    setText(QString::fromUtf8(rows[kind].caption));
    update();
}

void TLbButton::SetStyle(TLbButtonStyle style)
{
    m_style = style;
    update();
}

void TLbButton::SetColorStyle(TLbColorStyle preset)
{
    Q_UNUSED(preset);
    repaint();
}

void TLbButton::SetLayout(TLbButtonLayout layout) { m_layout = layout; repaint(); }
void TLbButton::SetAlignment(Qt::Alignment alignment) { m_alignment = alignment; repaint(); }
void TLbButton::SetColor(const QColor& c) { m_color = c; update(); }
void TLbButton::SetLightColor(const QColor& c) { m_lightColor = c; repaint(); }
void TLbButton::SetShadowColor(const QColor& c) { m_shadowColor = c; repaint(); }
void TLbButton::SetHotTrackColor(const QColor& c) { m_hotTrackColor = c; update(); }
void TLbButton::SetColorWhenDown(const QColor& c) { m_colorWhenDown = c; update(); }
void TLbButton::SetFlat(bool flat) { m_flat = flat; repaint(); }
void TLbButton::SetWordWrap(bool wrap) { m_wordWrap = wrap; repaint(); }

void TLbButton::SetGlyph(const QPixmap& glyph)
{
    m_glyph = glyph;
    m_numGlyphs = glyph.height() > 0 ? glyph.width() / glyph.height() : 0;
    m_kind = bkCustom;
    update();
}

void TLbButton::SetNumGlyphs(int n) { m_numGlyphs = n; update(); }
void TLbButton::SetHotTrackFont(const QFont& font) { m_hotTrackFont = font; }
void TLbButton::SetUseHotTrackFont(bool use) { m_useHotTrackFont = use; update(); }
void TLbButton::SetSlowDecease(bool on) { m_slowDecease = on; }

void TLbButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width(), h = height();
    QColor face = m_color;
    if (isEnabled() && m_hotTrackColor.isValid()) {
        const double s = m_hotTrackStep / 8.0;
        face = QColor(qRound(m_color.red() * (1 - s) + m_hotTrackColor.red() * s),
                      qRound(m_color.green() * (1 - s) + m_hotTrackColor.green() * s),
                      qRound(m_color.blue() * (1 - s) + m_hotTrackColor.blue() * s));
    }
    const bool down = m_down && isEnabled();
    if (down && m_colorWhenDown.isValid())
        face = m_colorWhenDown;
    p.fillRect(rect(), face);
    p.setPen(down ? m_shadowColor : m_lightColor);
    p.drawLine(0, h - 1, 0, 0);
    p.drawLine(0, 0, w - 1, 0);
    p.setPen(down ? m_lightColor : m_shadowColor);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.drawLine(w - 1, h - 1, 0, h - 1);
    QFont f = font();
    if (down && m_style == bsEncarta)
        f.setBold(true);
    p.setFont(f);
    p.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : QColor(128, 128, 128));
    const int d = down && m_style != bsEncarta ? 1 : 0;
    p.drawText(QRect(4 + d, d, w - 8, h), int(m_alignment | Qt::AlignVCenter) | Qt::TextShowMnemonic, text());
}

void TLbButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    m_down = true;
    setFocus(Qt::MouseFocusReason);
    repaint();
}

void TLbButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void TLbButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_down)
        DoClick();
    m_down = false;
    repaint();
}

void TLbButton::keyPressEvent(QKeyEvent* event)
{
    const int k = event->key();
    if ((k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Space) && isEnabled()) {
        if (!event->isAutoRepeat()) {
            m_down = true;
            repaint();
        }
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void TLbButton::keyReleaseEvent(QKeyEvent* event)
{
    const int k = event->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Space) {
        if (!event->isAutoRepeat()) {
            m_down = true;
            DoClick();
            repaint();
        }
        return;
    }
    QAbstractButton::keyReleaseEvent(event);
}

void TLbButton::DoClick()
{
    if (!isVisible() || !isEnabled() || !m_down)
        return;
    m_down = false;
    emit clicked(false);
    if (m_modalResult != 0) {
        for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
            if (auto* dialog = qobject_cast<QDialog*>(w)) {
                dialog->done(m_modalResult);
                break;
            }
        }
    }
}

void TLbButton::FadeStep()
{
    if (--m_hotTrackStep <= 0) {
        m_hotTrackStep = 0;
        if (m_fadeTimer)
            m_fadeTimer->stop();
    }
    repaint();
}

void TLbButton::enterEvent(QEnterEvent* event)
{
    if (isEnabled() && isVisible()) {
        m_cursorOnButton = true;
        m_hotTrackStep = 8;
        repaint();
        emit MouseEnter();
    }
    QAbstractButton::enterEvent(event);
}

void TLbButton::leaveEvent(QEvent* event)
{
    m_cursorOnButton = false;
    if (m_slowDecease) {
        if (!m_fadeTimer) {
            m_fadeTimer = new QTimer(this);
            m_fadeTimer->setInterval(30);
            connect(m_fadeTimer, &QTimer::timeout, this, &TLbButton::FadeStep);
        }
        m_fadeTimer->start();
    } else {
        m_hotTrackStep = 0;
        repaint();
    }
    if (isEnabled() && isVisible())
        emit MouseExit();
    QAbstractButton::leaveEvent(event);
}

void TLbButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    repaint();
}

void TLbButton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    repaint();
}

void TLbButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_down = false;
        repaint();
    }
    QAbstractButton::changeEvent(event);
}

bool TLbButton::event(QEvent* event)
{
    return QAbstractButton::event(event);
}

bool TLbButton::hitButton(const QPoint&) const
{
    return true;
}

void ApplyProgramLook(TLbButton* button)
{
    button->SetColor(QColor(248, 247, 237));
    button->SetLightColor(QColor(128, 128, 128));
    button->SetShadowColor(QColor(128, 128, 128));
    button->SetHotTrackColor(QColor(255, 255, 0));
    button->SetColorWhenDown(QColor(255, 128, 0));
    button->SetStyle(bsEncarta);
}

TLbButton* MakeButton(QWidget* parent, const char* name, int x, int y, int w, int h, const QString& caption)
{
    auto* b = new TLbButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, y, w, h);
    ApplyProgramLook(b);
    b->SetCaption(caption);
    return b;
}
