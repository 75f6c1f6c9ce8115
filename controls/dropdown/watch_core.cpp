#include "controls/dropdown/watch_core.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace dropdown {

namespace {

// Halves to even, as the face's geometry rounds.
int Round(double v)
{
    return int(std::nearbyint(v));
}

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;

}  // namespace

QRect WatchFaceRect(const QRect& client, int size)
{
    const int w = client.width();
    const int h = client.height();
    const int s = size > 0 ? std::min({size, w, h}) : std::min(w, h) - 20;
    return QRect(client.left() + (w - s) / 2, client.top() + (h - s) / 2, s, s);
}

QPoint WatchCenter(const QRect& face)
{
    return QPoint(face.left() + face.width() / 2, face.top() + face.width() / 2);
}

double WatchRadius(const QRect& face)
{
    return face.width() / 2;
}

bool PointInEllipse(const QRect& face, QPoint p)
{
    const double a = face.width() / 2.0;
    const double b = face.height() / 2.0;
    if (a <= 0 || b <= 0)
        return false;
    const double dx = (p.x() - (face.left() + a)) / a;
    const double dy = (p.y() - (face.top() + b)) / b;
    return dx * dx + dy * dy <= 1.0;
}

int PointToMinute(QPoint c, QPoint p)
{
    int dy = std::abs(c.y() - p.y());
    int dx = std::abs(c.x() - p.x());
    if (dy == 0)
        dy = 1;
    if (dx == 0)
        dx = 1;
    const int f = Round(qRadiansToDegrees(std::atan(double(dy) / dx)) / 6);
    int m;
    if (p.x() >= c.x() && p.y() >= c.y())
        m = 15 + f;
    else if (p.x() <= c.x() && p.y() >= c.y())
        m = 45 - f;
    else if (p.x() <= c.x() && p.y() <= c.y())
        m = 45 + f;
    else
        m = 15 - f;
    return m < 0 || m > 59 ? 0 : m;
}

int PointToHour(QPoint center, QPoint p, bool am)
{
    const int c = Round(PointToMinute(center, p) / 5.0) % 12;
    return am ? c : c + 12;
}

QRect AMPMRect(QPoint center, double radius, QSize text)
{
    return QRect(center.x() - (text.width() + 8) / 2, center.y() + Round((radius - text.height()) / 3),
                 text.width() + 8, text.height());
}

QPoint HandPoint(QPoint c, double r, double degrees, double f)
{
    const double a = qDegreesToRadians(degrees);
    return QPoint(Round(c.x() + r * std::sin(a) * f), Round(c.y() - r * std::cos(a) * f));
}

std::array<double, 3> HandAngles(const QTime& t)
{
    const int hour = t.hour() % 12;
    return {hour * 30 + t.minute() / 12.0 * 6, t.minute() * 6.0, t.second() * 6.0};
}

// AMPM border, AMPM, background, background to, border, centre border,
// centre, marks and hands, shadows, second hand.
const std::array<WatchStyleColors, 15> kWatchStyleColors{{
    {grid::tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, kWhite, kWhite},
    {grid::tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, kWhite, kWhite},
    {grid::tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, kWhite, kWhite},
    {grid::tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, kWhite, 0x808080},
    {grid::tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, kWhite, 0x723708},
    {grid::tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, kWhite, 0xF2F1F0},
    {grid::tsWindowsXP, kBlack, grid::clBtnFace, grid::clBtnFace, grid::clBtnFace, kBlack, kBlack, kBlack, kBlack, kWhite, kBlack},
    {grid::tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, kWhite, 0x7E9898},
    {grid::tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, kWhite, 0x74706F},
    {grid::tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, kWhite, 0xFEDF9A},
    {grid::tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, kWhite, 0xFBD6B8},
    {grid::tsTerminal, 0x808080, grid::clBtnFace, grid::clBtnFace, grid::clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, kWhite, 0x808080},
    {grid::tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, kWhite, 0xC7B29F},
    {grid::tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, kWhite, kWhite, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8},
    {grid::tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, kWhite, 0x6D6D6D},
}};

void ApplyWatchStyle(TWatchAppearance& a, TSkinStyle style)
{
    a.CenterPointOuterBorderColor = kBlack;
    a.HourFontColor = kBlack;
    a.AMPMFontColor = kBlack;
    for (const WatchStyleColors& row : kWatchStyleColors) {
        if (row.Style != style)
            continue;
        a.AMPMBorderColor = row.AMPMBorder;
        a.AMPMColor = row.AMPM;
        a.BackgroundColor = row.Background;
        a.BackgroundColorTo = row.BackgroundTo;
        a.BorderColor = row.Border;
        a.CenterPointBorderColor = row.CenterBorder;
        a.CenterPointColor = row.Center;
        a.HourColor = a.MinuteColor = a.HourPointer = a.MinutePointer = row.Marks;
        a.HourPointerShadow = a.MinutePointerShadow = row.Shadow;
        a.SecondPointer = row.Second;
        if (style == grid::tsOffice2007Obsidian)
            a.AMPMFontColor = a.HourFontColor = 0xF2F1F0;
    }
}

