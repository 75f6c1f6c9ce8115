#include "controls/grid/rich/rtf_subset.h"

#include "controls/grid/core/ex_string_grid.h"
#include "platform/text/cp1252.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>
#include <vector>

namespace grid {

namespace {

// Groups nested deeper than this are read as part of their parent.
constexpr int kMaxDepth = 200;

enum class Destination { Text, Skip, ColourTable };

struct State
{
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int Colour = 0;
    QTextCharFormat::VerticalAlignment VAlign = QTextCharFormat::AlignNormal;
    int UcSkip = 1;
    Destination Dest = Destination::Text;
};

// Destinations whose content is not text.
const char* const kSkipped[] = {"fonttbl",   "stylesheet", "info",      "pict",     "object",    "header",
                                "headerl",   "headerr",    "headerf",   "footer",   "footerl",   "footerr",
                                "footerf",   "footnote",   "fldinst",   "themedata", "colorschememapping",
                                "latentstyles", "datastore", "xmlnstbl", "listtable", "listoverridetable",
                                "rsidtbl",   "generator",  "filetbl",   "revtbl",   "pntext",    "pntxta",
                                "pntxtb",    "bkmkstart",  "bkmkend",   "annotation", "atnid",   "atnauthor",
                                "shppict",   "nonshppict"};

// Control words that stand for one character.
const struct
{
    const char* Word;
    char16_t Char;
} kCharWords[] = {{"tab", u'\t'},      {"line", QChar::LineSeparator}, {"emdash", u'\u2014'},
                  {"endash", u'\u2013'}, {"bullet", u'\u2022'},        {"lquote", u'\u2018'},
                  {"rquote", u'\u2019'}, {"ldblquote", u'\u201C'},     {"rdblquote", u'\u201D'}};

class Reader
{
public:
    Reader(const QString& in, QTextDocument& doc) : in_(in), cursor_(&doc) {}

    void Run()
    {
        while (pos_ < in_.size()) {
            const QChar ch = in_[pos_++];
            if (ch == u'{') {
                Flush();
                skipChars_ = 0;
                if (depth_ < kMaxDepth)
                    stack_.push_back(st_);
                ++depth_;
                groupStart_ = true;
                continue;
            }
            if (ch == u'}') {
                Flush();
                skipChars_ = 0;
                if (depth_ > 0 && depth_ <= kMaxDepth && !stack_.empty()) {
                    st_ = stack_.back();
                    stack_.pop_back();
                }
                depth_ = std::max(0, depth_ - 1);
                groupStart_ = false;
                continue;
            }
            if (ch == u'\\') {
                ControlWord();
                groupStart_ = false;
                continue;
            }
            groupStart_ = false;
            if (ch == u'\r' || ch == u'\n')
                continue;
            Text(ch);
        }
        Flush();
    }

private:
    void Text(QChar ch)
    {
        if (skipChars_ > 0) {
            --skipChars_;
            return;
        }
        if (st_.Dest == Destination::ColourTable) {
            if (ch == u';') {
                colours_.push_back(colourSet_ ? QColor(red_, green_, blue_) : QColor());
                red_ = green_ = blue_ = 0;
                colourSet_ = false;
            }
            return;
        }
        if (st_.Dest == Destination::Text)
            Append(ch);
    }

    void Append(QChar ch)
    {
        const QTextCharFormat f = Format();
        if (!buffer_.isEmpty() && f != bufferFormat_)
            Flush();
        bufferFormat_ = f;
        buffer_.append(ch);
    }

    QTextCharFormat Format() const
    {
        QTextCharFormat f;
        if (st_.Bold)
            f.setFontWeight(QFont::Bold);
        if (st_.Italic)
            f.setFontItalic(true);
        if (st_.Underline)
            f.setFontUnderline(true);
        if (st_.Colour > 0 && st_.Colour < int(colours_.size()) && colours_[size_t(st_.Colour)].isValid())
            f.setForeground(colours_[size_t(st_.Colour)]);
        if (st_.VAlign != QTextCharFormat::AlignNormal)
            f.setVerticalAlignment(st_.VAlign);
        return f;
    }

