#include "controls/dropdown/color_panels_core.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace dropdown {

namespace {

// Red-green-blue to the stored blue-green-red order.
constexpr TColor FromRgb(quint32 rgb)
{
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

int Red(TColor c) { return int(c & 0xFF); }
int Green(TColor c) { return int((c >> 8) & 0xFF); }
int Blue(TColor c) { return int((c >> 16) & 0xFF); }

// Rows of the cube: colours (red-green-blue) along each row.
const std::array<std::vector<quint32>, 13> kCubeRows{{
    {0x003366, 0x336699, 0x3366CC, 0x003399, 0x000099, 0x0000CC, 0x000066},
    {0x006666, 0x006699, 0x0099CC, 0x0066CC, 0x0033CC, 0x0000FF, 0x3333FF, 0x333399},
    {0x008080, 0x009999, 0x33CCCC, 0x00CCFF, 0x0099FF, 0x0066FF, 0x3366FF, 0x3333CC, 0x666699},
    {0x339966, 0x00CC99, 0x00FFCC, 0x00FFFF, 0x33CCFF, 0x3399FF, 0x6699FF, 0x6666FF, 0x6600FF, 0x6600CC},
    {0x339933, 0x00CC66, 0x00FF99, 0x66FFCC, 0x66FFFF, 0x66CCFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9900FF},
    {0x006600, 0x00CC00, 0x00FF00, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCECFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC00FF,
     0x9900CC},
    {0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF00FF,
     0xCC00CC, 0x660066},
    {0x336600, 0x009900, 0x66FF33, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF33CC, 0xCC0099,
     0x800080},
    {0x333300, 0x669900, 0x99FF33, 0xCCFF66, 0xFFFF99, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xCC3399, 0x990099},
    {0x666633, 0x99CC00, 0xCCFF33, 0xFFFF66, 0xFFCC66, 0xFF9966, 0xFF7C80, 0xFF0066, 0xD60093, 0x993366},
    {0x808000, 0xCCCC00, 0xFFFF00, 0xFFCC00, 0xFF9933, 0xFF6600, 0xFF5050, 0xCC0066, 0x660033},
    {0x996633, 0xCC9900, 0xFF9900, 0xCC6600, 0xFF3300, 0xFF0000, 0xCC0000, 0x990033},
    {0x663300, 0x996600, 0xCC3300, 0x993300, 0x990000, 0x800000, 0xA50021},
}};

}  // namespace

const std::array<PaletteRow, 6> kDefaultPalette{{
    {ipStandAlone, {0xFFFFFF, 0x000000, 0xEEECE1, 0x1F497D, 0x4F81BD, 0xC0504D, 0x9BBB59, 0x8064A2, 0x4BACC6, 0xF79646}},
    {ipTop, {0xF2F2F2, 0x7F7F7F, 0xDDD9C3, 0xC2CEDA, 0xDBE5F1, 0xF2DCDB, 0xEBF1DD, 0xE5E0EC, 0xDBEEF3, 0xFDEADA}},
    {ipMiddle, {0xD8D8D8, 0x595959, 0xC4BD97, 0x8DB3E2, 0xB8CCE4, 0xE5B9B7, 0xD7E3BC, 0xCCC1D9, 0xB7DDE8, 0xFBD5B5}},
    {ipMiddle, {0xBFBFBF, 0x3F3F3F, 0x938953, 0x548DD4, 0x95B3D7, 0xD99694, 0xC3D69B, 0xB2A2C7, 0x92CDDC, 0xFAC08F}},
    {ipMiddle, {0xA5A5A5, 0x262626, 0x494429, 0x17365D, 0x366092, 0x953734, 0x76923C, 0x5F497A, 0x31859B, 0xE36C09}},
    {ipBottom, {0x7F7F7F, 0x0C0C0C, 0x1D1B10, 0x0F243E, 0x244061, 0x632423, 0x4F6128, 0x3F3151, 0x205867, 0x974806}},
}};

// The named web colours (red-green-blue), one name per value.
const std::array<WebColor, 138> kWebColors{{
    {"clWebAliceBlue", 0xF0F8FF}, {"clWebAntiqueWhite", 0xFAEBD7}, {"clWebAqua", 0x00FFFF},
    {"clWebAquamarine", 0x7FFFD4}, {"clWebAzure", 0xF0FFFF}, {"clWebBeige", 0xF5F5DC},
    {"clWebBisque", 0xFFE4C4}, {"clWebBlack", 0x000000}, {"clWebBlanchedAlmond", 0xFFEBCD},
    {"clWebBlue", 0x0000FF}, {"clWebBlueViolet", 0x8A2BE2}, {"clWebBrown", 0xA52A2A},
    {"clWebBurlyWood", 0xDEB887}, {"clWebCadetBlue", 0x5F9EA0}, {"clWebChartreuse", 0x7FFF00},
    {"clWebChocolate", 0xD2691E}, {"clWebCoral", 0xFF7F50}, {"clWebCornFlowerBlue", 0x6495ED},
    {"clWebCornsilk", 0xFFF8DC}, {"clWebCrimson", 0xDC143C}, {"clWebDarkBlue", 0x00008B},
    {"clWebDarkCyan", 0x008B8B}, {"clWebDarkGoldenRod", 0xB8860B}, {"clWebDarkGray", 0xA9A9A9},
    {"clWebDarkGreen", 0x006400}, {"clWebDarkKhaki", 0xBDB76B}, {"clWebDarkMagenta", 0x8B008B},
    {"clWebDarkOliveGreen", 0x556B2F}, {"clWebDarkOrange", 0xFF8C00}, {"clWebDarkOrchid", 0x9932CC},
    {"clWebDarkRed", 0x8B0000}, {"clWebDarkSalmon", 0xE9967A}, {"clWebDarkSeaGreen", 0x8FBC8F},
    {"clWebDarkSlateBlue", 0x483D8B}, {"clWebDarkSlateGray", 0x2F4F4F}, {"clWebDarkTurquoise", 0x00CED1},
    {"clWebDarkViolet", 0x9400D3}, {"clWebDeepPink", 0xFF1493}, {"clWebDeepSkyBlue", 0x00BFFF},
    {"clWebDimGray", 0x696969}, {"clWebDodgerBlue", 0x1E90FF}, {"clWebFirebrick", 0xB22222},
    {"clWebFloralWhite", 0xFFFAF0}, {"clWebForestGreen", 0x228B22}, {"clWebFuchsia", 0xFF00FF},
    {"clWebGainsboro", 0xDCDCDC}, {"clWebGhostWhite", 0xF8F8FF}, {"clWebGold", 0xFFD700},
    {"clWebGoldenrod", 0xDAA520}, {"clWebGray", 0x808080}, {"clWebGreen", 0x008000},
    {"clWebGreenYellow", 0xADFF2F}, {"clWebHoneydew", 0xF0FFF0}, {"clWebHotPink", 0xFF69B4},
    {"clWebIndianRed", 0xCD5C5C}, {"clWebIndigo", 0x4B0082}, {"clWebIvory", 0xFFFFF0},
    {"clWebKhaki", 0xF0E68C}, {"clWebLavender", 0xE6E6FA}, {"clWebLavenderBlush", 0xFFF0F5},
    {"clWebLawnGreen", 0x7CFC00}, {"clWebLemonChiffon", 0xFFFACD}, {"clWebLightBlue", 0xADD8E6},
    {"clWebLightCoral", 0xF08080}, {"clWebLightCyan", 0xE0FFFF}, {"clWebLightGoldenrodYellow", 0xFAFAD2},
    {"clWebLightGrey", 0xD3D3D3}, {"clWebLightGreen", 0x90EE90}, {"clWebLightPink", 0xFFB6C1},
    {"clWebLightSalmon", 0xFFA07A}, {"clWebLightSeaGreen", 0x20B2AA}, {"clWebLightSkyBlue", 0x87CEFA},
    {"clWebLightSlateGray", 0x778899}, {"clWebLightSteelBlue", 0xB0C4DE}, {"clWebLightYellow", 0xFFFFE0},
    {"clWebLime", 0x00FF00}, {"clWebLimeGreen", 0x32CD32}, {"clWebLinen", 0xFAF0E6},
    {"clWebMaroon", 0x800000}, {"clWebMediumAquamarine", 0x66CDAA}, {"clWebMediumBlue", 0x0000CD},
    {"clWebMediumOrchid", 0xBA55D3}, {"clWebMediumPurple", 0x9370DB}, {"clWebMediumSeaGreen", 0x3CB371},
    {"clWebMediumSlateBlue", 0x7B68EE}, {"clWebMediumSpringGreen", 0x00FA9A}, {"clWebMediumTurquoise", 0x48D1CC},
    {"clWebMediumVioletRed", 0xC71585}, {"clWebMidnightBlue", 0x191970}, {"clWebMintCream", 0xF5FFFA},
    {"clWebMistyRose", 0xFFE4E1}, {"clWebMoccasin", 0xFFE4B5}, {"clWebNavajoWhite", 0xFFDEAD},
    {"clWebNavy", 0x000080}, {"clWebOldLace", 0xFDF5E6}, {"clWebOlive", 0x808000},
    {"clWebOliveDrab", 0x6B8E23}, {"clWebOrange", 0xFFA500}, {"clWebOrangeRed", 0xFF4500},
    {"clWebOrchid", 0xDA70D6}, {"clWebPaleGoldenrod", 0xEEE8AA}, {"clWebPaleGreen", 0x98FB98},
    {"clWebPaleTurquoise", 0xAFEEEE}, {"clWebPaleVioletRed", 0xDB7093}, {"clWebPapayaWhip", 0xFFEFD5},
    {"clWebPeachPuff", 0xFFDAB9}, {"clWebPeru", 0xCD853F}, {"clWebPink", 0xFFC0CB},
    {"clWebPlum", 0xDDA0DD}, {"clWebPowderBlue", 0xB0E0E6}, {"clWebPurple", 0x800080},
    {"clWebRed", 0xFF0000}, {"clWebRosyBrown", 0xBC8F8F}, {"clWebRoyalBlue", 0x4169E1},
    {"clWebSaddleBrown", 0x8B4513}, {"clWebSalmon", 0xFA8072}, {"clWebSandyBrown", 0xF4A460},
    {"clWebSeaGreen", 0x2E8B57}, {"clWebSeashell", 0xFFF5EE}, {"clWebSienna", 0xA0522D},
    {"clWebSilver", 0xC0C0C0}, {"clWebSkyBlue", 0x87CEEB}, {"clWebSlateBlue", 0x6A5ACD},
    {"clWebSlateGray", 0x708090}, {"clWebSnow", 0xFFFAFA}, {"clWebSpringGreen", 0x00FF7F},
    {"clWebSteelBlue", 0x4682B4}, {"clWebTan", 0xD2B48C}, {"clWebTeal", 0x008080},
    {"clWebThistle", 0xD8BFD8}, {"clWebTomato", 0xFF6347}, {"clWebTurquoise", 0x40E0D0},
    {"clWebViolet", 0xEE82EE}, {"clWebWheat", 0xF5DEB3}, {"clWebWhite", 0xFFFFFF},
    {"clWebWhiteSmoke", 0xF5F5F5}, {"clWebYellow", 0xFFFF00}, {"clWebYellowGreen", 0x9ACD32},
}};

std::vector<TColorBoxItem> DefaultPalette()
{
    std::vector<TColorBoxItem> boxes;
    for (const PaletteRow& row : kDefaultPalette)
        for (quint32 rgb : row.Rgb)
            boxes.push_back({FromRgb(rgb), row.Pos, true, QRect()});
    return boxes;
}

QSize ArrangeColorBoxes(std::vector<TColorBoxItem>& boxes, const ColorBoxLayout& l)
{
    if (boxes.empty())
        return {100, 50};
    const QSize s = l.BoxSize;
    int x = l.OffSetX, y = l.OffSetY, maxX = 0, column = 0;
    bool gap = false;
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i].Rect = QRect(x, y, s.width(), s.height());
        ++column;
        if (i + 1 == boxes.size())
            break;
        if (boxes[i].ColorBoxPos == ipStandAlone)
            gap = true;
        if (column < l.Columns) {
            x += s.width() + l.ColumnGap;
        } else {
            if (gap)
                y += l.ColumnGap;
            gap = false;
            y += s.height();
            maxX = std::max(maxX, x);
            x = l.OffSetX;
            column = 0;
        }
    }
    return {std::max(x, maxX) + s.width() + l.OffSetX + 1, y + s.height() + l.OffSetY};
}

