#pragma once
// The words both programs refuse a length of 30 or more with: the window in
// its message box, dipole-render on standard error. The window's text keeps
// the form's "\r\n" between the two lines; a terminal takes "\n".
#include <QString>

enum class LineBreak { Terminal, Form };

// The two lines of the refusal, joined by the line break.
QString LengthRefusedText(LineBreak lineBreak);
