// The password generator (random passwords from the user's options) and the strength check
// that the strength meter and the password editor show while the user types.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <optional>

// The generator options, kept in the preferences as JSON data. The defaults are also the
// fallback for a missing or unreadable stored value: length 20 with every option on.
struct OpcoesDeSenha {
    qint64 tamanho = 20;
    bool maiusculas = true;
    bool minusculas = true;
    bool numeros = true;
    bool simbolos = true;
    bool semAmbiguos = true;

    friend bool operator==(const OpcoesDeSenha &, const OpcoesDeSenha &) = default;

    // {"tamanho":…,"maiusculas":…,"minusculas":…,"numeros":…,"simbolos":…,"semAmbiguos":…}
    [[nodiscard]] QByteArray codificar() const;
    // Every key is required: a missing key or a value of the wrong kind gives nullopt.
    [[nodiscard]] static std::optional<OpcoesDeSenha> decodificar(const QByteArray &dados);
};

// Where the generator draws its bytes: the system generator in the programs, a fixed sequence
// in tests. Must return exactly the number of bytes asked for.
using FonteDeBytes = std::function<QByteArray(qsizetype)>;

// The system's cryptographic generator (which stops the program rather than fail).
[[nodiscard]] FonteDeBytes fonteDoSistema();

// A uniform random index below `n` by rejection sampling over 32-bit draws; `n` must be at least 1.
[[nodiscard]] quint32 indiceAleatorio(quint32 n, const FonteDeBytes &fonte);

// A new password: length 8 to 128, at least one character of every chosen class, shuffled.
// With every class off it uses the complete lower-case letters.
[[nodiscard]] QString gerarSenha(const OpcoesDeSenha &com, const FonteDeBytes &fonte = fonteDoSistema());

// The rating of a password: level 0 (weakest) to 4, the estimate in bits and what to improve.
struct AvaliacaoDaSenha {
    int nivel = 0;
    qint64 bits = 0;
    QStringList dicas;

    friend bool operator==(const AvaliacaoDaSenha &, const AvaliacaoDaSenha &) = default;
};

[[nodiscard]] AvaliacaoDaSenha dicasDaSenha(const QString &senha);

// A level's name: "Muito fraca", "Fraca", "Razoável", "Forte", "Muito forte" (outside 0 to 4
// the nearest one).
[[nodiscard]] QString rotuloDoNivel(int nivel);
