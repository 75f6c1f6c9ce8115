// Bytes as a cell's text (a project file's cell may hold any mini-HTML or
// URL) clicked and hovered at points the first bytes choose, then a short
// run of presses, moves and releases: whatever a link names, only an http,
// https or mailto address ever reaches the desktop, and only after Yes.
#include "controls/grid/core/mouse_input.h"

#include <QString>
#include <QUrl>

#include <cstdint>
#include <cstdlib>

using namespace grid;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4 || size > 4096)
        return 0;
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(4);
    g.SetColWidths(1, 200);
    g.SetURLShow(data[0] & 1);
    g.SetURLFull(data[0] & 2);
    g.EnableHTML = !(data[0] & 4);
    TGridOptions o = g.Options();
    if (data[0] & 8)
        o.Include(goColSizing);
    if (data[0] & 16)
        o.Include(goColMoving);
    g.SetOptions(o);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 4), static_cast<qsizetype>(size - 4));
    g.SetCells(1, 1, text);
    g.SetCells(2, 2, text);

    GridMouse m(g);
    bool asked = false;
    m.Ask = [&](const QString& q) {
        asked = true;
        Check(q.startsWith(QStringLiteral("Open this link?\n")));
        return true;
    };
    m.Inform = [](const QString& t) { Check(!t.isEmpty()); };
    m.OpenUrl = [&](const QString& url) {
        Check(asked);
        const QUrl u(url);
        const QString scheme = u.scheme();
        Check(u.isValid());
        Check(scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
              scheme == QLatin1String("mailto"));
        asked = false;
    };

    const QRect cell = g.CellRect(1, 1);
    const int dx = 4 + data[1] % 16;
    const int dy = 3 + data[2] % 8;
    for (int y = cell.top(); y < cell.top() + cell.height(); y += dy) {
        for (int x = cell.left(); x < cell.left() + cell.width(); x += dx) {
            m.Move({}, QPoint(x, y), false);
            m.CursorAt(QPoint(x, y));
            m.HintAt(QPoint(x, y));
            m.Click(QPoint(x, y));
        }
    }
    // Presses, moves and releases at points from the bytes.
    for (size_t i = 4; i + 2 < size && i < 64; i += 3) {
        const QPoint p(data[i] * 2 - 40, data[i + 1] - 20);
        switch (data[i + 2] % 4) {
        case 0:
            m.Press(mbLeft, {}, p);
            break;
        case 1:
            m.Move({}, p, true);
            break;
        case 2:
            m.Release(mbLeft, {}, p);
            break;
        default:
            m.DoubleClick({}, p);
            break;
        }
    }
    m.Release(mbLeft, {}, QPoint(0, 0));
    Check(!m.ButtonHeld());
    return 0;
}
