// dipole-render's --family option: its rows, and the pictures it writes
// against the family drawing that the window uses.
#include "plot/DrawingSurface.h"
#include "plot/FamilyPlot.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"
#include "render/RenderOptions.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(RenderFamily, ParsesFamilyRows)
{
    const RenderOptions options = ParseRenderOptions({"--family", "0.5:Maroon,-1:red,1.5:000080", "--no-fill"});
    ASSERT_EQ(options.family.size(), 3u);
    EXPECT_EQ(options.family[0].length, 0.5L);
    EXPECT_EQ(options.family[0].colour, clMaroon);
    EXPECT_EQ(options.family[1].length, -1.0L);
    EXPECT_EQ(options.family[1].colour, clRed);
    EXPECT_EQ(options.family[2].colour, clNavy);
    EXPECT_FALSE(options.fill);

    EXPECT_THROW(ParseRenderOptions({"--family", "0.5"}), RenderUsageError);
    EXPECT_THROW(ParseRenderOptions({"--family", "0.5:Mauve"}), RenderUsageError);
    EXPECT_THROW(ParseRenderOptions({"--family", "0.5:Navy,"}), RenderUsageError);
    EXPECT_THROW(ParseRenderOptions({"--family", "1:Navy,2:Navy,3:Navy,4:Navy,5:Navy,6:Navy,7:Navy,8:Navy"}),
                 RenderUsageError);
    EXPECT_THROW(ParseRenderOptions({"--family", "1:Navy", "0.5"}), RenderUsageError);
    EXPECT_THROW(ParseRenderOptions({"--colour", "Red", "--family", "1:Navy"}), RenderUsageError);
}

TEST(RenderFamily, RendererWritesTheFamilyTheWindowWouldDraw)
{
    QTemporaryDir dir;
    QProcess render;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    render.setProcessEnvironment(env);
    render.start(QStringLiteral(DIPOLE_RENDER_PATH), {"--out", dir.path(), "--family", "0.5:Maroon,30:Red,1.5:Navy"});
    ASSERT_TRUE(render.waitForFinished(30000));
    EXPECT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();

    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    DrawFamily(polar, rect, {{0.5L, clMaroon, "0.5"}, {1.5L, clNavy, "1.5"}}, true);
    QFile dn1(dir.path() + "/dn1.bmp"), dn2(dir.path() + "/dn2.bmp");
    ASSERT_TRUE(dn1.open(QIODevice::ReadOnly));
    ASSERT_TRUE(dn2.open(QIODevice::ReadOnly));
    EXPECT_TRUE(dn1.readAll() == EncodeBmp(polar.image(), 32));
    EXPECT_TRUE(dn2.readAll() == EncodeBmp(rect.image(), 32));
}

TEST(RenderFamily, LegendLooksTheSameWithoutTheSystemsFonts)
{
    // The renderer carries its face with it: with the system's font
    // configuration pointed at an empty folder, so that no system font is
    // found, the legend comes out pixel for pixel as with the usual one.
    const auto renderFamily = [](const QString &fontConfig) {
        QTemporaryDir dir;
        QProcess render;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C.UTF-8");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        if (!fontConfig.isEmpty())
            env.insert("FONTCONFIG_FILE", fontConfig);
        render.setProcessEnvironment(env);
        render.start(QStringLiteral(DIPOLE_RENDER_PATH),
                     {"--out", dir.path(), "--family", "0.5:Maroon,1.5:Navy,-2:Red,2.25:Green,7.3:Purple"});
        render.waitForFinished(30000);
        QFile dn1(dir.path() + "/dn1.bmp"), dn2(dir.path() + "/dn2.bmp");
        if (render.exitCode() != 0 || !dn1.open(QIODevice::ReadOnly) || !dn2.open(QIODevice::ReadOnly))
            return QByteArray();
        return dn1.readAll() + dn2.readAll();
    };
    QTemporaryDir empty;
    const QByteArray usual = renderFamily(QString());
    ASSERT_FALSE(usual.isEmpty());
    EXPECT_TRUE(renderFamily(empty.path()) == usual);
}
