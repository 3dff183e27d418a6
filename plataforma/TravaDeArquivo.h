// An exclusive advisory lock beside a file, held for the lifetime of the object, so that the
// programs sharing an exchange file serialise their read-modify-write cycles.
#pragma once

#include <QString>

class TravaDeArquivo {
public:
    // Blocks until the lock on "<arquivo>.lock" (created with permissions 0600) is held.
    // When the lock file cannot be opened (say, its folder does not exist) no lock is held;
    // `travada()` tells, and the caller decides whether to go on.
    explicit TravaDeArquivo(const QString &arquivo);
    ~TravaDeArquivo();

    TravaDeArquivo(const TravaDeArquivo &) = delete;
    TravaDeArquivo &operator=(const TravaDeArquivo &) = delete;

    [[nodiscard]] bool travada() const { return fd_ >= 0; }
    [[nodiscard]] static QString caminhoDaTrava(const QString &arquivo) { return arquivo + QStringLiteral(".lock"); }

private:
    int fd_ = -1;
};
