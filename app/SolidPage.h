#pragma once
// TSolidPage: the laboratory's page "Объём", the pattern of the built length
// as a shaded solid that the mouse turns and zooms (TSolidImage), with a
// line beneath it naming what it shows, and its choices: a linear or a dB
// scale (down to a floor), the grid's step, and where the dipole is: in free
// space, over a perfect ground lying or standing at a height typed in a
// field with its calculator, or as the monopole on the ground. After a
// family it shows one of the family's lengths at a time, picked in a list.
//
// The solid's mesh is made again only when what it depends on changes (the
// length, the scale, the step, the ground, the height); a height the ground
// refuses leaves the picture as it was, with the reason beside the field.
#include "solid/SolidMesh.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class TCalcEdit;
class TSolidImage;

// Where the dipole is.
enum class SolidPlace { FreeSpace, Horizontal, Vertical, Monopole };

// What a mesh is made from; the page makes a new one when this changes.
struct SolidRequest
{
    double length = 0.0;
    SolidOptions options;
    SolidPlace place = SolidPlace::FreeSpace;
    double height = 0.0; // over the ground only

    // The same mesh: the floor counts on the dB scale only, the height over
    // the ground only.
    bool operator==(const SolidRequest &other) const;
};

class TSolidPage : public QWidget
{
    Q_OBJECT
public:
    // radius gives the wire's radius, asked for at every new mesh.
    explicit TSolidPage(std::function<double()> radius, QWidget *parent = nullptr);

    // Shows a length built alone; the list of lengths goes.
    void SetLength(double M);
    // Shows a family's lengths one at a time, the first to begin with.
    void SetFamily(const std::vector<double> &lengths);

    TSolidImage *Image() const { return m_image; }
    // The line beneath the picture, and the reason a height is refused
    // (empty while none is).
    QString Caption() const;
    QString Message() const;

private:
    void CreateControls();
    QLayout *CreateScaleRow();
    QLayout *CreateGroundRow();
    // The mesh the controls ask for, made unless it is the one shown.
    void ShowSolid();
    SolidRequest Request() const;
    // Why the request makes no mesh: a height the ground refuses; else empty.
    QString Refusal(const SolidRequest &request) const;
    QString CaptionOf(const SolidRequest &request) const;
    void ResetView();

    std::function<double()> m_radius;
    std::vector<double> m_lengths;
    std::optional<SolidRequest> m_shown;
    TSolidImage *m_image = nullptr;
    QLabel *m_caption = nullptr;
    QCheckBox *m_decibelBox = nullptr;
    QComboBox *m_floorBox = nullptr;
    QComboBox *m_stepBox = nullptr;
    QComboBox *m_lengthBox = nullptr;
    QComboBox *m_placeBox = nullptr;
    TCalcEdit *m_heightField = nullptr;
    QLabel *m_message = nullptr;
    QPushButton *m_resetButton = nullptr;
};