// ---- the model ----

QTime WatchModel::DisplayTime() const
{
    if (!Auto)
        return time_;
    return Now().addSecs(TimeOffset * 60);
}

void WatchModel::SetTime(const QTime& value)
{
    Store(value);
}

void WatchModel::Store(const QTime& t)
{
    if (t == time_)
        return;
    time_ = t;
    am_ = t.hour() < 12;
}

bool WatchModel::SetAM(bool value)
{
    if (value == am_)
        return false;
    am_ = value;
    return true;
}

void WatchModel::Start()
{
    animating_ = true;
    if (OnAnimate)
        OnAnimate(true);
}

void WatchModel::Stop()
{
    animating_ = false;
    if (OnAnimate)
        OnAnimate(false);
}

void WatchModel::Internal(const std::function<void()>& step)
{
    const bool old = internalCall_;
    internalCall_ = true;
    step();
    internalCall_ = old;
}

void WatchModel::SetHour(int value)
{
    const QTime t = DisplayTime();
    if (value < 0 || value > 23 || value == t.hour())
        return;
    if (Animation && !internalCall_) {
        hourTo_ = value;
        hourAnimating_ = true;
        Start();
        return;
    }
    Store(QTime(value, t.minute(), t.second(), t.msec()));
    if (value == hourTo_ && OnChange)
        OnChange();
}

bool WatchModel::SetMinute(int value)
{
    if (value < 0 || value >= 60)
        return false;
    const QTime t = DisplayTime();
    if (value == t.minute())
        return true;
    if (Animation && !internalCall_) {
        minuteTo_ = value;
        hourAnimating_ = false;
        minuteFrom_ = t.minute();
        Start();
        return true;
    }
    if (!Animation)
        minuteFrom_ = t.minute();
    int hour = t.hour();
    if (value == 0 && minuteFrom_ > 30) {
        hour = (hour + 1) % 24;
        minuteFrom_ = 0;
    }
    Store(QTime(hour, value, t.second(), t.msec()));
    if (value == minuteTo_ && OnChange)
        OnChange();
    return true;
}

bool StepHourToward(int& value, int target, int step)
{
    if (std::abs(value - target) <= 1) {
        value = target;
        return false;
    }
    step = std::max(1, step);
    value += value < target ? step : -step;
    return true;
}

bool StepMinuteToward(int& value, int target, int step)
{
    if (std::abs(value - target) <= 1) {
        value = target;
        return false;
    }
    step = std::max(1, step);
    const bool forward = value < target || (target == 0 && value > 30);
    value += forward ? step : -step;
    if (value >= 60 || value < 0)
        value = 0;
    return true;
}

bool WatchModel::Tick()
{
    if (!Animation || !animating_)
        return false;
    const QTime t = DisplayTime();
    bool moved;
    if (hourAnimating_) {
        int v = t.hour();
        moved = StepHourToward(v, hourTo_, int(std::nearbyint(std::abs(hourTo_ - v) / double(factor_))));
        Internal([&] { SetHour(moved ? v : hourTo_); });
    } else {
        int v = t.minute();
        const int distance = minuteTo_ == 0 && v > 30 ? 60 - v : std::abs(minuteTo_ - v);
        moved = StepMinuteToward(v, minuteTo_, int(std::nearbyint(distance / double(factor_))));
        Internal([&] { SetMinute(moved ? v : minuteTo_); });
    }
    if (!moved)
        Stop();
    return moved;
}

void WatchModel::HandleKey(int key)
{
    if (Auto)
        return;
    QTime t = DisplayTime();
    if (key == Qt::Key_A && t.hour() > 11)
        SetHour(t.hour() - 12);
    else if (key == Qt::Key_P && t.hour() < 12)
        SetHour(t.hour() + 12);
    t = DisplayTime();
    switch (key) {
    case Qt::Key_PageUp:
        if (t.hour() == 23)
            Internal([&] { SetHour(0); });
        else
            SetHour(t.hour() + 1);
        break;
    case Qt::Key_PageDown:
        if (t.hour() == 0)
            Internal([&] { SetHour(23); });
        else
            SetHour(t.hour() - 1);
        break;
    case Qt::Key_End:
        SetMinute(0);
        break;
    case Qt::Key_Home:
        Internal([&] { SetHour(12); });
        break;
    case Qt::Key_Left:
        if (t.minute() == 0)
            Store(QTime(t.hour() == 0 ? 23 : t.hour() - 1, 59, t.second(), t.msec()));
        else
            SetMinute(t.minute() - 1);
        break;
    case Qt::Key_Right:
        if (t.minute() == 59) {
            // The hour stays: no forward crossing here.
            Store(QTime(t.hour(), 0, t.second(), t.msec()));
            if (minuteTo_ == 0 && OnChange)
                OnChange();
        } else {
            SetMinute(t.minute() + 1);
        }
        break;
    default:
        break;
    }
}

