#pragma once
// A single-line edit field with a small button inside its right edge that
// drops down a popup window (TPopupWindow) under the field.
//
// The field keeps the keyboard focus while the popup is open; the popup only
// shows and edits a value. Opening hands the field's text to the popup
// (WritePopupValue); closing reads the popup's value back (ReadPopupValue)
// and, only when the popup was accepted (Enter, the button, the click key,
// the popup's own confirmation), stores it with TakePopupValue. Escape, focus
// loss, a press on the edit area or on any other control, a context menu, and
// the window moving, changing its size or being minimised discard it.
//
// Subclasses (the numeric field) override the virtual hooks: the default
// glyph, the value hand-over, the text form of a popup value, paste and cut.
// A subclass with key handling of its own calls HandleFrameKey first, so the
// click key, Enter and Escape still reach the popup. The subclass creates the
// popup and hands it over with SetPopup. The field's input (keys, clipboard,
// mouse, focus) is in ComboEditInput.cpp; the button in EditButton.*.
#include "EditButton.h"
#include "PopupPlacement.h"
#include "PopupWindow.h"

#include <QClipboard>
#include <QKeyCombination>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>

enum TGlyphKind : unsigned char { gkCustom, gkDefault, gkDropDown, gkEllipsis };

class TCustomComboEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
public:
    explicit TCustomComboEdit(QWidget *parent = nullptr);
    ~TCustomComboEdit() override;

    // The field may not be changed at all (the button does nothing).
    virtual bool FieldReadOnly() const { return m_readOnly; }
    void SetFieldReadOnly(bool readOnly);
    // False: the text cannot be typed, pasted or cut; only the popup sets it.
    bool DirectInput() const { return m_directInput; }
    void SetDirectInput(bool direct);
    QKeyCombination ClickKey() const { return m_clickKey; }
    void SetClickKey(QKeyCombination key) { m_clickKey = key; }
    int ButtonWidth() const;
    void SetButtonWidth(int width);
    QString ButtonHint() const;
    void SetButtonHint(const QString &hint);
    QImage Glyph() const;
    void SetGlyph(const QImage &bitmap);
    TGlyphKind GlyphKind() const { return m_glyphKind; }
    void SetGlyphKind(TGlyphKind kind);
    int NumGlyphs() const;
    void SetNumGlyphs(int count);
    TPopupAlign PopupAlign() const { return m_popupAlign; }
    void SetPopupAlign(TPopupAlign align) { m_popupAlign = align; }
    TAlignment EditAlignment() const { return m_editAlignment; }
    void SetEditAlignment(TAlignment alignment);
    // The 3D look of the border (false: a flat single border).
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool ctl3D);

    TEditButton *Button() const { return m_button; }
    QWidget *ButtonContainer() const { return m_container; }
    TPopupWindow *Popup() const { return m_popup; }
    // Takes the popup (or none); its CloseNotify closes this field's popup.
    void SetPopup(TPopupWindow *popup);
    bool PopupVisible() const { return m_popupVisible; }
    // The edit window has the keyboard focus.
    bool IsFocused() const { return m_focused; }

    // The field never gets lower than this.
    int MinimumFieldHeight() const;
    int FontLineHeight() const;
    // The client area inside the border, and the part of it the text uses
    // (ending two pixels before the button), in widget coordinates.
    QRect ClientRect() const;
    QRect EditRect() const;

    virtual void OpenPopup(bool disableEdit = true);
    void ClosePopup(bool accept);
    // The button's click, also run by the click key.
    void EditButtonClicked();
    void SyncPopupVisible();
    void SelectAllIfDirect();

Q_SIGNALS:
    void OnButtonClick();
    void OnChange();

protected:
    // The picture of a gkDefault button (none here).
    virtual QImage DefaultGlyphBitmap() const { return QImage(); }
    virtual void ShowPopupAt(const QPoint &screenPos);
    virtual void HidePopupWindow();
    virtual bool MayTakePopupValue(const QVariant &) { return true; }
    virtual void TakePopupValue(const QVariant &value);
    virtual void WritePopupValue(const QVariant &value);
    virtual QVariant ReadPopupValue();
    // A text change while the popup is open (instead of OnChange).
    virtual void PopupValueChanged() {}
    // The text a popup value becomes in the field: empty for null, a number
    // with 15 significant digits.
    virtual QString PopupValueText(const QVariant &value) const;
    virtual void ButtonClicked();
    // Paste and cut, carried out only with DirectInput and not ReadOnly.
    // Paste takes the clipboard text up to its first line break.
    virtual void PasteFromClipboard();
    virtual void CutToClipboard();
    // Called on every change of the text.
    virtual void Change();

    // The frame's own keys: the click key, and Enter / Escape while the
    // popup is open. True when the key was used up.
    bool HandleFrameKey(QKeyEvent *event);

    void PlaceButton();
    void NarrowEditRect();
    void LoadGlyphForKind();
    // While set, ButtonWidth writes take effect whatever the field's size.
    void SetCreating(bool creating) { m_creating = creating; }
    bool IsCreating() const { return m_creating; }
    void SetDefaultNumGlyphs(int count) { m_defaultNumGlyphs = count; }
    int DefaultNumGlyphs() const { return m_defaultNumGlyphs; }

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    int BorderInset() const;
    void ApplyEditReadOnly();
    void PasteLine(QClipboard::Mode mode);
    void WatchClicks(bool watch);
    bool BelongsToFrame(const QWidget *widget) const;
    // A left press on the button: an open popup is accepted and closed (and
    // the click ending the press swallowed), else the field takes the focus.
    bool PrepareButtonPress();

    QWidget *m_container;
    TEditButton *m_button;
    QKeyCombination m_clickKey{Qt::AltModifier, Qt::Key_Down};
    bool m_readOnly = false;
    bool m_directInput = true;
    TAlignment m_editAlignment = taLeftJustify;
    bool m_popupVisible = false;
    bool m_focused = false;
    bool m_losingFocus = false;
    bool m_ctl3D = true;
    bool m_creating = false;
    bool m_watchingClicks = false;
    TPopupAlign m_popupAlign = epaRight;
    TGlyphKind m_glyphKind = gkCustom;
    QPointer<TPopupWindow> m_popup;
    QRect m_windowGeometryAtOpening;
    int m_defaultNumGlyphs = 1;
};
