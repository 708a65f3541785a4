#pragma once

#include <QWidget>

namespace ledgerly {

// One line of a card: items side by side, vertically centred, 12 pixels
// apart, 14 pixels in from both sides, exactly 44 pixels high.
class SettingsRow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int rowHeight = 44;
    static constexpr int horizontalPadding = 14;
    static constexpr int spacing = 12;

    explicit SettingsRow(QWidget* parent = nullptr);

    // Adds `item` after the others; the row takes it.
    void addItem(QWidget* item);
    // Adds space that takes up whatever width the items leave.
    void addFlexibleSpace();
};

}  // namespace ledgerly
