#include "CalcPanel.h"

#include "CalcKeyLayout.h"
#include "UserNotifier.h"
#include "base/AppError.h"
#include "numbers/LocaleNumberSettings.h"

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QGuiApplication>
#include <QMimeData>
#include <QScopedValueRollback>

// ---- TCalcButton -------------------------------------------------------------

TCalcButton::TCalcButton(int kind, QWidget *parent)
    : TGlyphButton(parent), m_kind(kind), m_tag(CalcKeys::TagOfKind(kind))
{
    SetCaption(CalcKeys::CaptionOfKind(kind, CurrentLocaleNumberSettings().decimalSeparator));
    // The colour is the button's own, so a new panel font leaves it alone.
    SetFontColor(CalcKeys::CaptionColorOfKind(kind));
}

// ---- calculator font ---------------------------------------------------------

QFont CalculatorFont(int numerator, int denominator)
{
    QFont font;
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        font = QApplication::font("QMessageBox");
    } else {
        font = QFont(QStringLiteral("MS Sans Serif"));
        font.setPointSize(8);
    }
    font.setBold(true);
    if (font.pixelSize() > 0 && numerator != denominator && denominator > 0)
        font.setPixelSize(qMax(1, font.pixelSize() * numerator / denominator));
    return font;
}

// ---- TCalculatorPanel --------------------------------------------------------

class TCalculatorPanel::DesktopClipboard : public CalculatorClipboard
{
public:
    bool hasText() const override
    {
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasText();
    }
    QString text() const override { return QGuiApplication::clipboard()->text(); }
    void setText(const QString &text) override { QGuiApplication::clipboard()->setText(text); }
};

class TCalculatorPanel::NotifierBeeper : public Beeper
{
public:
    void beep() override { CurrentUserNotifier().beep(); }
};

TCalculatorPanel::TCalculatorPanel(QWidget *parent)
    : QFrame(parent), m_clipboard(std::make_unique<DesktopClipboard>()), m_beeper(std::make_unique<NotifierBeeper>())
{
    // Raised outer bevel, no inner bevel.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setFont(CalculatorFont());
    m_engine.setClipboard(m_clipboard.get());
    m_engine.setBeeper(m_beeper.get());
    for (const CalcKeys::KeyPlace &place : CalcKeys::PopupKeys()) {
        auto *button = new TCalcButton(place.kind, this);
        // The popup window is flat, and keys in a flat panel take the old-style frame.
        button->SetButtonStyle(bsWin31);
        connect(button, &TGlyphButton::OnClick, this, [this, button] { ButtonClick(button); });
    }
    PlaceKeys();
}

TCalculatorPanel::~TCalculatorPanel()
{
    m_engine.setClipboard(nullptr);
    m_engine.setBeeper(nullptr);
}

void TCalculatorPanel::PlaceKeys(int numerator, int denominator)
{
    const auto &places = CalcKeys::PopupKeys();
    const QList<TCalcButton *> buttons = findChildren<TCalcButton *>(Qt::FindDirectChildrenOnly);
    for (TCalcButton *button : buttons) {
        for (const CalcKeys::KeyPlace &place : places) {
            if (place.kind != button->ButtonKind())
                continue;
            const QRect &r = place.bounds;
            button->setGeometry(r.left() * numerator / denominator, r.top() * numerator / denominator,
                                r.width() * numerator / denominator, r.height() * numerator / denominator);
        }
    }
}

TCalcButton *TCalculatorPanel::FindKeyButton(QChar key) const
{
    const int position = CalcKeys::KeySequencePosition(key, CurrentLocaleNumberSettings().decimalSeparator);
    if (position < 0)
        return nullptr;
    // Children come in creation order; the first button with the tag wins.
    for (QObject *child : children()) {
        auto *button = qobject_cast<TCalcButton *>(child);
        if (button && button->Tag() == position)
            return button;
    }
    return nullptr;
}

void TCalculatorPanel::HandleKey(QChar key)
{
    if (TCalcButton *button = FindKeyButton(key))
        button->PressByKey();
    else
        RunGuarded([this, key] { m_engine.processKey(key); });
}

void TCalculatorPanel::ButtonClick(TCalcButton *button)
{
    const int kind = button->ButtonKind();
    RunGuarded([this, kind] { m_engine.buttonClick(kind); });
}

void TCalculatorPanel::RunGuarded(const std::function<void()> &action)
{
    // An overflowing result or an unreadable display ends the key here; the
    // message goes to the error box of the window the calculator serves.
    try {
        action();
    } catch (const AppError &error) {
        ReportError(error.message());
    }
}

void TCalculatorPanel::ReportError(const QString &message)
{
    if (m_reportingError)
        return;
    const QScopedValueRollback<bool> reporting(m_reportingError, true);
    QWidget *owner = window();
    if (owner->parentWidget())
        owner = owner->parentWidget()->window();
    ShowError(owner, message);
}

// ---- TLocCalculator ----------------------------------------------------------

TLocCalculator::TLocCalculator(QWidget *parent) : TCalculatorPanel(parent)
{
    setFocusPolicy(Qt::NoFocus);
}
