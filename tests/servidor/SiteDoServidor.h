// The few pages of the web site that the application opens, served beside the API, so one local
// address is both the API base and the site base: the update manifest "downloads/mac.json" (its
// version settable), the download page it points to, and the legal pages "termos" and
// "privacidade".
#pragma once

#include "EstadoDoServidor.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace Servidor {

class SiteDoServidor {
public:
    SiteDoServidor();

    // The version the manifest publishes; by default the version of this build (no update).
    [[nodiscard]] const QString &versaoPublicada() const { return versaoPublicada_; }
    void definirVersaoPublicada(QString versao) { versaoPublicada_ = std::move(versao); }

    // The page for a GET of one of the site's paths; nothing for any other request (the API's).
    [[nodiscard]] std::optional<Resposta> atender(const Pedido &pedido, const QUrl &base) const;

private:
    QString versaoPublicada_;
};

} // namespace Servidor
