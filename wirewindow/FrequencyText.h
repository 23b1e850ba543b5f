#pragma once
// Frequencies and lengths as the frequency tab writes them, in the user's
// number format and the unit that suits them.
#include <QString>

// "14,1475 МГц": six digits at most, in Гц, кГц, МГц or ГГц.
QString FrequencyText(double hertz);
// "13,6575–14,3538 МГц": both ends in the unit of the upper one.
QString FrequencyRangeText(double low, double high);
// "10,307 м": five digits at most.
QString MetresText(double metres);
