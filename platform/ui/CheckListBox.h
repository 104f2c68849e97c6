#pragma once
// A list of text rows, each with a tick box. Rows keep the order they were added in; a click on the
// box or Space on the focused row toggles its tick.

#include <QListWidget>

namespace yvo::ui {

class CheckListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CheckListBox(QWidget* parent = nullptr);

    void setItemHeight(int height);
    int itemHeight() const { return m_itemHeight; }
    // The background behind the rows.
    void setColor(const QColor& color);

    void addRow(const QString& text); // unticked
    // A row out of range throws std::out_of_range "List index out of bounds (%d)".
    bool isChecked(int index) const;
    void setChecked(int index, bool checked);

private:
    QListWidgetItem& row(int index) const;

    int m_itemHeight = 13;
};

} // namespace yvo::ui
