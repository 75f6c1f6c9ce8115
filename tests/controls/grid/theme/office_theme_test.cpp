#include "controls/grid/theme/office_theme.h"
#include "controls/grid/theme/theme_notifier.h"
#include "platform/text/ini_file.h"
#include "platform/text/user_registry.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace grid;

platform::IniFile Registry(const char* text)
{
    return platform::IniFile::FromBytes(QByteArray(text));
}

TEST(OfficeTheme, ThemeNumbersOfBothVersionsThenTheVisualStyle)
{
    struct Case
    {
        const char* registry;
        TOfficeTheme theme;
    };
    const Case cases[] = {
        {"", ot2003Classic},
        {"[Software\\Office\\14.0\\Common]\nTheme=1\n", ot2010Blue},
        {"[Software\\Office\\14.0\\Common]\nTheme=2\n", ot2010Silver},
        {"[software\\office\\14.0\\common]\ntheme=3\n", ot2010Black},
        {"[Software\\Office\\14.0\\Common]\nTheme=0\n", ot2003Blue},
        {"[Software\\Office\\14.0\\Common]\nTheme=7\n", ot2003Blue},
        {"[Software\\Office\\12.0\\Common]\nTheme=1\n", ot2007Blue},
        {"[Software\\Office\\12.0\\Common]\nTheme=2\n", ot2007Silver},
        {"[Software\\Office\\12.0\\Common]\nTheme=3\n", ot2007Black},
        {"[Software\\Office\\12.0\\Common]\nTheme=9\n", ot2003Blue},
        // Version 14 wins; a key without the value passes on to version 12.
        {"[Software\\Office\\12.0\\Common]\nTheme=3\n[Software\\Office\\14.0\\Common]\nTheme=2\n", ot2010Silver},
        {"[Software\\Office\\14.0\\Common]\nOther=1\n[Software\\Office\\12.0\\Common]\nTheme=3\n", ot2007Black},
        {"[Software\\Office\\14.0\\Common]\nTheme=blue\n", ot2003Classic},
        {"[Software\\Office\\14.0\\Common\\General]\nTheme=3\n", ot2003Classic},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetOfficeTheme(Registry(c.registry)), c.theme) << c.registry;
}

TEST(OfficeTheme, InstalledVersionFromTheGeneralKey)
{
    struct Case
    {
        const char* registry;
        int version;
    };
    const Case cases[] = {
        {"", 0},
        {"[Software\\Office\\14.0\\Common]\nTheme=1\n", 0},
        {"[Software\\Office\\12.0\\Common\\General]\n", 1},
        {"[Software\\Office\\12.0\\Common\\General\\Sub]\nX=1\n", 1},
        {"[Software\\Office\\12.0\\Common\\GeneralX]\n", 0},
        {"[Software\\Office\\14.0\\Common\\General]\n", 2},
        {"[Software\\Office\\12.0\\Common\\General]\n[SOFTWARE\\OFFICE\\14.0\\COMMON\\GENERAL]\n", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetInstalledOfficeVersion(Registry(c.registry)), c.version) << c.registry;
    EXPECT_EQ(GetXPThemeKind(), 0);
}

// Records the theme it reads each time it is told.
struct ThemeWindow : IOfficeThemeWindow
{
    QString file;
    std::vector<TOfficeTheme>* log = nullptr;
    std::function<void()> whenTold;
    void OfficeThemeChanged() override
    {
        log->push_back(GetOfficeTheme(platform::IniFile(file)));
        if (whenTold)
            whenTold();
    }
};

class ThemeNotifierTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("user_registry.ini"));

    void Write(int version, int theme, const QString& other = {})
    {
        platform::IniFile ini(file);
        const QString key = version == 14 ? kOffice14CommonKey : kOffice12CommonKey;
        ini.WriteString(key + QStringLiteral("\\General"), QStringLiteral("Path"), QStringLiteral("x"));
        ini.WriteInteger(key, QStringLiteral("Theme"), theme);
        if (!other.isEmpty())
            ini.WriteString(QStringLiteral("Software\\Other"), QStringLiteral("Value"), other);
        ASSERT_TRUE(ini.Save());
    }
};

