#pragma once
// TForm1: the main window. Its upper part holds three tab pages (the polar
// picture, the rectangular picture and the family table); the strip below
// holds the length, the colour, the fill option and the commands. The window
// keeps no data of its own between commands beyond the readouts of the last
// length built, which its pictures show as tooltips: lengths, colours,
// ticks and the two pictures live in its controls.
#include "MainPictures.h"

#include <QWidget>
#include <memory>
#include <optional>

namespace Ui {
class TForm1;
}
class TImage;
class TFormImpedance;
class PictureMenu;
class QMenu;

class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    TImage *Image1() const;
    TImage *Image2() const;
    // The pictures' right-click menu ("Копировать", "Сохранить как…", "Печать…").
    PictureMenu &PicturesMenu() const;

    // The line drawn under the two title lines at start-up.
    static QString StartupSubtitle();

    // Opens the laboratory window for the last length built (nothing
    // before the first build); it then follows every build.
    void ShowImpedanceWindow();
    // The laboratory window once it has been opened, else nullptr.
    TFormImpedance *ImpedanceWindow() const { return m_formImpedance.get(); }

Q_SIGNALS:
    // A length was built on both pictures (the family command is no build).
    void OnLengthBuilt(double M);
    // A family was drawn from the ticked rows: the lengths it draws.
    void OnFamilyBuilt(const std::vector<LabelledCurve> &curves);

public Q_SLOTS:
    // The command handlers under the form's names. Each is connected through
    // RunCommand, which shows an error that ends the command in the error box.
    void Button1Click(); // "Построить"
    void Button2Click(); // "Сохранить в файл"
    void Button3Click(); // "О программе..."
    void Button4Click(); // "Построить" on the family page

private:
    // What the commands do.
    void BuildLength();      // builds the length of CalcEdit1 on both pictures
    void SavePictureFiles(); // saves the pictures as dn1.bmp and dn2.bmp
    void ShowAbout();        // shows the About window
    void DrawTickedFamily(); // overlays the ticked rows of the family page

    void FormCreate();

    void DrawCentredTitle(const QString &text, int y);
    void ClearPictures();

    void RunCommand(void (TForm1::*command)());
    void SetPictureToolTips(long double length);
    QString PolarToolTip() const;
    QString RectangularToolTip(QPoint pos) const;
    void FillPictureMenu(QMenu &menu, TImage *image);

    std::unique_ptr<Ui::TForm1> ui;
    // The last length built and the summary of its readouts; the summary is
    // empty before the first build, after a family and where no readouts
    // exist (a length of -30 or less).
    double m_tipLength = 0.0;
    QString m_tipSummary;
    // The last length built, none before the first build.
    std::optional<double> m_builtLength;
    // Made on first use: a window of its own, no child of this one, so that
    // the controls this window finds by name are never its.
    std::unique_ptr<TFormImpedance> m_formImpedance;
    // The last build or family command, to draw it again for the picture
    // menu; none while the pictures hold the start-up title.
    std::optional<DrawnCommand> m_lastCommand;
    std::unique_ptr<PictureMenu> m_pictureMenu;
};
