#pragma once
#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointer>

class QAction;
class QFontMetrics;
class QMenu;
class QTimer;

enum TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum TLbButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TLbButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TLbColorStyle {
    lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2,
    lcsUltraFlatXP, lcsAqua, lcsDefault, lcsQuicken
};

// Modal results a button hands to its window (the value ShowModal returns).
enum TModalResult {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
    mrYes = 6, mrNo = 7, mrAll = 12
};

// The program's painted push button. An invalid QColor stands for "none".
// clicked() is its OnClick.
class TLbButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit TLbButton(QWidget* parent = nullptr);
    ~TLbButton() override;

    void SetCaption(const QString& caption);
    QString Caption() const { return text(); }

    void SetModalResult(int result);
    int ModalResult() const { return m_modalResult; }

    void SetKind(TLbButtonKind kind);
    TLbButtonKind Kind() const { return m_kind; }

    void SetStyle(TLbButtonStyle style);
    TLbButtonStyle Style() const { return m_style; }

    // Applies a colour preset; reading it back always gives lcsCustom.
    void SetColorStyle(TLbColorStyle preset);
    TLbColorStyle ColorStyle() const { return lcsCustom; }

    void SetLayout(TLbButtonLayout layout);
    TLbButtonLayout Layout() const { return m_layout; }

    // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    void SetAlignment(Qt::Alignment alignment);
    Qt::Alignment Alignment() const { return m_alignment; }

    void SetColor(const QColor& c);
    QColor Color() const { return m_color; }
    void SetLightColor(const QColor& c);
    QColor LightColor() const { return m_lightColor; }
    void SetShadowColor(const QColor& c);
    QColor ShadowColor() const { return m_shadowColor; }
    void SetHotTrackColor(const QColor& c);
    QColor HotTrackColor() const { return m_hotTrackColor; }
    void SetColorWhenDown(const QColor& c);
    QColor ColorWhenDown() const { return m_colorWhenDown; }
    // The caption's colour.
    void SetFontColor(const QColor& c);
    QColor FontColor() const;

    void SetFlat(bool flat);
    bool Flat() const { return m_flat; }
    void SetWordWrap(bool wrap);
    bool WordWrap() const { return m_wordWrap; }

    // A strip of NumGlyphs equal cells side by side: 1 normal, 2 disabled,
    // 3 pressed, 4 hot. Setting it gives NumGlyphs = width / height.
    void SetGlyph(const QPixmap& glyph);
    QPixmap Glyph() const { return m_glyph; }
    void SetNumGlyphs(int n);
    int NumGlyphs() const { return m_numGlyphs; }

    void SetHotTrackFont(const QFont& font);
    QFont HotTrackFont() const { return m_hotTrackFont; }
    void SetUseHotTrackFont(bool use);
    bool UseHotTrackFont() const { return m_useHotTrackFont; }

    // Enter (Default) or Escape (Cancel) anywhere in the window clicks the button.
    void SetDefault(bool on);
    bool Default() const { return m_default; }
    void SetCancel(bool on);
    bool Cancel() const { return m_cancel; }

    // Fade back from the hot colour in 30 ms steps after the mouse leaves.
    void SetSlowDecease(bool on);
    bool SlowDecease() const { return m_slowDecease; }

    // A menu popped up at the button's bottom-left corner on a click.
    void SetPopupMenu(QMenu* menu);
    QMenu* PopupMenu() const { return m_popupMenu; }

    // A linked action: a click triggers it, and its icon becomes the glyph
    // when the button has none.
    void SetAction(QAction* action);
    QAction* Action() const { return m_action; }

    // Clicks the button as the mouse would (nothing when hidden or disabled).
    void Click();

    bool IsDown() const { return isDown(); }
    bool IsHot() const { return m_cursorOnButton; }
    int HotTrackStep() const { return m_hotTrackStep; }

signals:
    void MouseEnter();
    void MouseExit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    // What a click does after clicked(): the modal result, the popup menu, the action.
    void AfterClick();
    void FadeStep();
    void WatchDialogKeys();
    void CopyActionImage();
    bool OnShowingParent() const;

    Qt::Alignment m_alignment = Qt::AlignHCenter;
    QColor m_color;
    QColor m_lightColor = QColor(255, 255, 255);
    QColor m_shadowColor = QColor(128, 128, 128);
    QColor m_hotTrackColor;
    QColor m_colorWhenDown;
    bool m_flat = false;
    bool m_wordWrap = false;
    QPixmap m_glyph;
    int m_numGlyphs = 0;
    QFont m_hotTrackFont;
    bool m_useHotTrackFont = false;
    TLbButtonKind m_kind = bkCustom;
    TLbButtonLayout m_layout = blGlyphLeft;
    TLbButtonStyle m_style = bsNormal;
    int m_modalResult = 0;
    bool m_default = false;
    bool m_cancel = false;
    bool m_slowDecease = false;
    bool m_cursorOnButton = false;
    int m_hotTrackStep = 0;
    QTimer* m_fadeTimer = nullptr;
    QMenu* m_popupMenu = nullptr;
    QAction* m_action = nullptr;
    QPointer<QWidget> m_keyWindow;
};

// The look every window of the program gives its buttons: face (248, 247,
// 237), gray frame, yellow hot colour, orange pressed colour, bsEncarta.
void ApplyProgramLook(TLbButton* button);

// A button named name at (x, y), w x h, with the program's look.
TLbButton* MakeButton(QWidget* parent, const char* name, int x, int y, int w, int h,
                      const QString& caption = QString());

// The caption shortened from its end until its width is at most limit (no
// ellipsis); "&" marks an accelerator and takes no room.
QString LbCutCaption(const QString& caption, int limit, const QFontMetrics& metrics);

// round(color x (1 - step/8) + hot x step/8) per channel.
QColor LbHotTrackBlend(const QColor& color, const QColor& hot, int step);
