#pragma once

#include <QWidget>
#include <array>

#include "app/BoundText.h"

class QComboBox;
class QLineEdit;

namespace widgets {
class ButtonEx;
}

// The expandable area under the price boxes: a minimum and a maximum box for each field the grid
// shows as a number, and the saved screens (a drop-down, "Save screen...", "Delete screen").
// It only holds the controls; the main window reads and acts on them.
class MoreFiltersArea : public QWidget {
    Q_OBJECT
public:
    static constexpr int AreaWidth = 1028;
    static constexpr int AreaHeight = 78;

    explicit MoreFiltersArea(QWidget *parent = nullptr);

    QLineEdit *Box(ScreenField field, BoundText::Side side) const;
    // The texts of every box as typed.
    std::array<BoundText::BoxTexts, ScreenFieldCount> Texts() const;
    // Boxes that hold anything but blanks.
    int FilledBoxes() const;

    QComboBox *cboScreens = nullptr;
    widgets::ButtonEx *cmdSaveScreen = nullptr;
    widgets::ButtonEx *cmdDeleteScreen = nullptr;

signals:
    // Enter in one of the boxes.
    void SearchRequested();

private:
    std::array<std::array<QLineEdit *, 2>, ScreenFieldCount> boxes{};
};
