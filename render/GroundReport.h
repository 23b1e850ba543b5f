#pragma once
// What dipole-render says about a dipole over a perfect ground and about a
// monopole on it: the elevation of the maximum, the half-power elevations,
// the directivity over the ground (its power integrated over the upper half
// space only) and, for a wire of a given radius, the input impedance with
// the image's mutual impedance beside the free-space figure. Each as report
// lines in English (the report's value column) and as JSON fields.
#include "WireReport.h"

#include "physics/GroundImage.h"
#include "physics/GroundReadouts.h"
#include "physics/InducedEmf.h"
#include "physics/NecGround.h"

#include <QByteArray>

#include <optional>
#include <vector>

// --ground perfect|real --height H [--orientation], or --monopole; with
// --nec NEC-2's solution beside the closed form's, over the soil for
// --ground real (the closed form's figures stay those of a perfect ground).
struct GroundRequest
{
    bool monopole = false;
    double height = 0.0; // the dipole's centre above the ground, wavelengths
    GroundOrientation orientation = GroundOrientation::Horizontal;
    bool nec = false;
    std::optional<NecSoil> soil; // --ground real: the soil under NEC-2's wire
};

struct GroundFigures
{
    GroundRequest request;
    double length = 0.0; // the dipole's M; the monopole is M/2 high
    GroundReadouts readouts;
    std::optional<double> freeSpaceDbi; // the dipole's directivity in free space
    // With a radius: the input impedance over the ground (a monopole's at
    // its base) and the dipole's in free space; none at a current node.
    std::optional<double> radius;
    std::optional<Impedance> input;
    std::optional<Impedance> freeSpace;
    std::optional<NecGroundSolution> nec; // with --nec and a radius
};

// NEC-2's model of the request's wire of length M and that radius.
NecGroundModel GroundNecModel(const GroundRequest &request, double M, double radius);

// The figures of a length and height the command line has checked.
GroundFigures ComputeGroundFigures(const GroundRequest &request, double M, std::optional<double> radius);

// The lines that follow the free-space report of a dipole over the ground.
QByteArray GroundReportTable(const GroundFigures &figures);

// The monopole's own report, which replaces the dipole's.
QByteArray MonopoleReportTable(const GroundFigures &figures);

// ground, ground_height, ground_orientation, elevation_of_max_deg,
// half_power_elevation_deg [from, to] (null where the cut is zero), for a
// horizontal wire along_wire_elevation_of_max_deg and
// along_wire_half_power_elevation_deg, directivity_over_ground and
// directivity_over_ground_dbi, and with a radius
// ground_input_impedance_ohm [R, X] and ground_impedance_change_ohm
// [ΔR, ΔX] against free space (null at a current node). The monopole has
// monopole_height in place of the ground's height and orientation, and
// free_space_directivity_dbi and free_space_input_impedance_ohm for the
// dipole it is half of.
// With NEC-2's solution, a "nec_ground" object: ground ("perfect" or
// "real", with permittivity and conductivity_s_per_m for a real one),
// input_impedance_ohm [R, X], max_gain_dbi, segments, and per cut
// (across, along for a horizontal wire) max_gain_dbi, elevation_of_max_deg
// and half_power_elevation_deg [from, to] (null where NEC-2 finds no field).
std::vector<JsonField> GroundJsonFields(const GroundFigures &figures);

// The monopole's report as one JSON object on one line.
QByteArray MonopoleJson(const GroundFigures &figures);
