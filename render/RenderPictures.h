#pragma once
// The forms of dipole-render that write one set of pictures into the --out
// folder (the current directory without one): the picture pair of one
// length, plain or labelled; a family's pair; the current along the wire;
// and the impedance table with its picture. Each returns the exit status.
#include "RenderRun.h"
#include "formats/PicturePair.h"

// The build command's two pictures for one length, in the options' colour
// and fill, as the window draws them.
PairDrawing BuildCommandDrawing(const RenderOptions &options, long double length);

// dn1.EXT and dn2.EXT of the one LENGTH in the window's style.
int RenderBuildPair(const RenderRun &run);

// dn1.EXT and dn2.EXT of the family in the window's style: the legend shows
// each length as its field would after editing.
int RenderFamilyPair(const RenderRun &run);

// dn1.EXT and dn2.EXT in the labelled style: the family when there is one,
// else the one LENGTH.
int RenderLabelledPair(const RenderRun &run);

// dn1.EXT and dn2.EXT of the wire over the ground or the monopole: its
// elevation pattern in polar form over the ground line and against the
// elevation, always labelled.
int RenderGroundPair(const RenderRun &run);

// current.EXT for the one LENGTH, with NEC-2's current over it when asked.
int RenderCurrent(const RenderRun &run);

// The ground's table over heights, and its picture with --out.
int RenderHeightSweep(const RenderRun &run);

// The impedance table, and its picture with --out.
int RenderImpedance(const RenderRun &run);
// One wire over a band of frequencies: its table or summary, its pictures
// with --out, its Touchstone file.
int RenderFrequencySweep(const RenderRun &run);
