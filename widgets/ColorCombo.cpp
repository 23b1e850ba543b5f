#include "ColorCombo.h"

#include "colors/StandardColors.h"
#include "numbers/RuntimeInteger.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QWheelEvent>

#include <array>

namespace {

using ColorEntry = StandardColor;

// The list order of the colour table: the sixteen standard colours, then
// clNone and clDefault.
constexpr std::array<ColorEntry, std::size(kStandardColors) + 2> colorTable()
{
    std::array<ColorEntry, std::size(kStandardColors) + 2> table{};
    size_t i = 0;
    for (const StandardColor &standard : kStandardColors)
        table[i++] = standard;
    table[i++] = {clNone, "clNone"};
    table[i] = {clDefault, "clDefault"};
    return table;
}
constexpr auto kColorTable = colorTable();

// Identifiers of the desktop-scheme colours, for ColorToIdent only.
constexpr ColorEntry kSystemColors[] = {
    {clScrollBar, "clScrollBar"},         {clBackground, "clBackground"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},     {clWindowText, "clWindowText"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},       {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},           {clBtnText, "clBtnText"},       {clBtnHighlight, "clBtnHighlight"},
};

constexpr int kColorRole = Qt::UserRole + 1;

// Lets the owning combo box paint every list item and fixes the item height.
class OwnerDrawDelegate : public QStyledItemDelegate
{
public:
    explicit OwnerDrawDelegate(TOwnerDrawComboBox *combo) : QStyledItemDelegate(combo), m_combo(combo) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        painter->save();
        m_combo->DrawItem(*painter, index.row(), option.rect, option.state & QStyle::State_Selected);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        return {option.rect.width(), m_combo->ItemHeight()};
    }

private:
    TOwnerDrawComboBox *m_combo;
};

// Some styles open the list over the field showing every item at once; the
// list here drops down below the field and shows at most eight items. The
// rest is the style it wraps.
class DropDownListStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ComboBox_Popup && qobject_cast<const TOwnerDrawComboBox *>(widget))
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// A box takes the style of its own unless the application's already is one.
QStyle *dropDownListStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new DropDownListStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

QStyle *NewDropDownListStyle()
{
    return new DropDownListStyle;
}

// ---------------------------------------------------------------------------

TOwnerDrawComboBox::TOwnerDrawComboBox(QWidget *parent) : QComboBox(parent)
{
    // A style of the box's own makes the box build its list at once (a style
    // change refits the list's items); under the application's drop-down
    // list style the list is built when it first drops down.
    if (!dynamic_cast<const DropDownListStyle *>(QApplication::style()))
        QWidget::setStyle(dropDownListStyle());
    setMaxVisibleItems(8);
    // Enter in an editable field ends the edit; the list holds only its own items.
    setInsertPolicy(QComboBox::NoInsert);
    // The wheel neither gives the focus nor, without it, changes the choice:
    // a stray scroll over a page of boxes must not recolour them.
    setFocusPolicy(Qt::StrongFocus);
    ResetItemHeight();
}

void TOwnerDrawComboBox::wheelEvent(QWheelEvent *event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void TOwnerDrawComboBox::SetDrawStyle(TOwnerDrawComboStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    setEditable(style != csDropDownList);
    RecreateWnd();
}

int TOwnerDrawComboBox::GetItemHeightForFont() const
{
    return std::max(QFontMetrics(font()).height() + 1, 9);
}

void TOwnerDrawComboBox::ResetItemHeight()
{
    m_heightUpdating = true;
    m_itemHeight = GetItemHeightForFont();
    m_heightUpdating = false;
    // The list asks the delegate again for the size of every item.
    if (m_listPrepared)
        view()->doItemsLayout();
    updateGeometry();
    update();
}

void TOwnerDrawComboBox::PrepareList()
{
    if (m_listPrepared)
        return;
    m_listPrepared = true;
    setItemDelegate(new OwnerDrawDelegate(this));
    view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view()->doItemsLayout();
}

void TOwnerDrawComboBox::showPopup()
{
    PrepareList();
    QComboBox::showPopup();
}

void TOwnerDrawComboBox::RecreateWnd()
{
    update();
}

QSize TOwnerDrawComboBox::sizeHint() const
{
    // The closed field shows one item: its height plus the frame.
    return {QComboBox::sizeHint().width(), m_itemHeight + 8};
}

QSize TOwnerDrawComboBox::minimumSizeHint() const
{
    return {QComboBox::minimumSizeHint().width(), m_itemHeight + 8};
}

void TOwnerDrawComboBox::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_heightUpdating) {
        ResetItemHeight();
        RecreateWnd();
    }
}

