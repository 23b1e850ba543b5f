#include "ArgumentBytes.h"

#include <cstring>

namespace {

constexpr char16_t kEscapeBase = 0xDC80;

// The length of the valid UTF-8 sequence at s (at most left bytes), 0 when
// the bytes there are not one: no overlong forms, no surrogates, nothing
// beyond U+10FFFF.
int validSequence(const unsigned char *s, size_t left)
{
    const unsigned char c = s[0];
    int length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || size_t(length) > left)
        return 0;
    char32_t code = length == 1 ? c : c & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (s[i] & 0x3F);
    }
    static const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

QString ArgumentText(const char *argument)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(argument);
    const size_t size = std::strlen(argument);
    QString text;
    for (size_t i = 0; i < size;) {
        const int length = validSequence(bytes + i, size - i);
        if (length == 0) {
            text += QChar(char16_t(kEscapeBase + bytes[i]));
            ++i;
        } else {
            text += QString::fromUtf8(argument + i, length);
            i += size_t(length);
        }
    }
    return text;
}

QByteArray ArgumentBytes(const QString &text)
{
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool escaped = i < text.size() && text.at(i).unicode() >= kEscapeBase
                             && text.at(i).unicode() <= kEscapeBase + 0xFF
                             && !(i > 0 && text.at(i - 1).isHighSurrogate());
        if (i < text.size() && !escaped)
            continue;
        bytes += QStringView(text).mid(start, i - start).toUtf8();
        if (i < text.size())
            bytes += char(text.at(i).unicode() - kEscapeBase);
        start = i + 1;
    }
    return bytes;
}
