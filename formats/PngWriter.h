#pragma once
// PNG files of every picture the programs write, made for speed. A plot
// picture holds a handful of colours, so it is written as a palette image of
// 1, 2, 4 or 8 bits per pixel in the colours' order of first appearance,
// unfiltered and quickly deflated: far less to compress than 24-bit rows,
// and nothing is lost. A picture of more than 256 colours (a legend's
// smoothed text, a labelled or wire picture's antialiased lines) is written
// in 24-bit colour with adaptive row filters. Either way the file
// is marked as 96 pixels per inch, like the screen the pictures are drawn
// for, and decodes to exactly the pixels of the image (alpha ignored).
#include <QByteArray>
#include <QImage>

// The whole file. Throws OutOfResourcesError when the encoder fails.
QByteArray EncodePicturePng(const QImage &image);