TEST_F(ThemeNotifierTest, WithoutAnOfficeSuiteNothingIsWatched)
{
    TThemeNotifier notifier(file);
    std::vector<TOfficeTheme> log;
    ThemeWindow window;
    window.log = &log;
    EXPECT_FALSE(notifier.Watching());
    notifier.RegisterWindow(&window);
    EXPECT_TRUE(notifier.WinList().empty());
}

TEST_F(ThemeNotifierTest, RegisteringKeepsOneEntryPerWindow)
{
    Write(12, 1);
    TThemeNotifier notifier(file);
    EXPECT_EQ(notifier.Key(), kOffice12CommonKey);
    ThemeWindow a, b;
    notifier.RegisterWindow(&a);
    notifier.RegisterWindow(&b);
    notifier.RegisterWindow(&a);
    EXPECT_EQ(notifier.WinList(), (std::vector<IOfficeThemeWindow*>{&a, &b}));
    ThemeWindow stranger;
    notifier.UnRegisterWindow(&stranger);
    EXPECT_EQ(notifier.WinList().size(), 2u);
    notifier.UnRegisterWindow(&a);
    EXPECT_EQ(notifier.WinList(), (std::vector<IOfficeThemeWindow*>{&b}));
}

TEST_F(ThemeNotifierTest, AChangedThemeTellsTheWindowsInOrderOnce)
{
    Write(14, 1);
    TThemeNotifier notifier(file);
    QSignalSpy spy(&notifier, &TThemeNotifier::OfficeThemeChange);
    std::vector<TOfficeTheme> log;
    std::vector<int> order;
    ThemeWindow a, b;
    a.file = b.file = file;
    a.log = b.log = &log;
    a.whenTold = [&] { order.push_back(1); };
    b.whenTold = [&] { order.push_back(2); };
    notifier.RegisterWindow(&a);
    notifier.RegisterWindow(&b);

    // A value outside the key first, then the theme: one notification.
    Write(14, 1, QStringLiteral("elsewhere"));
    Write(14, 3, QStringLiteral("elsewhere"));
    ASSERT_TRUE(spy.wait(5000));
    QTest::qWait(50);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(log, (std::vector<TOfficeTheme>{ot2010Black, ot2010Black}));
    EXPECT_EQ(order, (std::vector<int>{1, 2}));

    // The file removed and written anew is still watched.
    ASSERT_TRUE(QFile::remove(file));
    Write(14, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.count() >= 2; }, 5000));
    EXPECT_EQ(log.back(), ot2010Silver);
}

TEST_F(ThemeNotifierTest, AWindowMayUnregisterWhileBeingTold)
{
    Write(14, 1);
    TThemeNotifier notifier(file);
    std::vector<TOfficeTheme> log;
    ThemeWindow a, b;
    a.file = b.file = file;
    a.log = b.log = &log;
    a.whenTold = [&] {
        notifier.UnRegisterWindow(&a);
        notifier.UnRegisterWindow(&b);
    };
    notifier.RegisterWindow(&a);
    notifier.RegisterWindow(&b);
    QSignalSpy spy(&notifier, &TThemeNotifier::OfficeThemeChange);
    Write(14, 2);
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(log.size(), 1u);
    EXPECT_TRUE(notifier.WinList().empty());
}

TEST_F(ThemeNotifierTest, TheProgramsNotifierReadsTheUserRegistryFile)
{
    Write(12, 2);
    platform::SetUserRegistryFileName(file);
    EXPECT_EQ(ThemeNotifierIfAny(), nullptr);
    TThemeNotifier* first = GetThemeNotifier();
    EXPECT_EQ(ThemeNotifierIfAny(), first);
    EXPECT_EQ(GetThemeNotifier(), first);
    EXPECT_EQ(first->Key(), kOffice12CommonKey);
    EXPECT_EQ(GetOfficeTheme(), ot2007Silver);
    delete first;
    EXPECT_EQ(ThemeNotifierIfAny(), nullptr);
    Write(14, 2);
    TThemeNotifier* second = GetThemeNotifier();
    EXPECT_EQ(second->Key(), kOffice14CommonKey);
    delete second;
    platform::SetUserRegistryFileName({});
    EXPECT_NE(platform::UserRegistryFileName(), file);
}

}  // namespace