int ColorBoxAtPos(const std::vector<TColorBoxItem>& boxes, QPoint p)
{
    for (size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].Rect.contains(p))
            return int(i);
    return -1;
}

int FirstBoxOfColor(const std::vector<TColorBoxItem>& boxes, TColor color)
{
    if (color == clNone)
        return -1;
    for (size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].Color == color)
            return int(i);
    return -1;
}

const std::array<CubeCell, 127>& CubeCells()
{
    static const std::array<CubeCell, 127> cells = [] {
        std::array<CubeCell, 127> out{};
        size_t n = 0;
        for (int row = 1; row <= 13; ++row) {
            const int x0 = row <= 7 ? 55 - 6 * (row - 1) : 19 + 6 * (row - 7);
            const std::vector<quint32>& colours = kCubeRows[size_t(row - 1)];
            for (size_t i = 0; i < colours.size(); ++i)
                out[n++] = {QPoint(x0 + 12 * int(i), 20 + 10 * (row - 1)), FromRgb(colours[i])};
        }
        return out;
    }();
    return cells;
}

int CubeCellAtPos(QPoint p)
{
    const auto& cells = CubeCells();
    for (size_t i = 0; i < cells.size(); ++i) {
        const QPoint d = p - cells[i].Center;
        if (d.x() * d.x() + d.y() * d.y() <= 36)
            return int(i) + 1;
    }
    return -1;
}

