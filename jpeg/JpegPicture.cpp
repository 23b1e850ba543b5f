#include "JpegPicture.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onJpegError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings about slightly damaged data are not worth a message.
void onJpegMessage(j_common_ptr) {}

// Keeps every object with a destructor out of the frame that longjmp
// returns to: the caller owns the image and turns a failure into an error.
bool decodeInto(const QByteArray &data, QImage *out, char *message)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.output_message = onJpegMessage;
    err.message[0] = '\0';
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    *out = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB888);
    if (out->isNull()) {
        jpeg_destroy_decompress(&cinfo);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", "Out of system resources");
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out->scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

QList<PictureFileType> &formatRegistry()
{
    static QList<PictureFileType> formats;
    return formats;
}

} // namespace

JpegError::JpegError(const QString &message) : AppError(message) {}

QImage DecodeJpeg(const QByteArray &data)
{
    if (data.isEmpty())
        throw JpegError(QStringLiteral("Empty input file"));
    QImage image;
    char message[JMSG_LENGTH_MAX];
    if (!decodeInto(data, &image, message))
        throw JpegError(QString::fromLocal8Bit(message));
    return image.convertToFormat(QImage::Format_RGB32);
}

const QImage &TJPEGImage::Image() const
{
    if (m_image.isNull())
        m_image = DecodeJpeg(m_data);
    return m_image;
}

void RegisterPictureFileType(const QString &extension, const QString &description)
{
    QList<PictureFileType> &formats = formatRegistry();
    for (PictureFileType &format : formats) {
        if (format.extension.compare(extension, Qt::CaseInsensitive) == 0) {
            format.description = description;
            return;
        }
    }
    formats.append({extension.toLower(), description});
}

const PictureFileType *FindPictureFileType(const QString &extension)
{
    for (const PictureFileType &format : formatRegistry()) {
        if (format.extension.compare(extension, Qt::CaseInsensitive) == 0)
            return &format;
    }
    return nullptr;
}

QList<PictureFileType> RegisteredPictureFileTypes()
{
    return formatRegistry();
}

void RegisterJpegFormats()
{
    const QString description = QStringLiteral("JPEG Image File");
    RegisterPictureFileType(QStringLiteral("jpeg"), description);
    RegisterPictureFileType(QStringLiteral("jpg"), description);
}
