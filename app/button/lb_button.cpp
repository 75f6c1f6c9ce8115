#include "lb_button.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QDialog>
#include <QGuiApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleHints>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

const QColor kMagenta(255, 0, 255);
const QColor kDisabledText(128, 128, 128);
constexpr int kFadeStepMs = 30;
constexpr int kHotSteps = 8;

QColor ButtonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

QColor DarkShadow3D()
{
    return QApplication::palette().color(QPalette::Shadow);
}

// A line that, like the desktop's line drawing, includes its start point
// but not its end point (axis-aligned lines only).
void LineTo(QPainter& p, QPoint& pen, int x, int y)
{
    const int dx = x - pen.x(), dy = y - pen.y();
    if (dx != 0 || dy != 0) {
        int ex = x, ey = y;
        if (std::abs(dx) >= std::abs(dy))
            ex -= dx > 0 ? 1 : -1;
        else
            ey -= dy > 0 ? 1 : -1;
        p.drawLine(pen.x(), pen.y(), ex, ey);
    }
    pen = QPoint(x, y);
}

// Fills [left, right) x [top, bottom) with 32 bands from c0 to c1.
void LbGradientFill(QPainter& p, int left, int right, int top, int bottom, const QColor& c0, const QColor& c1)
{
    if (right <= left)
        return;
    const int band = (bottom - top) / 31;
    for (int i = 0; i < 32; ++i) {
        const auto mix = [&](int a, int b) { return int(std::lround(a + i * double(b - a) / 31.0)); };
        const QColor c(mix(c0.red(), c1.red()), mix(c0.green(), c1.green()), mix(c0.blue(), c1.blue()));
        const int y1 = top + i * (bottom - top) / 31;
        const int y2 = std::min(bottom, y1 + band + 1);
        if (y2 > y1)
            p.fillRect(left, y1, right - left, y2 - y1, c);
    }
}

QString StripMnemonic(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('&')) {
            if (i + 1 < s.size() && s[i + 1] == QLatin1Char('&'))
                out += s[++i];
            continue;
        }
        out += s[i];
    }
    return out;
}

// The glyph of a standard kind: two 18-pixel cells (normal, disabled) on a
// magenta ground, which is the transparent colour.
QPixmap KindGlyph(TLbButtonKind kind)
{
    const int h = kind == bkAll ? 19 : 18;
    QPixmap pm(36, h);
    pm.fill(kMagenta);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    for (int cell = 0; cell < 2; ++cell) {
        p.save();
        p.translate(cell * 18, 0);
        const auto color = [&](const QColor& c) { return cell == 0 ? c : QColor(128, 128, 128); };
        QPen pen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        const auto check = [&](qreal dx) {
            pen.setColor(color(QColor(0, 128, 0)));
            p.setPen(pen);
            const QPointF pts[] = {{3.5 + dx, 9.5}, {7 + dx, 13}, {14.5 + dx, 4.5}};
            p.drawPolyline(pts, 3);
        };
        const auto cross = [&](const QColor& c) {
            pen.setColor(color(c));
            p.setPen(pen);
            p.drawLine(QPointF(4.5, 4.5), QPointF(13.5, 13.5));
            p.drawLine(QPointF(13.5, 4.5), QPointF(4.5, 13.5));
        };
        const auto sign = [&](const QString& text, const QColor& c) {
            QFont f = p.font();
            f.setPixelSize(15);
            f.setBold(true);
            p.setFont(f);
            p.setPen(color(c));
            p.drawText(QRect(0, 0, 18, 18), Qt::AlignCenter, text);
        };
        switch (kind) {
        case bkOK:
        case bkYes: check(0); break;
        case bkAll: check(-2); check(2); break;
        case bkCancel:
        case bkAbort: cross(QColor(192, 0, 0)); break;
        case bkNo:
            pen.setColor(color(QColor(192, 0, 0)));
            p.setPen(pen);
            p.drawEllipse(QRectF(3.5, 3.5, 11, 11));
            p.drawLine(QPointF(5.5, 12.5), QPointF(12.5, 5.5));
            break;
        case bkClose:
            pen.setWidthF(1.5);
            pen.setColor(color(QColor(64, 64, 64)));
            p.setPen(pen);
            p.drawRect(QRectF(3.5, 2.5, 11, 13));
            p.drawPoint(QPointF(12, 9));
            break;
        case bkRetry:
            pen.setColor(color(QColor(0, 0, 160)));
            p.setPen(pen);
            p.drawArc(QRectF(4, 4, 10, 10), 60 * 16, 280 * 16);
            p.drawLine(QPointF(12.5, 2.5), QPointF(12.5, 6));
            break;
        case bkHelp: sign(QStringLiteral("?"), QColor(0, 0, 160)); break;
        case bkIgnore: sign(QStringLiteral("!"), QColor(160, 120, 0)); break;
        case bkCustom: break;
        }
        p.restore();
    }
    return pm;
}

