#pragma once
// Colour pickers: TOwnerDrawComboBox is a combo box that draws its items
// itself at a fixed height derived from its font (the closed field takes the
// same height); TColorComboBox fills it with the standard colours, each drawn
// as a swatch and a name, and keeps the chosen colour in ColorValue.
//
// ColorValue is stored apart from the selection so that a colour which is not
// in the list survives: a drop-down list then shows an empty field, an
// editable box shows the colour's identifier.
#include "colors/Colors.h"

#include <QComboBox>
#include <QFlags>
#include <QStringList>

class QStyleOptionViewItem;

enum TOwnerDrawComboStyle { csDropDown, csSimple, csDropDownList };

class TOwnerDrawComboBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(int DrawStyle READ DrawStyleValue WRITE SetDrawStyleValue)
public:
    explicit TOwnerDrawComboBox(QWidget *parent = nullptr);

    TOwnerDrawComboStyle DrawStyle() const { return m_style; }
    void SetDrawStyle(TOwnerDrawComboStyle style);

    // Height of every list item and of the closed field's item area.
    int ItemHeight() const { return m_itemHeight; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Fits the list to the owner-drawn items before it first drops down.
    void showPopup() override;

    // Draws one item; `selected` paints it in the highlight colours.
    virtual void DrawItem(QPainter &painter, int index, const QRect &rect, bool selected) = 0;

protected:
    // Font cell height + 1, but at least 9 pixels.
    virtual int GetItemHeightForFont() const;
    void ResetItemHeight();
    // Rebuilds the list after a change that re-creates the native control.
    virtual void RecreateWnd();
    // Whether the drop-down list has been fitted to the owner-drawn items.
    bool ListPrepared() const { return m_listPrepared; }

    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Turns the choice only while the box has the focus.
    void wheelEvent(QWheelEvent *event) override;

private:
    int DrawStyleValue() const { return m_style; }
    void SetDrawStyleValue(int style) { SetDrawStyle(TOwnerDrawComboStyle(style)); }

    // Gives the list its owner-drawing delegate and its scroll bar.
    void PrepareList();

    TOwnerDrawComboStyle m_style = csDropDownList;
    int m_itemHeight = 9;
    bool m_heightUpdating = false;
    bool m_listPrepared = false;
};

// The style that makes every owner-drawn box's list drop down below its
// field, wrapping the default style; set as the application's style before
// any box is made, it spares each box a style of its own and lets each build
// its list only when the list first drops down.
QStyle *NewDropDownListStyle();

enum TColorComboOption { coIncludeDefault = 0x1, coIncludeNone = 0x2 };
Q_DECLARE_FLAGS(TColorComboOptions, TColorComboOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TColorComboOptions)

class TColorComboBox : public TOwnerDrawComboBox
{
    Q_OBJECT
    // Form descriptions set ColorValue (with stdset="0").
    Q_PROPERTY(uint ColorValue READ ColorValue WRITE SetColorValue)
    Q_PROPERTY(bool DisplayNames READ DisplayNames WRITE SetDisplayNames)
    Q_PROPERTY(QStringList ColorNames READ ColorNames WRITE SetColorNames)
public:
    explicit TColorComboBox(QWidget *parent = nullptr);

    TColor ColorValue() const;
    void SetColorValue(TColor value);

    const QStringList &ColorNames() const { return m_colorNames; }
    void SetColorNames(const QStringList &names);

    bool DisplayNames() const { return m_displayNames; }
    void SetDisplayNames(bool on);

    TColorComboOptions Options() const { return m_options; }
    void SetOptions(TColorComboOptions options);

    TColor ItemColor(int index) const;

    void DrawItem(QPainter &painter, int index, const QRect &rect, bool selected) override;

    // The border of a swatch: black when any component is above 192, white
    // while the item is selected, otherwise the colour itself.
    static TColor ColorBorderFor(TColor rgb, bool selected);

Q_SIGNALS:
    void OnChange();
    void OnClick();

protected:
    virtual void PopulateList();
    virtual void ColorChange();
    void RecreateWnd() override;

private:
    void ChangeReaction();
    void ClickReaction(int index);
    bool HasSelectedItem() const;
    void WriteColorValue(TColor value, bool force);

    TColor m_colorValue = clBlack;
    QStringList m_colorNames;
    bool m_displayNames = true;
    TColorComboOptions m_options;
    // Set while the list is rebuilt: the stored colour is selected again
    // without telling anyone that it changed.
    bool m_recreating = false;
};

// The identifier of a colour ("clNavy"), or "$" and eight hexadecimal digits.
QString ColorToIdent(TColor color);
