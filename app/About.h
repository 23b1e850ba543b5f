#pragma once
// TFormAbout: the modal About window with the program's picture, its name,
// a line of text and its contact addresses. The About command creates a new
// one each time; the OK button closes it.
#include <QDialog>
#include <memory>

namespace Ui {
class TFormAbout;
}
class TImage;
class TJPEGImage;

class TFormAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TFormAbout(QWidget *parent = nullptr);
    ~TFormAbout() override;

    void Button1Click();
    // The first web address is shown as a link but opens nothing.
    void Label6Click();

    TImage *Picture() const;

    // Centres the window over its parent each time it is shown.
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::TFormAbout> ui;
    std::unique_ptr<TJPEGImage> m_jpeg;
};

// Makes the program's embedded resources (pictures, icon) available.
void InitAppResources();