// Everything the drawing depends on.
struct DrawState
{
    int W, H;
    QString caption;
    Qt::Alignment alignment;
    TLbButtonLayout layout;
    QFont font;
    QColor fontColor;
    QColor color, light, shadow, hotTrack, whenDown;
    TLbButtonStyle style;
    bool popupMenu;
    bool wordWrap;
    bool flat;
    bool enabled;
    bool hot;
    bool pressed;
    QPixmap glyph;
    int numGlyphs;
    int hotTrackStep;
};

void DrawGlyphCell(QPainter& p, const QPixmap& glyph, int offset, int w, int x, int y)
{
    QPixmap cell = glyph.copy(offset, 0, w, glyph.height());
    const QColor key = cell.toImage().pixelColor(0, cell.height() - 1);
    cell.setMask(cell.createMaskFromColor(key, Qt::MaskInColor));
    p.drawPixmap(x, y, cell);
}

void DrawLbButton(QPainter& p, DrawState s)
{
    const int W = s.W, H = s.H;
    if (!s.enabled)
        s.pressed = false;
    const int d = s.pressed && s.style != bsEncarta ? 1 : 0;

    QColor face = s.color;
    if (s.enabled && s.hotTrack.isValid())
        face = LbHotTrackBlend(s.color, s.hotTrack, s.hotTrackStep);
    if (s.pressed && s.whenDown.isValid())
        face = s.whenDown;

    switch (s.style) {
    case bsShape:
        p.fillRect(0, 0, W, H, kMagenta);
        break;
    case bsNormal:
    case bsEncarta:
    case bsOld:
        p.fillRect(0, 0, W, H, face);
        break;
    case bsModern:
        LbGradientFill(p, 2, W - 2, 2, H / 4 + d, s.light, face);
        LbGradientFill(p, 2, W - 2, H / 4 + d, H - 1, face, s.light);
        break;
    case bsQuicken:
        break;
    }

    const bool frame = (s.enabled && (!s.flat || s.hot || s.pressed)) || (!s.enabled && !s.flat);
    p.setBrush(Qt::NoBrush);
    QPoint pen;
    switch (s.style) {
    case bsNormal:
    case bsEncarta:
        if (frame) {
            pen = QPoint(0, H - 1);
            p.setPen(s.pressed ? s.shadow : s.light);
            LineTo(p, pen, 0, 0);
            LineTo(p, pen, W - 1, 0);
            p.setPen(s.pressed ? s.light : s.shadow);
            LineTo(p, pen, W - 1, H - 1);
            LineTo(p, pen, 0, H - 1);
        }
        break;
    case bsOld:
        if (frame) {
            p.setPen(s.shadow);
            if (s.pressed) {
                pen = QPoint(1, H - 3);
                LineTo(p, pen, 1, 1);
                LineTo(p, pen, W - 2, 1);
            } else {
                pen = QPoint(W - 2, 0);
                LineTo(p, pen, W - 2, H - 2);
                LineTo(p, pen, 0, H - 2);
            }
            pen = QPoint(0, H - 1);
            p.setPen(s.pressed ? DarkShadow3D() : s.light);
            LineTo(p, pen, 0, 0);
            LineTo(p, pen, W - 1, 0);
            p.setPen(s.pressed ? s.light : DarkShadow3D());
            LineTo(p, pen, W - 1, H - 1);
            LineTo(p, pen, -1, H - 1);
        }
        break;
    case bsModern:
        p.setPen(s.pressed ? s.shadow : face);
        p.drawRect(1, 1, W - 3, H - 3);
        p.setPen(s.shadow);
        p.drawRoundedRect(QRect(0, 0, W - 1, H - 1), 3, 3);
        break;
    case bsQuicken:
        p.setPen(Qt::NoPen);
        p.setBrush(face);
        p.drawRoundedRect(QRect(0, 1, W, H - 1), 2, 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(s.shadow);
        pen = QPoint(4, 0);
        LineTo(p, pen, W - 5, 0);
        pen = QPoint(4, H - 1);
        LineTo(p, pen, W - 5, H - 1);
        break;
    case bsShape:
        break;
    }

    QFont font = s.font;
    if (s.pressed && s.style == bsEncarta)
        font.setBold(true);
    p.setFont(font);
    const QFontMetrics fm(font);

    const int w = s.numGlyphs > 0 ? s.glyph.width() / s.numGlyphs : 0;
    const int gh = s.glyph.height();
    int offset = 0;
    if (!s.enabled) {
        offset = w;
    } else {
        if (s.hot && s.numGlyphs > 3)
            offset = 3 * w;
        if (s.pressed && s.numGlyphs > 2)
            offset = 2 * w;
    }
    if (offset + w > s.glyph.width())
        offset = 0;

    const int align = int(s.alignment & Qt::AlignHorizontal_Mask);
    const int format = align | Qt::TextWordWrap | Qt::TextShowMnemonic;
    QString caption = s.caption;
    int v = 0;
    const auto cut = [&] {
        if (!s.wordWrap)
            caption = LbCutCaption(caption, v, fm);
    };
    int th = 0, tw = 0;
    const auto measure = [&] {
        if (caption.isEmpty())
            return;
        const QRect r = fm.boundingRect(QRect(0, 0, std::max(v, 1), 1 << 20), format, caption);
        th = r.height();
        tw = r.width();
    };

    int textLeft = 0, textTop = 0, glyphLeft = 0, glyphTop = 0;
    QRect textRect;
    if (s.style == bsShape) {
        v = std::max(0, W - 8);
        cut();
        measure();
        glyphLeft = (W - w) / 2;
        glyphTop = (H - gh) / 2;
        textRect = QRect(QPoint(d, (H - th) / 2 + d), QPoint(W - 1, H - 1));
    } else if (s.layout == blGlyphLeft || s.layout == blGlyphRight) {
        v = w == 0 ? W - 8 : std::max(0, W - w - 12);
        cut();
        measure();
        textTop = (H - th) / 2 + d;
        textLeft = d + 4;
        glyphTop = (H - gh) / 2 + d;
        const int g = caption.isEmpty() ? 0 : tw + 4;
        if (s.layout == blGlyphLeft) {
            if (w > 0)
                textLeft += w + 4;
            if (s.wordWrap || align == Qt::AlignLeft)
                glyphLeft = d + 4;
            else if (align == Qt::AlignRight)
                glyphLeft = W - 4 - w - g + d;
            else
                glyphLeft = (W - w) / 2 + d - g / 2;
        } else {
            if (s.wordWrap || align == Qt::AlignLeft)
                glyphLeft = textLeft + g;
            else if (align == Qt::AlignRight)
                glyphLeft = W - 4 - w + d;
            else
                glyphLeft = (W - w) / 2 + d + g / 2;
        }
        textRect = QRect(textLeft, textTop, v, th);
    } else {
        v = std::max(0, W - 8);
        cut();
        measure();
        const int b = th + (gh > 0 ? gh + 4 : 0);
        textLeft = d + 4;
        if (s.layout == blGlyphTop) {
            glyphTop = (H - b) / 2 + d;
            textTop = (H - b) / 2 + gh + d;
        } else {
            textTop = (H - b) / 2 + d;
            glyphTop = (H - b) / 2 + th + d;
        }
        if (align == Qt::AlignLeft)
            glyphLeft = d + 4;
        else if (align == Qt::AlignRight)
            glyphLeft = W - w - 4 + d;
        else
            glyphLeft = (W - w) / 2 + d;
        textRect = QRect(textLeft, textTop, v, th);
    }

    if (!caption.isEmpty()) {
        p.setPen(s.enabled ? s.fontColor : kDisabledText);
        p.drawText(textRect, format, caption);
    }
    if (w > 0 && gh > 0)
        DrawGlyphCell(p, s.glyph, offset, w, glyphLeft, glyphTop);

    if (s.popupMenu) {
        // The 5 x 3 arrow of an attached menu.
        p.setPen(Qt::black);
        const int x = W - 11, y = H / 2 - 1;
        p.drawLine(x, y, x + 4, y);
        p.drawLine(x + 1, y + 1, x + 3, y + 1);
        p.drawPoint(x + 2, y + 2);
    }
}

} // namespace

