#include "RecordingNotifier.h"

#include <gtest/gtest.h>

TEST(ErrorBox, AppendsAFullStopOnlyAfterCharactersAboveIt)
{
    EXPECT_EQ(ErrorBoxText("Cannot create file dn1.bmp"), "Cannot create file dn1.bmp.");
    EXPECT_EQ(ErrorBoxText("Stream write error"), "Stream write error.");
    EXPECT_EQ(ErrorBoxText("Value 7"), "Value 7.");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("Done!"), "Done!");
    EXPECT_EQ(ErrorBoxText("(x)"), "(x)");
    EXPECT_EQ(ErrorBoxText("line\n"), "line\n");
    EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(ErrorBox, GoesThroughTheSeamWithTheApplicationTitle)
{
    RecordingNotifier recorder;
    SetErrorBoxCaption(QString::fromUtf8("Построение ДН СВ"));
    ShowError(nullptr, "Cannot create file dn2.bmp");
    SetErrorBoxCaption(QString());
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, "Cannot create file dn2.bmp.");
    EXPECT_EQ(recorder.boxes[0].caption, QString::fromUtf8("Построение ДН СВ"));
    EXPECT_TRUE(recorder.boxes[0].error);
}
