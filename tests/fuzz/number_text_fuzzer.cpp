// Number texts under fuzzing: normalising, checking and converting any text,
// writing any value back, and a typed character followed by reading Value.
#include "FuzzInput.h"
#include "numbers/NumKeystrokes.h"
#include "numbers/NumValueModel.h"
#include "numbers/NumberErrors.h"
#include "numbers/NumberText.h"

#include <cmath>

namespace {

void checkWrittenForms(long double v, unsigned decimals, const QString &pattern)
{
    FormatNumberPattern(v, pattern);
    // Near the top of the extended range a rounded text may lie beyond it.
    if (std::fabs(v) > 1e4900L)
        return;
    long double back = 0;
    FUZZ_CHECK(ConvertNumberText(GeneralNumberText(v, 15), &back));
    FUZZ_CHECK(ConvertNumberText(NormalizeNumberText(FormatEditingText(v, decimals)), &back));
    FUZZ_CHECK(ConvertNumberText(FixedNumberText(v, decimals % 30), &back));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    ScopedLocaleNumberSettings locale(in.locale());
    const unsigned decimals = in.byte() % 12;
    const std::uint8_t rangeChoice = in.byte() % 4;
    const int selStart = in.byte() % 80;
    const int selLength = in.byte() % 8;
    const QChar typed(in.byte());
    const QString pattern = in.text(in.byte() % 16);
    const QString text = in.text(200);

    // Checking and converting agree, and a number is finite.
    const QString normal = NormalizeNumberText(text);
    long double value = 0;
    const bool isNumber = IsNumberText(normal, &value);
    try {
        const long double converted = StrToFloat(normal);
        FUZZ_CHECK(isNumber);
        FUZZ_CHECK(std::isfinite(converted));
        FUZZ_CHECK(converted == value || (std::isnan(converted) && std::isnan(value)));
        checkWrittenForms(converted, decimals, pattern);
    } catch (const ConversionError &) {
        FUZZ_CHECK(!isNumber);
    }

    // A typed character that is accepted always leaves a text Value can read.
    NumValueModel model;
    switch (rangeChoice) {
    case 1: model.setMaxValue(10); break;
    case 2:
        model.setMinValue(-5);
        model.setMaxValue(5);
        break;
    case 3: model.setMinValue(1); break;
    default: break;
    }
    model.setDecimalPlaces(decimals);
    try {
        model.setText(text);
    } catch (const ConversionError &) {
    }
    const QString before = model.text();
    if (model.acceptsTypedChar(selStart, selLength, typed)) {
        const int start = std::min(selStart, static_cast<int>(before.size()));
        const int length = std::min(selLength, static_cast<int>(before.size()) - start);
        QString after = before;
        after.replace(start, length, QString(typed));
        model.setText(after); // must not raise
        model.value();
        model.readValueFromText();
    }
    model.value();

    InsertThousandSeparators(text, true);
    InsertThousandSeparators(normal, true);
    return 0;
}
