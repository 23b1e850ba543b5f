#pragma once
// The pictures' context menu: "Копировать" puts the picture as shown on the
// clipboard, "Сохранить как…" writes it in a file type (and, for a picture
// that has a labelled style, a style) the user picks in a file dialog,
// "Печать…" prints it through the print dialog. A window adds these items
// to the menu of a right click on any of its pictures and may add its own
// after them. The two dialogs can be replaced (tests answer them without
// showing them); errors go to the error box, the saved file's name to a
// message box.
#include "PictureExport.h"

#include <QString>

#include <functional>
#include <optional>

class QMenu;
class QPrinter;
class QWidget;

// What the save dialog was answered with.
struct PictureSaveChoice
{
    QString fileName;
    PictureFormat format = PictureFormat::Png;
    bool labelled = false;
};

// The file type of a name the dialog returned: its extension's where that
// names a picture format (in any letter case), else the chosen filter's,
// whose extension is then added to the name.
PictureSaveChoice ResolvePictureSaveChoice(const QString &fileName, PictureFormat filterFormat, bool labelled);

// The dialog's filters, one per format, PNG first, and the format of one.
QStringList PictureSaveFilters();
PictureFormat PictureFormatOfFilter(const QString &filter);

class PictureMenu
{
public:
    // Asks for the file to save in, starting from suggestedFile (a full
    // path) with the style box ticked as given, or with no style box for a
    // picture of one style; nothing when cancelled.
    using SaveDialog = std::function<std::optional<PictureSaveChoice>(QWidget *parent, const QString &suggestedFile,
                                                                      std::optional<bool> labelled)>;
    // Lets the user set up the printer; false when cancelled.
    using PrintDialog = std::function<bool(QWidget *parent, QPrinter &printer)>;

    // Dialogs and messages open over parent.
    explicit PictureMenu(QWidget *parent);

    // Adds "Копировать", "Сохранить как…" and "Печать…" for picture.
    void addItems(QMenu &menu, const ShownPicture &picture);

    void copy(const ShownPicture &picture);
    void saveAs(const ShownPicture &picture);
    void print(const ShownPicture &picture);

    void setSaveDialog(SaveDialog dialog) { m_saveDialog = std::move(dialog); }
    void setPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }

private:
    QWidget *m_parent;
    SaveDialog m_saveDialog;
    PrintDialog m_printDialog;
    // The folder and the style of the last save, offered again by the next.
    QString m_directory;
    bool m_labelled = false;
};

// The file dialog of "Сохранить как…": Qt's own dialog, so that it can
// carry the "С подписями" box.
std::optional<PictureSaveChoice> RunPictureSaveDialog(QWidget *parent, const QString &suggestedFile,
                                                      std::optional<bool> labelled);

// The desktop's print dialog.
bool RunPicturePrintDialog(QWidget *parent, QPrinter &printer);
