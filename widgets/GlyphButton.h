#pragma once
// A light push button that paints itself: a raised or sunken frame, a glyph
// picture for each state and an optional caption. It never takes the
// keyboard focus. Buttons of one GroupIndex (other than 0) under one parent
// latch like radio buttons; AllowTimer repeats the click while the button is
// held. Subclasses hook in through Click() and the mouse handlers.
//
// The state follows the mouse, latching and the enabled state as they
// change; a disabled button is sbsDisabled at once. Painting reads the state
// and changes nothing: it draws the frame (ButtonFrame.h), then the glyph and
// caption where LayoutButtonContents (ButtonLayout.h) puts them.
#include "ButtonFrame.h"
#include "ButtonGlyph.h"
#include "ButtonLayout.h"
#include "colors/Colors.h"

#include <QWidget>

class QTimer;

enum TButtonStyle : unsigned char { bsAutoDetect, bsWin31, bsNew };

class TGlyphButton : public QWidget
{
    Q_OBJECT
public:
    explicit TGlyphButton(QWidget *parent = nullptr);
    ~TGlyphButton() override;

    TSpeedButtonState State() const { return m_state; }

    bool Down() const { return m_down; }
    void SetDown(bool down);
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool allow);
    bool Flat() const { return m_flat; }
    void SetFlat(bool flat);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    TButtonStyle ButtonStyle() const { return m_style; }
    void SetButtonStyle(TButtonStyle style);
    TButtonLayout GlyphLayout() const { return m_layout; }
    void SetGlyphLayout(TButtonLayout layout);
    int Margin() const { return m_margin; }
    void SetMargin(int margin);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int spacing);
    bool GrayedInactive() const { return m_grayedInactive; }
    void SetGrayedInactive(bool grayed);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wrap);
    TAlignment Alignment() const { return m_glyph.Alignment(); }
    void SetAlignment(TAlignment alignment) { m_glyph.SetAlignment(alignment); }
    bool AllowTimer() const { return m_allowTimer; }
    void SetAllowTimer(bool allow);
    int InitPause() const { return m_initPause; }
    void SetInitPause(int ms) { m_initPause = ms; }
    int RepeatInterval() const { return m_repeatInterval; }
    void SetRepeatInterval(int ms) { m_repeatInterval = ms; }
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }

    const QImage &Glyph() const { return m_glyph.Glyph(); }
    void SetGlyph(const QImage &bitmap) { m_glyph.SetGlyph(bitmap); }
    int NumGlyphs() const { return m_glyph.NumGlyphs(); }
    void SetNumGlyphs(int count) { m_glyph.SetNumGlyphs(count); }
    TButtonGlyph &ButtonGlyph() { return m_glyph; }

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    // Colour of the caption text (a system colour is resolved when drawn).
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor color);

    bool MouseInControl() const { return m_mouseIn; }
    bool Dragging() const { return m_dragging; }

    // Shows the button pressed for about 20 ms, clicks it and shows it
    // released again, also when the click throws. Used for keyboard presses.
    void PressByKey();
    // Runs the click: copies ModalResult to a dialog parent, then OnClick.
    virtual void Click();
    // Drops a press in progress (the mouse was taken away from the button).
    void CancelMode();

    QSize sizeHint() const override { return QSize(25, 25); }

Q_SIGNALS:
    void OnClick();
    void OnDblClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

    // Paints the whole button; subclasses paint on top of it.
    void PaintButton(QPainter &painter);
    bool UsesNewStyle() const;

private:
    void HandlePress(QMouseEvent *event);
    bool InsideForDrag(const QPoint &pos) const;
    void RepeatTick();
    void ReleaseGroupSiblings();
    void UpdateMouseIn();
    // The look the button is painted in: sbsInactive for a flat button
    // without the mouse over it, else its state.
    TSpeedButtonState PaintState() const;
    void DrawContents(QPainter &painter, const QRect &rect, TSpeedButtonState glyphState);
    // The caption as drawn: each line too wide for the room shortened with
    // "..." unless WordWrap is set.
    QString FittedCaption(const QFontMetrics &metrics, const QSize &room) const;
    int CaptionFlags() const;
    void DrawCaption(QPainter &painter, const QRect &block, const QString &text, TSpeedButtonState glyphState);
    // Stores a state; a disabled button stays sbsDisabled.
    void SetState(TSpeedButtonState state);

    TButtonGlyph m_glyph;
    TSpeedButtonState m_state = sbsUp;
    bool m_down = false;
    int m_groupIndex = 0;
    bool m_allowAllUp = false;
    bool m_flat = false;
    bool m_transparent = false;
    TButtonStyle m_style = bsAutoDetect;
    TButtonLayout m_layout = blGlyphTop;
    int m_margin = -1;
    int m_spacing = 1;
    bool m_grayedInactive = true;
    bool m_wordWrap = false;
    bool m_allowTimer = false;
    int m_initPause = 500;
    int m_repeatInterval = 100;
    int m_modalResult = 0;
    QString m_caption;
    TColor m_fontColor = clBtnText;
    bool m_mouseIn = false;
    bool m_dragging = false;
    QTimer *m_repeatTimer = nullptr;
};
