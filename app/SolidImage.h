#pragma once
// TSolidImage: the pattern's solid as a picture that the mouse turns and
// zooms. A drag with the left button turns it (across: the azimuth, up and
// down: the elevation, held between −90° and 90°, straight up and straight
// down), the wheel zooms it within bounds. Every change of view paints the
// picture again for the control's size from the mesh it holds; the mesh
// itself stays as it is, so turning costs one drawing and no computation of
// the pattern.
#include "FittedImage.h"
#include "solid/SolidMesh.h"

#include <QPointF>

#include <memory>
#include <optional>

class QPainter;
class QRectF;

// How the solid is seen: from an azimuth and an elevation (degrees, as
// SolidViewpoint takes them), at a zoom of its fitted size.
struct SolidTurn
{
    double azimuthDegrees = 30.0;
    double elevationDegrees = 20.0;
    double zoom = 1.0;

    bool operator==(const SolidTurn &other) const
    {
        return azimuthDegrees == other.azimuthDegrees && elevationDegrees == other.elevationDegrees
               && zoom == other.zoom;
    }
};

// The zoom's bounds: from half the fitted size (the solid small in the
// middle) to four times it (a lobe across the picture).
inline constexpr double kMinSolidZoom = 0.5;
inline constexpr double kMaxSolidZoom = 4.0;

// The view after the pointer was dragged by delta pixels: half a degree a
// pixel, the azimuth kept within 0 to 360°, the elevation within ±90°.
SolidTurn DraggedTurn(const SolidTurn &turn, QPointF delta);
// The view after the wheel turned by steps notches (a notch is 120 of a
// wheel event's angle, negative toward the user): a quarter larger a notch
// away from the user, within the bounds.
SolidTurn ZoomedTurn(const SolidTurn &turn, double steps);

// The solid in area as seen from turn: fitted to area as PaintSolid fits
// it, then scaled about area's centre by the zoom, nothing drawn outside
// area.
void PaintTurnedSolid(QPainter &painter, const QRectF &area, const SolidMesh &mesh, const SolidTurn &turn);

class TSolidImage : public TFittedImage
{
    Q_OBJECT
public:
    explicit TSolidImage(QWidget *parent = nullptr);

    // Shows another mesh from the present view; none clears the picture.
    void SetMesh(std::shared_ptr<const SolidMesh> mesh);
    std::shared_ptr<const SolidMesh> Mesh() const { return m_mesh; }

    const SolidTurn &Turn() const { return m_turn; }
    void SetTurn(const SolidTurn &turn);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void Paint();

    std::shared_ptr<const SolidMesh> m_mesh;
    SolidTurn m_turn;
    // Where the last drag event left the pointer; none while no drag is on.
    std::optional<QPointF> m_dragFrom;
};
