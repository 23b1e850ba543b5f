// The About picture asset, decoding through libjpeg, and the picture-format
// registry.
#include "jpeg/JpegPicture.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray aboutJpeg()
{
    QFile file(QStringLiteral(DIPOLE_RESOURCES_DIR "/about.jpg"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

TEST(JpegTest, AboutPictureIsABaselineJfifColourPicture)
{
    const QByteArray data = aboutJpeg();
    EXPECT_GT(data.size(), 13000);
    EXPECT_LT(data.size(), 15500);
    EXPECT_EQ(data.mid(6, 5), QByteArray("JFIF\0", 5));
    // SOF0 (baseline): length, precision 8, height 116, width 128, 3 components.
    const int sof = data.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GE(sof, 0);
    EXPECT_EQ(data.mid(sof + 4, 6), QByteArray("\x08\x00\x74\x00\x80\x03", 6));
    EXPECT_EQ(data.indexOf(QByteArray("\xFF\xC2", 2)), -1) << "not progressive";
}

TEST(JpegTest, DecodesThePictureIntoAnImage)
{
    const TJPEGImage jpeg(aboutJpeg());
    const QImage &image = jpeg.Image();
    ASSERT_EQ(image.size(), QSize(128, 116));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    // The dipole's upper arm is dark blue, the background light.
    EXPECT_LT(channelDistance(image.pixel(64, 30), qRgb(0x20, 0x30, 0x60)), 40);
    EXPECT_GT(qGray(image.pixel(3, 3)), 200);
    // Decoded once: the same pixels come back.
    EXPECT_EQ(jpeg.Image().constBits(), image.constBits());
}

TEST(JpegTest, DataThatIsNoJpegRaisesAnError)
{
    EXPECT_THROW(DecodeJpeg(QByteArray()), JpegError);
    try {
        DecodeJpeg(QByteArray("BM not a jpeg at all"));
        FAIL() << "no error";
    } catch (const JpegError &error) {
        EXPECT_FALSE(error.message().isEmpty());
    }
    // A cut-off file still gives a picture of the full size (libjpeg pads it).
    const QImage partial = DecodeJpeg(aboutJpeg().left(3000));
    EXPECT_EQ(partial.size(), QSize(128, 116));
}

TEST(JpegTest, RegistryKnowsBothJpegExtensions)
{
    RegisterJpegFormats();
    RegisterJpegFormats();
    const PictureFileType *jpg = FindPictureFileType(QStringLiteral("JPG"));
    ASSERT_NE(jpg, nullptr);
    EXPECT_EQ(jpg->description, "JPEG Image File");
    const PictureFileType *jpeg = FindPictureFileType(QStringLiteral("jpeg"));
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->description, "JPEG Image File");
    EXPECT_EQ(FindPictureFileType(QStringLiteral("bmp")), nullptr);
    int jpegEntries = 0;
    for (const PictureFileType &format : RegisteredPictureFileTypes())
        jpegEntries += format.description == "JPEG Image File";
    EXPECT_EQ(jpegEntries, 2);
}
