// The secret store on the freedesktop Secret Service (GNOME Keyring, KWallet) through libsecret:
// items of the schema "app.corvane" with the attributes service, account and, when the query
// has one, group, kept in the default collection (normally "login").
#pragma once

#include "plataforma/CofreDeSegredos.h"

class CofreDeSegredosLibsecret final : public CofreDeSegredos {
public:
    // No bus, no Secret Service, a D-Bus error or a locked item whose unlock is refused reads as
    // `indisponivel` and fails a write with `statusIndisponivel` / `statusInteracaoNegada`.
    [[nodiscard]] LeituraDeSegredo ler(const ConsultaDeSegredo &consulta) override;
    // The service replaces an item with the same attributes in one call, so a refused write
    // leaves the previous value.
    [[nodiscard]] std::int32_t gravar(const ConsultaDeSegredo &consulta, const QByteArray &bytes) override;
    std::int32_t apagar(const ConsultaDeSegredo &consulta) override;

    // Whether a Secret Service answers on the session bus (started by D-Bus activation where
    // one is installed): a session with it can be opened.
    [[nodiscard]] static bool responde();
};
