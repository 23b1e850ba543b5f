#pragma once
// dipole-render's labelled pictures: what a command line with --style
// labelled asks for, as the labelled pictures' curves, options and sizes.
// The words follow the user's locale of messages.
#include "RenderOptions.h"
#include "labelled/LabelledPair.h"

// The pictures of the command line's family when it has one (its rows of 0
// or less and of 30 or more left out, as the plain family skips them), else
// of `length`: the one LENGTH, or a sweep's frame. With --nec the one
// LENGTH carries NEC-2's pattern (nec2c is run here; its errors are thrown).
LabelledPatterns LabelledRenderPatterns(const RenderOptions &options, long double length);

// --size for both pictures, or each picture's default size.
LabelledSizes LabelledRenderSizes(const RenderOptions &options);
