#pragma once
#include <QChar>
#include <QLocale>
#include <QString>

namespace platform {

// The number and date conventions that texts of cells follow: separators and
// the short date format. Seeded from the system locale; readers ask for
// Current() at each use, so a change (or a test's own settings) takes effect
// on the next call.
struct FormatSettings
{
    QChar DecimalSeparator = u'.';
    QChar ThousandSeparator = u',';
    QChar DateSeparator = u'/';
    QChar TimeSeparator = u':';
    // Day, month and year letters as in "dd/mm/yyyy".
    QString ShortDateFormat = QStringLiteral("dd/mm/yyyy");

    static FormatSettings FromLocale(const QLocale& locale);
    static const FormatSettings& Current();
    static void SetCurrent(const FormatSettings& settings);
};

// Sets the current settings for its lifetime and puts the previous ones back.
class ScopedFormatSettings
{
public:
    explicit ScopedFormatSettings(const FormatSettings& settings);
    ~ScopedFormatSettings();
    ScopedFormatSettings(const ScopedFormatSettings&) = delete;
    ScopedFormatSettings& operator=(const ScopedFormatSettings&) = delete;

private:
    FormatSettings previous_;
};

} // namespace platform
