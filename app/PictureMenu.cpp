#include "PictureMenu.h"

#include "base/SaveErrors.h"
#include "base/SaveFile.h"
#include "widgets/UserNotifier.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

#include <cerrno>

namespace {

struct FilterText
{
    PictureFormat format;
    const char *text;
};

// PNG first: the dialog starts with it.
const FilterText kFilters[] = {
    {PictureFormat::Png, QT_TRANSLATE_NOOP("PictureMenu", "Рисунок PNG (*.png)")},
    {PictureFormat::Bmp, QT_TRANSLATE_NOOP("PictureMenu", "Рисунок BMP, как на экране (*.bmp)")},
    {PictureFormat::Svg, QT_TRANSLATE_NOOP("PictureMenu", "Рисунок SVG (*.svg)")},
    {PictureFormat::Pdf, QT_TRANSLATE_NOOP("PictureMenu", "Документ PDF (*.pdf)")},
};

// The user's pictures folder, else the home folder.
QString startDirectory()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

// The file dialog. A name without a picture extension is completed with
// the chosen filter's, and the question whether to replace an existing file
// is asked about the completed name, the file that will be written.
class PictureSaveDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (files.isEmpty() || QFileInfo(files.constFirst()).isDir()) {
            QFileDialog::accept();
            return;
        }
        const QString completed =
            ResolvePictureSaveChoice(files.constFirst(), PictureFormatOfFilter(selectedNameFilter()), false).fileName;
        if (completed == files.constFirst()) {
            QFileDialog::accept();
            return;
        }
        if (QFileInfo::exists(completed)
            && QMessageBox::question(
                   this, windowTitle(),
                   QCoreApplication::translate("PictureMenu", "Файл %1 уже существует.\nЗаменить его?")
                       .arg(QDir::toNativeSeparators(completed)),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                   != QMessageBox::Yes)
            return;
        // QFileDialog::accept would ask about the name as typed.
        QDialog::accept();
    }
};

// Why a save failed, in the window's words, for the reasons a user can act
// on; empty for others.
QString saveFailureReason(int systemError)
{
    switch (systemError) {
    case ENOENT: return QCoreApplication::translate("PictureMenu", "такой папки нет");
    case ENOTDIR: return QCoreApplication::translate("PictureMenu", "на пути к файлу не папка");
    case EACCES:
    case EPERM: return QCoreApplication::translate("PictureMenu", "нет прав на запись");
    case ENOSPC:
    case EDQUOT: return QCoreApplication::translate("PictureMenu", "на диске нет места");
    case EFBIG: return QCoreApplication::translate("PictureMenu", "файл больше допустимого размера");
    case EROFS: return QCoreApplication::translate("PictureMenu", "диск доступен только для чтения");
    case ENAMETOOLONG: return QCoreApplication::translate("PictureMenu", "слишком длинное имя");
    case EISDIR: return QCoreApplication::translate("PictureMenu", "под этим именем папка");
    case kNotRegularFile: return QCoreApplication::translate("PictureMenu", "под этим именем не обычный файл");
    default: return {};
    }
}

// The error box's text for a save into fileName that failed.
QString saveFailureText(const QString &fileName, int systemError)
{
    QString text = QCoreApplication::translate("PictureMenu", "Не удалось сохранить рисунок в файл\n%1")
                       .arg(QDir::toNativeSeparators(fileName));
    const QString reason = saveFailureReason(systemError);
    if (!reason.isEmpty())
        text += QCoreApplication::translate("PictureMenu", "\nПричина: ") + reason;
    return text;
}

} // namespace

PictureSaveChoice ResolvePictureSaveChoice(const QString &fileName, PictureFormat filterFormat, bool labelled)
{
    PictureSaveChoice choice;
    choice.labelled = labelled;
    choice.fileName = fileName;
    if (ParsePictureFormat(QFileInfo(fileName).suffix(), choice.format))
        return choice;
    choice.format = filterFormat;
    if (!choice.fileName.endsWith(QLatin1Char('.')))
        choice.fileName += QLatin1Char('.');
    choice.fileName += PictureFormatName(filterFormat);
    return choice;
}

QStringList PictureSaveFilters()
{
    QStringList filters;
    for (const FilterText &filter : kFilters)
        filters << QCoreApplication::translate("PictureMenu", filter.text);
    return filters;
}

