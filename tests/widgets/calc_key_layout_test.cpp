// The popup's key table: typed keys must reach the button that shows them,
// and the field must hand the popup exactly the calculator's characters.
#include "numbers/LocaleNumberSettings.h"
#include "widgets/CalcKeyLayout.h"
#include "widgets/CalcPanel.h"

#include <gtest/gtest.h>

#include <set>

using namespace CalcKeys;

namespace {

const QChar comma(','), dot('.');

} // namespace

TEST(CalcKeyLayout, EveryKeyIsFoundByTheCharacterOnItsCaption)
{
    for (const KeyPlace &key : PopupKeys()) {
        const QString caption = CaptionOfKind(key.kind, comma);
        if (key.kind == cbSign || key.kind == cbBackspace)
            continue; // no typed character shows these captions
        ASSERT_EQ(caption.size(), 1) << key.kind;
        EXPECT_EQ(KeySequencePosition(caption.at(0), comma), TagOfKind(key.kind)) << key.kind;
    }
    EXPECT_EQ(KeySequencePosition(QChar('_'), comma), TagOfKind(cbSign));
    EXPECT_EQ(KeySequencePosition(QChar(8), comma), TagOfKind(cbBackspace));
}

TEST(CalcKeyLayout, TypedAliasesPressTheSameButtons)
{
    const int separatorTag = TagOfKind(cbDecimal);
    EXPECT_EQ(KeySequencePosition(dot, comma), separatorTag);
    EXPECT_EQ(KeySequencePosition(comma, dot), separatorTag);
    EXPECT_EQ(KeySequencePosition(QChar(13), comma), TagOfKind(cbEquals));
    EXPECT_EQ(KeySequencePosition(QChar(27), comma), TagOfKind(cbClear));
    EXPECT_EQ(KeySequencePosition(QChar('c'), comma), TagOfKind(cbClear));
    EXPECT_EQ(KeySequencePosition(QChar('q'), comma), TagOfKind(cbSqrt));
    EXPECT_EQ(KeySequencePosition(QChar('x'), comma), -1);
    EXPECT_EQ(KeySequencePosition(QChar('E'), comma), -1);
}

TEST(CalcKeyLayout, KeysWithoutAPopupButtonHaveNoKeyInTheGrid)
{
    std::set<int> kinds;
    for (const KeyPlace &key : PopupKeys())
        kinds.insert(key.kind);
    EXPECT_EQ(kinds.size(), 19u);
    for (int kind : {cbSqrt, cbPercent, cbReciprocal, cbMemoryPlus, cbOk, cbCancel})
        EXPECT_EQ(kinds.count(kind), 0u) << kind;
    EXPECT_EQ(TagOfKind(cbMemoryPlus), -1);
    EXPECT_EQ(TagOfKind(cbCancel), -1);
}

TEST(CalcKeyLayout, KeysFitThePopupWithoutOverlapping)
{
    const auto &keys = PopupKeys();
    const QRect panel(0, 0, kPopupWidth - 2, kPopupHeight - 2);
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_TRUE(panel.contains(keys[i].bounds)) << keys[i].kind;
        for (size_t j = i + 1; j < keys.size(); ++j)
            EXPECT_FALSE(keys[i].bounds.intersects(keys[j].bounds)) << keys[i].kind << " " << keys[j].kind;
    }
}

// Every key of the popup: where it stands in the panel, its size, what it
// reads, in which colour and with which frame.
TEST(CalcKeyLayout, EveryKeyMatchesTheKeyTable)
{
    struct KeyRow
    {
        const char *caption;
        int kind;
        int left;
        int top;
        int width;
        TColor colour;
    };
    const KeyRow table[] = {
        {"7", cbDigit0 + 7, 6, 6, 21, clBtnText},   {"8", cbDigit0 + 8, 29, 6, 21, clBtnText},
        {"9", cbDigit0 + 9, 52, 6, 21, clBtnText},  {"/", cbDivide, 75, 6, 21, clPurple},
        {"4", cbDigit0 + 4, 6, 29, 21, clBtnText},  {"5", cbDigit0 + 5, 29, 29, 21, clBtnText},
        {"6", cbDigit0 + 6, 52, 29, 21, clBtnText}, {"*", cbMultiply, 75, 29, 21, clPurple},
        {"1", cbDigit0 + 1, 6, 52, 21, clBtnText},  {"2", cbDigit0 + 2, 29, 52, 21, clBtnText},
        {"3", cbDigit0 + 3, 52, 52, 21, clBtnText}, {"-", cbSubtract, 75, 52, 21, clPurple},
        {"0", cbDigit0, 6, 75, 21, clBtnText},      {",", cbDecimal, 29, 75, 21, clBtnText},
        {"\u00B1", cbSign, 52, 75, 21, clBtnText},  {"+", cbAdd, 75, 75, 21, clPurple},
        {"C", cbClear, 6, 98, 21, clMaroon},        {"<-", cbBackspace, 29, 98, 21, clMaroon},
        {"=", cbEquals, 52, 98, 44, clPurple},
    };
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::russian());
    TLocCalculator panel;
    const QList<TCalcButton *> keys = panel.findChildren<TCalcButton *>();
    ASSERT_EQ(keys.size(), int(std::size(table)));
    for (const KeyRow &row : table) {
        const QString caption = QString::fromUtf8(row.caption);
        TCalcButton *key = nullptr;
        for (TCalcButton *candidate : keys)
            if (candidate->ButtonKind() == row.kind)
                key = candidate;
        ASSERT_NE(key, nullptr) << row.caption;
        EXPECT_EQ(key->Caption(), caption) << row.caption;
        EXPECT_EQ(key->geometry(), QRect(row.left, row.top, row.width, 21)) << row.caption;
        EXPECT_EQ(key->FontColor(), row.colour) << row.caption;
        EXPECT_EQ(key->ButtonStyle(), bsWin31) << row.caption;
        EXPECT_TRUE(key->font().bold()) << row.caption;
        EXPECT_EQ(key->Tag(), row.kind - 1) << row.caption;
    }
}
