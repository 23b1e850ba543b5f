#pragma once
// The pictures of the drop-down edit field's button for the glyph kinds that
// do not come from the field itself: the dotted ellipsis and the desktop
// style's drop-down arrow.
#include <QImage>

class QWidget;

// The dotted picture of a gkEllipsis button of the given width.
QImage DrawEllipsisGlyph(int buttonWidth);
// The desktop style's drop-down arrow, magenta where transparent.
QImage DropDownArrowGlyph(const QWidget *widget);