QString LbCutCaption(const QString& caption, int limit, const QFontMetrics& metrics)
{
    QString s = caption;
    while (!s.isEmpty() && metrics.horizontalAdvance(StripMnemonic(s)) > limit)
        s.chop(1);
    return s;
}

QColor LbHotTrackBlend(const QColor& color, const QColor& hot, int step)
{
    const double s = step / 8.0;
    const auto mix = [s](int c, int h) { return int(std::lround(c * (1 - s) + h * s)); };
    return QColor(mix(color.red(), hot.red()), mix(color.green(), hot.green()), mix(color.blue(), hot.blue()));
}

TLbButton::TLbButton(QWidget* parent)
    : QAbstractButton(parent)
{
    resize(100, 23);
    setFocusPolicy(Qt::StrongFocus);
    m_color = ButtonFace();
    if (parent && parent->isWindow())
        m_hotTrackFont = parent->font();
}

TLbButton::~TLbButton()
{
    if (m_fadeTimer)
        m_fadeTimer->stop();
}

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
        {mrNone, ""}, {mrOk, "OK"}, {mrCancel, "Abbrechen"}, {mrNone, "Hilfe"}, {mrYes, "Ja"},
        {mrNo, "Nein"}, {mrNone, "Schließen"}, {mrAbort, "Abbrechen"}, {mrRetry, "Wiederholen"},
        {mrIgnore, "Ignorieren"}, {mrAll, "Alle"},
    };
    m_kind = kind;
    if (kind == bkCustom)
        return;
    m_numGlyphs = 2;
    m_modalResult = rows[kind].result;
    m_glyph = KindGlyph(kind);
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
    struct Preset
    {
        QColor color, light, shadow, whenDown, hot;
        bool flat;
        TLbButtonStyle style;
    };
    const QColor none;
    const QColor face = ButtonFace();
    const Preset presets[] = {
        {},
        {QColor(192, 192, 0), QColor(255, 255, 0), QColor(128, 128, 0), none, QColor(223, 223, 0), false, bsModern},
        {QColor(192, 192, 192), QColor(255, 255, 255), QColor(128, 128, 128), none, none, false, bsModern},
        {QColor(0, 128, 255), QColor(0, 255, 255), QColor(0, 0, 255), none, none, false, bsModern},
        {QColor(255, 0, 0), QColor(255, 192, 192), QColor(192, 0, 0), none, none, false, bsModern},
        {face, QColor(132, 146, 181), QColor(132, 146, 181), QColor(132, 146, 181), QColor(214, 211, 222), true,
         bsNormal},
        {face, QColor(0, 0, 0), QColor(0, 0, 0), QColor(188, 218, 36), QColor(228, 246, 140), true, bsNormal},
        {QColor(219, 216, 209), QColor(132, 146, 181), QColor(133, 146, 181), QColor(133, 146, 181),
         QColor(182, 189, 210), true, bsNormal},
        {QColor(148, 206, 236), QColor(212, 230, 252), QColor(0, 0, 0), none, none, false, bsModern},
        {face, QColor(255, 255, 255), QColor(128, 128, 128), none, none, false, bsNormal},
        {QColor(0, 48, 96), QColor(192, 192, 192), QColor(192, 192, 192), QColor(41, 101, 173),
         QColor(156, 174, 206), false, bsQuicken},
    };
    if (preset == lcsCustom)
        return;
    const Preset& p = presets[preset];
    m_color = p.color;
    m_lightColor = p.light;
    m_shadowColor = p.shadow;
    m_colorWhenDown = p.whenDown;
    m_hotTrackColor = p.hot;
    m_flat = p.flat;
    m_style = p.style;
    SetFontColor(preset == lcsQuicken ? QColor(255, 255, 255) : QColor(0, 0, 0));
    update();
}

