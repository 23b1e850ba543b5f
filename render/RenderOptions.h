#pragma once
// The command line of dipole-render:
//     dipole-render [--format F] [--no-fill] [--colour COLOUR] [--out DIR] LENGTH
//     dipole-render [--format F] [--no-fill] [--out DIR] --family LENGTH:COLOUR[,LENGTH:COLOUR...]
//     dipole-render [--format F] [--no-fill] [--colour COLOUR] [--out DIR] --sweep FROM:TO:STEP
//     dipole-render [--report [--json]] [--csv FILE|- [--step DEGREES]] [picture options --out DIR] LENGTH
//     dipole-render --report [--json] [--lobes] [--radius A [--nec]] LENGTH
//     dipole-render --impedance FROM:TO [--step S] [--radius A] [--z0 Z] [--nec]
//     dipole-render --impedance FROM:TO --length L (--diameter D | --radius R) [--step S] [--z0 Z]
//                   [--swr-limit SWR] [--report] [--touchstone FILE] [--measured FILE] [--out DIR]
//     dipole-render --current [--out DIR] LENGTH
//     dipole-render --report [--json] [--radius A] --ground perfect --height H
//                   [--orientation horizontal|vertical] LENGTH
//     dipole-render --report [--json] [--radius A] --monopole LENGTH
//     dipole-render --ground perfect --height-sweep FROM:TO [--step S] --radius A
//                   [--orientation O] [--out DIR [--format F]] LENGTH
//     dipole-render --impedance FROM:TO --ground perfect --height H [--orientation O] ...
// and with --report or --style labelled of one LENGTH
// --measured-pattern FILE [--measured-scale db|linear].
// and in each picture form --style labelled [--scale linear|db [--range DB]]
// [--size WxH] [--fill] [--readouts] for the labelled pictures.
// COLOUR is one of the sixteen colour names of the colour list (any letter
// case) or six hex digits RRGGBB; LENGTH uses a dot as decimal separator and
// may be negative, so "-0.5" is a length, not an option.
// The options are read by a table of one row per option, then checked
// together by a list of rules on their combinations (RenderOptions.cpp).
#include "RenderOptionValues.h"

#include <QString>
#include <QStringList>

// Parses the arguments after the program name; throws RenderUsageError for
// a command line that cannot be run. With --help nothing else is checked.
RenderOptions ParseRenderOptions(const QStringList &arguments);

QString RenderUsage();
