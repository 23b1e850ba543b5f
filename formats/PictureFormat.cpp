#include "PictureFormat.h"

namespace {

constexpr PictureFormat kFormats[] = {PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf};

} // namespace

QString PictureFormatName(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Png: return QStringLiteral("png");
    case PictureFormat::Svg: return QStringLiteral("svg");
    case PictureFormat::Pdf: return QStringLiteral("pdf");
    case PictureFormat::Bmp: break;
    }
    return QStringLiteral("bmp");
}

bool ParsePictureFormat(const QString &text, PictureFormat &format)
{
    for (PictureFormat candidate : kFormats) {
        if (text.compare(PictureFormatName(candidate), Qt::CaseInsensitive) == 0) {
            format = candidate;
            return true;
        }
    }
    return false;
}

bool IsVectorFormat(PictureFormat format)
{
    return format == PictureFormat::Svg || format == PictureFormat::Pdf;
}