    void Flush()
    {
        if (buffer_.isEmpty())
            return;
        cursor_.insertText(buffer_, bufferFormat_);
        buffer_.clear();
    }

    void ControlWord()
    {
        if (pos_ >= in_.size())
            return;
        const QChar first = in_[pos_];
        if (!IsLetter(first)) {
            ++pos_;
            Symbol(first);
            return;
        }
        QString word;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) {
            if (word.size() < 32)
                word.append(in_[pos_]);
            ++pos_;
        }
        bool hasParam = false;
        qint64 param = 0;
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == u'-' && pos_ + 1 < in_.size() && in_[pos_ + 1].isDigit()) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && in_[pos_] >= u'0' && in_[pos_] <= u'9') {
            hasParam = true;
            if (param < 100000000)
                param = param * 10 + (in_[pos_].unicode() - u'0');
            ++pos_;
        }
        if (negative)
            param = -param;
        if (pos_ < in_.size() && in_[pos_] == u' ')
            ++pos_;
        Word(word, hasParam, int(param));
    }

    static bool IsLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

    void Symbol(QChar c)
    {
        switch (c.unicode()) {
        case u'\'': {
            if (pos_ + 2 > in_.size()) {
                pos_ = in_.size();
                return;
            }
            bool ok = false;
            const int byte = in_.mid(pos_, 2).toInt(&ok, 16);
            pos_ += 2;
            if (ok)
                Text(Cp1252ToString(QByteArray(1, char(byte))).at(0));
            return;
        }
        case u'\\':
        case u'{':
        case u'}':
            Text(c);
            return;
        case u'~':
            Text(QChar(0xA0));
            return;
        case u'_':
            Text(QChar(0x2011));
            return;
        case u'*':
            if (groupStart_ || depth_ > 0)
                st_.Dest = Destination::Skip;
            return;
        case u'\r':
        case u'\n':
            Word(QStringLiteral("par"), false, 0);
            return;
        default:
            return;
        }
    }

    void Word(const QString& w, bool hasParam, int param)
    {
        skipChars_ = 0;
        if (w == u"bin") {
            // Binary data: skipped whole.
            pos_ += std::clamp<qsizetype>(param, 0, in_.size() - pos_);
            return;
        }
        if (groupStart_) {
            for (const char* name : kSkipped)
                if (w == QLatin1String(name)) {
                    Flush();
                    st_.Dest = Destination::Skip;
                    return;
                }
            if (w == u"colortbl") {
                Flush();
                st_.Dest = Destination::ColourTable;
                colours_.clear();
                return;
            }
        }
        if (st_.Dest == Destination::ColourTable) {
            const int v = std::clamp(param, 0, 255);
            if (w == u"red")
                red_ = v;
            else if (w == u"green")
                green_ = v;
            else if (w == u"blue")
                blue_ = v;
            else
                return;
            colourSet_ = true;
            return;
        }
        if (st_.Dest == Destination::Skip)
            return;
        const bool on = !hasParam || param != 0;
        if (w == u"b")
            st_.Bold = on;
        else if (w == u"i")
            st_.Italic = on;
        else if (w == u"ul")
            st_.Underline = on;
        else if (w == u"ulnone")
            st_.Underline = false;
        else if (w == u"cf")
            st_.Colour = hasParam ? std::max(0, param) : 0;
        else if (w == u"sub")
            st_.VAlign = QTextCharFormat::AlignSubScript;
        else if (w == u"super")
            st_.VAlign = QTextCharFormat::AlignSuperScript;
        else if (w == u"nosupersub")
            st_.VAlign = QTextCharFormat::AlignNormal;
        else if (w == u"up")
            st_.VAlign = on ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal;
        else if (w == u"dn")
            st_.VAlign = on ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal;
        else if (w == u"plain") {
            st_.Bold = st_.Italic = st_.Underline = false;
            st_.Colour = 0;
            st_.VAlign = QTextCharFormat::AlignNormal;
        } else if (w == u"uc")
            st_.UcSkip = std::clamp(param, 0, 10);
        else if (w == u"u") {
            Text(QChar(char16_t(param < 0 ? param + 65536 : param)));
            skipChars_ = st_.UcSkip;
        } else if (w == u"par") {
            Flush();
            cursor_.insertBlock();
        } else {
            for (const auto& c : kCharWords)
                if (w == QLatin1String(c.Word)) {
                    Text(QChar(c.Char));
                    return;
                }
        }
    }

    const QString& in_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;
    State st_;
    std::vector<State> stack_;
    int depth_ = 0;
    bool groupStart_ = false;
    int skipChars_ = 0;
    std::vector<QColor> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourSet_ = false;
    QString buffer_;
    QTextCharFormat bufferFormat_;
};