void TOwnerDrawComboBox::paintEvent(QPaintEvent *event)
{
    if (isEditable()) {
        QComboBox::paintEvent(event);
        return;
    }
    // Let the style draw the frame and the arrow, then draw the chosen item in
    // the field the way the list draws it.
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);

    // The field shows the chosen item at the list's item height, so its
    // swatch is the same size as in the list; the style's field may be taller.
    const QRect editField = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    QRect field = editField;
    if (field.height() > m_itemHeight)
        field = QRect(field.x(), field.y() + (field.height() - m_itemHeight) / 2, field.width(), m_itemHeight);
    const bool focused = hasFocus() && !(m_listPrepared && view()->isVisible());
    painter.fillRect(editField, palette().color(QPalette::Base));
    if (currentIndex() >= 0) {
        painter.save();
        painter.setClipRect(editField);
        DrawItem(painter, currentIndex(), field, focused);
        painter.restore();
    } else {
        painter.fillRect(field, palette().color(focused ? QPalette::Highlight : QPalette::Base));
    }
    if (focused) {
        QStyleOptionFocusRect focusOpt;
        focusOpt.initFrom(this);
        focusOpt.rect = field;
        focusOpt.backgroundColor = palette().color(QPalette::Highlight);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focusOpt);
    }
}

// ---------------------------------------------------------------------------

TColorComboBox::TColorComboBox(QWidget *parent) : TOwnerDrawComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, &TColorComboBox::ChangeReaction);
    connect(this, &QComboBox::editTextChanged, this, &TColorComboBox::ChangeReaction);
    connect(this, &QComboBox::activated, this, &TColorComboBox::ClickReaction);
    RecreateWnd();
}

TColor TColorComboBox::ItemColor(int index) const
{
    return TColor(itemData(index, kColorRole).toUInt());
}

bool TColorComboBox::HasSelectedItem() const
{
    if (currentIndex() < 0)
        return false;
    // Typing into an editable box leaves Qt's current index in place; the
    // item counts as selected only while the field still shows its name.
    return !isEditable() || currentText() == itemText(currentIndex());
}

TColor TColorComboBox::ColorValue() const
{
    if (DrawStyle() == csDropDownList || HasSelectedItem())
        return m_colorValue;
    const QString text = currentText();
    for (int i = 0; i < count(); ++i) {
        if (text.compare(itemText(i), Qt::CaseInsensitive) == 0)
            return ItemColor(i);
    }
    qint32 number = 0;
    if (ParseRuntimeInteger(text, number))
        return TColor(number);
    return m_colorValue;
}

void TColorComboBox::SetColorValue(TColor value)
{
    WriteColorValue(value, false);
}

void TColorComboBox::WriteColorValue(TColor value, bool force)
{
    if (!force && HasSelectedItem() && value == m_colorValue)
        return;
    m_colorValue = value;
    for (int i = 0; i < count(); ++i) {
        if (ItemColor(i) == value) {
            if (currentIndex() != i)
                setCurrentIndex(i);
            ColorChange();
            return;
        }
    }
    setCurrentIndex(-1);
    if (isEditable()) {
        QString ident = ColorToIdent(value);
        if (ident.startsWith(QLatin1String("cl")))
            ident.remove(0, 2);
        setEditText(ident);
    }
    update();
    ColorChange();
}

void TColorComboBox::ColorChange()
{
    if (!m_recreating)
        Q_EMIT OnChange();
}

