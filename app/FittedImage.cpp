#include "FittedImage.h"

#include <QResizeEvent>

TFittedImage::TFittedImage(QWidget *parent) : TImage(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TFittedImage::SetDrawing(Drawing drawing)
{
    m_drawing = std::move(drawing);
    m_drawn = false;
    Fit();
}

void TFittedImage::resizeEvent(QResizeEvent *event)
{
    TImage::resizeEvent(event);
    Fit();
}

void TFittedImage::showEvent(QShowEvent *event)
{
    TImage::showEvent(event);
    Fit();
}

void TFittedImage::Fit()
{
    if (m_drawn && ShownImage().size() == size())
        return;
    if (!m_drawing || !isVisible() || size().isEmpty())
        return;
    SetPicture(m_drawing(size()));
    m_drawn = true;
}
