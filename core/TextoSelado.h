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
    // Implicit, like the text it stands for.
    TextoSelado(const QString &texto) : bytes_(texto.toUtf8()) {}
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
    QByteArray bytes_;
};