void TColorComboBox::ChangeReaction()
{
    if (m_recreating)
        return;
    const TColor value = ColorValue();
    if (value != m_colorValue) {
        m_colorValue = value;
        ColorChange();
    }
}

void TColorComboBox::ClickReaction(int index)
{
    if (index >= 0 && index == currentIndex())
        SetColorValue(ItemColor(index));
    Q_EMIT OnClick();
}

void TColorComboBox::SetColorNames(const QStringList &names)
{
    if (names == m_colorNames)
        return;
    m_colorValue = ColorValue();
    m_colorNames = names;
    RecreateWnd();
}

void TColorComboBox::SetDisplayNames(bool on)
{
    if (on == m_displayNames)
        return;
    m_displayNames = on;
    update();
    if (ListPrepared())
        view()->viewport()->update();
}

void TColorComboBox::SetOptions(TColorComboOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    RecreateWnd();
}

void TColorComboBox::RecreateWnd()
{
    m_recreating = true;
    PopulateList();
    WriteColorValue(m_colorValue, true);
    m_recreating = false;
    TOwnerDrawComboBox::RecreateWnd();
}

void TColorComboBox::PopulateList()
{
    const bool blocked = blockSignals(true);
    clear();
    for (int i = 0; i < int(std::size(kColorTable)); ++i) {
        const ColorEntry &entry = kColorTable[i];
        if (entry.value == clDefault && !m_options.testFlag(coIncludeDefault))
            continue;
        if (entry.value == clNone && !m_options.testFlag(coIncludeNone))
            continue;
        QString name;
        if (i < m_colorNames.size() && !m_colorNames.at(i).isEmpty())
            name = m_colorNames.at(i);
        else if (entry.value == clDefault)
            name = tr("Default");
        else
            name = QString::fromLatin1(entry.ident + 2);
        addItem(name.left(255));
        setItemData(count() - 1, uint(entry.value), kColorRole);
    }
    blockSignals(blocked);
}

TColor TColorComboBox::ColorBorderFor(TColor rgb, bool selected)
{
    if (RedOf(rgb) > 192 || GreenOf(rgb) > 192 || BlueOf(rgb) > 192)
        return clBlack;
    return selected ? clWhite : rgb;
}

void TColorComboBox::DrawItem(QPainter &painter, int index, const QRect &rect, bool selected)
{
    const QPalette &pal = palette();
    const QColor brush = pal.color(selected ? QPalette::Highlight : QPalette::Base);
    painter.fillRect(rect, brush);
    if (index < 0 || index >= count())
        return;

    const TColor rgb = ColorToRGB(ItemColor(index));
    // Swatch from (left + 2, top + 2) to right edge left + 24 (or 3 pixels
    // short of the item's right edge without names) and 2 pixels above the
    // bottom, edges exclusive.
    const int left = rect.x() + 2;
    const int top = rect.y() + 2;
    const int right = m_displayNames ? rect.x() + 24 : rect.x() + rect.width() - 3;
    const int bottom = rect.y() + rect.height() - 2;
    const QRect swatch(left, top, right - left, bottom - top);
    if (swatch.isValid()) {
        painter.fillRect(swatch, QColor(ToQRgb(ColorBorderFor(rgb, selected))));
        painter.fillRect(swatch.adjusted(1, 1, -1, -1), QColor(ToQRgb(rgb)));
    }

    if (m_displayNames) {
        painter.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.setFont(font());
        const QRect textRect = rect.adjusted(28, 0, 0, 0);
        painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, itemText(index));
    }
}

// ---------------------------------------------------------------------------

QString ColorToIdent(TColor color)
{
    for (const ColorEntry &entry : kColorTable) {
        if (entry.value == color)
            return QString::fromLatin1(entry.ident);
    }
    for (const ColorEntry &entry : kSystemColors) {
        if (entry.value == color)
            return QString::fromLatin1(entry.ident);
    }
    return QLatin1Char('$') + QStringLiteral("%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}
