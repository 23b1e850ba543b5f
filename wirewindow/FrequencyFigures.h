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

// "13,6575–14,3538 МГц (696,387 кГц, 4,97 %)", or that there is none.
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
