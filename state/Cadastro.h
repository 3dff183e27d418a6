// A new account's data made on this computer: the salt, the fixed stretching parameters, the
// login proof and the vault key sealed twice (under the password and under a recovery code).
// The server receives only these; the vault key and the recovery code stay here.
#pragma once

#include "core/Chaves.h"

#include <QByteArray>
#include <QString>

struct PedidoDeCadastro {
    QString email; // trimmed and lower-cased
    QString sal;   // 16 bytes, base64url without padding
    ParametrosKdf kdf;
    QString prova;
    QString chaveDoCofreProtegida;
    QString chaveDoCofreRecuperacao;
    QString provaDeRecuperacao;

    friend bool operator==(const PedidoDeCadastro &, const PedidoDeCadastro &) = default;
};

struct Cadastro {
    PedidoDeCadastro pedido;
    QByteArray chaveDoCofre;    // 32 random bytes
    QString codigoDeRecuperacao; // eight groups of four base32 characters joined with "-"
};

// The e-mail as it is sent and compared: trimmed of white space and line breaks, lower-cased.
[[nodiscard]] QString normalizarEmail(const QString &email);

// Generates a new account's keys. Blocks for one argon2id stretch: run it off the main thread.
// Throws ErroDeCripto.
[[nodiscard]] Cadastro gerarCadastro(const QString &email, const QString &senha);

// Overwrites a secret's bytes in place (after detaching it from any shared copy).
void apagarSegredo(QByteArray &segredo);

