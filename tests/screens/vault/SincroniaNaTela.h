// The vault window with the sync views in its slots, as the program composes it: the status
// line in the sidebar, the banner and the re-sign-in sheet; and the account signs in with a real
// password, so the sheet can be driven end to end against the development server.
#pragma once

#include "CofreNaTela.h"

#include "vault/Cofre.h"

class SincroniaNaTela : public CofreNaTela {
protected:
    void SetUp() override;
    void TearDown() override;

    QQuickItem *abrirComSincronia(QSize tamanho = QSize(1040, 680));
    Cofre &cofre() { return *estado->cofre(); }
    // Requests for the vault so far.
    qsizetype sincronias() { return servidor.pedidos(QStringLiteral("GET"), QStringLiteral("/v1/cofre")).size(); }
    // Until no sync runs; then forgets the requests so far.
    void esperarOciosoELimpar();
    // The screens' clock this many seconds after the store's last successful sync.
    void irParaDepoisDaSincronia(qint64 segundos);
    // Sets the vault window's sheet flag.
    void pedirFolha(bool aberta = true);
    [[nodiscard]] bool folhaAberta();
    // Replaces the text of the input inside the form field `campo`.
    void preencher(const QString &campo, const QString &texto);
    [[nodiscard]] QString textoDoCampo(const QString &campo);
    [[nodiscard]] bool visivel(const QString &nome);
    // The account as the state holds it, with `temSenha` replaced (the server has no
    // passkey-only accounts of its own).
    void somentePasskey();

    const QString senhaDaConta = QStringLiteral("cavalo correto bateria grampo");
};