int CubeCellOfColor(TColor color)
{
    const auto& cells = CubeCells();
    for (size_t i = 0; i < cells.size(); ++i)
        if (cells[i].Color == color)
            return int(i) + 1;
    return -1;
}

std::array<QPoint, 6> CubeHexagon(QPoint c, int w, int q)
{
    return {QPoint(c.x() - w, c.y() - q), QPoint(c.x(), c.y() - 2 * q), QPoint(c.x() + w, c.y() - q),
            QPoint(c.x() + w, c.y() + q), QPoint(c.x(), c.y() + 2 * q), QPoint(c.x() - w, c.y() + q)};
}

QString CubeHint(TColor color)
{
    return QStringLiteral("Red: %1,  Green: %2,  Blue: %3").arg(Red(color)).arg(Green(color)).arg(Blue(color));
}

QImage SpectrumImage()
{
    QImage image(128, 128, QImage::Format_RGB32);
    for (int x = 0; x < 128; ++x) {
        const QColor hue = QColor::fromHsvF(x / 128.0, 1.0, 1.0);
        for (int y = 0; y < 128; ++y) {
            double r, g, b;
            if (y <= 64) {  // white to the full hue
                const double t = y / 64.0;
                r = 1 + (hue.redF() - 1) * t;
                g = 1 + (hue.greenF() - 1) * t;
                b = 1 + (hue.blueF() - 1) * t;
            } else {  // the full hue to black
                const double t = 1 - (y - 64) / 63.0;
                r = hue.redF() * t;
                g = hue.greenF() * t;
                b = hue.blueF() * t;
            }
            image.setPixel(x, y, qRgb(int(r * 255 + 0.5), int(g * 255 + 0.5), int(b * 255 + 0.5)));
        }
    }
    return image;
}