void TLbButton::SetLayout(TLbButtonLayout layout) { m_layout = layout; update(); }
void TLbButton::SetAlignment(Qt::Alignment alignment) { m_alignment = alignment; update(); }
void TLbButton::SetColor(const QColor& c) { m_color = c; update(); }
void TLbButton::SetLightColor(const QColor& c) { m_lightColor = c; update(); }
void TLbButton::SetShadowColor(const QColor& c) { m_shadowColor = c; update(); }
void TLbButton::SetHotTrackColor(const QColor& c) { m_hotTrackColor = c; update(); }
void TLbButton::SetColorWhenDown(const QColor& c) { m_colorWhenDown = c; update(); }
void TLbButton::SetFlat(bool flat) { m_flat = flat; update(); }
void TLbButton::SetWordWrap(bool wrap) { m_wordWrap = wrap; update(); }

void TLbButton::SetFontColor(const QColor& c)
{
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, c);
    setPalette(pal);
}

QColor TLbButton::FontColor() const
{
    return palette().color(QPalette::ButtonText);
}

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

void TLbButton::SetDefault(bool on)
{
    m_default = on;
    WatchDialogKeys();
}

void TLbButton::SetCancel(bool on)
{
    m_cancel = on;
    WatchDialogKeys();
}

void TLbButton::SetSlowDecease(bool on)
{
    m_slowDecease = on;
    if (on) {
        if (!m_fadeTimer) {
            m_fadeTimer = new QTimer(this);
            m_fadeTimer->setInterval(kFadeStepMs);
            connect(m_fadeTimer, &QTimer::timeout, this, &TLbButton::FadeStep);
        }
    } else if (m_fadeTimer) {
        m_hotTrackStep = 0;
        delete m_fadeTimer;
        m_fadeTimer = nullptr;
    }
}

