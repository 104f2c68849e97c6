#include "platform/ui/CheckListBox.h"

#include "platform/ui/Colours.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <stdexcept>
#include <string>

namespace yvo::ui {

namespace {

constexpr int boxSize = 11;    // the tick box, square
constexpr int boxLeft = 2;     // from the row's left edge
constexpr int textLeft = 17;   // where the text starts
constexpr int textPadding = 2; // inside the highlight behind the text

QRect boxRect(const QRect& row) {
    return QRect(row.left() + boxLeft, row.top() + (row.height() - boxSize) / 2, boxSize, boxSize);
}

// Each row as high as the list says, painted in the classic way: a small sunken white tick box,
// then the text, highlighted when selected and framed by dots when it has the focus. A click on
// the box, or Space, toggles the tick.
class CheckRowDelegate : public QStyledItemDelegate {
public:
    explicit CheckRowDelegate(CheckListBox* list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QString text = index.data(Qt::DisplayRole).toString();
        return QSize(textLeft + option.fontMetrics.horizontalAdvance(text) + 2 * textPadding,
                     m_list->itemHeight());
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QRect row = option.rect;
        const bool enabled = option.state & QStyle::State_Enabled;
        drawBox(p, boxRect(row), index.data(Qt::CheckStateRole).toInt() == Qt::Checked, enabled);

        const QString text = index.data(Qt::DisplayRole).toString();
        QRect textArea(row.left() + textLeft, row.top(),
                       option.fontMetrics.horizontalAdvance(text) + 2 * textPadding, row.height());
        textArea.setRight(std::max(textArea.right(), row.right()));
        const bool selected = option.state & QStyle::State_Selected;
        if (selected)
            p->fillRect(textArea, option.palette.brush(QPalette::Highlight));
        p->setPen(option.palette.color(enabled ? QPalette::Normal : QPalette::Disabled,
                                       selected ? QPalette::HighlightedText : QPalette::Text));
        p->setFont(option.font);
        p->drawText(textArea.adjusted(textPadding, 0, 0, 0),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        if ((option.state & QStyle::State_HasFocus) && m_list->hasFocus()) {
            QPen dots(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 0);
            dots.setDashPattern({1.0, 1.0});
            p->setPen(dots);
            p->setBrush(Qt::NoBrush);
            p->drawRect(textArea.adjusted(0, 0, -1, -1));
        }
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (!(index.flags() & Qt::ItemIsUserCheckable) || !(index.flags() & Qt::ItemIsEnabled))
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton ||
                !boxRect(option.rect).contains(mouse->position().toPoint()))
                return false;
            if (event->type() == QEvent::MouseButtonDblClick)
                return true; // the first click of the pair has toggled it already
            break;
        }
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Space && key != Qt::Key_Select)
                return false;
            break;
        }
        default:
            return false;
        }
        const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }

private:
    static void drawBox(QPainter* p, const QRect& box, bool checked, bool enabled) {
        const QRect r = box.adjusted(0, 0, -1, -1);
        p->fillRect(box, enabled ? colours::clWindow : colours::clBtnFace);
        p->setPen(colours::clBtnShadow);
        p->drawLine(r.topLeft(), r.topRight());
        p->drawLine(r.topLeft(), r.bottomLeft());
        p->setPen(colours::clBtnHighlight);
        p->drawLine(r.bottomLeft(), r.bottomRight());
        p->drawLine(r.topRight(), r.bottomRight());
        p->setPen(colours::cl3DDkShadow);
        p->drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
        p->drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
        if (!checked)
            return;
        // The tick: three pixels thick, down from the left and up to the right.
        p->setPen(enabled ? colours::clWindowText : colours::clBtnShadow);
        const int x = box.left() + 2;
        const int y = box.top() + 4;
        for (int i = 0; i < 3; ++i) {
            p->drawLine(x, y + i, x + 2, y + 2 + i);
            p->drawLine(x + 2, y + 2 + i, x + 6, y - 2 + i);
        }
    }

    const CheckListBox* m_list;
};

} // namespace

CheckListBox::CheckListBox(QWidget* parent) : QListWidget(parent) {
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::StrongFocus);
    setItemDelegate(new CheckRowDelegate(this));
}

void CheckListBox::setItemHeight(int height) {
    m_itemHeight = height;
    doItemsLayout();
}

void CheckListBox::setColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
}

void CheckListBox::addRow(const QString& text) {
    auto* row = new QListWidgetItem(text, this); // the list owns its rows
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    row->setCheckState(Qt::Unchecked);
}

QListWidgetItem& CheckListBox::row(int index) const {
    QListWidgetItem* found = item(index);
    if (!found)
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return *found;
}

bool CheckListBox::isChecked(int index) const {
    return row(index).checkState() == Qt::Checked;
}

void CheckListBox::setChecked(int index, bool checked) {
    row(index).setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

} // namespace yvo::ui
