#include "RecordingNotifier.h"

#include <gtest/gtest.h>

TEST(ErrorBox, AppendsAFullStopOnlyAfterCharactersAboveIt)
{
    EXPECT_EQ(errorBoxText("Cannot create file dn1.bmp"), "Cannot create file dn1.bmp.");
    EXPECT_EQ(errorBoxText("Stream write error"), "Stream write error.");
    EXPECT_EQ(errorBoxText("Value 7"), "Value 7.");
    EXPECT_EQ(errorBoxText("Done."), "Done.");
    EXPECT_EQ(errorBoxText("Done!"), "Done!");
    EXPECT_EQ(errorBoxText("(x)"), "(x)");
    EXPECT_EQ(errorBoxText("line\n"), "line\n");
    EXPECT_EQ(errorBoxText(""), "");
}

TEST(ErrorBox, GoesThroughTheSeamWithTheApplicationTitle)
{
    RecordingNotifier recorder;
    setErrorBoxCaption(QString::fromUtf8("Построение ДН СВ"));
    showError(nullptr, "Cannot create file dn2.bmp");
    setErrorBoxCaption(QString());
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, "Cannot create file dn2.bmp.");
    EXPECT_EQ(recorder.boxes[0].caption, QString::fromUtf8("Построение ДН СВ"));
    EXPECT_TRUE(recorder.boxes[0].error);
}
