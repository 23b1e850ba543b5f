#include "TextApplication.h"

#include "base/QtStart.h"
#include "fonts/EmbeddedFonts.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

TextApplication::TextApplication(char *programPath)
{
    if (QCoreApplication::instance() == nullptr) {
        // The platform is chosen when the application starts. Qt would also
        // create a missing runtime folder; it is told there is none, as
        // nothing here needs one.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty() || !QFileInfo(QFile::decodeName(runtime)).isDir())
            qputenv("XDG_RUNTIME_DIR", "/dev/null");
        m_start = std::make_unique<QtStart>(programPath, "dipole-render");
        m_app = std::make_unique<QGuiApplication>(m_start->argc(), m_start->argv());
        m_start->started();
    }
    // The font database keeps every face it is given: registered once.
    static const bool registered = RegisterEmbeddedFonts();
    Q_UNUSED(registered);
}

TextApplication::~TextApplication() = default;
