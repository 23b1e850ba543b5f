#pragma once
// The window that drops down under a field. It is a frameless top-level tool
// window with a thin border that never takes the keyboard focus and is never
// activated by a click: the field that owns it (its editor) keeps the focus
// and forwards what the popup needs. Subclasses say which value they edit
// through PopupGetValue / PopupSetValue and what the field shows while they
// are open through PopupDisplayText; their contents belong in contentsRect()
// (inside the border). Children are made unfocusable as they are added.
#include <QVariant>
#include <QWidget>

#include <functional>
#include <utility>

class TPopupWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TPopupWindow(QWidget *editor);

    QWidget *Editor() const { return m_editor; }

    // The value the field takes when the popup is accepted.
    virtual QVariant PopupGetValue() = 0;
    // The starting value: the field's text, or null for an empty field.
    virtual void PopupSetValue(const QVariant &value) = 0;
    // Asks the owner to close the popup (CloseNotify), accepting or not.
    virtual void FinishPopup(bool accept);
    // What the field shows in place of its text while the popup is open.
    virtual QString PopupDisplayText() const;

    // Shows the window on top at a screen point without activating it and
    // without changing its size.
    void ShowPopupAt(const QPoint &screenPos);
    // Hides the window where it is.
    void HidePopupWindow();
    // Repaints the editor's text area at once, so that it mirrors the popup.
    void RefreshEditor();
    // How the editor repaints the part of it that mirrors the popup (its
    // text area); without one the whole editor is repainted.
    void SetEditorRepaint(std::function<void()> repaint) { m_repaintEditor = std::move(repaint); }

Q_SIGNALS:
    void CloseNotify(TPopupWindow *popup, bool accept);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    // A left-button release that ends a press inside the popup itself
    // accepts when it lies inside the popup and discards when outside.
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    QWidget *m_editor;
    std::function<void()> m_repaintEditor;
    bool m_pressedOnSelf = false;
};