void AppendEscaped(QString& out, const QString& text)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += u'\\';
            out += ch;
        } else if (u == u'\t') {
            out += QStringLiteral("\\tab ");
        } else if (u == QChar::LineSeparator) {
            out += QStringLiteral("\\line ");
        } else if (u < 0x20 || u >= 0x80) {
            out += QStringLiteral("\\u%1?").arg(int(qint16(u)));
        } else {
            out += ch;
        }
    }
}

bool HasColour(const QTextCharFormat& f)
{
    return f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush;
}

} // namespace

bool IsRtfText(const QString& text)
{
    return text.startsWith(QStringLiteral("{\\rtf"));
}

void ReadRtf(const QString& rtf, QTextDocument& doc)
{
    doc.clear();
    Reader(rtf, doc).Run();
}

QString WriteRtf(const QTextDocument& doc)
{
    std::vector<QRgb> colours;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (HasColour(f)) {
                const QRgb c = f.foreground().color().rgb();
                if (std::find(colours.begin(), colours.end(), c) == colours.end())
                    colours.push_back(c);
            }
        }
    QString out = QStringLiteral("{\\rtf1\\ansi\\deff0 ");
    if (!colours.empty()) {
        out += QStringLiteral("{\\colortbl ;");
        for (const QRgb c : colours)
            out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
        out += u'}';
    }
    bool firstBlock = true;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (!firstBlock)
            out += QStringLiteral("\\par\n");
        firstBlock = false;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const QTextCharFormat f = frag.charFormat();
            QString flags;
            if (f.fontWeight() > QFont::Normal)
                flags += QStringLiteral("\\b");
            if (f.fontItalic())
                flags += QStringLiteral("\\i");
            if (f.fontUnderline())
                flags += QStringLiteral("\\ul");
            if (HasColour(f)) {
                const auto at = std::find(colours.begin(), colours.end(), f.foreground().color().rgb());
                flags += QStringLiteral("\\cf%1").arg(at - colours.begin() + 1);
            }
            if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
                flags += QStringLiteral("\\sub");
            else if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                flags += QStringLiteral("\\super");
            if (flags.isEmpty()) {
                AppendEscaped(out, frag.text());
            } else {
                out += u'{' + flags + u' ';
                AppendEscaped(out, frag.text());
                out += u'}';
            }
        }
    }
    out += u'}';
    return out;
}

void CellToRich(const TExStringGrid& grid, int col, int row, QTextDocument& doc)
{
    const QString text = grid.Cells(col, row);
    if (text.isEmpty())
        doc.clear();
    else if (IsRtfText(text))
        ReadRtf(text, doc);
    else
        doc.setPlainText(text);
}

QString RichToString(const QTextDocument& doc)
{
    return doc.isEmpty() ? QString() : WriteRtf(doc);
}

void RichToCell(TExStringGrid& grid, int col, int row, const QTextDocument& doc)
{
    grid.SetCells(col, row, RichToString(doc));
}

} // namespace grid