void TLbButton::SetPopupMenu(QMenu* menu)
{
    m_popupMenu = menu;
    update();
}

void TLbButton::SetAction(QAction* action)
{
    if (m_action)
        disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (!action)
        return;
    const auto changed = [this] {
        setText(m_action->text());
        setToolTip(m_action->toolTip());
        setEnabled(m_action->isEnabled());
        setVisible(m_action->isVisible());
        if (m_glyph.isNull() && !m_action->icon().isNull())
            CopyActionImage();
        update();
    };
    connect(action, &QAction::changed, this, changed);
    connect(action, &QObject::destroyed, this, [this] { m_action = nullptr; });
    changed();
}

void TLbButton::CopyActionImage()
{
    const QIcon icon = m_action->icon();
    const QList<QSize> sizes = icon.availableSizes();
    const QSize size = sizes.isEmpty() ? QSize(16, 16) : sizes.first();
    QPixmap glyph(size);
    glyph.fill(kMagenta);
    QPainter p(&glyph);
    p.drawPixmap(0, 0, icon.pixmap(size));
    p.end();
    m_glyph = glyph;
    m_numGlyphs = 1;
}

bool TLbButton::OnShowingParent() const
{
    return parentWidget() == nullptr || parentWidget()->isVisible();
}

void TLbButton::paintEvent(QPaintEvent*)
{
    const int W = width(), H = height();
    if (W <= 0 || H <= 0)
        return;
    const bool hot = m_cursorOnButton || hasFocus();
    DrawState s;
    s.W = W;
    s.H = H;
    s.caption = text();
    s.alignment = m_alignment;
    s.layout = m_layout;
    s.font = hot && m_useHotTrackFont ? m_hotTrackFont : font();
    s.fontColor = FontColor();
    s.color = m_color;
    s.light = m_lightColor;
    s.shadow = m_shadowColor;
    s.hotTrack = m_hotTrackColor;
    s.whenDown = m_colorWhenDown;
    s.style = m_style;
    s.popupMenu = m_popupMenu != nullptr;
    s.wordWrap = m_wordWrap;
    s.flat = m_flat;
    s.enabled = isEnabled();
    s.hot = hot;
    s.pressed = isDown();
    s.glyph = m_glyph;
    s.numGlyphs = m_numGlyphs;
    s.hotTrackStep = m_hotTrackStep;

    // Composed off-screen and copied in one go, so it never flickers.
    const bool keyed = m_style == bsModern || m_style == bsShape || m_style == bsQuicken;
    QImage image(W, H, QImage::Format_ARGB32);
    image.fill(keyed ? kMagenta : m_color);
    {
        QPainter p(&image);
        if (m_style == bsOld && hasFocus()) {
            s.W = W - 2;
            s.H = H - 2;
            if (isDown())
                s.light = m_shadowColor;
            p.translate(1, 1);
            DrawLbButton(p, s);
            p.resetTransform();
            p.setPen(Qt::black);
            p.setBrush(Qt::NoBrush);
            p.drawRect(0, 0, W - 1, H - 1);
        } else {
            DrawLbButton(p, s);
        }
    }
    if (keyed) {
        const QRgb key = kMagenta.rgb();
        for (int y = 0; y < H; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < W; ++x)
                if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                    line[x] = 0;
        }
    }
    QPainter p(this);
    p.drawImage(0, 0, image);
    if (hasFocus() && isEnabled() && m_style != bsShape && W > 8 && H > 8) {
        // The dotted focus rectangle on (4, 4) to (W - 4, H - 4): every other pixel.
        p.setPen(Qt::black);
        const int r = W - 5, b = H - 5;
        for (int x = 4; x <= r; ++x)
            for (int y : {4, b})
                if ((x + y) % 2 == 0)
                    p.drawPoint(x, y);
        for (int y = 5; y < b; ++y)
            for (int x : {4, r})
                if ((x + y) % 2 == 0)
                    p.drawPoint(x, y);
    }
}