void WatchModel::Click(const QRect& face, const QRect& ampm, QPoint p)
{
    if (Auto)
        return;
    const QPoint center = WatchCenter(face);
    if (!PointInEllipse(face, p)) {
        SetMinute(PointToMinute(center, p));
        return;
    }
    if (ampm.contains(p)) {
        if (Animation)
            SetAM(!am_);
        const int hour = DisplayTime().hour();
        Internal([&] {
            hourTo_ = hour < 12 ? hour + 12 : hour - 12;
            SetHour(hourTo_);
        });
        return;
    }
    SetHour(PointToHour(center, p, am_));
}

// ---- the time picker's text ----

QString TimePickerMask(QChar separator, bool seconds)
{
    QString mask = QStringLiteral("!90") + separator + QStringLiteral("00");
    if (seconds)
        mask += separator + QStringLiteral("00");
    return mask + QStringLiteral(";1; ");
}

QString ToQtInputMask(const QString& mask)
{
    const QStringList parts = mask.split(u';');
    QString body = parts.value(0);
    if (body.startsWith(u'!'))
        body.remove(0, 1);
    static const QString kMeta = QStringLiteral("AaNnXx90DdHhBb#<>!\\[]{}");
    QString out;
    for (QChar ch : body) {
        if (ch == u'9')
            out += u'0';  // optional digit
        else if (ch == u'0')
            out += u'9';  // required digit
        else if (kMeta.contains(ch))
            out += u'\\' + QString(ch);
        else
            out += ch;
    }
    const QString blank = parts.size() > 2 && !parts[2].isEmpty() ? parts[2].left(1) : QStringLiteral(" ");
    return out + u';' + blank;
}

QString FormatTimeText(const QTime& t, QChar separator, bool seconds)
{
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    QString text = two(t.hour()) + separator + two(t.minute());
    if (seconds)
        text += separator + two(t.second());
    return text;
}

TimePart TimePartAt(const QString& text, int caret, QChar separator, bool seconds)
{
    const qsizetype first = text.indexOf(separator);
    if (first < 0)
        return TimePart::Hour;
    const int p = int(first) + 1;
    if (caret < p)
        return TimePart::Hour;
    const qsizetype second = text.mid(first + 1).indexOf(separator);
    const int q = second < 0 ? -1 : int(second) + 1;
    if (q > 0 && caret - p >= q && seconds)
        return TimePart::Second;
    return TimePart::Minute;
}

QTime StepTimePart(const QTime& t, TimePart part, int delta)
{
    int h = t.hour(), m = t.minute(), s = t.second();
    switch (part) {
    case TimePart::Hour: h = (h + delta + 24) % 24; break;
    case TimePart::Minute: m = (m + delta + 60) % 60; break;
    case TimePart::Second: s = (s + delta + 60) % 60; break;
    }
    return QTime(h, m, s, t.msec());
}

QTime ParseTimeEntry(const QString& text, QChar separator, bool seconds)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() != (seconds ? 8 : 5))
        return {};
    const qsizetype first = trimmed.indexOf(separator);
    if (first < 0)
        return {};
    const qsizetype second = trimmed.indexOf(separator, first + 1);
    if ((second >= 0) != seconds || (second >= 0 && trimmed.indexOf(separator, second + 1) >= 0))
        return {};
    QString z = trimmed;
    z.replace(u' ', u'0');
    auto value = [](const QString& part, int& out) {
        const QString p = part.trimmed();
        if (p.size() > 2)
            return false;
        for (QChar c : p)
            if (c < u'0' || c > u'9')
                return false;
        out = p.isEmpty() ? 0 : p.toInt();
        return true;
    };
    int h = 0, m = 0, s = 0;
    const QString minutes = seconds ? z.mid(first + 1, second - first - 1) : z.mid(first + 1);
    if (!value(z.left(first), h) || !value(minutes, m) || (seconds && !value(z.mid(second + 1), s)))
        return {};
    if (h > 23 || m > 59 || s > 59)
        return {};
    return QTime(h, m, s);
}

}  // namespace dropdown
