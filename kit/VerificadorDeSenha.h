// What the owner dialog checks a typed password with: the system's own accounts (PAM) in the
// application, a fake in tests. Also the buffer that carries the password to the check.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The typed password as UTF-8, in memory of its own that is zeroed when asked and when the
// buffer goes away. Not copyable, so no stray copy outlives the check.
class SenhaTemporaria {
public:
    // Takes the text and wipes the caller's copy (when it is not shared with anyone else).
    explicit SenhaTemporaria(QString &texto);
    ~SenhaTemporaria() { apagar(); }

    SenhaTemporaria(const SenhaTemporaria &) = delete;
    SenhaTemporaria &operator=(const SenhaTemporaria &) = delete;

    // NUL-terminated, for C interfaces.
    [[nodiscard]] const char *dados() const { return bytes_.data(); }
    [[nodiscard]] qsizetype tamanho() const { return static_cast<qsizetype>(bytes_.size()) - 1; }
    [[nodiscard]] bool apagada() const;
    void apagar();

private:
    std::vector<char> bytes_;
};

class VerificadorDeSenha {
public:
    virtual ~VerificadorDeSenha() = default;
    // Whether a check can be made at all (the account and the check service are there).
    [[nodiscard]] virtual bool disponivel() = 0;
    // Whether `senha` is the password of the account `usuario`. Runs on a worker thread, may
    // block (a failed attempt may be delayed on purpose); must never log the password.
    [[nodiscard]] virtual bool verificar(const QString &usuario, const SenhaTemporaria &senha) = 0;
};

// The login name of the user running this program, from the account database (never from the
// environment, which anyone starting the program could set); empty when it cannot be found.
[[nodiscard]] QString usuarioAtual();
