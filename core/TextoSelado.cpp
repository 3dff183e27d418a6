#include "core/TextoSelado.h"

#include "core/Codecs.h"

#include <cstring>

namespace {

constexpr QByteArrayView prefixo = "v1.";
constexpr qsizetype caracteresDoNonce = Cripto::detalhe::tamanhoEmBase64URL(12);
// The shortest body that can open: the tag alone.
constexpr qsizetype menorCorpo = 16;

// The compact bytes of `texto` when it is an envelope exactly as the writer gives it, so that
// writing it again gives the same bytes; a null array otherwise.
QByteArray compactado(QByteArrayView texto, char marcador, qsizetype tamanhoDoNonce)
{
    const qsizetype inicioDoCorpo = prefixo.size() + caracteresDoNonce + 1;
    if (texto.size() < inicioDoCorpo || !texto.startsWith(prefixo) || texto[inicioDoCorpo - 1] != '.')
        return {};
    const QByteArrayView nonce = texto.sliced(prefixo.size(), caracteresDoNonce);
    const QByteArrayView corpo = texto.sliced(inicioDoCorpo);
    if (!Cripto::detalhe::ehBase64URLCanonico(nonce) || !Cripto::detalhe::ehBase64URLCanonico(corpo))
        return {};
    const QByteArray nonceLido = Cripto::detalhe::decodificarBase64URL(nonce);
    const QByteArray corpoLido = Cripto::detalhe::decodificarBase64URL(corpo);
    if (nonceLido.size() != tamanhoDoNonce || corpoLido.size() < menorCorpo)
        return {};
    QByteArray bytes(1 + tamanhoDoNonce + corpoLido.size(), Qt::Uninitialized);
    bytes[0] = marcador;
    std::memcpy(bytes.data() + 1, nonceLido.constData(), std::size_t(tamanhoDoNonce));
    std::memcpy(bytes.data() + 1 + tamanhoDoNonce, corpoLido.constData(), std::size_t(corpoLido.size()));
    return bytes;
}

// UTF-8 sized exactly: QString::toUtf8 keeps room for three bytes a character.
QByteArray utf8Justo(const QString &texto)
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

} // namespace

TextoSelado::TextoSelado(const QString &texto) : bytes_(utf8Justo(texto))
{
    if (QByteArray compacto = compactado(bytes_, marcador, tamanhoDoNonce); !compacto.isNull())
        bytes_ = std::move(compacto);
}

TextoSelado TextoSelado::deUtf8(QByteArrayView bytes)
{
    TextoSelado texto;
    texto.bytes_ = compactado(bytes, marcador, tamanhoDoNonce);
    if (!texto.bytes_.isNull())
        return texto;
    // The marker byte never starts UTF-8 text: bytes that do are not UTF-8, and read as text does.
    if (!bytes.isEmpty() && bytes.front() == marcador)
        return TextoSelado(QString::fromUtf8(bytes));
    texto.bytes_ = bytes.toByteArray();
    return texto;
}

TextoSelado TextoSelado::doSelador(QByteArray texto)
{
    TextoSelado selado;
    selado.bytes_ = std::move(texto);
    return selado;
}

bool TextoSelado::compacto() const
{
    return !bytes_.isEmpty() && bytes_.front() == marcador;
}

QByteArrayView TextoSelado::nonce() const
{
    return QByteArrayView(bytes_).sliced(1, tamanhoDoNonce);
}

QByteArrayView TextoSelado::corpo() const
{
    return QByteArrayView(bytes_).sliced(1 + tamanhoDoNonce);
}

qsizetype TextoSelado::size() const
{
    if (!compacto())
        return bytes_.size();
    return prefixo.size() + caracteresDoNonce + 1 + Cripto::detalhe::tamanhoEmBase64URL(corpo().size());
}

void TextoSelado::acrescentarEm(QByteArray &saida) const
{
    if (!compacto()) {
        saida += bytes_;
        return;
    }
    const qsizetype antes = saida.size();
    saida.resize(antes + size());
    char *destino = saida.data() + antes;
    std::memcpy(destino, prefixo.data(), std::size_t(prefixo.size()));
    destino = Cripto::detalhe::escreverBase64URL(nonce().data(), tamanhoDoNonce, destino + prefixo.size());
    *destino++ = '.';
    Cripto::detalhe::escreverBase64URL(corpo().data(), corpo().size(), destino);
}

QByteArray TextoSelado::utf8() const
{
    if (!compacto())
        return bytes_;
    QByteArray texto;
    texto.reserve(size());
    acrescentarEm(texto);
    return texto;
}

QString TextoSelado::texto() const
{
    return QString::fromUtf8(utf8());
}

bool operator==(const TextoSelado &a, const TextoSelado &b)
{
    // A text is held compact exactly when it can be, so the same text is always held the same way,
    // except for the sealer's own texts, which are compared as text.
    if (a.compacto() == b.compacto())
        return a.bytes_ == b.bytes_;
    return a.utf8() == b.utf8();
}
