#pragma once
// The frequency tab's words and figures in the user's language and number
// format: frequencies and lengths with their units, the model's first
// resonance and band within the SWR limit, a measurement's beside them with
// the difference in per cent, and a measured pattern's deviation from the
// theory.
#include <QString>

#include <optional>

class FrequencyModel;
struct SwrBand;

// A frequency in the unit that suits it, six digits at most: "14,1475 МГц".
QString FrequencyText(double hertz);
// A length in metres, five digits at most: "10,307 м".
QString MetresText(double metres);
// "13,812–14,467 МГц, полоса 655 кГц (4,63 %)", or that there is none.
QString BandText(const std::optional<SwrBand> &band);

// The model's lines: its first resonance as a frequency for its length and
// as a length at its frequency, and its band within the SWR limit.
QString ModelFiguresText(const FrequencyModel &model);
// The measured one-port's line: its resonance and band, each with how far
// it lies from the model's; empty without one.
QString MeasuredSweepText(const FrequencyModel &model);
// The measured pattern's line against the theory of M wavelengths: its
// points and their RMS deviation in dB; empty without one.
QString MeasuredPatternText(const FrequencyModel &model, double M);
