// A gate that worker threads pass through, held closed by a test while it looks at what the
// main thread does meanwhile. Counts the arrivals, so a test can wait until work has reached it.
#pragma once

#include <condition_variable>
#include <mutex>

namespace Testes {

class Portao {
public:
    void fechar()
    {
        const std::lock_guard guarda(trava_);
        fechado_ = true;
    }
    void abrir()
    {
        {
            const std::lock_guard guarda(trava_);
            fechado_ = false;
        }
        mudou_.notify_all();
    }
    // Called by the worker: counts its arrival, then waits while the gate is closed.
    void passar()
    {
        std::unique_lock guarda(trava_);
        ++chegadas_;
        mudou_.notify_all();
        mudou_.wait(guarda, [this] { return !fechado_; });
    }
    // Blocks until `n` workers have arrived (passed or waiting).
    void esperarChegadas(int n)
    {
        std::unique_lock guarda(trava_);
        mudou_.wait(guarda, [&] { return chegadas_ >= n; });
    }

private:
    std::mutex trava_;
    std::condition_variable mudou_;
    bool fechado_ = false;
    int chegadas_ = 0;
};

} // namespace Testes
