#pragma once
// The pattern's solid as a shaded picture for a handout: the mesh seen from
// a chosen azimuth and elevation (an orthographic view, z up the page when
// the elevation is 0), each triangle filled with its level's colour times
// a Lambert light from over the viewer's left shoulder, drawn far to near
// (the painter's algorithm) with the triangles that face away left out,
// as a closed surface always hides them. The wire is drawn along its axis
// as a dark rod with the feed's gap, pieced into the same far-to-near
// order so the solid hides it where it passes inside; over the ground the
// ground plane is a grey square with a grid under the solid.
//
// Flat shading lights each triangle by its own normal; smooth shading by
// the mean of its corners' lights, each from the vertex's averaged normal,
// which hides the facets of a coarse grid (a triangle still takes one
// colour: at 1° or 2° a triangle is a few pixels).
#include "solid/SolidMesh.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

enum class SolidShading { Flat, Smooth };

struct SolidViewpoint
{
    double azimuthDegrees = 30.0;   // from the x axis (a horizontal wire's axis) about z
    double elevationDegrees = 20.0; // above the xy plane (the ground)
    SolidShading shading = SolidShading::Smooth;
    QColor background = Qt::white;
};

// The picture in area, the solid and its wire fitted with a margin.
void PaintSolid(QPainter &painter, const QRectF &area, const SolidMesh &mesh, const SolidViewpoint &view);

// The same on an image of the size given (RGB32, the background filled).
QImage DrawSolid(const SolidMesh &mesh, const SolidViewpoint &view, QSize size);
