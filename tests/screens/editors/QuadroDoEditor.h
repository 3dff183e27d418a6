// What the editors' tests share: an open vault of an account with real keys on the development
// server, in temporary folders with an in-memory keychain; helpers to put items in it, to run
// the editors' operations to their end, and QR images made with ZXing's writer.
#pragma once

#include "core/ImportacaoDeCodigo.h"
#include "support/quick/TelaComServidor.h"

#include <QImage>

namespace Testes {

// A QR code of `texto`, `modulo` pixels per module, with a quiet zone, black on white.
[[nodiscard]] QImage imagemDeQR(const QString &texto, int lado = 240);
// A linear barcode (Code 128) of `texto`.
[[nodiscard]] QImage imagemDeCodigoDeBarras(const QString &texto);
// `imagens` side by side on a white canvas, with a gap.
[[nodiscard]] QImage ladoALado(const QList<QImage> &imagens);
// An "otpauth-migration://offline?data=…" link of these accounts, encoded as the exporter does.
struct ContaExportada {
    QByteArray segredo;
    QString nome;
    QString emissor;
    int algoritmo = 1; // 1 SHA1, 2 SHA256, 3 SHA512, 4 MD5
    int digitos = 1;   // 1 six, 2 eight
    int tipo = 2;      // 1 HOTP, 2 TOTP
};
[[nodiscard]] QString linkDeMigracao(const QList<ContaExportada> &contas);

} // namespace Testes

class QuadroDoEditor : public TelaComServidor {
protected:
    void SetUp() override;

    // Saves an item straight through the store and gives its id.
    QString guardar(const ObjetoJSON &conteudo, TipoDeItem tipo);
    [[nodiscard]] Cofre &cofre() const { return *estado->cofre(); }
    // The open items of a kind, as the store holds them.
    [[nodiscard]] QList<ItemAberto> itensDoTipo(TipoDeItem tipo) const;
    // The JSON text of an object, to compare key order.
    [[nodiscard]] static QString json(const ObjetoJSON &objeto);
};
