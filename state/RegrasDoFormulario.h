// Rules the sign-in and account forms share about what the user typed: the digits of a typed
// code and when a code field is ready. (The normalised e-mail is `normalizarEmail` in Cadastro.h.)
#pragma once

#include <QString>

// Digits in a six-digit code field: the email confirmation and the authenticator step.
inline constexpr qsizetype digitosDeUmCodigo = 6;

// The characters of `texto` that have the Unicode numeric property, in order: spaces, dashes
// and letters are dropped; digits of any script are kept as typed.
[[nodiscard]] QString digitosDoCodigo(const QString &texto);

// A code field is ready when its digits number exactly six.
[[nodiscard]] bool codigoPronto(const QString &texto);
