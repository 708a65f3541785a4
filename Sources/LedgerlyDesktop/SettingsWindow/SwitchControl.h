#pragma once

#include <QAbstractButton>

namespace ledgerly {

// A small on/off switch: a rounded track with a round knob that sits on the
// right when on. It has no visible label; give it an accessible name.
class SwitchControl final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr QSize switchSize{32, 18};

    explicit SwitchControl(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The whole rectangle flips the switch, not only the drawn track.
    bool hitButton(const QPoint& position) const override;

private:
    QRectF knobRect(const QRectF& track) const;
};

}  // namespace ledgerly
