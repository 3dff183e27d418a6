// An animation driver that only moves when a test tells it to, so every frame is a known time.
#pragma once

#include <QAnimationDriver>

class MotorDeAnimacao : public QAnimationDriver {
public:
    [[nodiscard]] static MotorDeAnimacao &instancia();

    // Steps `ms` forward in frames of at most 16 ms, advancing every running animation.
    void avancar(int ms);
    // Time since the animation system last started the driver, as Qt expects.
    [[nodiscard]] qint64 elapsed() const override { return decorrido_; }
    void start() override
    {
        decorrido_ = 0;
        QAnimationDriver::start();
    }

private:
    qint64 decorrido_ = 0;
};