PictureFormat PictureFormatOfFilter(const QString &filter)
{
    for (const FilterText &candidate : kFilters) {
        if (filter == QCoreApplication::translate("PictureMenu", candidate.text))
            return candidate.format;
    }
    return PictureFormat::Png;
}

PictureMenu::PictureMenu(QWidget *parent)
    : m_parent(parent),
      m_saveDialog(RunPictureSaveDialog),
      m_printDialog(RunPicturePrintDialog),
      m_directory(startDirectory())
{}

void PictureMenu::addItems(QMenu &menu, const ShownPicture &picture)
{
    QObject::connect(menu.addAction(QCoreApplication::translate("PictureMenu", "Копировать")), &QAction::triggered,
                     &menu, [this, picture] { copy(picture); });
    QObject::connect(menu.addAction(QCoreApplication::translate("PictureMenu", "Сохранить как…")), &QAction::triggered,
                     &menu, [this, picture] { saveAs(picture); });
    QObject::connect(menu.addAction(QCoreApplication::translate("PictureMenu", "Печать…")), &QAction::triggered, &menu,
                     [this, picture] { print(picture); });
}

void PictureMenu::copy(const ShownPicture &picture)
{
    QGuiApplication::clipboard()->setImage(picture.image);
}

void PictureMenu::saveAs(const ShownPicture &picture)
{
    const QString suggested = QDir(m_directory).filePath(picture.baseName + QStringLiteral(".png"));
    const std::optional<bool> style = picture.labelled ? std::optional<bool>(m_labelled) : std::nullopt;
    const std::optional<PictureSaveChoice> choice = m_saveDialog(m_parent, suggested, style);
    if (!choice)
        return;
    m_directory = QFileInfo(choice->fileName).absolutePath();
    if (style)
        m_labelled = choice->labelled;
    // The careful save leaves the old file as it was, and nothing beside
    // it, when it fails.
    try {
        SaveFileContents(choice->fileName, EncodeShownPicture(picture, choice->format, choice->labelled));
    } catch (const FileCreateError &error) {
        ShowError(m_parent, saveFailureText(choice->fileName, error.systemError()));
        return;
    } catch (const StreamWriteError &error) {
        ShowError(m_parent, saveFailureText(choice->fileName, error.systemError()));
        return;
    } catch (const AppError &) {
        ShowError(m_parent, saveFailureText(choice->fileName, 0));
        return;
    }
    CurrentUserNotifier().messageBox(m_parent,
                                     QCoreApplication::translate("PictureMenu", "Рисунок сохранён в файл\n%1")
                                         .arg(QDir::toNativeSeparators(choice->fileName)),
                                     QCoreApplication::translate("PictureMenu", "Сохранить как"));
}

void PictureMenu::print(const ShownPicture &picture)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(picture.baseName);
    // A wide picture goes across the page, a square or tall one upright.
    const QSize page = picture.page.size;
    printer.setPageOrientation(page.width() > page.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!m_printDialog(m_parent, printer))
        return;
    try {
        PrintShownPicture(printer, picture);
    } catch (const AppError &error) {
        ShowError(m_parent, error.message());
    }
}

std::optional<PictureSaveChoice> RunPictureSaveDialog(QWidget *parent, const QString &suggestedFile,
                                                      std::optional<bool> labelled)
{
    PictureSaveDialog dialog(parent, QCoreApplication::translate("PictureMenu", "Сохранить рисунок как"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Choosing another filter gives the name that filter's extension.
    dialog.setNameFilters(PictureSaveFilters());
    dialog.setDirectory(QFileInfo(suggestedFile).absolutePath());
    dialog.selectFile(QFileInfo(suggestedFile).fileName());

    QCheckBox *labelledBox = nullptr;
    if (labelled) {
        labelledBox = new QCheckBox(QCoreApplication::translate("PictureMenu", "С подписями"), &dialog);
        labelledBox->setChecked(*labelled);
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
            grid->addWidget(labelledBox, grid->rowCount(), 0, 1, grid->columnCount());
    }

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ResolvePictureSaveChoice(dialog.selectedFiles().constFirst(),
                                    PictureFormatOfFilter(dialog.selectedNameFilter()),
                                    labelledBox && labelledBox->isChecked());
}

bool RunPicturePrintDialog(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
