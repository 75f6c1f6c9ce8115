#include "controls/grid/cell_controls/edit_mask.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

namespace {

using namespace grid;

TEST(EditMask, OurMaskCharactersBecomeQtsAndQtsOwnAreEscaped)
{
    struct Case
    {
        const char* ours;
        const char* qt;
        bool keep;
    };
    const Case cases[] = {
        {"", "", true},
        {"!00/00/0000;1;_", "99/99/9999;_", true},
        {"99:99;0; ", "00:00; ", false},
        {"LlAaCc#", "AaNnXx#;_", true},
        {">LL<ll<>L", ">AA<aa!A;_", true},
        // Qt's own characters are plain text here; an escape keeps its
        // character; an escape at the end is dropped.
        {"H-b[x]\\0\\", "\\H-\\b\\[\\x\\]\\0;_", true},
        {"0_0", "9 9;_", true},
        // Options without a blank, a blank Qt cannot use.
        {"00;0", "99;_", false},
        {"00;1;\x01", "99; ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ours);
        const QtEditMask m = ToQtEditMask(QString::fromLatin1(c.ours));
        EXPECT_EQ(m.InputMask, QString::fromLatin1(c.qt));
        EXPECT_EQ(m.KeepLiterals, c.keep);
    }
}

TEST(EditMask, TheStoredValueDropsBlanksAndLiteralsOnlyWhenAsked)
{
    struct Case
    {
        const char* mask;
        const char* typed;
        const char* value;
    };
    const Case cases[] = {
        {"!00/00;0;_", "1234", "1234"},
        {"!00/00;1;_", "1234", "12/34"},
        {"!00/00;0;_", "12", "12"},
        {"!00/00;1;_", "123", "12/3"},
        {"\\(000\\) 000;0;_", "5551234", "555123"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        const QString mask = QString::fromLatin1(c.mask);
        QLineEdit edit;
        edit.setInputMask(ToQtEditMask(mask).InputMask);
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(MaskedValue(edit.displayText(), mask), QString::fromLatin1(c.value));
    }
}

}  // namespace