namespace {

bool IsEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsPressKey(int key)
{
    return IsEnterKey(key) || key == Qt::Key_Space || key == Qt::Key_Select;
}

// The button that got the latest mouse press, and when: the second press of
// a double click counts only for that button.
QPointer<TLbButton> g_lastPressed;
quint64 g_lastPressTime = 0;

} // namespace

void TLbButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    g_lastPressed = this;
    g_lastPressTime = event->timestamp();
    QAbstractButton::mousePressEvent(event);
    if (isDown())
        setFocus(Qt::MouseFocusReason);
}

void TLbButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click arrives as a second press; it belongs to this button only
    // when the first press did too (not when the first click moved this
    // button under the mouse, or closed the window above it).
    const quint64 interval = quint64(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    if (g_lastPressed == this && event->timestamp() - g_lastPressTime <= interval)
        mousePressEvent(event);
    else
        event->accept();
}

void TLbButton::mouseReleaseEvent(QMouseEvent* event)
{
    // The base clicks when the press was this button's; the release may
    // happen outside (hitButton), the button keeps the mouse while pressed.
    const bool clicks = event->button() == Qt::LeftButton && isDown();
    QPointer<TLbButton> self(this);
    QAbstractButton::mouseReleaseEvent(event);
    if (self && clicks)
        AfterClick();
}

