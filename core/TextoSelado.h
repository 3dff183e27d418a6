// A sealed envelope's text as the store holds it. A well-formed envelope ("v1." + base64url
// nonce + "." + base64url body, written as the envelope writes it) is kept compact: its nonce and
// body as the raw bytes they encode, three quarters of the text's size, which across a whole
// vault is most of the memory its sealed items hold; the text is written again, byte for byte,
// when it is asked for. Any other text is kept as its UTF-8 bytes. It reads and writes as the
// text it is: it converts to and from QString and compares with one.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class TextoSelado {
public:
    TextoSelado() = default;
    // Implicit, like the text it stands for.
    TextoSelado(const QString &texto);
    // From the text's UTF-8 bytes.
    [[nodiscard]] static TextoSelado deUtf8(QByteArrayView bytes);
    // An envelope just written by the sealer: its text as is, without looking for the compact form.
    [[nodiscard]] static TextoSelado doSelador(QByteArray texto);

    operator QString() const { return texto(); }
    [[nodiscard]] QString texto() const;
    [[nodiscard]] QByteArray utf8() const;
    // Appends the text's UTF-8 bytes.
    void acrescentarEm(QByteArray &saida) const;
    // The text's length in bytes, which for an envelope is also in characters.
    [[nodiscard]] qsizetype size() const;

    // Whether the envelope is held as its raw parts; then `nonce()` and `corpo()` give them.
    [[nodiscard]] bool compacto() const;
    [[nodiscard]] QByteArrayView nonce() const;
    [[nodiscard]] QByteArrayView corpo() const;

    // Equal texts, whichever form each is held in.
    friend bool operator==(const TextoSelado &a, const TextoSelado &b);
    friend bool operator==(const TextoSelado &a, const QString &b) { return a.utf8() == b.toUtf8(); }

private:
    // The compact form: this byte (never the first of a UTF-8 text), the nonce, then the body.
    static constexpr char marcador = '\xFF';
    static constexpr qsizetype tamanhoDoNonce = 12;

    QByteArray bytes_;
};
