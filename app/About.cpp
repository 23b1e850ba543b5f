#include "About.h"

#include "FormFont.h"
#include "ImageControl.h"
#include "jpeg/JpegPicture.h"
#include "ui_About.h"

#include <QFile>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>

void InitAppResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

QByteArray aboutPictureData()
{
    InitAppResources();
    QFile file(QStringLiteral(":/about.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void makeLinkStyled(QLabel *label)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(pal);
}

} // namespace

TFormAbout::TFormAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TFormAbout>())
{
    setFont(FormFont());
    ui->setupUi(this);
    setFixedSize(376, 118);

    // Labels take the size of their texts, keeping their top-left corners.
    for (QLabel *label : {ui->Label1, ui->Label2, ui->Label4, ui->Label5, ui->Label6, ui->Label7, ui->Label8})
        label->adjustSize();
    for (QLabel *label : {ui->Label6, ui->Label7, ui->Label8})
        makeLinkStyled(label);
    ui->Label6->installEventFilter(this);

    m_jpeg = std::make_unique<TJPEGImage>(aboutPictureData());
    ui->Image1->SetPicture(m_jpeg->Image());

    connect(ui->Button1, &QPushButton::clicked, this, &TFormAbout::Button1Click);
    ui->Button1->setFocus();
}

TFormAbout::~TFormAbout() = default;

void TFormAbout::Button1Click()
{
    close();
}

void TFormAbout::Label6Click() {}

void TFormAbout::setVisible(bool visible)
{
    // The dialog's own placement guesses the window frames and lands off
    // centre under many window managers; placing the client area centre on
    // the parent's client area centre centres the frames too, as both
    // windows carry the same title bar. The window is kept on the screen.
    if (visible && parentWidget()) {
        const QWidget *owner = parentWidget()->window();
        QRect area(QPoint(), size());
        area.moveCenter(owner->geometry().center());
        if (const QScreen *screen = owner->screen()) {
            const QRect available = screen->availableGeometry();
            area.moveLeft(std::max(available.left(), std::min(area.left(), available.right() + 1 - area.width())));
            area.moveTop(std::max(available.top(), std::min(area.top(), available.bottom() + 1 - area.height())));
        }
        setGeometry(area);
    }
    QDialog::setVisible(visible);
}

TImage *TFormAbout::Picture() const
{
    return ui->Image1;
}

bool TFormAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Label6 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        Label6Click();
    return QDialog::eventFilter(watched, event);
}
