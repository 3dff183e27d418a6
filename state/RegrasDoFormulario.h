// Rules the sign-in and account forms share about what the user typed: the digits of a typed
// code and when a code field is ready. (The normalised e-mail is `normalizarEmail` in Cadastro.h.)
#pragma once

#include <QString>
#include <QStringView>

// The characters of a typed code that have the Unicode numeric property, in order; spaces,
// dashes and letters drop out. A code is ready at exactly six of them (the e-mail confirmation
// and the authenticator step).
struct DigitosDoCodigo {
    // What is sent: each digit as its ASCII digit ("٣" and "３" go as "3"); a numeric character
    // without a decimal value ("½") goes as it is, and the server refuses it.
    QString enviados;
    // How many numeric characters were typed.
    qsizetype quantidade = 0;

    [[nodiscard]] bool pronto() const { return quantidade == tamanhoDoCodigo; }

    static constexpr qsizetype tamanhoDoCodigo = 6;
};

[[nodiscard]] DigitosDoCodigo digitosDoCodigo(QStringView codigo);
