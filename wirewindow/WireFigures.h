#pragma once
// The companion window's words and figures in Russian: the impedance, the
// standing-wave ratio and the feed's current of a WireModel as the window
// shows them, and the texts that refuse a radius or a line resistance.
// Numbers are written with the user's decimal separator (a comma in the
// Russian locale), as the numeric fields write them.
#include "WireModel.h"

#include <QString>

// A length or radius as the user typed it: "0,5", "0,001".
QString WireNumberText(double value);

// "73,08 + j42,52 Ом", "13,43 − j446,68 Ом", or why there is no finite
// impedance.
QString InputImpedanceText(const WireModel &model);
// "1,95"; "∞" at a current node; "—" where the impedance is undefined.
QString StandingWaveRatioText(const WireModel &model);
// The caption before it: "КСВ в линии 50 Ом:".
QString StandingWaveRatioCaption(const WireModel &model);
// The feed's current against the wire's largest, three digits: "0,707".
QString FeedCurrentText(const WireModel &model);

QString RadiusRefusalText(RadiusFault fault, double radius, double length);
QString RadiusRefusalCaption();
QString ReferenceResistanceRefusalText();
QString ReferenceResistanceRefusalCaption();
