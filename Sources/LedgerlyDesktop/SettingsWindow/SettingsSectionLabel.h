#pragma once

#include <QLabel>

namespace ledgerly {

// A group's title above its card: headline text, 14 pixels in from the leading side.
class SettingsSectionLabel final : public QLabel {
    Q_OBJECT

public:
    static constexpr int leadingPadding = 14;

    explicit SettingsSectionLabel(const QString& title, QWidget* parent = nullptr);
};

}  // namespace ledgerly
