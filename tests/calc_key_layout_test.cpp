// The popup's key table: typed keys must reach the button that shows them,
// and the field must hand the popup exactly the calculator's characters.
#include "CalcKeyLayout.h"

#include <gtest/gtest.h>

#include <set>

using namespace calckeys;

namespace {

const QChar comma(','), space(' '), dot('.');

} // namespace

TEST(CalcKeyLayout, EveryKeyIsFoundByTheCharacterOnItsCaption)
{
    for (const KeyPlace &key : popupKeys()) {
        const QString caption = captionOfKind(key.kind, comma);
        if (key.kind == kindSign || key.kind == kindBackspace)
            continue; // no typed character shows these captions
        ASSERT_EQ(caption.size(), 1) << key.kind;
        EXPECT_EQ(keySequencePosition(caption.at(0), comma), tagOfKind(key.kind)) << key.kind;
    }
    EXPECT_EQ(keySequencePosition(QChar('_'), comma), tagOfKind(kindSign));
    EXPECT_EQ(keySequencePosition(QChar(8), comma), tagOfKind(kindBackspace));
}

TEST(CalcKeyLayout, TypedAliasesPressTheSameButtons)
{
    const int separatorTag = tagOfKind(kindDecimal);
    EXPECT_EQ(keySequencePosition(dot, comma), separatorTag);
    EXPECT_EQ(keySequencePosition(comma, dot), separatorTag);
    EXPECT_EQ(keySequencePosition(QChar(13), comma), tagOfKind(kindEquals));
    EXPECT_EQ(keySequencePosition(QChar(27), comma), tagOfKind(kindClear));
    EXPECT_EQ(keySequencePosition(QChar('c'), comma), tagOfKind(kindClear));
    EXPECT_EQ(keySequencePosition(QChar('q'), comma), tagOfKind(kindSqrt));
    EXPECT_EQ(keySequencePosition(QChar('x'), comma), -1);
    EXPECT_EQ(keySequencePosition(QChar('E'), comma), -1);
}

TEST(CalcKeyLayout, KeysWithoutAPopupButtonHaveNoKeyInTheGrid)
{
    std::set<int> kinds;
    for (const KeyPlace &key : popupKeys())
        kinds.insert(key.kind);
    EXPECT_EQ(kinds.size(), 19u);
    for (int kind : {kindSqrt, kindPercent, kindReciprocal, kindMemoryPlus, kindOk, kindCancel})
        EXPECT_EQ(kinds.count(kind), 0u) << kind;
    EXPECT_EQ(tagOfKind(kindMemoryPlus), -1);
    EXPECT_EQ(tagOfKind(kindCancel), -1);
}

TEST(CalcKeyLayout, KeysFitThePopupWithoutOverlapping)
{
    const auto &keys = popupKeys();
    const QRect panel(0, 0, popupWidth - 2, popupHeight - 2);
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_TRUE(panel.contains(keys[i].bounds)) << keys[i].kind;
        for (size_t j = i + 1; j < keys.size(); ++j)
            EXPECT_FALSE(keys[i].bounds.intersects(keys[j].bounds)) << keys[i].kind << " " << keys[j].kind;
    }
}

TEST(CalcKeyLayout, CaptionColoursFollowWhatTheKeyDoes)
{
    EXPECT_EQ(captionColorOfKind(kindDigit0 + 5), clBtnText);
    EXPECT_EQ(captionColorOfKind(kindDecimal), clBtnText);
    EXPECT_EQ(captionColorOfKind(kindSign), clBtnText);
    EXPECT_EQ(captionColorOfKind(kindPlus), clPurple);
    EXPECT_EQ(captionColorOfKind(kindEquals), clPurple);
    EXPECT_EQ(captionColorOfKind(kindClear), clMaroon);
    EXPECT_EQ(captionColorOfKind(kindBackspace), clMaroon);
    EXPECT_EQ(captionColorOfKind(kindMemoryRecall), clNavy);
}

TEST(CalcKeyLayout, ForwardedKeysDependOnTheThousandsSeparator)
{
    // Comma decimal, blank thousands: both "," and "." go to the calculator.
    EXPECT_TRUE(isCalculatorKey(comma, comma, space));
    EXPECT_TRUE(isCalculatorKey(dot, comma, space));
    // Comma thousands separator: "," stays with the field.
    EXPECT_FALSE(isCalculatorKey(comma, dot, comma));
    EXPECT_TRUE(isCalculatorKey(dot, dot, comma));
    EXPECT_TRUE(isCalculatorKey(QChar('q'), comma, space));
    EXPECT_TRUE(isCalculatorKey(QChar(8), comma, space));
    EXPECT_TRUE(isCalculatorKey(QChar(13), comma, space));
    EXPECT_FALSE(isCalculatorKey(QChar(27), comma, space));
    EXPECT_FALSE(isCalculatorKey(QChar('e'), comma, space));
    EXPECT_FALSE(isCalculatorKey(space, comma, space));
}
