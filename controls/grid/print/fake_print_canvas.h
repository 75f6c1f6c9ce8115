#pragma once
#include "controls/grid/print/print_canvas.h"

#include <QList>
#include <QString>

namespace grid::print {

// A canvas with fixed metrics that records what is drawn, so layouts can be
// checked exactly: every character is CharWidth wide and every line
// LineHeight high, whatever the font.
class FakePrintCanvas : public PrintCanvas
{
public:
    enum class Kind { Text, Box, Rotated, Line, Fill, Gradient, Image, CheckBox, Radio, Ellipse, Pie, Device, Html, NewPage };
    struct Op
    {
        Kind What = Kind::Text;
        PageRect Rect;  // text: (x, y, x + width, y - height); line: (x1, y1, x2, y2)
        QString Text;
        int Sheet = 0;  // sheets started before this op
        TColor Color = clBlack;
        int Width = 0;  // pen width of lines
        bool Checked = false;   // check boxes and radio buttons
        PageFont Font;          // text: the canvas font; device drawing: the font given
        int Span = 0;           // pie: degrees
        TColor Pen = clNone;    // ellipse and pie outline (Color: the fill)
        QImage Picture;         // image: what was drawn; device drawing: what the caller painted
    };

    int CharWidth = 20;
    int LineHeight = 40;
    int DeviceDpi = 254;
    QList<Op> Ops;
    int Sheets = 0;

    void SetFont(const PageFont& font) override { font_ = font; }
    PageFont Font() const override { return font_; }
    int TextWidth(const QString& text) override { return CharWidth * int(text.size()); }
    int TextHeight(const QString&) override { return LineHeight; }
    int WrappedHeight(const QString& text, int width) override;
    void TextAt(int x, int y, const QString& text, TColor color) override;
    void TextBox(const PageRect& box, const QString& text, TextH h, TextV v, bool wrap, TColor color) override;
    void RotatedText(int x, int y, const QString& text, TColor color) override;
    void Line(int x1, int y1, int x2, int y2, TColor color, int width, TPenStyle style) override;
    void FillRect(const PageRect& rect, TColor color) override;
    void Gradient(const PageRect& rect, TColor top, TColor bottom, int steps) override;
    void Image(const PageRect& rect, const QImage& image) override;
    void CheckBox(const PageRect& rect, bool checked) override;
    void RadioButton(const PageRect& rect, bool on) override;
    void Ellipse(const PageRect& rect, TColor brush, TColor pen) override;
    void Pie(const PageRect& rect, int spanDegrees, TColor brush, TColor pen) override;
    // Paints into an image of the rectangle's size at DeviceDpi, kept in the op.
    void DeviceDraw(const PageRect& rect, const TFont& font, const DeviceDrawing& draw) override;
    void SetClip(const PageRect&) override {}
    void ClearClip() override {}
    QSize HtmlExtent(const QString& html, const PageFont& font, int maxWidth) override;
    void Html(const PageRect& rect, const QString& html, const PageFont& font) override;
    int Dpi() const override { return DeviceDpi; }
    void NewPage() override;

    // The texts drawn, in order, with the sheet they are on.
    QList<Op> TextsOn(int sheet) const;
    // The first text op whose text equals text, or nullptr.
    const Op* FindText(const QString& text) const;

private:
    void Add(Op op);
    PageFont font_;
};

} // namespace grid::print
