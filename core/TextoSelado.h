// A sealed envelope's text as the store holds it: its UTF-8 bytes. An envelope is ASCII, so this
// takes one byte a character where a QString takes two, which across a whole vault is most of
// the memory its sealed items hold. It reads and writes as the text it is: it converts to and
// from QString and compares with one.
#pragma once

#include <QByteArray>
#include <QString>

#include <utility>

class TextoSelado {
public:
    TextoSelado() = default;
    // Implicit, like the text it stands for. Sized exactly: QString::toUtf8 keeps room for three
    // bytes a character, which would take more than the UTF-16 text did.
    TextoSelado(const QString &texto) : bytes_(utf8Justo(texto)) {}
    [[nodiscard]] static TextoSelado deUtf8(QByteArray bytes)
    {
        TextoSelado texto;
        texto.bytes_ = std::move(bytes);
        return texto;
    }

    operator QString() const { return texto(); }
    [[nodiscard]] QString texto() const { return QString::fromUtf8(bytes_); }
    [[nodiscard]] const QByteArray &utf8() const { return bytes_; }
    // In bytes, which for an envelope is also in characters.
    [[nodiscard]] qsizetype size() const { return bytes_.size(); }

    friend bool operator==(const TextoSelado &a, const TextoSelado &b) { return a.bytes_ == b.bytes_; }
    friend bool operator==(const TextoSelado &a, const QString &b) { return a.bytes_ == b.toUtf8(); }

private:
    static QByteArray utf8Justo(const QString &texto)
    {
        const char16_t *c = reinterpret_cast<const char16_t *>(texto.constData());
        const qsizetype n = texto.size();
        QByteArray bytes(n, Qt::Uninitialized);
        char *destino = bytes.data();
        for (qsizetype i = 0; i < n; ++i) {
            if (c[i] >= 0x80) {
                bytes = texto.toUtf8();
                bytes.squeeze();
                return bytes;
            }
            destino[i] = static_cast<char>(c[i]);
        }
        return bytes;
    }

    QByteArray bytes_;
};
