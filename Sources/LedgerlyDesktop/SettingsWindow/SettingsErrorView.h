#pragma once

#include <QWidget>

class QLabel;

namespace ledgerly {

// An inline failure message: the "xmark.circle.fill" symbol and the text in
// the secondary colour, in the same rounded box as a card.
class SettingsErrorView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int horizontalPadding = 14;
    static constexpr int verticalPadding = 10;
    static constexpr const char* symbolName = "xmark.circle.fill";

    explicit SettingsErrorView(QWidget* parent = nullptr);

    QString message() const;
    void setMessage(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyColors();

    QLabel* symbol_;
    QLabel* text_;
};

}  // namespace ledgerly
