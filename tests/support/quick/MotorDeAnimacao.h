// An animation driver that only moves when a test tells it to, so every frame is a known time.
#pragma once

#include <QAnimationDriver>

class MotorDeAnimacao : public QAnimationDriver {
public:
    [[nodiscard]] static MotorDeAnimacao &instancia();

    // Steps `ms` forward in frames of at most 16 ms, advancing every running animation.
    void avancar(int ms);
    [[nodiscard]] qint64 elapsed() const override { return decorrido_; }
    // Once started it never stops: while stopped, Qt's animation timer falls back to the wall
    // clock, and the real time spent between tests would leak into the next animation's start.
    void start() override
    {
        if (!isRunning())
            QAnimationDriver::start();
    }
    void stop() override {}

private:
    qint64 decorrido_ = 0;
};