QImage PipetteCursorImage()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The glass tube from the tip at the lower left up to the bulb.
    QPainterPath tube;
    tube.moveTo(1.5, 30.5);
    tube.lineTo(4, 24);
    tube.lineTo(18, 10);
    tube.lineTo(22, 14);
    tube.lineTo(8, 28);
    tube.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(tube);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(24, 8), 5.5, 5.5);  // the bulb
    p.drawLine(QPointF(16, 8), QPointF(24, 16));  // the collar
    return image;
}

QRect SpectrumSelectedSwatch()
{
    const QRect i = kSpectrumImageRect;
    return QRect(QPoint(i.left() - 1, i.top() + i.height() + 8), QPoint(i.left() + 64 - 2 - 1, i.top() + i.height() + 28 - 1));
}

QRect SpectrumHotSwatch()
{
    const QRect s = SpectrumSelectedSwatch();
    const QRect i = kSpectrumImageRect;
    return QRect(QPoint(s.right() + 1 + 4, s.top()), QPoint(i.left() + i.width() + 1 - 1, s.bottom()));
}

QString ColorText(TColor color, TColorValueText kind)
{
    const int r = Red(color), g = Green(color), b = Blue(color);
    switch (kind) {
    case cvtHex:  // the stored value: blue, green, red
        return QStringLiteral("%1").arg(color & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
    case cvtRGB:
        return QStringLiteral("Red:%1,Green:%2,Blue:%3").arg(r).arg(g).arg(b);
    case cvtHTML:
        return QStringLiteral("#%1%2%3")
            .arg(r, 2, 16, QLatin1Char('0'))
            .arg(g, 2, 16, QLatin1Char('0'))
            .arg(b, 2, 16, QLatin1Char('0'))
            .toUpper();
    case cvtWebName: {
        const quint32 rgb = quint32(r << 16 | g << 8 | b);
        for (const WebColor& w : kWebColors)
            if (w.Rgb == rgb)
                return QString::fromLatin1(w.Name);
        return ColorText(color, cvtHTML);
    }
    default:
        return QString();
    }
}

}  // namespace dropdown
