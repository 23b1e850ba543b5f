#pragma once
// One dipole as the companion window studies it: the length the main window
// built, the radius of its wire and the resistance of the feed line it is
// measured against, and what follows from the three: the input impedance by
// the induced-EMF method, the standing-wave ratio on the line, the current
// along the wire, and R and X over a range of lengths for the same wire.
//
// A new radius or resistance is checked before it is taken, so a refused one
// leaves the model, and everything computed from it, as it was. A new length
// is always taken: the window follows every build. The radius is kept then
// even where it no longer fits the new length; the impedance is then
// undefined (WireState::RadiusTooThick) until the user gives a thinner wire.
#include "base/AppError.h"
#include "physics/CurrentDistribution.h"
#include "physics/ImpedanceCurve.h"
#include "physics/InducedEmf.h"

#include <optional>
#include <vector>

inline constexpr double kStartReferenceResistance = 50.0;

// The lengths over which R and X are drawn.
inline constexpr double kCurveFirstLength = 0.1;
inline constexpr double kCurveLastLength = 3.0;
inline constexpr double kCurveLengthStep = 0.01;

// What the impedance at the feed is for the model's length and radius.
enum class WireState {
    Impedance,      // finite, given by inputImpedance()
    CurrentNode,    // infinite: the feed sits at a node of the current
    RadiusTooThick, // undefined: the radius is not below half the length
    NoWire,         // undefined: the length is 0
    OutOfRange,     // undefined: |M| beyond the plots' length limit
};

// Why a radius is refused, in the order the checks are made.
enum class RadiusFault {
    None,
    NotPositive,  // 0 or less, or not a number
    TooThin,      // above 0 but below kMinWireRadius
    TooThick,     // above kMaxWireRadius
    NotBelowHalf, // not below half the length
};

// A computation of the wire failed where the checks had let it through; the
// message is the window's own, in Russian, for the error box.
class WireComputationError : public AppError
{
public:
    WireComputationError();
};

// The methods that compute throw WireComputationError rather than the
// computation's own errors; a radius whose computation fails is not taken.
class WireModel
{
public:
    double length() const { return m_length; } // as built, sign and all
    double radius() const { return m_radius; }
    double referenceResistance() const { return m_reference; }

    // Takes any length the build command draws. Beyond the plots' length
    // limit (a length of -30 or less is drawn) nothing is computed: the
    // state is WireState::OutOfRange and the current has no samples.
    void setLength(double M);

    RadiusFault radiusFault(double radius) const;
    // Takes a radius without a fault; false, changing nothing, otherwise.
    bool setRadius(double radius);

    static bool referenceResistanceFits(double resistance);
    // Takes a resistance that fits; false, changing nothing, otherwise.
    bool setReferenceResistance(double resistance);

    WireState state() const;
    // The impedance at the feed where the state is WireState::Impedance.
    std::optional<Impedance> inputImpedance() const { return m_input; }
    // Against the reference resistance; infinite at a current node, none
    // where the impedance is undefined.
    std::optional<double> standingWaveRatio() const;
    // The feed's current against the wire's largest (none for M = 0).
    std::optional<double> feedToMaximumCurrent() const;

    // The current at sampleCount (at least 2) evenly spaced points along the
    // wire.
    CurrentDistribution current(int sampleCount) const;
    // R and X for this radius at every length of the curve's range that the
    // radius fits, the standing-wave ratio with them.
    std::vector<ImpedancePoint> impedanceCurve() const;

private:
    void recompute();

    double m_length = 0.0;
    double m_radius = kDefaultWireRadius;
    double m_reference = kStartReferenceResistance;
    std::optional<Impedance> m_input;
};
