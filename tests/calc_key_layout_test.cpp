// The popup's key table: typed keys must reach the button that shows them,
// and the field must hand the popup exactly the calculator's characters.
#include "widgets/CalcKeyLayout.h"

#include <gtest/gtest.h>

#include <set>

using namespace calckeys;

namespace {

const QChar comma(','), dot('.');

} // namespace

TEST(CalcKeyLayout, EveryKeyIsFoundByTheCharacterOnItsCaption)
{
    for (const KeyPlace &key : popupKeys()) {
        const QString caption = captionOfKind(key.kind, comma);
        if (key.kind == cbSign || key.kind == cbBackspace)
            continue; // no typed character shows these captions
        ASSERT_EQ(caption.size(), 1) << key.kind;
        EXPECT_EQ(keySequencePosition(caption.at(0), comma), tagOfKind(key.kind)) << key.kind;
    }
    EXPECT_EQ(keySequencePosition(QChar('_'), comma), tagOfKind(cbSign));
    EXPECT_EQ(keySequencePosition(QChar(8), comma), tagOfKind(cbBackspace));
}

TEST(CalcKeyLayout, TypedAliasesPressTheSameButtons)
{
    const int separatorTag = tagOfKind(cbDecimal);
    EXPECT_EQ(keySequencePosition(dot, comma), separatorTag);
    EXPECT_EQ(keySequencePosition(comma, dot), separatorTag);
    EXPECT_EQ(keySequencePosition(QChar(13), comma), tagOfKind(cbEquals));
    EXPECT_EQ(keySequencePosition(QChar(27), comma), tagOfKind(cbClear));
    EXPECT_EQ(keySequencePosition(QChar('c'), comma), tagOfKind(cbClear));
    EXPECT_EQ(keySequencePosition(QChar('q'), comma), tagOfKind(cbSqrt));
    EXPECT_EQ(keySequencePosition(QChar('x'), comma), -1);
    EXPECT_EQ(keySequencePosition(QChar('E'), comma), -1);
}

TEST(CalcKeyLayout, KeysWithoutAPopupButtonHaveNoKeyInTheGrid)
{
    std::set<int> kinds;
    for (const KeyPlace &key : popupKeys())
        kinds.insert(key.kind);
    EXPECT_EQ(kinds.size(), 19u);
    for (int kind : {cbSqrt, cbPercent, cbReciprocal, cbMemoryPlus, cbOk, cbCancel})
        EXPECT_EQ(kinds.count(kind), 0u) << kind;
    EXPECT_EQ(tagOfKind(cbMemoryPlus), -1);
    EXPECT_EQ(tagOfKind(cbCancel), -1);
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
