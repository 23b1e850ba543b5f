// The runtime's integer syntax that a colour box reads typed colour numbers in.
#include "numbers/RuntimeInteger.h"

#include <gtest/gtest.h>

TEST(RuntimeInteger, Syntax)
{
    struct Case
    {
        const char *text;
        bool ok;
        qint32 value;
    };
    const Case cases[] = {
        {"  12", true, 12},       {"-5", true, -5},
        {"+7", true, 7},          {"$FF", true, 255},
        {"x1f", true, 31},        {"0x10", true, 16},
        {"$FFFFFFFF", true, -1},  {"-2147483648", true, qint32(0x80000000u)},
        {"2147483648", false, 0}, {"$1FFFFFFFF", false, 0},
        {"12a", false, 0},        {"", false, 0},
        {"$", false, 0},          {"12 ", false, 0},
    };
    for (const Case &c : cases) {
        qint32 value = 0;
        EXPECT_EQ(ParseRuntimeInteger(QString::fromLatin1(c.text), value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}