void TLbButton::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the button as Space does.
    if (IsEnterKey(event->key())) {
        QKeyEvent space(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "),
                        event->isAutoRepeat());
        QAbstractButton::keyPressEvent(&space);
        event->setAccepted(space.isAccepted());
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void TLbButton::keyReleaseEvent(QKeyEvent* event)
{
    // Only a release whose key down pressed this button clicks it: a key
    // that went down in a window since closed does not.
    if (!IsPressKey(event->key())) {
        QAbstractButton::keyReleaseEvent(event);
        return;
    }
    const bool clicks = !event->isAutoRepeat() && isDown();
    QKeyEvent space(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "), event->isAutoRepeat());
    QPointer<TLbButton> self(this);
    QAbstractButton::keyReleaseEvent(&space);
    event->accept();
    if (self && clicks)
        AfterClick();
}

void TLbButton::Click()
{
    if (!isVisible() || !isEnabled())
        return;
    QPointer<TLbButton> self(this);
    QAbstractButton::click();
    if (self)
        AfterClick();
}

void TLbButton::AfterClick()
{
    QPointer<TLbButton> self(this);
    if (m_modalResult != 0) {
        if (auto* dialog = qobject_cast<QDialog*>(window()))
            dialog->done(m_modalResult);
    }
    if (self && m_popupMenu)
        m_popupMenu->popup(mapToGlobal(QPoint(0, height())));
    if (self && m_action && isEnabled())
        m_action->trigger();
}

void TLbButton::FadeStep()
{
    if (--m_hotTrackStep <= 0) {
        m_hotTrackStep = 0;
        if (m_fadeTimer)
            m_fadeTimer->stop();
    }
    update();
}

void TLbButton::enterEvent(QEnterEvent* event)
{
    if (isEnabled() && isVisible() && OnShowingParent()) {
        m_cursorOnButton = true;
        m_hotTrackStep = kHotSteps;
        if (m_fadeTimer)
            m_fadeTimer->stop();
        update();
        emit MouseEnter();
    }
    QAbstractButton::enterEvent(event);
}

void TLbButton::leaveEvent(QEvent* event)
{
    m_cursorOnButton = false;
    if (m_slowDecease && m_fadeTimer) {
        if (!m_fadeTimer->isActive())
            m_fadeTimer->start();
    } else {
        m_hotTrackStep = 0;
        update();
    }
    if (isEnabled() && isVisible() && OnShowingParent())
        emit MouseExit();
    QAbstractButton::leaveEvent(event);
}

void TLbButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    update();
}

void TLbButton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    update();
}

void TLbButton::changeEvent(QEvent* event)
{
    // The base lets go of a press when the button is disabled.
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

bool TLbButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
        // The caption's accelerator.
        if (isVisible() && isEnabled() && window()->isVisible())
            Click();
        return true;
    case QEvent::Hide:
        // Hidden with its window: shown again, it is neither hot nor pressed,
        // wherever the mouse is by then.
        m_cursorOnButton = false;
        m_hotTrackStep = 0;
        if (m_fadeTimer)
            m_fadeTimer->stop();
        setDown(false);
        break;
    case QEvent::ParentChange:
    case QEvent::Show:
        WatchDialogKeys();
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

void TLbButton::WatchDialogKeys()
{
    QWidget* target = (m_default || m_cancel) ? window() : nullptr;
    if (target == this)
        target = nullptr;
    if (m_keyWindow == target)
        return;
    if (m_keyWindow)
        m_keyWindow->removeEventFilter(this);
    m_keyWindow = target;
    if (target)
        target->installEventFilter(this);
}

bool TLbButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_keyWindow || event->type() != QEvent::KeyPress)
        return QAbstractButton::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool escape = key->key() == Qt::Key_Escape;
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!plain || !((enter && m_default) || (escape && m_cancel)) || !isVisible() || !isEnabled())
        return false;
    // A focused button takes the key itself.
    if (QWidget* focus = m_keyWindow->focusWidget()) {
        const QString cls = QString::fromLatin1(focus->metaObject()->className()).toUpper();
        if (cls.contains(QLatin1String("BUTTON")) && !cls.contains(QLatin1String("RADIOBUTTON")))
            return false;
    }
    Click();
    return true;
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
