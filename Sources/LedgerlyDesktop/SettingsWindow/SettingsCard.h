#pragma once

#include <QWidget>

namespace ledgerly {

// A rounded box that stacks its rows without spacing.
class SettingsCard final : public QWidget {
    Q_OBJECT

public:
    explicit SettingsCard(QWidget* parent = nullptr);

    // Adds `content` below what the card already holds; the card takes it.
    void addContent(QWidget* content);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ledgerly
