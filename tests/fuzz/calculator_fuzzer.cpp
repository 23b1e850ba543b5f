// Arbitrary key sequences and button clicks fed to the calculator engine.
// The display must always be "Error" (exactly in the error state) or read
// back as a number; the one exception is a separator typed behind an
// exponent, which only the conversion error may report.
#include "FuzzInput.h"
#include "numbers/CalculatorEngine.h"
#include "numbers/NumberErrors.h"
#include "numbers/NumberText.h"

namespace {

class FuzzClipboard : public CalculatorClipboard
{
public:
    QString content;
    bool hasText() const override { return true; }
    QString text() const override { return content; }
    void setText(const QString &text) override { content = text; }
};

bool readsAsNumber(const QString &text)
{
    return ConvertNumberText(text.trimmed(), nullptr);
}

// A number in exponent form with the decimal separator behind it.
bool isSeparatorBehindExponent(const QString &text)
{
    const QChar separator = CurrentLocaleNumberSettings().decimalSeparator;
    return text.endsWith(separator) && text.contains(QLatin1Char('E')) && readsAsNumber(text.chopped(1));
}

void checkDisplay(const CalculatorEngine &engine)
{
    const QString &text = engine.displayText();
    FUZZ_CHECK((text == QLatin1String("Error")) == (engine.status() == CalcStatus::Error));
    if (engine.status() != CalcStatus::Error)
        FUZZ_CHECK(readsAsNumber(text) || isSeparatorBehindExponent(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    ScopedLocaleNumberSettings locale(in.locale());
    CalculatorEngine engine;
    FuzzClipboard clipboard;
    engine.setClipboard(&clipboard);
    engine.setPrecision(in.byte() % 20);
    const char *const pastes[] = {"1E308", "1E-310", " 12,5 ", "abc", "-0,001", "1.5", "9E307", ""};
    clipboard.content = QString::fromLatin1(pastes[in.byte() % 8]);

    while (!in.empty()) {
        const std::uint8_t b = in.byte();
        try {
            if (b >= 0xE0)
                engine.buttonClick(b - 0xE0);
            else
                engine.processKey(QChar(b));
        } catch (const FloatOverflowError &) {
        } catch (const ConversionError &) {
            FUZZ_CHECK(isSeparatorBehindExponent(engine.displayText()));
        }
        checkDisplay(engine);
    }
    return 0;
}
